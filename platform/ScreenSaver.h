#pragma once
// Keeps the desktop's screen saver from starting while the station runs, through the
// session's org.freedesktop.ScreenSaver service. The user's own screen-saver setting is
// never touched: an inhibit lasts until released or until the process ends.
// Without a session bus or without the service nothing happens.
#include <QDBusConnection>
#include <QString>

namespace platform {

class ScreenSaverInhibitor {
public:
    // Uses the given bus; the default is the session bus.
    explicit ScreenSaverInhibitor(const QDBusConnection& bus = QDBusConnection::sessionBus());
    ~ScreenSaverInhibitor();
    ScreenSaverInhibitor(const ScreenSaverInhibitor&) = delete;
    ScreenSaverInhibitor& operator=(const ScreenSaverInhibitor&) = delete;

    // Asks the service to inhibit; true when it granted a cookie. Calling it while an
    // inhibit is held does nothing and returns true.
    bool Inhibit(const QString& application, const QString& reason);
    // Releases a held inhibit; nothing when none is held.
    void Release();
    bool IsInhibited() const { return held_; }

    static constexpr int kCallTimeoutMs = 2000;

private:
    QDBusConnection bus_;
    uint cookie_ = 0;
    bool held_ = false;
};

// The station's one switch: off inhibits the screen saver for this process, on releases it.
void EnableScreenSaver(bool on);

} // namespace platform
