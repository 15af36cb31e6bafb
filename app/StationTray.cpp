// The tray icon and the two pop-up menus.
#include "app/StationTray.h"

#include "app/NetworkPanel.h"
#include "app/StationLayout.h"
#include "app/Tzones.h"

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

StationTray::StationTray(Tzones& zones, platform::TrayIcon& icon) : zones_(zones), icon_(icon) {
    zones_.setWindowIcon(StationIcon());
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

bool StationTray::CameraRuns(int camera) const { return zones_.CameraPreviews(camera); }

void StationTray::BuildTrayMenu() {
    QMenu* menu = zones_.PopupMenu2;
    QAction* close = zones_.Close1;
    Show1 = Item(menu, "Show1", QStringLiteral("Show"));
    ShowLogged2 = Submenu(menu, "ShowLogged2", QStringLiteral("Show Logged"));
    ShowLoggedCamera1 = ShowLogged2->addAction(QStringLiteral("Camera 1"));
    ShowLoggedCamera1->setObjectName("ShowLogged2Camera1");
    ShowLoggedCamera2 = ShowLogged2->addAction(QStringLiteral("Camera 2"));
    ShowLoggedCamera2->setObjectName("ShowLogged2Camera2");
    Target1 = Submenu(menu, "Target1", QStringLiteral("Target"));
    AIM1 = Target1->addAction(QStringLiteral("AIM1"));
    AIM1->setObjectName("AIM1");
    AIM2 = Target1->addAction(QStringLiteral("AIM2"));
    AIM2->setObjectName("AIM2");
    FTP1 = Item(menu, "FTP1", QStringLiteral("FTP"));
    for (QAction* item : {Show1, ShowLogged2->menuAction(), Target1->menuAction(), FTP1})
        menu->insertAction(close, item);

    connect(Show1, &QAction::triggered, this, [this] {
        zones_.setWindowState(zones_.windowState() & ~Qt::WindowMinimized);
        zones_.show();
        zones_.raise();
        zones_.activateWindow();
        zones_.ArrangeViewLayout();
    });
    // Showing the task bar afterwards has no meaning here.
    connect(ShowLoggedCamera1, &QAction::triggered, this, [this] { ShowLogged(1, true); });
    connect(ShowLoggedCamera2, &QAction::triggered, this, [this] { ShowLogged(2, true); });
    connect(AIM1, &QAction::triggered, &zones_, &Tzones::AimCamera1);
    connect(AIM2, &QAction::triggered, &zones_, &Tzones::AimCamera2);
    connect(FTP1, &QAction::triggered, this, &StationTray::FtpMenuClick);
    connect(menu, &QMenu::aboutToShow, this, &StationTray::PopupMenu2Popup);
}

void StationTray::BuildWindowMenu() {
    QMenu* menu = zones_.PopupMenu1;
    DiskStats1 = Item(menu, "DiskStats1", QStringLiteral("Disk Stats"));
    DiskStats1->setCheckable(true);
    Captions1 = Item(menu, "Captions1", QStringLiteral("Captions"));
    Captions1->setVisible(false);
    Copy1 = Submenu(menu, "Copy1", QStringLiteral("Copy"));
    CopyTo1 = Copy1->addAction(QStringLiteral("Copy 1 to Clipboard"));
    CopyTo1->setObjectName("Copy1toClipboard1");
    CopyTo2 = Copy1->addAction(QStringLiteral("Copy 2 to Clipboard"));
    CopyTo2->setObjectName("Copy2toClipboard1");
    QAction* first = menu->actions().value(0);
    for (QAction* item : {DiskStats1, Captions1, Copy1->menuAction()})
        menu->insertAction(first, item);

    // The camera commands' hidden items, before "Exit".
    for (QAction* item : {zones_.FullScreen1, zones_.Cycle, zones_.VideoCapture->menuAction()})
        menu->insertAction(zones_.Exit1, item);

    ShowLogged1 = Submenu(menu, "ShowLogged1", QStringLiteral("Show Logged"));
    QAction* logged1 = ShowLogged1->addAction(QStringLiteral("Camera 1"));
    logged1->setObjectName("ShowLogged1Camera1");
    QAction* logged2 = ShowLogged1->addAction(QStringLiteral("Camera 2"));
    logged2->setObjectName("ShowLogged1Camera2");
    Server1 = Item(menu, "Server1", QStringLiteral("Server"));
    Server2 = Item(menu, "Server2", QStringLiteral("Server"));
    Net1 = Item(menu, "Net1", QStringLiteral("Net"));
    for (QAction* item : {ShowLogged1->menuAction(), Server1, Server2, Net1}) {
        menu->addAction(item);
        item->setVisible(false);
    }

    connect(Captions1, &QAction::triggered, zones_.Button30, &QPushButton::click);
    connect(logged1, &QAction::triggered, this, [this] { ShowLogged(1, false); });
    connect(logged2, &QAction::triggered, this, [this] { ShowLogged(2, false); });
    connect(Server1, &QAction::triggered, this, [this] {
        zones_.NetWorkPanel->move(20, 150);
        zones_.NetWorkPanel->raise();
        zones_.NetWorkPanel->show();
    });
    connect(Server2, &QAction::triggered, this, [this] {
        QWidget* panel = zones_.NetWorkPanel;
        panel->setVisible(panel->isHidden());
        if (panel->isVisible())
            panel->raise();
    });
    connect(Net1, &QAction::triggered, this, &StationTray::NetMenuClick);
    connect(menu, &QMenu::aboutToShow, this, &StationTray::PopupMenu1Popup);
}

void StationTray::PopupMenu2Popup() {
    const TrayRules::TrayMenuState state =
        TrayRules::TrayMenu(CameraRuns(1), CameraRuns(2), zones_.Links().ftp->IsFtpConnected());
    // Locked, the zone windows and the FTP window stay shut as their buttons do.
    const bool locked = zones_.OptionControlsLocked();
    FTP1->setVisible(state.ftpVisible);
    FTP1->setEnabled(!locked);
    AIM1->setEnabled(state.aim1Enabled && !locked);
    AIM2->setEnabled(state.aim2Enabled && !locked);
    Target1->menuAction()->setVisible(state.targetVisible);
}

void StationTray::PopupMenu1Popup() {
    const TrayRules::WindowMenuState state =
        TrayRules::WindowMenu(CameraRuns(1), CameraRuns(2), DiskStats1->isChecked(), zones_.height());
    DiskStats1->setEnabled(state.diskStatsEnabled);
    DiskStats1->setChecked(state.diskStatsChecked);
    for (QAction* item : {ShowLogged1->menuAction(), zones_.VideoCapture->menuAction(), Copy1->menuAction(), zones_.Cycle})
        item->setEnabled(state.pictureItemsEnabled);
    // Locked, nothing here opens a window that holds settings (the hidden items included).
    for (QAction* item : {Captions1, Net1, Server1, Server2})
        item->setEnabled(!zones_.OptionControlsLocked());
    zones_.FullScreen1->setEnabled(true);
    if (auto* showToolbar = zones_.PopupMenu1->findChild<QAction*>(QStringLiteral("ShowToolbar1")))
        showToolbar->setEnabled(true);
}

void StationTray::UntickDiskStats() { DiskStats1->setChecked(false); }

bool StationTray::DiskStatsTicked() const { return DiskStats1->isChecked(); }

void StationTray::ShowLogged(int camera, bool /*fromTray*/) {
    // The layout asks the access lock.
    zones_.Links().layout->ShowLoggedPictures(camera);
}

void StationTray::TrayMessage() {
    // Nothing of bringing a window to the front first: the menu takes the input itself.
    zones_.PopupMenu2->popup(QCursor::pos());
}

void StationTray::MinimizeToTray() {
    trayRecordFilled_ = true;
    if (!icon_.IsAvailable()) {
        // No tray to bring the window back from: it goes to the task bar. Told once, after
        // the event (the start-up sequence may be the caller).
        if (!toldNoTray_)
            PostMessageBox(kNoTrayText);
        toldNoTray_ = true;
        zones_.showMinimized();
        return;
    }
    zones_.hide();
    icon_.Show();
}

void StationTray::AddTrayIcon() {
    if (trayRecordFilled_ && icon_.IsAvailable())
        icon_.Show();
}

void StationTray::RemoveTrayIcon() { icon_.Hide(); }

void StationTray::FtpButtonClick() {
    FtpLink& ftp = *zones_.Links().ftp;
    if (ftp.FtpWindowVisible())
        ftp.HideFtpWindow();
    else
        ftp.ShowFtpWindow(false);
}

void StationTray::Button37Click() {
    FtpLink& ftp = *zones_.Links().ftp;
    if (!ftp.FtpWindowVisible())
        ftp.ShowFtpWindow(true);
}

void StationTray::FtpMenuClick() {
    FtpLink& ftp = *zones_.Links().ftp;
    if (ftp.FtpWindowVisible()) {
        ftp.HideFtpWindow();
        return;
    }
    zones_.Panel1->hide();
    ftp.ShowFtpWindow(true);
}

void StationTray::NetMenuClick() {
    FtpLink& ftp = *zones_.Links().ftp;
    if (ftp.FtpWindowVisible()) {
        ftp.HideFtpWindow();
        return;
    }
    zones_.maintoolbar->hide();
    zones_.Panel1->hide();
    ftp.ShowFtpWindow(false);
}

bool StationTray::eventFilter(QObject* watched, QEvent* event) {
    // Only the pointers kept here are compared: no member of the window is read unless the
    // event is one of the two that are handled (none arrives while the window goes).
    if (event->type() == QEvent::MouseMove && watched == more_) {
        if (!zones_.PopupMenu1->isVisible())
            zones_.PopupMenu1->popup(zones_.mapToGlobal(kMoreMenuAt));
    } else if (event->type() == QEvent::MouseButtonRelease && watched == cameraBox_) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (zones_.CameraGroupBox->childAt(mouse->position().toPoint()) == nullptr) {
            StationLayout::EmptyLayoutHook();
            zones_.Links().layout->RestoreFullView();
        }
    }
    return false;
}

QIcon StationIcon() {
    Q_INIT_RESOURCE(StationIcons);
    return QIcon(QStringLiteral(":/torvek/TrayIcon.png"));
}
