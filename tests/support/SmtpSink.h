#pragma once
// The loopback SMTP server of the tests (tests/servers/smtp_sink.py): started on a free port
// of 127.0.0.1 (or a given one), saving each message in its own folder; MailTree reads a
// saved message with Python's email package.
#include "tests/support/ServerProcess.h"

#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>

namespace TestSupport {

class SmtpSink {
public:
    // mode: accept, slow, reject-rcpt, refuse or hang. port 0 picks a free one. RCPT of the
    // refused addresses is answered with 550; the mail still goes to the others.
    bool Start(const QString& mode = QStringLiteral("accept"), int port = 0, double delaySeconds = 2,
               const QStringList& refusedRecipients = {});
    void Stop() { server_.Stop(); }
    quint16 Port() const { return server_.Port(); }
    qint64 Pid() const { return server_.Pid(); }
    QString Output() const { return server_.Output(); }
    QString Folder() const { return dir_.path(); }

    // The saved messages, oldest first.
    QStringList Messages() const;
    // Waits (serving events) until at least count messages were saved.
    bool WaitForMessages(int count, int timeoutMs = 10000) const;
    // The envelope of a saved message: {"mail_from": ..., "rcpt_tos": [...]}.
    QJsonObject Envelope(const QString& emlPath) const;

private:
    ServerProcess server_;
    QTemporaryDir dir_;
};

// The tree of a saved message: type, disposition, filename, content_id, charset, encoding,
// children or sha256/size/text; at the top also headers, header_names, defects, max_line.
QJsonObject MailTree(const QString& emlPath);

} // namespace TestSupport
