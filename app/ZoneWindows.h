#pragma once
// The two zone windows as the station creates them at start-up: TForm2 for camera 1,
// TForm1 for camera 2, bound to the main window and the detector once both exist.
#include "core/ZoneAimWindow.h"

class LayoutLink;
class StationMotion;
class Tzones;

class TForm2 : public ZoneAimWindow {
public:
    explicit TForm2(SettingsRecord& record) : ZoneAimWindow(1, record) {}
};

class TForm1 : public ZoneAimWindow {
public:
    explicit TForm1(SettingsRecord& record) : ZoneAimWindow(2, record) {}
};

// Camera 1's window passes through the loop's zone check, camera 2's runs its own pass; both
// show the detector's working frame of their camera and write the main window's zone values.
void BindZoneWindows(TForm2& form2, TForm1& form1, Tzones& zones, LayoutLink& layout, StationMotion& motion);

// Shows the detector's latest frame in each zone window that is up (after a loop tick).
void RefreshShownZoneWindows(TForm2& form2, TForm1& form1);
