#pragma once
// A loopback test server written in Python (tests/servers/*.py), run by Debian's python3: it
// prints "PORT n" once it listens; the object kills it when it goes.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace TestSupport {

class ServerProcess {
public:
    // script: a file name under tests/servers/. Waits at most timeoutMs for "PORT n".
    bool Start(const QString& script, const QStringList& arguments, int timeoutMs = 15000);
    void Stop();
    ~ServerProcess() { Stop(); }

    quint16 Port() const { return port_; }
    bool Running() const { return process_.state() == QProcess::Running; }
    // For tests that freeze the server (SIGSTOP) to play one that stops answering.
    qint64 Pid() const { return process_.processId(); }
    // What the server printed so far (for failure messages).
    QString Output() const { return output_; }

private:
    QProcess process_;
    quint16 port_ = 0;
    QString output_;
};

// The project's source folder (tests read their fixtures from it).
QString SourceDir();

} // namespace TestSupport
