#pragma once
// Routines the start-up spine calls but that other parts of the station provide (camera
// commands, layout, tray and set-up panel, e-alerts, FTP, driver aliases, captions,
// zoom, time-lapse). Each starts as a harmless null implementation; the issue that builds
// the routine assigns its member where the application wires the station together
// (app/ProgramStartup.cpp). Tests assign them to record calls.
#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>

class CommandCamera;

struct StationHooks {
    using Action = std::function<void()>;

    // Driver aliases (capture): the alias file and the driver statuses.
    Action LoadDriverList = [] {};
    Action RefreshDriverStatus = [] {};
    // The alias of a device name; the name itself until aliases exist.
    std::function<QString(const QString&)> DriverAlias = [](const QString& name) { return name; };

    // Camera commands.
    Action FillCameraLists = [] {};
    Action StoreCameraChoice = [] {}; // also writes the settings file
    Action StartCamera1 = [] {};
    Action StartCamera2 = [] {};
    // Switches a running camera (1 or 2) off directly.
    std::function<void(int)> SwitchCameraOff = [](int) {};
    // False when it refused (no camera, lock, recording) and nothing changed.
    std::function<bool()> StartStopSurveillance = [] { return true; };
    Action AutoConnectPhoneLink = [] {};
    // Camera view frames; the default is a plain black frame of the given name.
    std::function<QWidget*(QWidget* parent, const QString& name)> CreateVideoCap;
    // CameraNumber of the two camera frames.
    std::function<void(QWidget* frame, int camera)> SetCameraNumber = [](QWidget*, int) {};

    // Layout and view modes.
    Action LayoutToolbar = [] {};
    Action LayoutMainToolbar = [] {};
    Action RestoreFullView = [] {};
    Action ArrangeCameraPanels = [] {};
    Action PlaceWindowForScreen = [] {};
    Action Relayout = [] {}; // tick of restlye
    Action ArrangeAfterStart = [] {}; // tick of Timer3

    // Tray, pop-up menus and set-up panel.
    Action ShowSetupTab = [] {};
    Action FillPhoneSizeList = [] {};
    Action MinimizeToTray = [] {};
    Action AddTrayIcon = [] {};
    Action RemoveTrayIcon = [] {};
    std::function<void(int camera)> SelectSavedVideoMode = [](int) {};

    // E-alerts.
    Action ResetAlertSchedule = [] {}; // sent count 0, last alert time now
    Action UpdateAlertSummary = [] {};
    Action FillAlertCombos = [] {};
    Action ClockTick = [] {}; // tick of Timerclock
    Action RestartAlertPeriod = [] {}; // new period from now, queue emptied (set-up panel hidden)
    Action StoreSmtpEdits = [] {};     // the four SMTP edits into the mail settings
    // The width the layout works to; unset: the main window's screen width.
    std::function<int()> LayoutScreenWidth;

    // Caption font window.
    Action FontSettingsLoadFromSettings = [] {};
    Action FontSettingsFillColorLists = [] {};

    // FTP.
    Action LoadFtpSettings = [] {};
    Action FtpConnect = [] {};
    std::function<bool()> IsFtpConnected = [] { return false; };
    Action FtpDisconnect = [] {};
    Action EnableFtpDialUpPause = [] {}; // the FTP window's dial-up pause timer

    // Online picture service.
    Action ResetPhoneLinkConnected = [] {};

    // Motion, picture store, time-lapse, zoom.
    Action MotionTick = [] {};        // tick of MotionTime
    Action ResetMotionCounters = [] {}; // "MO 00000" on both cameras
    Action ResetPictureCounts = [] {};
    std::function<void(const QString&)> SetPictureNamePart = [](const QString&) {};
    Action ResetTimeLapseWorkingValues = [] {};
    Action TimeLapseTick = [] {};
    Action TimeLapseFlasherTick = [] {};
    Action TimeLapseStarted = [] {}; // the start-up sequence has armed both timers
    Action CreateMagnifierImage = [] {};
    Action FreeMagnifierImage = [] {};

    // Camera commands: the view of camera 1 or 2 (null while it has none).
    std::function<CommandCamera*(int camera)> CommandCameraView = [](int) -> CommandCamera* { return nullptr; };
    // The save dialog: title, filter ("AVI files (*.avi)|*.avi") and suggested name; returns
    // the chosen name, empty when cancelled. Unset: a file dialog over the main window.
    std::function<QString(const QString& title, const QString& filter, const QString& name)> AskSaveFileName;
    // The time-lapse dialog's working flag.
    std::function<bool()> TimeLapseWorking = [] { return false; };
    // Zone windows: tick the Target box; show the window modally until it closes (unset:
    // the zone window itself is run modally).
    std::function<void(int camera)> TickZoneTarget = [](int) {};
    std::function<void(int camera)> ShowZoneWindowModal;
    // The one network-busy flag, held while an aim command's zone window is open.
    std::function<void(bool busy)> SetTransferBusy = [](bool) {};
    // Picture store: saves a picture taken by hand, the caption of the last picture, and
    // the pictures saved since start by both cameras.
    std::function<void(const QImage& picture, int camera)> SaveMotionPicture = [](const QImage&, int) {};
    std::function<QString(int camera)> FormatLastImageCaption = [](int) { return QString(); };
    std::function<qint32()> PictureCountTotal = [] { return qint32(0); };
    Action PlayAlarmSound = [] {};
    // The capture side's switch that makes every camera view report no preview.
    std::function<void(bool suspended)> SuspendCameraQueries = [](bool) {};
    // The camera set-up screen for a device (camera-list index) and camera 1 or 2.
    std::function<void(int deviceIndex, int camera)> OpenSetupScreen = [](int, int) {};
    // The help window on a topic.
    std::function<void(int topic)> ShowHelp = [](int) {};

    // Access lock: False refuses the guarded command.
    std::function<bool()> AccessAllowed = [] { return true; };

    // Camera switching's links to later parts.
    // Every grabbed frame of a camera, after its view has shown it (TCP server picture,
    // the picture log's live preview).
    std::function<void(int camera, const QImage& frame)> FrameGrabbed = [](int, const QImage&) {};
    Action MarkFtpCommandTime = [] {}; // holds back FTP uploads for the next seconds
    std::function<bool()> PhoneLinkConnected = [] { return false; };
    Action PhoneLinkConnect = [] {};
    Action UntickDiskStats = [] {}; // the "DiskStats1" menu item
    // The motion detector: forget both cameras' previous counts; one check of a camera's zone.
    Action ResetMotionDetector = [] {};
    std::function<void(int camera)> CheckMotionZone = [](int) {};
};
