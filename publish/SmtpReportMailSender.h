#pragma once
// Report mails through an SMTP transport of the report window's own, so an e-alert can go
// out at the same time through its own client.
#include "platform/MailMessage.h"
#include "publish/ReportMail.h"

#include <memory>

class SmtpReportMailSender final : public ReportMailSender {
public:
    explicit SmtpReportMailSender(std::unique_ptr<platform::MailTransport> transport);
    // The SMTP client on port 25.
    SmtpReportMailSender();
    ~SmtpReportMailSender() override;

    bool SendReportMail(const ReportMail& mail, QString* error) override;
    QStringList RefusedRecipients() const override { return refused_; }

    // The message the transport gets: the pictures inline, file name "0" + name and the
    // content id the page uses for it (MailContentId).
    static platform::MailMessage ToMessage(const ReportMail& mail);

private:
    std::unique_ptr<platform::MailTransport> transport_;
    QStringList refused_;
};
