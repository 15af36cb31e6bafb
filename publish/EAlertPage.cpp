#include "publish/EAlertPage.h"

#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "platform/Ansi.h"
#include "platform/MailMessage.h"

#include <QFile>

QString AlertPageTitle(const QString& siteLocation) {
    const QString site = TrimText(siteLocation);
    return site.isEmpty() ? QStringLiteral("TORVEK E-Alert") : QStringLiteral("Images from ") + site;
}

QString AlertSubject(const QString& siteLocation, const QDateTime& now, const QLocale& locale) {
    const QString site = TrimText(siteLocation);
    const QString title =
        site.isEmpty() ? QStringLiteral("TORVEK E-Alert ") : QStringLiteral("Images from ") + site;
    return title + u' ' + FormatDateTime(QStringLiteral("HH:MM DD:MMMM:YYYY"), now, locale);
}

QString AlertPlainText() {
    return QStringLiteral(
        "this e-alert was created by torvek and needs an html viewer to read the content");
}

QString HtmlEscape(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&': out += QStringLiteral("&amp;"); break;
        case u'<': out += QStringLiteral("&lt;"); break;
        case u'>': out += QStringLiteral("&gt;"); break;
        case u'"': out += QStringLiteral("&quot;"); break;
        default: out += c; break;
        }
    }
    return out;
}

QString WriteAlertHtmlHeader(const QString& siteLocation, const QDateTime& now,
                             const QLocale& locale) {
    return QStringLiteral(" <html> <body>") + QStringLiteral(" <b> ") +
           HtmlEscape(AlertPageTitle(siteLocation)) + QStringLiteral(" </b>  ") +
           FormatDateTime(QStringLiteral("HH:MM:SS DD MMMM YYYY"), now, locale) +
           QStringLiteral(" <br> ");
}

QString SinglePicturesPage(const QString& siteLocation, const QDateTime& now,
                           const QList<AlertPagePicture>& pictures, const QLocale& locale) {
    QString page = WriteAlertHtmlHeader(siteLocation, now, locale) + QStringLiteral("<br>");
    for (const AlertPagePicture& picture : pictures) {
        page += QStringLiteral(" <img src=\"cid:") + platform::MailContentId(QStringLiteral("0") + picture.name) +
                QStringLiteral("\"> ");
        page += QStringLiteral(" <br> ");
        for (qsizetype i = 0; i < picture.noteLines.size(); ++i) {
            const QString line = HtmlEscape(picture.noteLines[i]);
            page += i == 0 ? QStringLiteral(" <h2> ") + line + QStringLiteral(" </h2> ")
                           : line + QStringLiteral(" <br> ");
        }
        page += QStringLiteral(" <hr> ");
    }
    return page + QStringLiteral(" </body></html> ");
}

QString ProofSheetsPage(const QString& siteLocation, const QDateTime& now,
                        const QStringList& sheetNames, const QLocale& locale) {
    QString page = WriteAlertHtmlHeader(siteLocation, now, locale) + QStringLiteral(" <br> ");
    for (const QString& sheet : sheetNames)
        page += QStringLiteral(" <img src=\"cid:") + platform::MailContentId(sheet) + QStringLiteral("\" alt=\"\" > <br>");
    return page + QStringLiteral(" </Body></html> ");
}

QStringList ReadNoteLines(const QString& path, bool* exists) {
    QFile file(path);
    if (exists) *exists = false;
    if (!file.open(QIODevice::ReadOnly)) return {};
    if (exists) *exists = true;
    const QString text = platform::FromAnsi(file.readAll());
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines << line;
            line.clear();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}
