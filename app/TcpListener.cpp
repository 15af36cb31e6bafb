#include "app/TcpListener.h"

#include "core/MessageBox.h"

#include <QDateTime>
#include <QTcpSocket>

TcpListener::TcpListener(QObject* parent) : QObject(parent) {
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            emit LogLine(socket->peerAddress().toString() + QStringLiteral(" refused ") +
                         QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss")));
            socket->abort();
            socket->deleteLater();
        }
    });
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
