#pragma once
// The two zone windows as the station creates them at start-up: Camera1ZoneWindow for camera 1,
// Camera2ZoneWindow for camera 2, bound to the main window and the detector once both exist.
#include "core/ZoneAimWindow.h"

class LayoutLink;
class StationMotion;
class MainWindow;

class Camera1ZoneWindow : public ZoneAimWindow {
public:
    explicit Camera1ZoneWindow(SettingsRecord& record) : ZoneAimWindow(1, record) {}
};

class Camera2ZoneWindow : public ZoneAimWindow {
public:
    explicit Camera2ZoneWindow(SettingsRecord& record) : ZoneAimWindow(2, record) {}
};

// Camera 1's window passes through the loop's zone check, camera 2's runs its own pass; both
// show the detector's working frame of their camera and write the main window's zone values.
void BindZoneWindows(Camera1ZoneWindow& camera1ZoneWindow, Camera2ZoneWindow& camera2ZoneWindow, MainWindow& mainWindow, LayoutLink& layout, StationMotion& motion);

// Shows the detector's latest frame in each zone window that is up (after a loop tick).
void RefreshShownZoneWindows(Camera1ZoneWindow& camera1ZoneWindow, Camera2ZoneWindow& camera2ZoneWindow);
