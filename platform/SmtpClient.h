#pragma once
// Plain SMTP (no authentication, as the station's mail settings ask) over libcurl: one
// message from memory, sent while the window keeps running. One client sends one mail at a
// time; a second Send while one is in flight is refused at once.
#include "platform/MailMessage.h"
#include "platform/NetCall.h"

namespace platform {

class SmtpClient : public MailTransport {
public:
    // The port when the host names none: 25 for every real server.
    explicit SmtpClient(int port = 25, NetTimeouts timeouts = {});
    ~SmtpClient() override;
    SmtpClient(const SmtpClient&) = delete;
    SmtpClient& operator=(const SmtpClient&) = delete;

    // host: a name or address, "name:port" or "[v6]:port" for a port other than the
    // client's. MAIL FROM is the sender, one RCPT per recipient; recipients the server
    // refuses are left out and named in the result, and only when it refuses all of them
    // does the send fail. On failure the error holds the transfer's message and the
    // server's last reply.
    MailSendResult Send(const QString& host, const MailMessage& message) override;
    void Abort() override { call_.Abort(); }
    bool Busy() const { return call_.Busy(); }
    NetCall& Call() { return call_; }

private:
    static int OnDebug(CURL* handle, int type, char* data, size_t size, void* self);

    int port_;
    NetCall call_;
    CURL* handle_ = nullptr;
    QByteArray replyLine_;  // the server's line being received (worker thread during a send)
    QByteArray lastReply_;  // the last refusal, else the last reply line
    QByteArray commandLine_;     // our command being sent (worker thread during a send)
    QStringList awaitingRcpt_;   // RCPT addresses sent and not yet answered
    QStringList refused_;        // RCPT addresses the server refused
};

} // namespace platform
