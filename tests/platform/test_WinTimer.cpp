#include "platform/WinTimer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using platform::WinTimer;
using TestSupport::WaitFor;

TEST(WinTimer, EnablingOrSettingTheSameIntervalKeepsThePhase) {
    WinTimer timer(60000, true);
    ASSERT_TRUE(WaitFor([&] { return timer.RemainingTime() <= 59950; }));
    const int before = timer.RemainingTime();
    timer.SetEnabled(true);
    timer.SetInterval(60000);
    EXPECT_LE(timer.RemainingTime(), before);

    // A new interval, or off and on again, does restart, as on Windows.
    timer.SetInterval(90000);
    EXPECT_GT(timer.RemainingTime(), 60000);
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.IsCounting());
    timer.SetInterval(100); // a disabled timer takes it without starting
    EXPECT_FALSE(timer.IsCounting());
}

TEST(WinTimer, ZeroIntervalNeverFiresAndAHandlerThatDisablesItsTimerRunsOnce) {
    WinTimer idle(0, true);
    int idleTicks = 0;
    QObject::connect(&idle, &WinTimer::Timeout, [&] { ++idleTicks; });
    EXPECT_TRUE(idle.Enabled() && !idle.IsCounting());

    WinTimer timer(1, true);
    int ticks = 0;
    QObject::connect(&timer, &WinTimer::Timeout, [&] {
        timer.SetEnabled(false);
        ++ticks;
    });
    // Several more of its periods go by on the event loop.
    WinTimer probe(1, true);
    int probeTicks = 0;
    QObject::connect(&probe, &WinTimer::Timeout, [&] { ++probeTicks; });
    ASSERT_TRUE(WaitFor([&] { return probeTicks >= 10; }));
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.IsCounting());
    EXPECT_EQ(idleTicks, 0);
}
