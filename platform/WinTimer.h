#pragma once
// A timer with the semantics of a Windows toolkit timer, over QTimer:
// - SetEnabled(true) on a running timer does not restart its interval;
// - changing the interval of an enabled timer restarts it with the new interval;
// - an interval of 0 keeps the timer from firing while it stays "enabled".
// Handlers that disable their own timer first run exactly once.
#include <QObject>
#include <QTimer>

namespace platform {

class WinTimer : public QObject {
    Q_OBJECT
public:
    // 1000 ms, disabled.
    explicit WinTimer(QObject* parent = nullptr);
    WinTimer(int intervalMs, bool enabled, QObject* parent = nullptr);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    int Interval() const { return interval_; }
    // Negative intervals are taken as 0 (never fires).
    void SetInterval(int intervalMs);

    // True while the timer is actually counting (enabled with a positive interval).
    bool IsCounting() const { return timer_.isActive(); }
    // Milliseconds until the next tick, -1 when not counting.
    int RemainingTime() const { return timer_.remainingTime(); }

signals:
    // One tick; runs on the thread that owns the timer (the GUI thread).
    void Timeout();

private:
    void Update();

    QTimer timer_;
    int interval_ = 1000;
    bool enabled_ = false;
};

} // namespace platform
