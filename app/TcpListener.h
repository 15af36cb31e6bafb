#pragma once
// The station's TCP listener: once started it accepts connections on its port and closes
// each at once, sending nothing. No remote command is served.
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTimer>

class TcpListener : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = 10000;
    // The log keeps its newest rows only.
    static constexpr int kMaxLogRows = 1000;

    explicit TcpListener(QObject* parent = nullptr);

    // Starts listening on all local addresses. True when listening (also when it already
    // was: a second start changes nothing). On failure it says why through the message box
    // and stays off, so a later start may try again.
    bool Start(quint16 port = kDefaultPort);
    bool IsListening() const { return server_.isListening(); }

signals:
    // A line for the panel's log (a failed start).
    void LogLine(const QString& line);
    // The refused connections since the last batch, oldest first, at most kMaxLogRows; sent
    // a few times a second at most, so a flood of connections cannot hold the window.
    void LogLines(const QStringList& lines);

private:
    // Closes each connection as the kernel hands it over, without making a socket object.
    class RefusingServer : public QTcpServer {
    public:
        explicit RefusingServer(TcpListener& owner) : owner_(owner) {}

    protected:
        void incomingConnection(qintptr descriptor) override;

    private:
        TcpListener& owner_;
    };

    void Refused(const QString& peer);
    void Flush();

    RefusingServer server_{*this};
    QStringList pending_;
    QTimer flush_;
};
