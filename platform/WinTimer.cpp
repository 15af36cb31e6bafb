#include "platform/WinTimer.h"

namespace platform {

WinTimer::WinTimer(QObject* parent) : WinTimer(1000, false, parent) {}

WinTimer::WinTimer(int intervalMs, bool enabled, QObject* parent)
    : QObject(parent), interval_(intervalMs < 0 ? 0 : intervalMs), enabled_(enabled) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &WinTimer::Timeout);
    Update();
}

void WinTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return; // a running timer keeps its phase
    enabled_ = enabled;
    Update();
}

void WinTimer::SetInterval(int intervalMs) {
    if (intervalMs < 0)
        intervalMs = 0;
    if (intervalMs == interval_)
        return;
    interval_ = intervalMs;
    Update(); // a new interval starts counting afresh
}

void WinTimer::Update() {
    timer_.stop();
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
}

} // namespace platform
