// Lost cameras: shown and told once, reconnected with a growing pause, put back as they ran,
// and left alone once switched off; a failed recording is not a lost camera.
#include "capture/CameraHealth.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

using TestSupport::WaitFor;

namespace {

struct FakeStation {
    bool running[3] = {false, true, true};
    bool wanted[3] = {false, true, true};
    bool deviceBack = false;
    QStringList told, shown;
    QList<qint64> attemptsAt; // ms since start
    QList<int> waited;        // the pause before each attempt
    CameraHealth* health = nullptr;
    QList<int> resumed;
    QElapsedTimer clock;

    CameraHealth::Hooks Hooks() {
        clock.start();
        CameraHealth::Hooks h;
        h.IsPreviewing = [this](int c) { return running[c]; };
        h.WantedOn = [this](int c) { return wanted[c]; };
        h.ShowLost = [this](int c, bool lost) { shown << QStringLiteral("%1:%2").arg(c).arg(lost ? "LOST" : "ON"); };
        h.Reconnect = [this](int c) {
            attemptsAt << clock.elapsed();
            if (health)
                waited << health->NextDelayMs(c);
            running[c] = deviceBack;
            return deviceBack;
        };
        h.Resume = [this](int c) { resumed << c; };
        h.Tell = [this](const QString& text) { told << text; };
        h.CameraName = [](int c) { return c == 1 ? QStringLiteral("Door") : QString(); };
        return h;
    }
};

} // namespace

TEST(CameraHealth, ALostCameraIsToldOnceRetriedWithBackOffAndPutBack) {
    FakeStation station;
    CameraHealth health(station.Hooks());
    station.health = &health;
    health.FirstDelayMs = 40;
    health.MaxDelayMs = 160;

    // A recording that failed leaves the camera running: nothing is lost.
    health.CameraFailed(1);
    QCoreApplication::processEvents();
    EXPECT_FALSE(health.IsLost(1));

    station.running[1] = false;
    health.CameraFailed(1);
    health.CameraFailed(1); // device lost and abort of the same failure
    ASSERT_TRUE(WaitFor([&] { return health.IsLost(1); }));
    EXPECT_EQ(station.shown, QStringList{"1:LOST"});
    EXPECT_EQ(station.told, QStringList{CameraHealth::LostText("1 (Door)")});
    EXPECT_FALSE(health.IsLost(2));

    ASSERT_TRUE(WaitFor([&] { return station.attemptsAt.size() >= 5; }));
    EXPECT_EQ(station.waited.mid(0, 5), (QList<int>{40, 80, 160, 160, 160})); // doubling up to the maximum
    EXPECT_GE(station.attemptsAt[0], 30); // not at once (timers may run a little early)
    EXPECT_EQ(station.told.size(), 1); // failed attempts say nothing more

    station.deviceBack = true;
    ASSERT_TRUE(WaitFor([&] { return !health.IsLost(1); }));
    EXPECT_EQ(station.shown, (QStringList{"1:LOST", "1:ON"}));
    EXPECT_EQ(station.resumed, QList<int>{1});
    EXPECT_EQ(station.told.last(), CameraHealth::BackText("1 (Door)"));
    EXPECT_EQ(station.told.size(), 2);
}

TEST(CameraHealth, SwitchingOffStopsTheAttempts) {
    FakeStation station;
    CameraHealth health(station.Hooks());
    health.FirstDelayMs = 30;
    health.MaxDelayMs = 30;
    station.running[2] = false;
    health.Check(2);
    ASSERT_TRUE(health.IsLost(2));
    EXPECT_EQ(station.told, QStringList{CameraHealth::LostText("2")});
    ASSERT_TRUE(WaitFor([&] { return station.attemptsAt.size() >= 2; }));

    station.wanted[2] = false; // the user switched it off
    const int before = station.attemptsAt.size();
    ASSERT_TRUE(WaitFor([&] { return !health.IsLost(2); }));
    QElapsedTimer quiet;
    quiet.start();
    WaitFor([&] { return quiet.elapsed() > 200; });
    EXPECT_LE(station.attemptsAt.size(), before);
    EXPECT_EQ(station.told.size(), 1);

    // Switched off and on again by hand before the next attempt: no attempt, no message.
    station.wanted[2] = true;
    station.running[2] = false;
    health.Check(2);
    ASSERT_TRUE(health.IsLost(2));
    station.running[2] = true;
    ASSERT_TRUE(WaitFor([&] { return !health.IsLost(2); }));
    EXPECT_EQ(station.attemptsAt.size(), before);
    EXPECT_EQ(station.told.size(), 2); // only the second loss
    EXPECT_TRUE(station.resumed.isEmpty());
}
