#include "tests/support/SmtpSink.h"

#include "tests/support/TestSupport.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>

namespace TestSupport {

bool SmtpSink::Start(const QString& mode, int port, double delaySeconds, const QStringList& refusedRecipients) {
    QStringList args{QStringLiteral("--mode"), mode, QStringLiteral("--port"), QString::number(port),
                     QStringLiteral("--dir"), dir_.path(), QStringLiteral("--delay"), QString::number(delaySeconds)};
    for (const QString& address : refusedRecipients) args << QStringLiteral("--refuse-rcpt") << address;
    return server_.Start(QStringLiteral("smtp_sink.py"), args);
}

QStringList SmtpSink::Messages() const {
    QStringList paths;
    for (const QString& name : QDir(dir_.path()).entryList({QStringLiteral("*.eml")}, QDir::Files,
                                                           QDir::Name))
        paths << dir_.path() + u'/' + name;
    return paths;
}

bool SmtpSink::WaitForMessages(int count, int timeoutMs) const {
    return WaitFor([&] { return Messages().size() >= count; }, timeoutMs);
}

QJsonObject SmtpSink::Envelope(const QString& emlPath) const {
    return QJsonDocument::fromJson(ReadAll(emlPath.left(emlPath.size() - 4) + ".json")).object();
}

QJsonObject MailTree(const QString& emlPath) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {SourceDir() + QStringLiteral("/tests/servers/mail_tree.py"), emlPath});
    if (!python.waitForFinished(30000)) {
        python.kill();
        python.waitForFinished();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

} // namespace TestSupport
