#pragma once
// The notification-area ("tray") icon behind a small interface, so the station can be run
// and tested where no tray host exists.
#include <QIcon>
#include <QString>
#include <functional>
#include <memory>

class QSystemTrayIcon;

namespace platform {

class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    // A tray host is there to hold the icon.
    virtual bool IsAvailable() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsShown() const = 0;

    // A left or a right click on the icon (a double click counts once, at its first press).
    std::function<void()> clicked;
};

// The desktop's tray through QSystemTrayIcon.
class SystemTrayIcon final : public TrayIcon {
public:
    SystemTrayIcon(const QIcon& icon, const QString& tip);
    ~SystemTrayIcon() override;
    bool IsAvailable() const override;
    void Show() override;
    void Hide() override;
    bool IsShown() const override;

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
};

} // namespace platform
