// The tray icon and the two pop-up menus.
#include "app/StationTray.h"

#include "app/NetworkPanel.h"
#include "app/StationLayout.h"
#include "app/MainWindow.h"

#include "core/MessageBox.h"
#include "platform/TrayIcon.h"

#include <QAction>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// The window's menu pops up here when the mouse moves over the set-up panel's "more".
constexpr QPoint kMoreMenuAt(570, 370);

QAction* Item(QObject* owner, const char* name, const QString& text) {
    auto* action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu* Submenu(QWidget* owner, const char* name, const QString& text) {
    auto* menu = new QMenu(text, owner);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
    return menu;
}

} // namespace

StationTray::StationTray(MainWindow& mainWindow, platform::TrayIcon& icon) : mainWindow_(mainWindow), icon_(icon) {
    mainWindow_.setWindowIcon(StationIcon());
    icon_.clicked = [this] { TrayMessage(); };
    BuildTrayMenu();
    BuildWindowMenu();
    BindSetupPanel();
    BindHandlers();
}

StationTray::~StationTray() {
    icon_.clicked = {};
    icon_.Hide();
}

bool StationTray::CameraRuns(int camera) const { return mainWindow_.CameraPreviews(camera); }

void StationTray::BuildTrayMenu() {
    QMenu* menu = mainWindow_.trayMenu;
    QAction* close = mainWindow_.closeAction;
    showWindowAction = Item(menu, "showWindowAction", QStringLiteral("Show"));
    trayLoggedMenu = Submenu(menu, "trayLoggedMenu", QStringLiteral("Show Logged"));
    trayLogged1Action = trayLoggedMenu->addAction(QStringLiteral("Camera 1"));
    trayLogged1Action->setObjectName("trayLogged1Action");
    trayLogged2Action = trayLoggedMenu->addAction(QStringLiteral("Camera 2"));
    trayLogged2Action->setObjectName("trayLogged2Action");
    targetMenu = Submenu(menu, "targetMenu", QStringLiteral("Target"));
    aim1Action = targetMenu->addAction(QStringLiteral("AIM1"));
    aim1Action->setObjectName("aim1Action");
    aim2Action = targetMenu->addAction(QStringLiteral("AIM2"));
    aim2Action->setObjectName("aim2Action");
    ftpAction = Item(menu, "ftpAction", QStringLiteral("FTP"));
    for (QAction* item : {showWindowAction, trayLoggedMenu->menuAction(), targetMenu->menuAction(), ftpAction})
        menu->insertAction(close, item);

    connect(showWindowAction, &QAction::triggered, this, [this] {
        mainWindow_.setWindowState(mainWindow_.windowState() & ~Qt::WindowMinimized);
        mainWindow_.show();
        mainWindow_.raise();
        mainWindow_.activateWindow();
        mainWindow_.ArrangeViewLayout();
    });
    // Showing the task bar afterwards has no meaning here.
    connect(trayLogged1Action, &QAction::triggered, this, [this] { ShowLogged(1, true); });
    connect(trayLogged2Action, &QAction::triggered, this, [this] { ShowLogged(2, true); });
    connect(aim1Action, &QAction::triggered, &mainWindow_, &MainWindow::AimCamera1);
    connect(aim2Action, &QAction::triggered, &mainWindow_, &MainWindow::AimCamera2);
    connect(ftpAction, &QAction::triggered, this, &StationTray::FtpMenuClick);
    connect(menu, &QMenu::aboutToShow, this, &StationTray::TrayMenuPopup);
}

void StationTray::BuildWindowMenu() {
    QMenu* menu = mainWindow_.windowMenu;
    diskStatsAction = Item(menu, "diskStatsAction", QStringLiteral("Disk Stats"));
    diskStatsAction->setCheckable(true);
    captionsAction = Item(menu, "captionsAction", QStringLiteral("Captions"));
    captionsAction->setVisible(false);
    copyMenu = Submenu(menu, "copyMenu", QStringLiteral("Copy"));
    copyCamera1Action = copyMenu->addAction(QStringLiteral("Copy 1 to Clipboard"));
    copyCamera1Action->setObjectName("copyCamera1Action");
    copyCamera2Action = copyMenu->addAction(QStringLiteral("Copy 2 to Clipboard"));
    copyCamera2Action->setObjectName("copyCamera2Action");
    QAction* first = menu->actions().value(0);
    for (QAction* item : {diskStatsAction, captionsAction, copyMenu->menuAction()})
        menu->insertAction(first, item);

    // The camera commands' hidden items, before "Exit".
    for (QAction* item : {mainWindow_.fullScreenAction, mainWindow_.cycleAction, mainWindow_.videoCaptureMenu->menuAction()})
        menu->insertAction(mainWindow_.exitAction, item);

    windowLoggedMenu = Submenu(menu, "windowLoggedMenu", QStringLiteral("Show Logged"));
    QAction* logged1 = windowLoggedMenu->addAction(QStringLiteral("Camera 1"));
    logged1->setObjectName("windowLogged1Action");
    QAction* logged2 = windowLoggedMenu->addAction(QStringLiteral("Camera 2"));
    logged2->setObjectName("windowLogged2Action");
    showServerAction = Item(menu, "showServerAction", QStringLiteral("Server"));
    toggleServerAction = Item(menu, "toggleServerAction", QStringLiteral("Server"));
    netAction = Item(menu, "netAction", QStringLiteral("Net"));
    for (QAction* item : {windowLoggedMenu->menuAction(), showServerAction, toggleServerAction, netAction}) {
        menu->addAction(item);
        item->setVisible(false);
    }

    connect(captionsAction, &QAction::triggered, mainWindow_.captionsButton, &QPushButton::click);
    connect(logged1, &QAction::triggered, this, [this] { ShowLogged(1, false); });
    connect(logged2, &QAction::triggered, this, [this] { ShowLogged(2, false); });
    connect(showServerAction, &QAction::triggered, this, [this] {
        mainWindow_.networkPanel->move(20, 150);
        mainWindow_.networkPanel->raise();
        mainWindow_.networkPanel->show();
    });
    connect(toggleServerAction, &QAction::triggered, this, [this] {
        QWidget* panel = mainWindow_.networkPanel;
        panel->setVisible(panel->isHidden());
        if (panel->isVisible())
            panel->raise();
    });
    connect(netAction, &QAction::triggered, this, &StationTray::NetMenuClick);
    connect(menu, &QMenu::aboutToShow, this, &StationTray::WindowMenuPopup);
}

void StationTray::TrayMenuPopup() {
    const TrayRules::TrayMenuState state =
        TrayRules::TrayMenu(CameraRuns(1), CameraRuns(2), mainWindow_.Links().ftp->IsFtpConnected());
    // Locked, the zone windows and the FTP window stay shut as their buttons do.
    const bool locked = mainWindow_.OptionControlsLocked();
    ftpAction->setVisible(state.ftpVisible);
    ftpAction->setEnabled(!locked);
    aim1Action->setEnabled(state.aim1Enabled && !locked);
    aim2Action->setEnabled(state.aim2Enabled && !locked);
    targetMenu->menuAction()->setVisible(state.targetVisible);
}

void StationTray::WindowMenuPopup() {
    const TrayRules::WindowMenuState state =
        TrayRules::WindowMenu(CameraRuns(1), CameraRuns(2), diskStatsAction->isChecked(), mainWindow_.height());
    diskStatsAction->setEnabled(state.diskStatsEnabled);
    diskStatsAction->setChecked(state.diskStatsChecked);
    for (QAction* item : {windowLoggedMenu->menuAction(), mainWindow_.videoCaptureMenu->menuAction(), copyMenu->menuAction(), mainWindow_.cycleAction})
        item->setEnabled(state.pictureItemsEnabled);
    // Locked, nothing here opens a window that holds settings (the hidden items included).
    for (QAction* item : {captionsAction, netAction, showServerAction, toggleServerAction})
        item->setEnabled(!mainWindow_.OptionControlsLocked());
    mainWindow_.fullScreenAction->setEnabled(true);
    if (auto* showToolbar = mainWindow_.windowMenu->findChild<QAction*>(QStringLiteral("showToolbarAction")))
        showToolbar->setEnabled(true);
}

void StationTray::UntickDiskStats() { diskStatsAction->setChecked(false); }

bool StationTray::DiskStatsTicked() const { return diskStatsAction->isChecked(); }

void StationTray::ShowLogged(int camera, bool /*fromTray*/) {
    // The layout asks the access lock.
    mainWindow_.Links().layout->ShowLoggedPictures(camera);
}

void StationTray::TrayMessage() {
    // Nothing of bringing a window to the front first: the menu takes the input itself.
    mainWindow_.trayMenu->popup(QCursor::pos());
}

void StationTray::MinimizeToTray() {
    trayRecordFilled_ = true;
    if (!icon_.IsAvailable()) {
        // No tray to bring the window back from: it goes to the task bar. Told once, after
        // the event (the start-up sequence may be the caller).
        if (!toldNoTray_)
            PostMessageBox(kNoTrayText);
        toldNoTray_ = true;
        mainWindow_.showMinimized();
        return;
    }
    mainWindow_.hide();
    icon_.Show();
}

void StationTray::AddTrayIcon() {
    if (trayRecordFilled_ && icon_.IsAvailable())
        icon_.Show();
}

void StationTray::RemoveTrayIcon() { icon_.Hide(); }

void StationTray::FtpButtonClick() {
    FtpLink& ftp = *mainWindow_.Links().ftp;
    if (ftp.FtpWindowVisible())
        ftp.HideFtpWindow();
    else
        ftp.ShowFtpWindow(false);
}

void StationTray::SetupFtpButtonClick() {
    FtpLink& ftp = *mainWindow_.Links().ftp;
    if (!ftp.FtpWindowVisible())
        ftp.ShowFtpWindow(true);
}

void StationTray::FtpMenuClick() {
    FtpLink& ftp = *mainWindow_.Links().ftp;
    if (ftp.FtpWindowVisible()) {
        ftp.HideFtpWindow();
        return;
    }
    mainWindow_.setupPanel->hide();
    ftp.ShowFtpWindow(true);
}

void StationTray::NetMenuClick() {
    FtpLink& ftp = *mainWindow_.Links().ftp;
    if (ftp.FtpWindowVisible()) {
        ftp.HideFtpWindow();
        return;
    }
    mainWindow_.mainToolbar->hide();
    mainWindow_.setupPanel->hide();
    ftp.ShowFtpWindow(false);
}

bool StationTray::eventFilter(QObject* watched, QEvent* event) {
    // Only the pointers kept here are compared: no member of the window is read unless the
    // event is one of the two that are handled (none arrives while the window goes).
    if (event->type() == QEvent::MouseMove && watched == windowMenuLabel_) {
        if (!mainWindow_.windowMenu->isVisible())
            mainWindow_.windowMenu->popup(mainWindow_.mapToGlobal(kMoreMenuAt));
    } else if (event->type() == QEvent::MouseButtonRelease && watched == cameraBox_) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mainWindow_.cameraBox->childAt(mouse->position().toPoint()) == nullptr) {
            StationLayout::EmptyLayoutHook();
            mainWindow_.Links().layout->RestoreFullView();
        }
    }
    return false;
}

QIcon StationIcon() {
    Q_INIT_RESOURCE(StationIcons);
    return QIcon(QStringLiteral(":/torvek/TrayIcon.png"));
}
