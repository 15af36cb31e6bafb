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

signals:
    // Emitted on the GUI thread for every signal received; signalNumber is SIGTERM or SIGINT.
    void TerminationRequested(int signalNumber);

private:
    void ReadPipe();

    QSocketNotifier* notifier_ = nullptr;
    bool installed_ = false;
};

} // namespace platform
