#include "platform/TrayIcon.h"

#include <QSystemTrayIcon>

namespace platform {

SystemTrayIcon::SystemTrayIcon(const QIcon& icon, const QString& tip)
    : icon_(std::make_unique<QSystemTrayIcon>(icon)) {
    icon_->setToolTip(tip);
    // No context menu of Qt's own: both buttons open the station's menu.
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if ((reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context) && clicked)
                             clicked();
                     });
}

SystemTrayIcon::~SystemTrayIcon() = default;

bool SystemTrayIcon::IsAvailable() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

void SystemTrayIcon::Show() { icon_->show(); }

void SystemTrayIcon::Hide() { icon_->hide(); }

bool SystemTrayIcon::IsShown() const { return icon_->isVisible(); }

} // namespace platform
