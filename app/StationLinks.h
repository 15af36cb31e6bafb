#pragma once
// The parts of the station the main window works with, each behind its typed link. Every
// member starts as a null link that says once in the log that its part is missing; the
// composition root (ProgramStartup.cpp) points each at the part that provides it.
#include "core/AccessLockLink.h"
#include "core/AlertScheduleLink.h"
#include "core/AviLink.h"
#include "core/CameraSetupLink.h"
#include "core/CaptionWindowLink.h"
#include "core/DriverAliasLink.h"
#include "core/EmailWindowsLink.h"
#include "core/FtpLink.h"
#include "core/HelpLink.h"
#include "core/InstallerLink.h"
#include "core/LayoutLink.h"
#include "core/MagnifierLink.h"
#include "core/MotionLink.h"
#include "core/NetworkPanelLink.h"
#include "core/OnlineServiceLink.h"
#include "core/PictureLogLink.h"
#include "core/SaveFileNameAsker.h"
#include "core/TimeLapseLink.h"
#include "core/TrayLink.h"
#include "core/ZoneWindow.h"

class CommandCameras;

struct StationLinks {
    LayoutLink* layout = &NullLayoutLink::Instance();
    TrayLink* tray = &NullTrayLink::Instance();
    AccessLockLink* accessLock = &NullAccessLockLink::Instance();
    HelpLink* help = &NullHelpLink::Instance();
    NetworkPanelLink* networkPanel = &NullNetworkPanelLink::Instance();
    InstallerLink* installer = &NullInstallerLink::Instance();
    TimeLapseLink* timeLapse = &NullTimeLapseLink::Instance();
    MagnifierLink* magnifier = &NullMagnifierLink::Instance();
    AlertScheduleLink* alerts = &NullAlertScheduleLink::Instance();
    FtpLink* ftp = &NullFtpLink::Instance();
    PictureLogLink* pictureLog = &NullPictureLogLink::Instance();
    AviLink* avi = &NullAviLink::Instance();
    EmailWindowsLink* email = &NullEmailWindowsLink::Instance();
    OnlineServiceLink* onlineService = &NullOnlineServiceLink::Instance();
    MotionLink* motion = &NullMotionLink::Instance();
    DriverAliasLink* aliases = &NullDriverAliasLink::Instance();
    CameraSetupLink* cameraSetup = &NullCameraSetupLink::Instance();
    // The caption window and the zone windows (Camera1ZoneWindow: camera 1, Camera2ZoneWindow: camera 2); the
    // null ones keep their values so the settings round trip stays whole.
    CaptionWindowLink* captionWindow = &nullCaptionWindow;
    ZoneWindow* zoneWindow1 = &nullZoneWindow1;
    ZoneWindow* zoneWindow2 = &nullZoneWindow2;
    // The save dialog; unset: a file dialog over the main window.
    SaveFileNameAsker* saveFileNames = nullptr;
    // The camera views the commands use; unset: the main window's own camera frames.
    CommandCameras* cameraViews = nullptr;

    NullCaptionWindowLink nullCaptionWindow;
    NullZoneWindow nullZoneWindow1;
    NullZoneWindow nullZoneWindow2;
};
