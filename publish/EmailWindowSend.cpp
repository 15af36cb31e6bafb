// Sending a report: the checks, the outbox copy, the page and the mail.
#include "publish/EmailWindow.h"

#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "core/MainWindowLink.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "platform/Ansi.h"
#include "platform/RecordFile.h"
#include "publish/AddressBook.h"
#include "publish/ContactSettingsTab.h"
#include "publish/Outbox.h"
#include "publish/ReportPage.h"

#include <QCheckBox>
#include <QDebug>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

namespace {

QStringList TextLines(const QPlainTextEdit& edit) {
    const QString text = edit.toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

} // namespace

void EmailWindow::SendButtonClick() {
    if (!Online()) {
        ShowMessageBox(QStringLiteral("Youmust be connected to the internet to use this feature!"));
        return;
    }
    if (TrimText(main_.SmtpHost()).isEmpty()) {
        ShowMessageBox(QStringLiteral("Please enter your SMTP Host in Setup. "));
        return;
    }
    QString message;
    if (!ValidateEmailAddress(TrimText(main_.ReplyAddress()), message, true)) {
        ShowMessageBox(QStringLiteral("Please enter a valid email address in Setup. "));
        return;
    }
    const QString to = TrimText(toAddressCombo->currentText());
    if (!ValidRecipients(to)) {
        ShowMessageBox(QStringLiteral("Invalid to email address."));
        return;
    }

    pleaseWaitPanel->show();
    pleaseWaitPanel->raise();
    pleaseWaitPanel->repaint();
    // A book that cannot be written does not stop the report.
    if (AddressBook::Add(store_.Folder().File(AddressBook::kFileName), to) == AddressBook::AddResult::Added) {
        AddSortedAddress(*toAddressCombo, to);
        toAddressCombo->setEditText(to);
    }

    // What goes out is fixed now: listing the outbox may refill the picture list.
    const QStringList pictures = ReportPictures(pictureNames, SinglePictureMode, pictureScroll->value());
    if (!SaveReportToOutbox(pictureNames, ReportCamera)) {
        pleaseWaitPanel->hide();
        return;
    }
    RefreshOutboxList(TrimText(working_.ReportNumber));
    SendReportEmail(pictures);
    pleaseWaitPanel->hide();
}

bool EmailWindow::SaveReportToOutbox(const QStringList& pictures, int camera) {
    OutboxSaveInput in;
    in.subject = subjectEdit->text();
    in.reference = referenceEdit->text();
    in.code = codeEdit->text();
    in.toText = toAddressCombo->currentText();
    in.now = Now();
    in.pictures = pictures;
    in.singlePictureMode = SinglePictureMode;
    in.position = pictureScroll->value();
    in.camera = camera;
    in.cameraFolder = CameraFolder(camera);
    in.freeText = TextLines(*messageEdit);
    Outbox outbox(OutboxFolder());
    QString error;
    if (outbox.SaveReportToOutbox(working_, in, &error))
        return true;
    ShowMessageBox(QStringLiteral("The report could not be saved in the outbox: ") + error);
    return false;
}

QString EmailWindow::BuildReportHtml(const QStringList& pictures) {
    ReportPageInput in;
    in.now = Now();
    in.reference = referenceEdit->text();
    in.code = codeEdit->text();
    in.freeText = TextLines(*messageEdit);
    in.useContactInfo = contactTab->useContactInfoBox->isChecked();
    in.contact = store_.EmailRecord();
    in.fromTimeText = contactTab->fromTimeCombo->currentText();
    in.toTimeText = contactTab->toTimeCombo->currentText();
    in.dayText = contactTab->contactDayCombo->currentText();
    in.pictures = pictures;
    in.singlePictureMode = SinglePictureMode;
    in.position = 0;
    in.pictureFolder = CameraFolder(ReportCamera);
    const QString page = ::BuildReportHtml(in);

    // The page as a file beside the pictures; a scratch copy, deleted when the window hides.
    platform::WriteFileAtomically(in.pictureFolder + QStringLiteral("log.htm"), platform::ToAnsi(page));
    reportPageLines = page.split(QStringLiteral("\r\n"));
    if (!reportPageLines.isEmpty() && reportPageLines.last().isEmpty())
        reportPageLines.removeLast();
    return page;
}

void EmailWindow::SendReportEmail(const QStringList& pictures) {
    if (!Online())
        return;
    ReportMail mail;
    mail.html = BuildReportHtml(pictures);
    mail.host = TrimText(main_.SmtpHost());
    mail.from = TrimText(main_.ReplyAddress());
    mail.recipients = SplitRecipients(toAddressCombo->currentText());
    mail.subject = TrimText(subjectEdit->text());
    mail.plain = messageEdit->toPlainText();
    mail.pictures = ReadReportPictures(CameraFolder(ReportCamera), pictures);

    QString error;
    sending_ = true;
    sendButton->setEnabled(false);
    const bool sent = sender_->SendReportMail(mail, &error);
    sending_ = false;
    sendButton->setEnabled(true);
    pleaseWaitPanel->hide();
    if (!sent) {
        ShowMessageBox(QStringLiteral("Email Failed: ") + error);
        return;
    }
    toAddressCombo->setEditText(QString());
    messageEdit->clear();
    QString done = ReportCamera == 0        ? QStringLiteral("The email has been sent again!")
                   : SinglePictureMode ? QStringLiteral("The Image has been sent!")
                                       : QStringLiteral("The Images have been sent!");
    if (const QStringList refused = sender_->RefusedRecipients(); !refused.isEmpty()) {
        const QString why = QStringLiteral("The mail server refused %1.").arg(refused.join(QStringLiteral(", ")));
        qWarning().noquote() << QStringLiteral("Report mail:") << why;
        done += QStringLiteral("\n") + why;
    }
    ShowMessageBox(done);
}
