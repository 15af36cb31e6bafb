#pragma once
// The tray icon, the two pop-up menus and the set-up panel of the main window.
// StationTray.cpp (icon and menus), StationSetupPanel.cpp (the panel and its handlers).
#include "app/TrayRules.h"
#include "core/TrayLink.h"

#include <QIcon>
#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class MainWindow;
namespace platform {
class TrayIcon;
}

class StationTray final : public QObject, public TrayLink {
public:
    static inline const QString kNoTrayText =
        QStringLiteral("This desktop has no system tray: TORVEK is minimised to the task bar instead.");

    // Binds the menus and the set-up panel of the window; the icon is shown only while the
    // window is on the tray.
    StationTray(MainWindow& mainWindow, platform::TrayIcon& icon);
    ~StationTray() override;

    // TrayLink.
    void ShowSetupTab() override;
    void FillPhoneSizeList() override;
    void MinimizeToTray() override;
    void AddTrayIcon() override;
    void RemoveTrayIcon() override;
    void UntickDiskStats() override;
    bool DiskStatsTicked() const override;
    void StoreSetupPanel() override;

    // Routines of the layout and the driver page the panel runs; unset ones are skipped.
    std::function<void()> placeStatusPanel;
    std::function<void()> refreshDrivers; // as the driver list's "&Refresh"

    // The icon was clicked: the tray menu at the cursor.
    void TrayMessage();
    void ToggleSetupPanel(); // "Setup": opens or closes the panel
    void SetupHideButtonClick(); // "Hide": stores the panel's values and closes it
    // What the menus offer when they open.
    void WindowMenuPopup();
    void TrayMenuPopup();
    // The FTP window from the tool bar's button, the set-up panel's and the menus.
    void FtpButtonClick();
    void SetupFtpButtonClick();
    void FtpMenuClick();
    void NetMenuClick();

    // Items of the tray menu (trayMenu).
    QAction* showWindowAction = nullptr;
    QMenu* trayLoggedMenu = nullptr;
    QAction* trayLogged1Action = nullptr;
    QAction* trayLogged2Action = nullptr;
    QMenu* targetMenu = nullptr;
    QAction* aim1Action = nullptr;
    QAction* aim2Action = nullptr;
    QAction* ftpAction = nullptr;
    // Items of the window's menu (windowMenu).
    QAction* diskStatsAction = nullptr;
    QAction* captionsAction = nullptr;
    QMenu* copyMenu = nullptr;
    QAction* copyCamera1Action = nullptr;
    QAction* copyCamera2Action = nullptr;
    QMenu* windowLoggedMenu = nullptr;
    QAction* showServerAction = nullptr;
    QAction* toggleServerAction = nullptr;
    QAction* netAction = nullptr;

private:
    void BuildTrayMenu();
    void BuildWindowMenu();
    void BindSetupPanel();
    void BindHandlers();
    bool CameraRuns(int camera) const;
    void ShowLogged(int camera, bool fromTray);
    void VideoModeChange(int camera);
    bool eventFilter(QObject* watched, QEvent* event) override;

    MainWindow& mainWindow_;
    platform::TrayIcon& icon_;
    // The watched controls, kept here: the filter also sees the events of their destruction,
    // which runs after the main window's own destructor, when its members are gone.
    QObject* windowMenuLabel_ = nullptr;
    QObject* cameraBox_ = nullptr;
    // The icon's record: filled by the first MinimizeToTray; until then no icon is added.
    bool trayRecordFilled_ = false;
    bool toldNoTray_ = false;
};

class CameraChoiceWidgets;
class DriverAliasRegistry;
class DriverSetupHandlers;

// The station's icon (the window's and the tray's), from the program's resources.
QIcon StationIcon();

// The driver list's page on the set-up panel's first tab, bound to the panel's own default
// camera lists, location edits and "Save".
void HostDriverSetupPage(MainWindow& mainWindow, DriverAliasRegistry& registry, DriverSetupHandlers& handlers,
                         CameraChoiceWidgets& choices);
