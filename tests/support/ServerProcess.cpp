#include "tests/support/ServerProcess.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

namespace TestSupport {

QString SourceDir() {
    const QString dir = qEnvironmentVariable("TORVEK_TEST_SOURCE_DIR");
    return dir.isEmpty() ? QStringLiteral(TORVEK_SOURCE_DIR) : dir;
}

bool ServerProcess::Start(const QString& script, const QStringList& arguments, int timeoutMs) {
    Stop();
    output_.clear(); // a restarted server must not be read by its old "PORT n"
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(QStringLiteral("/usr/bin/python3"),
                   QStringList{SourceDir() + QStringLiteral("/tests/servers/") + script} + arguments);
    if (!process_.waitForStarted(timeoutMs))
        return false;
    const QRegularExpression portLine(QStringLiteral("PORT (\\d+)"));
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (!process_.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            break;
        output_ += QString::fromUtf8(process_.readAllStandardOutput());
        const auto match = portLine.match(output_);
        if (match.hasMatch()) {
            port_ = quint16(match.captured(1).toUInt());
            return true;
        }
    }
    output_ += QString::fromUtf8(process_.readAllStandardError());
    Stop();
    return false;
}

void ServerProcess::Stop() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
    port_ = 0;
}

} // namespace TestSupport
