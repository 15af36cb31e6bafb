#include "publish/ReportPage.h"

#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "platform/MailMessage.h"
#include "publish/EAlertPage.h"

namespace {

const QString kEnd = QStringLiteral("\r\n");

QString Escape(const QString& text) { return text.toHtmlEscaped(); }

} // namespace

QStringList ReportPictures(const QStringList& pictures, bool singlePictureMode, int position) {
    if (!singlePictureMode)
        return pictures;
    if (pictures.isEmpty())
        return {};
    return {pictures.value(qBound(0, position, int(pictures.size()) - 1))};
}

QString BuildReportHtml(const ReportPageInput& in) {
    QString page;
    auto line = [&page](const QString& text) { page += text + kEnd; };

    line(QStringLiteral(" <html> "));
    line(QStringLiteral(" <body> "));
    line(QStringLiteral(" <hr> <b>Video Surveillance Report</b> "));
    line(QStringLiteral(" <I> Date Created  </I> ") + FormatDateTime(QStringLiteral("HH:MM:SS DD MMMM YYYY"), in.now));

    const QString reference = TrimText(in.reference);
    const QString code = TrimText(in.code);
    if (!reference.isEmpty())
        page += QStringLiteral(" <b>Reference</b> ") + Escape(reference) + QStringLiteral(" "); // the code line continues it
    if (!code.isEmpty())
        line(QStringLiteral(" <b>Code</b> ") + Escape(code) + QStringLiteral(" "));

    if (!TrimText(in.freeText.join(QLatin1Char('\n'))).isEmpty()) {
        line(QStringLiteral(" <hr> <b>Text Summary</b>  <br> "));
        for (const QString& text : in.freeText)
            line(Escape(text) + QStringLiteral(" <br> "));
    }

    if (in.useContactInfo) {
        const EmailSettingsRecord& c = in.contact;
        auto blank = [](const QString& s) { return TrimText(s).isEmpty(); };
        auto value = [&](const QString& s) { line(Escape(TrimText(s)) + QStringLiteral(" <br> ")); };
        line(QStringLiteral(" <hr> "));
        line(QStringLiteral(" <b>Senders Contact Details</b> <br> "));
        line(QStringLiteral(" <table cellPadding=5 border=\"1\" width=\"100%\"> "));
        line(QStringLiteral(" <td vAlign=top align=left> "));
        line(QStringLiteral(" <b>First Name</b> <br> "));
        line(QStringLiteral(" <b>Second Name</b> <br> "));
        line(QStringLiteral(" <b>First Phone</b> <br> "));
        if (!blank(c.ContactPhone2))
            line(QStringLiteral(" <b>Second Phone</b> <br> "));
        line(QStringLiteral(" <br> <b>Address </b> <br> "));
        if (!blank(c.ContactAddress2))
            line(QStringLiteral(" <br> "));
        line(QStringLiteral(" <br> "));
        if (!blank(c.ContactNote1))
            line(QStringLiteral(" <b>Note 1 </b> <br> "));
        if (!blank(c.ContactNote2))
            line(QStringLiteral(" <b>Note 2 </b> <br> "));
        line(QStringLiteral(" <b>Contact Time</b> <br> "));
        line(QStringLiteral(" <b>Contact Day</b> <br> "));
        line(QStringLiteral(" </td> "));
        line(QStringLiteral(" <td vAlign=top align=left> "));
        value(c.ContactFirstName);
        value(c.ContactSecondName);
        line(Escape(TrimText(c.ContactPhone1)) + QStringLiteral("  <br> "));
        if (!blank(c.ContactPhone2))
            value(c.ContactPhone2);
        line(QStringLiteral("  <br> "));
        value(c.ContactAddress1);
        if (!blank(c.ContactAddress2))
            value(c.ContactAddress2);
        line(QStringLiteral(" <br> "));
        if (!blank(c.ContactNote1))
            value(c.ContactNote1);
        if (!blank(c.ContactNote2))
            value(c.ContactNote2);
        line(Escape(TrimText(in.fromTimeText)) + QStringLiteral(" To ") + Escape(TrimText(in.toTimeText)) +
             QStringLiteral(" <br> "));
        value(in.dayText);
        line(QStringLiteral(" <hr> "));
        line(QStringLiteral(" </td> "));
        line(QStringLiteral(" </TABLE> "));
    } else {
        line(QStringLiteral(" <hr> "));
    }
    line(QStringLiteral(" <hr> "));

    const QStringList pictures = ReportPictures(in.pictures, in.singlePictureMode, in.position);
    // A report without pictures is text only: no count, no picture lines.
    if (!pictures.isEmpty()) {
        if (pictures.size() >= 2 && !in.singlePictureMode)
            line(QStringLiteral(" <b> %1 Images </b> <hr> <br> ").arg(pictures.size()));
        else
            line(QStringLiteral(" <b> 1 Image </b> <hr> <br> "));
    }
    for (const QString& picture : pictures) {
        const QString name = TrimText(picture);
        line(QStringLiteral(" <img src=\"cid:") + platform::MailContentId(QStringLiteral("0") + name) +
             QStringLiteral("\"> "));
        line(QStringLiteral(" <br> "));
        const QStringList note = ReadNoteLines(in.pictureFolder + name.left(name.size() - 4) + QStringLiteral(".txt"));
        for (int i = 0; i < note.size(); ++i)
            line(i == 0 ? QStringLiteral(" <h2> ") + Escape(note[i]) + QStringLiteral(" </h2> ")
                        : Escape(note[i]) + QStringLiteral(" <br> "));
        if (!in.singlePictureMode)
            line(QStringLiteral(" <hr> "));
    }
    line(QStringLiteral(" <hr> "));
    line(QStringLiteral(" This report was made by TORVEK, the video surveillance station. "));
    line(QStringLiteral(" </Body></HTML> "));
    return page;
}
