#include "platform/ScreenSaver.h"
#include "support/TestSupport.h"

#include <QDBusConnection>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

using platform::ScreenSaverInhibitor;

namespace {

// Stands in for the desktop's screen-saver service. Lives on its own thread so that the
// inhibitor's blocking calls get answered.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QMutex mutex;
    QStringList inhibits;
    QList<uint> released;

public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        QMutexLocker lock(&mutex);
        inhibits << application + "|" + reason;
        return 4242;
    }
    void UnInhibit(uint cookie) {
        QMutexLocker lock(&mutex);
        released << cookie;
    }
};

// A private bus daemon for the duration of one test.
class PrivateBus {
public:
    PrivateBus() {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            return;
        process_.start(daemon, {"--session", "--nofork", "--print-address"});
        if (!process_.waitForStarted(5000) || !process_.waitForReadyRead(5000))
            return;
        address_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~PrivateBus() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    const QString& Address() const { return address_; }

private:
    QProcess process_;
    QString address_;
};

} // namespace

TEST(ScreenSaver, InhibitsOnceAndReleasesWithTheGrantedCookie) {
    PrivateBus bus;
    if (bus.Address().isEmpty())
        GTEST_SKIP() << "dbus-daemon is not available";

    QThread serviceThread;
    serviceThread.start();
    FakeScreenSaver fake;
    fake.moveToThread(&serviceThread);
    {
        QDBusConnection client = QDBusConnection::connectToBus(bus.Address(), "client");
        {
            // Nobody offers the service yet: nothing is held.
            ScreenSaverInhibitor lonely(client);
            EXPECT_FALSE(lonely.Inhibit("TORVEK", "watching"));
            EXPECT_FALSE(lonely.IsInhibited());
        }
        QDBusConnection service = QDBusConnection::connectToBus(bus.Address(), "fake-service");
        ASSERT_TRUE(service.isConnected());
        ASSERT_TRUE(service.registerObject("/org/freedesktop/ScreenSaver", &fake,
                                           QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService("org.freedesktop.ScreenSaver"));
        {
            ScreenSaverInhibitor inhibitor(client);
            EXPECT_TRUE(inhibitor.Inhibit("TORVEK", "watching"));
            EXPECT_TRUE(inhibitor.Inhibit("TORVEK", "again")); // held: no second call
            EXPECT_TRUE(inhibitor.IsInhibited());
            inhibitor.Release();
            inhibitor.Release(); // nothing held any more
            EXPECT_FALSE(inhibitor.IsInhibited());

            // Held at destruction: released then.
            EXPECT_TRUE(inhibitor.Inhibit("TORVEK", "watching"));
        }
        service.unregisterObject("/org/freedesktop/ScreenSaver");
    }
    QDBusConnection::disconnectFromBus("fake-service");
    QDBusConnection::disconnectFromBus("client");
    serviceThread.quit();
    serviceThread.wait();

    EXPECT_EQ(fake.inhibits, (QStringList{"TORVEK|watching", "TORVEK|watching"}));
    EXPECT_EQ(fake.released, (QList<uint>{4242, 4242}));
}

#include "test_ScreenSaver.moc"
