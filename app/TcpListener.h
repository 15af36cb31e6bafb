#pragma once
// The station's TCP listener: once started it accepts connections on its port and closes
// each at once, sending nothing. No remote command is served.
#include <QObject>
#include <QString>
#include <QTcpServer>

class TcpListener : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = 10000;

    explicit TcpListener(QObject* parent = nullptr);

    // Starts listening on all local addresses. True when listening (also when it already
    // was: a second start changes nothing). On failure it says why through the message box
    // and stays off, so a later start may try again.
    bool Start(quint16 port = kDefaultPort);
    bool IsListening() const { return server_.isListening(); }

signals:
    // A line for the panel's log (a refused connection, a failed start).
    void LogLine(const QString& line);

private:
    QTcpServer server_;
};
