#include "platform/TerminationWatcher.h"
#include "support/TestSupport.h"

#include <csignal>
#include <gtest/gtest.h>

using platform::TerminationWatcher;
using TestSupport::WaitFor;

namespace {
void (*CurrentHandler(int signalNumber))(int) {
    struct sigaction now = {};
    ::sigaction(signalNumber, nullptr, &now);
    return now.sa_handler;
}
} // namespace

TEST(TerminationWatcher, DeliversTermAndIntOnTheEventLoopAndRestoresHandlers) {
    auto* const termBefore = CurrentHandler(SIGTERM);
    auto* const intBefore = CurrentHandler(SIGINT);
    QList<int> received;
    {
        TerminationWatcher watcher;
        ASSERT_TRUE(watcher.IsInstalled());
        QObject::connect(&watcher, &TerminationWatcher::TerminationRequested,
                         [&](int s) { received << s; });

        // A second watcher does not steal the handlers.
        TerminationWatcher second;
        EXPECT_FALSE(second.IsInstalled());

        ::raise(SIGTERM);
        ::raise(SIGINT);
        // Nothing is delivered inside the signal handler itself.
        EXPECT_TRUE(received.isEmpty());
        ASSERT_TRUE(WaitFor([&] { return received.size() == 2; }));
        EXPECT_EQ(received, (QList<int>{SIGTERM, SIGINT}));
    }
    EXPECT_EQ(CurrentHandler(SIGTERM), termBefore);
    EXPECT_EQ(CurrentHandler(SIGINT), intBefore);

    // A new watcher works again after the first is gone.
    TerminationWatcher again;
    EXPECT_TRUE(again.IsInstalled());
}
