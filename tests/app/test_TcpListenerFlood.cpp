// A flood of connections on the TCP listener: each is closed, and the panel's log keeps
// only its newest rows, so neither memory nor the window's work grows with the flood. A
// connection its peer reset before it was taken is logged as from an unknown peer.
#include "app/NetworkPanel.h"
#include "app/TcpListener.h"
#include "core/MessageBox.h"
#include "tests/support/TestSupport.h"

#include <QListWidget>
#include <QTcpServer>
#include <arpa/inet.h>
#include <atomic>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// A port nothing listens on now.
quint16 FreePort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

} // namespace

TEST(TcpListenerFlood, EveryConnectionIsClosedAndTheLogKeepsItsNewestThousandRows) {
    TestSupport::MessageLog messages;
    const quint16 port = FreePort();
    ASSERT_NE(port, 0);
    NetworkPanel panel(nullptr, {});
    ASSERT_TRUE(panel.Server().Start(port));
    panel.AddTcpLog("before the flood");

    // Each client waits until the station has closed its connection (end of stream).
    constexpr int kConnections = 2500;
    std::atomic<int> closedByStation{0};
    std::atomic<bool> done{false};
    std::thread flood([&] {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        for (int i = 0; i < kConnections; ++i) {
            const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
            char byte;
            if (::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof(to)) == 0 && ::recv(fd, &byte, 1, 0) <= 0)
                ++closedByStation;
            ::close(fd);
        }
        done = true;
    });
    const bool flooded = TestSupport::WaitFor([&] { return done.load(); }, 240000);
    flood.join();
    ASSERT_TRUE(flooded);
    EXPECT_EQ(closedByStation, kConnections);
    ASSERT_TRUE(TestSupport::WaitFor([&] { return panel.tcpLogList->count() == TcpListener::kMaxLogRows &&
                                                    panel.tcpLogList->item(999)->text() != "before the flood"; }));
    for (int row : {0, 500, 999})
        EXPECT_TRUE(panel.tcpLogList->item(row)->text().startsWith("127.0.0.1 refused ")) << panel.tcpLogList->item(row)->text().toStdString();
    // One more connection lands on top.
    panel.AddTcpLog("newest");
    EXPECT_EQ(panel.tcpLogList->item(0)->text(), "newest");
    EXPECT_EQ(panel.tcpLogList->count(), TcpListener::kMaxLogRows);
}

TEST(TcpListenerFlood, AConnectionResetBeforeItIsTakenIsLoggedAsFromAnUnknownPeer) {
    TestSupport::MessageLog messages;
    const quint16 port = FreePort();
    ASSERT_NE(port, 0);
    TcpListener listener;
    ASSERT_TRUE(listener.Start(port));
    QStringList logged;
    QObject::connect(&listener, &TcpListener::LogLines, [&](const QStringList& lines) { logged << lines; });
    // Connected and reset while the station's event loop is not running: the kernel holds
    // the connection until the listener takes it, by then without a peer.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof(to)), 0);
    const linger reset{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof(reset));
    ::close(fd);
    ASSERT_TRUE(TestSupport::WaitFor([&] { return !logged.isEmpty(); }));
    EXPECT_TRUE(logged.first().startsWith("unknown refused ")) << logged.first().toStdString();
}
