// The network call runs on a worker thread while the GUI thread keeps serving events: a local
// HTTP-ish server on the GUI thread itself proves it, since it could never answer otherwise.
#include "platform/NetCall.h"
#include "tests/support/TestSupport.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <curl/curl.h>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Answers each request after delayMs (or never when delayMs < 0).
class SlowServer : public QObject {
public:
    explicit SlowServer(int delayMs) : delayMs_(delayMs) {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    socket->readAll();
                    if (delayMs_ < 0)
                        return;
                    QTimer::singleShot(delayMs_, socket, [socket] {
                        socket->write("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello");
                        socket->disconnectFromHost();
                    });
                });
            }
        });
    }
    QString Url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(server_.serverPort()); }

private:
    QTcpServer server_;
    int delayMs_;
};

size_t Collect(char* data, size_t size, size_t count, void* sink) {
    static_cast<QByteArray*>(sink)->append(data, qsizetype(size * count));
    return size * count;
}

struct Handle {
    Handle(const QString& url) : curl(curl_easy_init()) {
        const QByteArray u = url.toUtf8();
        curl_easy_setopt(curl, CURLOPT_URL, u.constData());
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Collect);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    }
    ~Handle() { curl_easy_cleanup(curl); }
    CURL* curl;
    QByteArray body;
};

platform::NetTimeouts Short() {
    platform::NetTimeouts t;
    t.connectSeconds = 2;
    t.responseSeconds = 2;
    t.lowSpeedSeconds = 1;
    return t;
}

} // namespace

TEST(NetCall, TimersKeepTickingAndASecondCallIsRefused) {
    SlowServer server(400);
    platform::NetCall call;
    call.SetTimeouts(Short());
    Handle handle(server.Url());
    Handle second(server.Url());

    int ticks = 0;
    platform::NetResult nested;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (++ticks == 1)
            nested = call.Perform(second.curl);
    });
    timer.start();
    const platform::NetResult result = call.Perform(handle.curl);
    timer.stop();

    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.responseCode, 200);
    EXPECT_EQ(handle.body, "hello");
    EXPECT_GE(ticks, 2);
    EXPECT_TRUE(nested.refused);
    EXPECT_FALSE(nested.ok);
    EXPECT_FALSE(nested.error.isEmpty());
    EXPECT_FALSE(call.Busy());
}

TEST(NetCall, FailuresCarryTheirReason) {
    // Nothing listens on a port that was just closed.
    quint16 port;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port = probe.serverPort();
    }
    platform::NetCall call;
    call.SetTimeouts(Short());
    Handle refused(QStringLiteral("http://127.0.0.1:%1/").arg(port));
    platform::NetResult result = call.Perform(refused.curl);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.aborted);
    EXPECT_FALSE(result.error.isEmpty());

    // A server that never answers is ended by the low-speed limit, not waited on for ever.
    SlowServer silent(-1);
    Handle hung(silent.Url());
    result = call.Perform(hung.curl);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.aborted);
    EXPECT_EQ(result.curlCode, int(CURLE_OPERATION_TIMEDOUT)) << result.error.toStdString();
}

TEST(NetCall, AbortEndsARunningTransferAndAbortAllEndsEveryOneAndRefusesNewOnes) {
    SlowServer silent(-1);
    platform::NetCall call;
    platform::NetTimeouts patient;
    patient.lowSpeedSeconds = 600;
    call.SetTimeouts(patient);
    Handle hung(silent.Url());
    QTimer::singleShot(50, [&] { call.Abort(); });
    platform::NetResult result = call.Perform(hung.curl);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.aborted);
    // The client is usable again afterwards.
    SlowServer server(0);
    Handle next(server.Url());
    EXPECT_TRUE(call.Perform(next.curl).ok);

    bool workerLeft = false;
    QTimer::singleShot(50, [&] {
        platform::NetCall::AbortAll();
        workerLeft = true; // AbortAll returned: the worker has left curl
    });
    Handle hungAgain(silent.Url());
    result = call.Perform(hungAgain.curl);
    EXPECT_TRUE(workerLeft);
    EXPECT_TRUE(result.aborted);
    EXPECT_FALSE(platform::NetCall::Accepting());
    Handle later(silent.Url());
    EXPECT_FALSE(call.Perform(later.curl).ok);
}
