// Show, activation and the one-shot start-up sequence of the main window.
#include "app/Tzones.h"

#include "core/Helpers.h"
#include "core/SettingsStore.h"
#include "core/TimeLapseRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHostInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabBar>

void Tzones::FormShow() {
    store_.LoadAlertSettingsFile();
    ApplySettingsToControls();
    flags_.ApplyingSettings = true; // until the end of this show
    CleanUpInstallerFile();

    if (!flags_.FirstShowPending) {
        // Back from the tray.
        SizeToScreen();
        restlye.SetEnabled(true);
        hooks_.RemoveTrayIcon();
        flags_.ApplyingSettings = false;
        return;
    }

    flags_.FirstShowPending = false;
    restlye.SetEnabled(true);
    hooks_.LayoutToolbar();

    hooks_.LayoutMainToolbar();
    store_.FirstRunInit();
    hooks_.LoadDriverList();
    hooks_.RefreshDriverStatus();

    hooks_.ResetTimeLapseWorkingValues();

    Panel7->setGeometry(SurveillancePanel->x(), Panel7->y(), 210, Panel7->height());
    NetWorkPanel->hide();
    move(0, y());

    store_.LoadSettings();
    ApplySettingsToControls();
    flags_.ApplyingSettings = true;
    hooks_.FillCameraLists();

    GroupBox1->move(GroupBox1->x(), 0);
    hooks_.RestoreFullView();
    CyclePosition = -1;
    SurveillanceSetup->show();

    hooks_.SetPictureNamePart(GetCleanComputerName());

    hooks_.PlaceWindowForScreen();
    DisabledCaptions1->setEnabled(true);
    DisabledCaptions2->setEnabled(true);

    hooks_.RestoreFullView();
    maintoolbar->move(-7, -15);
    hooks_.LayoutMainToolbar();

    SettingsRecord& record = store_.Record();
    if (!record.AutoStart1 && !record.AutoStart2) {
        record.NotifyActive = false;
        NotifyActive->setChecked(false);
    }
    if (record.PlaceOnTray || record.AutoStart1 || record.AutoStart2)
        PlaceOntrayTimer.SetEnabled(true);

    flags_.ApplyingSettings = false;
}

void Tzones::FormActivate() {
    hooks_.ResetPhoneLinkConnected();
    phautoconnect->hide();
    maintoolbar->hide();
    GroupBox1->hide();
    PhLOg->clear();
    PaintBox2->setGeometry(PaintBox2->parentWidget()->rect());

    const SettingsRecord& record = store_.Record();
    flags_.PendingAutoStart1 = record.AutoStart1;
    flags_.PendingAutoStart2 = record.AutoStart2;

    DriverStatusPanel->move(15, 25);
    AlertsPanel->setGeometry(15, 25, DriverStatusPanel->width(), DriverStatusPanel->height());
    autostartpanel->move(15, 25);
    if (record.SetupTabIndex >= 0 && record.SetupTabIndex < TabControl1->count())
        TabControl1->setCurrentIndex(record.SetupTabIndex);
    DriverStatusPanel->show();
    autostartpanel->hide();
    AlertsPanel->hide();

    hooks_.SetCameraNumber(VideoCap1, 1);
    hooks_.SetCameraNumber(VideoCap2, 2);

    hooks_.FontSettingsLoadFromSettings();
    hooks_.FontSettingsFillColorLists();
    hooks_.LayoutToolbar();

    hooks_.ResetMotionCounters();
    maintoolbar->setWindowTitle(QString());

    GroupBox1->move(0, 0);
    SizeToScreen();

    hooks_.UpdateAlertSummary();
    restlye.SetEnabled(true);
    hooks_.FillAlertCombos();
    hooks_.ShowSetupTab();

    Timerclock.SetEnabled(true);
    hooks_.AddTrayIcon();

    hooks_.FillPhoneSizeList();
    hooks_.StoreCameraChoice();

    flags_.StartupGuard = false;
}

void Tzones::PlaceOntrayTimerTimer() {
    flags_.FtpUnattended = true;
    PlaceOntrayTimer.SetEnabled(false);

    SettingsRecord& record = store_.Record();
    if (record.FtpAutoConnect) {
        hooks_.LoadFtpSettings();
        hooks_.FtpConnect();
    }

    // The file written now says "no auto-start": a crash while the cameras start does not
    // bring the station back into the same crash at the next start.
    const bool autoStart1 = record.AutoStart1;
    const bool autoStart2 = record.AutoStart2;
    record.AutoStart1 = false;
    record.AutoStart2 = false;
    store_.WriteSettingsFile();
    record.AutoStart1 = autoStart1;
    record.AutoStart2 = autoStart2;

    AutoStartCameras();
    flags_.PendingAutoStart1 = false;
    flags_.PendingAutoStart2 = false;

    if (record.StartTimeLapseAtStart) {
        // A stored interval of 0 or below would keep the timer from ever firing.
        TimeLapseTimer.SetInterval(timelapse::EffectiveInterval(record.TimeLapseSeconds) * 1000);
        timeLaspeFlasher.SetEnabled(true);
        TimeLapseTimer.SetEnabled(true);
        hooks_.TimeLapseStarted();
    }
    if (record.StartMotionAtStart) {
        MotionTime.SetEnabled(true);
        hooks_.StartStopSurveillance();
    }

    store_.WriteSettingsFile();
    PlaceOntrayTimer.SetEnabled(false);

    if (record.PlaceOnTray)
        hooks_.MinimizeToTray();
    flags_.FtpUnattended = false;
}

void Tzones::AutoStartCameras() {
    // Camera 2 needs a second device.
    const struct {
        bool& pending;
        QComboBox* list;
        int devices;
        const StationHooks::Action& start;
        QWidget* Tzones::*frame;
        int camera;
    } cameras[] = {{flags_.PendingAutoStart1, cam1List, 1, hooks_.StartCamera1, &Tzones::VideoCap1, 1},
                   {flags_.PendingAutoStart2, cam2List, 2, hooks_.StartCamera2, &Tzones::VideoCap2, 2}};
    for (const auto& c : cameras) {
        if (!c.pending || c.list->count() < c.devices)
            continue;
        repaint();
        c.pending = false;
        c.start();
        Timer3.SetEnabled(true);
        hooks_.ArrangeCameraPanels();
        hooks_.RestoreFullView();
        (this->*c.frame)->show(); // the frame as it is after the start
        hooks_.SelectSavedVideoMode(c.camera);
        if (phautoconnect->isChecked())
            hooks_.AutoConnectPhoneLink();
    }
    const SettingsRecord& record = store_.Record();
    if (record.AutoStart1 || record.AutoStart2)
        hooks_.StartStopSurveillance();
}
