#include "platform/TerminationWatcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

int g_pipe[2] = {-1, -1};
struct sigaction g_oldTerm;
struct sigaction g_oldInt;
volatile sig_atomic_t g_ending = 0;
volatile sig_atomic_t g_endStatus = 1;

void OnSignal(int signalNumber) {
    if (g_ending) {
        // Async-signal-safe only: write and _exit.
        static const char text[] = "TORVEK: a second request to end during the shutdown; ending at once\n";
        [[maybe_unused]] ssize_t n = ::write(STDERR_FILENO, text, sizeof text - 1);
        ::_exit(g_endStatus);
    }
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    if (g_pipe[1] >= 0) {
        [[maybe_unused]] ssize_t n = ::write(g_pipe[1], &byte, 1);
    }
    errno = saved;
}

} // namespace

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {
    if (g_pipe[0] >= 0)
        return; // another watcher owns the handlers
    g_ending = 0;
    g_endStatus = 1;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationWatcher::ReadPipe);

    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, &g_oldTerm);
    ::sigaction(SIGINT, &action, &g_oldInt);
    installed_ = true;
}

TerminationWatcher::~TerminationWatcher() {
    if (!installed_)
        return;
    ::sigaction(SIGTERM, &g_oldTerm, nullptr);
    ::sigaction(SIGINT, &g_oldInt, nullptr);
    delete notifier_;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void TerminationWatcher::ShutdownBegun() { g_ending = 1; }

void TerminationWatcher::NothingLeftToLose() { g_endStatus = 0; }

void TerminationWatcher::ReadPipe() {
    unsigned char bytes[16];
    for (;;) {
        const ssize_t n = ::read(g_pipe[0], bytes, sizeof bytes);
        if (n <= 0)
            break;
        for (ssize_t i = 0; i < n; ++i)
            emit TerminationRequested(bytes[i]);
    }
}

} // namespace platform
