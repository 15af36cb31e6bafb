#include "app/TcpListener.h"

#include "core/MessageBox.h"

#include <QDateTime>
#include <QHostAddress>
#include <sys/socket.h>
#include <unistd.h>

TcpListener::TcpListener(QObject* parent) : QObject(parent) {
    flush_.setSingleShot(true);
    flush_.setInterval(250);
    connect(&flush_, &QTimer::timeout, this, &TcpListener::Flush);
}

void TcpListener::RefusingServer::incomingConnection(qintptr descriptor) {
    sockaddr_storage peer{};
    socklen_t length = sizeof(peer);
    // A peer that reset the connection before it was taken has no address any more.
    QString address = QStringLiteral("unknown");
    if (::getpeername(int(descriptor), reinterpret_cast<sockaddr*>(&peer), &length) == 0) {
        QHostAddress host(reinterpret_cast<const sockaddr*>(&peer));
        // An IPv4 peer on the dual-stack port is shown as IPv4.
        bool isV4 = false;
        const quint32 v4 = host.toIPv4Address(&isV4);
        const QString known = (isV4 ? QHostAddress(v4) : host).toString();
        if (!known.isEmpty())
            address = known;
    }
    ::close(int(descriptor));
    owner_.Refused(address);
}

void TcpListener::Refused(const QString& peer) {
    pending_ << peer + QStringLiteral(" refused ") +
                    QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss"));
    if (pending_.size() > kMaxLogRows)
        pending_.remove(0, pending_.size() - kMaxLogRows);
    if (!flush_.isActive())
        flush_.start();
}

void TcpListener::Flush() {
    if (pending_.isEmpty())
        return;
    const QStringList lines = std::exchange(pending_, {});
    emit LogLines(lines);
}

bool TcpListener::Start(quint16 port) {
    if (server_.isListening())
        return true;
    if (server_.listen(QHostAddress::Any, port))
        return true;
    const QString text =
        QStringLiteral("TORVEK could not listen on TCP port %1: %2").arg(port).arg(server_.errorString());
    emit LogLine(text);
    ShowMessageBox(text);
    return false;
}
