#include "platform/WinTimer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using platform::WinTimer;
using TestSupport::WaitFor;

TEST(WinTimer, EnablingARunningTimerKeepsItsPhase) {
    WinTimer timer(60000, true);
    EXPECT_TRUE(timer.IsCounting());
    ASSERT_TRUE(WaitFor([&] { return timer.RemainingTime() <= 59950; }));
    const int before = timer.RemainingTime();
    timer.SetEnabled(true);
    EXPECT_LE(timer.RemainingTime(), before);

    // Off and on again does restart, as on Windows.
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.IsCounting());
    timer.SetEnabled(true);
    EXPECT_GT(timer.RemainingTime(), before);
}

TEST(WinTimer, ChangingTheIntervalRestartsOnlyWhenItChanges) {
    WinTimer timer(60000, true);
    ASSERT_TRUE(WaitFor([&] { return timer.RemainingTime() <= 59950; }));
    timer.SetInterval(60000); // same value: no restart
    EXPECT_LE(timer.RemainingTime(), 59950);

    timer.SetInterval(90000);
    EXPECT_GT(timer.RemainingTime(), 60000);
    EXPECT_EQ(timer.Interval(), 90000);

    // A disabled timer takes the new interval without starting.
    timer.SetEnabled(false);
    timer.SetInterval(100);
    EXPECT_FALSE(timer.IsCounting());
}

TEST(WinTimer, ZeroIntervalNeverFiresButStaysEnabled) {
    WinTimer timer(0, true);
    int ticks = 0;
    QObject::connect(&timer, &WinTimer::Timeout, [&] { ++ticks; });
    EXPECT_TRUE(timer.Enabled());
    EXPECT_FALSE(timer.IsCounting());
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 0);

    timer.SetInterval(-5);
    EXPECT_EQ(timer.Interval(), 0);
    timer.SetInterval(1);
    EXPECT_TRUE(WaitFor([&] { return ticks >= 3; }));
}

TEST(WinTimer, HandlerThatDisablesItsTimerRunsOnce) {
    WinTimer timer(1, true);
    int ticks = 0;
    QObject::connect(&timer, &WinTimer::Timeout, [&] {
        timer.SetEnabled(false);
        ++ticks;
    });
    ASSERT_TRUE(WaitFor([&] { return ticks == 1; }));
    // Several more of its periods go by on the event loop.
    WinTimer probe(1, true);
    int probeTicks = 0;
    QObject::connect(&probe, &WinTimer::Timeout, [&] { ++probeTicks; });
    ASSERT_TRUE(WaitFor([&] { return probeTicks >= 10; }));
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.IsCounting());
}
