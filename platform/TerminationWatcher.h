#pragma once
// Turns SIGTERM and SIGINT into a Qt signal on the GUI thread, so the station can run its
// orderly shutdown (settings saved, cameras switched off) when the machine shuts down or
// the user presses Ctrl+C. The signal handler only writes one byte to a pipe; a socket
// notifier reads it in the event loop.
#include <QObject>

class QSocketNotifier;

namespace platform {

class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    // Installs the handlers for SIGTERM and SIGINT. Only one watcher may exist at a time.
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

    bool IsInstalled() const { return installed_; }

    // The station has begun to end: a further SIGTERM or SIGINT ends the process at once,
    // inside the handler, whatever the GUI thread is waiting for. The exit status is 1 until
    // NothingLeftToLose() says the files are safe, 0 from then on.
    static void ShutdownBegun();
    static void NothingLeftToLose();

signals:
    // Emitted on the GUI thread for every signal received; signalNumber is SIGTERM or SIGINT.
    void TerminationRequested(int signalNumber);

private:
    void ReadPipe();

    QSocketNotifier* notifier_ = nullptr;
    bool installed_ = false;
};

} // namespace platform
