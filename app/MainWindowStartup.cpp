// Show, activation and the one-shot start-up sequence of the main window.
#include "app/MainWindow.h"

#include "app/NetworkPanel.h"

#include "capture/CameraView.h"
#include "core/CameraStartGuard.h"
#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "core/TimeLapseRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHostInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTimer>

void MainWindow::FormShow() {
    // Each load may tell of a damaged file: a shutdown met while it is told ends
    // the show (and no activation follows).
    if (shuttingDown_)
        return;
    store_.LoadAlertSettingsFile();
    ApplySettingsToControls();
    flags_.ApplyingSettings = true; // until the end of this show
    if (shuttingDown_)
        return;
    CleanUpInstallerFile();

    if (!flags_.FirstShowPending) {
        // Back from the tray.
        SizeToScreen();
        relayoutTimer.SetEnabled(true);
        links_.tray->RemoveTrayIcon();
        flags_.ApplyingSettings = false;
        return;
    }

    flags_.FirstShowPending = false;
    relayoutTimer.SetEnabled(true);
    links_.layout->LayoutToolbar();

    links_.layout->LayoutMainToolbar();
    store_.FirstRunInit();
    links_.aliases->LoadDriverList();
    links_.aliases->RefreshDriverStatus();
    if (shuttingDown_)
        return;

    links_.timeLapse->ResetTimeLapseWorkingValues();

    toolbarSpacerPanel->setGeometry(surveillanceBox->x(), toolbarSpacerPanel->y(), 210, toolbarSpacerPanel->height());
    networkPanel->hide();
    move(0, y());

    store_.LoadSettings();
    ApplySettingsToControls();
    flags_.ApplyingSettings = true;
    if (shuttingDown_)
        return;
    FillCameraLists();

    cameraAreaBox->move(cameraAreaBox->x(), 0);
    links_.layout->RestoreFullView();
    CyclePosition = -1;
    surveillanceSetupPanel->show();

    links_.motion->SetPictureNamePart(env_.ComputerName ? CleanComputerName(env_.ComputerName())
                                                        : GetCleanComputerName());

    links_.layout->PlaceWindowForScreen();
    DisabledCaptions1->setEnabled(true);
    DisabledCaptions2->setEnabled(true);

    links_.layout->RestoreFullView();
    mainToolbar->move(-7, -15);
    links_.layout->LayoutMainToolbar();

    SettingsRecord& record = store_.Record();
    if (!record.AutoStart1 && !record.AutoStart2) {
        record.NotifyActive = false;
        alertsActiveBox->setChecked(false);
    }
    if (record.PlaceOnTray || record.AutoStart1 || record.AutoStart2)
        startupSequenceTimer.SetEnabled(true);

    // Run as the installer (its name holds SETUP): the installer window comes up.
    if (store_.IsRunningAsSetup())
        QTimer::singleShot(0, this, [this] {
            if (!shuttingDown_)
                links_.installer->ShowInstallWindow();
        });
    flags_.ApplyingSettings = false;
}

void MainWindow::FormActivate() {
    if (shuttingDown_)
        return;
    links_.onlineService->ResetPhoneLinkConnected();
    phoneAutoConnectBox->hide();
    mainToolbar->hide();
    cameraAreaBox->hide();
    phoneLogEdit->clear();
    alertBlockBox->setGeometry(alertBlockBox->parentWidget()->rect());

    const SettingsRecord& record = store_.Record();
    flags_.PendingAutoStart1 = record.AutoStart1;
    flags_.PendingAutoStart2 = record.AutoStart2;

    driverListPage->move(15, 25);
    alertsPage->setGeometry(15, 25, driverListPage->width(), driverListPage->height());
    autoStartPage->move(15, 25);
    if (record.SetupTabIndex >= 0 && record.SetupTabIndex < setupTabs->count())
        setupTabs->setCurrentIndex(record.SetupTabIndex);
    driverListPage->show();
    autoStartPage->hide();
    alertsPage->hide();

    for (int camera : {1, 2}) {
        if (CameraView* view = Cap(camera))
            view->CameraNumber = camera;
    }

    links_.captionWindow->FontSettingsLoadFromSettings();
    links_.captionWindow->FontSettingsFillColorLists();
    links_.layout->LayoutToolbar();

    ResetMotionCounters();
    mainToolbar->setWindowTitle(QString());

    cameraAreaBox->move(0, 0);
    SizeToScreen();

    links_.alerts->UpdateAlertSummary();
    relayoutTimer.SetEnabled(true);
    links_.alerts->FillAlertCombos();
    links_.tray->ShowSetupTab();

    clockTimer.SetEnabled(true);
    links_.tray->AddTrayIcon();

    links_.tray->FillPhoneSizeList();
    StoreCameraChoice();

    if (flags_.StartupGuard)
        qInfo("The station is ready");
    flags_.StartupGuard = false;
}

void MainWindow::Tell(const QString& text) {
    if (!unattended_) {
        ShowMessageBox(text);
        return;
    }
    // Nobody may be there to press OK: the sequence goes on, and each text shows once.
    if (toldUnattended_.contains(text))
        return;
    toldUnattended_ << text;
    PostMessageBox(text);
}

void MainWindow::StartupSequenceTimerTick() {
    startupSequenceTimer.SetEnabled(false);
    if (shuttingDown_)
        return;
    struct Unattended {
        MainWindow& mainWindow;
        explicit Unattended(MainWindow& z) : mainWindow(z) {
            mainWindow.flags_.FtpUnattended = true;
            mainWindow.unattended_ = true;
            mainWindow.toldUnattended_.clear();
        }
        ~Unattended() {
            mainWindow.flags_.FtpUnattended = false;
            mainWindow.unattended_ = false;
        }
    } unattended(*this);
    RunStartupSequence();
    if (!shuttingDown_)
        qInfo("The start-up sequence has run: camera 1 %s, camera 2 %s", CameraPreviews(1) ? "on" : "off",
              CameraPreviews(2) ? "on" : "off");
}

void MainWindow::RunStartupSequence() {
    // Every step may end in a modal wait (FTP, a camera); a shutdown met there ends the
    // sequence: nothing more is switched on or written.
    SettingsRecord& record = store_.Record();
    if (record.FtpAutoConnect) {
        links_.ftp->LoadFtpSettings();
        // Connected once the sequence is over: a server slow to answer holds up neither the
        // cameras nor surveillance.
        WhenStartsAreOver([this] { ConnectFtpAfterStartup(); });
    }

    // A camera that brings the station down while it starts must not do so at every start:
    // after two start-ups in a row that died there, the cameras stay off and auto-start goes
    // off. One kill or power cut alone changes nothing.
    if (flags_.PendingAutoStart1 || flags_.PendingAutoStart2) {
        CameraStartGuard guard(store_.Folder().File(CameraStartGuard::kMarkerName));
        if (guard.Begin()) {
            StartPendingCameras();
            guard.Passed();
        } else {
            record.AutoStart1 = record.AutoStart2 = false;
            AutoStart1->setChecked(false);
            AutoStart2->setChecked(false);
            store_.WriteSettingsFile();
            Tell(kCameraStartGuardText);
        }
    }
    const bool autoStart1 = record.AutoStart1;
    const bool autoStart2 = record.AutoStart2;
    flags_.PendingAutoStart1 = false;
    flags_.PendingAutoStart2 = false;
    if (shuttingDown_)
        return;
    if (autoStart1 || autoStart2)
        StartStopSurveillance();

    if (record.StartTimeLapseAtStart) {
        // A stored interval of 0 or below would keep the timer from ever firing.
        timeLapseTimer.SetInterval(timelapse::EffectiveInterval(record.TimeLapseSeconds) * 1000);
        timeLapseFlashTimer.SetEnabled(true);
        timeLapseTimer.SetEnabled(true);
        links_.timeLapse->TimeLapseStarted();
    }
    // Refused (no camera runs): motionTimer goes back off, so nothing blinks as if watching.
    if (record.StartMotionAtStart)
        SwitchSurveillance(true);
    if (shuttingDown_)
        return;

    store_.WriteSettingsFile();
    if (record.PlaceOnTray)
        links_.tray->MinimizeToTray();
}

void MainWindow::WhenStartsAreOver(std::function<void()> fn, int delayMs) {
    QTimer::singleShot(delayMs, this, [this, fn = std::move(fn)]() mutable {
        if (shuttingDown_)
            return;
        if (unattended_ || camerasStarting_ > 0) {
            WhenStartsAreOver(std::move(fn), 100);
            return;
        }
        fn();
    });
}

void MainWindow::ConnectFtpAfterStartup() {
    if (shuttingDown_)
        return;
    const bool wasUnattended = flags_.FtpUnattended;
    flags_.FtpUnattended = true;
    links_.ftp->FtpConnect();
    flags_.FtpUnattended = wasUnattended;
}

void MainWindow::AutoStartCameras() {
    StartPendingCameras();
    const SettingsRecord& record = store_.Record();
    if (!shuttingDown_ && (record.AutoStart1 || record.AutoStart2))
        StartStopSurveillance();
}

void MainWindow::StartPendingCameras() {
    // Camera 2 needs a second device.
    const struct {
        bool& pending;
        QComboBox* list;
        int devices;
        void (MainWindow::*start)();
        QWidget* MainWindow::*frame;
        int camera;
    } cameras[] = {{flags_.PendingAutoStart1, cam1List, 1, &MainWindow::StartCamera1, &MainWindow::cameraFrame1, 1},
                   {flags_.PendingAutoStart2, cam2List, 2, &MainWindow::StartCamera2, &MainWindow::cameraFrame2, 2}};
    for (const auto& c : cameras) {
        if (shuttingDown_)
            return;
        if (!c.pending || c.list->count() < c.devices)
            continue;
        repaint();
        c.pending = false;
        (this->*c.start)();
        if (shuttingDown_)
            return;
        arrangeTimer.SetEnabled(true);
        links_.layout->ArrangeCameraPanels();
        links_.layout->RestoreFullView();
        (this->*c.frame)->show(); // the frame as it is after the start
        SelectSavedVideoMode(c.camera);
        if (phoneAutoConnectBox->isChecked())
            AutoConnectPhoneLink();
    }
}
