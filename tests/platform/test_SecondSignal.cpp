// A second SIGTERM or SIGINT while the station is ending ends the process at once, in the
// signal handler, whatever the GUI thread waits for. Each case runs in a forked child that
// blocks the way a hung shutdown would.
#include "platform/TerminationWatcher.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::TerminationWatcher;

namespace {

constexpr int kStillWaiting = 7;

// The child's exit status after it raised the signal (its handler runs inside raise) and went
// on; -1 on a crash.
int ChildStatus(int signalNumber, bool ending, bool nothingLost) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (ending)
            TerminationWatcher::ShutdownBegun();
        if (nothingLost)
            TerminationWatcher::NothingLeftToLose();
        ::raise(signalNumber);
        ::_exit(kStillWaiting);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

TEST(SecondSignal, EndsAtOnceOnlyOnceTheShutdownHasBegunAndSaysWhetherAnythingWasLost) {
    TerminationWatcher watcher;
    ASSERT_TRUE(watcher.IsInstalled());
    const struct {
        int signalNumber;
        bool ending, nothingLost;
        int status;
    } cases[] = {
        {SIGTERM, false, false, kStillWaiting}, // the first request goes to the event loop
        {SIGTERM, true, false, 1},              // the settings were not saved yet
        {SIGTERM, true, true, 0},
        {SIGINT, true, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "signal " << c.signalNumber << " ending " << c.ending << " saved "
                                        << c.nothingLost);
        EXPECT_EQ(ChildStatus(c.signalNumber, c.ending, c.nothingLost), c.status);
    }
}
