#include "publish/SmtpReportMailSender.h"

#include "platform/SmtpClient.h"

SmtpReportMailSender::SmtpReportMailSender(std::unique_ptr<platform::MailTransport> transport)
    : transport_(std::move(transport)) {}

SmtpReportMailSender::SmtpReportMailSender() : SmtpReportMailSender(std::make_unique<platform::SmtpClient>(25)) {}

SmtpReportMailSender::~SmtpReportMailSender() = default;

platform::MailMessage SmtpReportMailSender::ToMessage(const ReportMail& mail) {
    platform::MailMessage message;
    message.from = mail.from;
    message.recipients = mail.recipients;
    message.subject = mail.subject;
    message.plain = mail.plain;
    message.html = mail.html;
    for (const ReportMail::Picture& picture : mail.pictures) {
        platform::MailInlinePart part;
        part.data = picture.data;
        part.contentId = platform::MailContentId(QStringLiteral("0") + picture.name);
        part.fileName = QStringLiteral("0") + picture.name;
        message.inlineParts << part;
    }
    return message;
}

bool SmtpReportMailSender::SendReportMail(const ReportMail& mail, QString* error) {
    const platform::MailSendResult result = transport_->Send(mail.host, ToMessage(mail));
    refused_ = result.refused;
    if (!result.ok && error)
        *error = result.error;
    return result.ok;
}
