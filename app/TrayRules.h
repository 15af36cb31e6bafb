#pragma once
// The decisions of the tray icon's menu, the window's menu and the set-up panel as plain
// functions of the station's state; StationTray applies them to the widgets.
#include <QString>
#include <QStringList>

namespace TrayRules {

// The window's menu offers its picture items from this height on.
constexpr int kTallWindowHeight = 401;

// The tray menu when it opens.
struct TrayMenuState {
    bool ftpVisible = false;
    bool aim1Enabled = false;
    bool aim2Enabled = false;
    bool targetVisible = false;
};
TrayMenuState TrayMenu(bool camera1Runs, bool camera2Runs, bool ftpConnected);

// The window's menu when it opens.
struct WindowMenuState {
    bool diskStatsEnabled = false;
    bool diskStatsChecked = false;
    // "Show Logged", "Video Capture", "Copy" and "Cycle".
    bool pictureItemsEnabled = false;
};
WindowMenuState WindowMenu(bool camera1Runs, bool camera2Runs, bool diskStatsChecked, int windowHeight);

// The phone picture sizes offered, and the stored size after the refill.
struct PhoneSizes {
    QString stored;
    QStringList items;
};
PhoneSizes PhoneSizeList(bool dialUp, const QString& storedSize);

// The start-up boxes as closing the set-up panel leaves them.
struct AutoStartBoxes {
    bool autoStart1 = false;
    bool autoStart2 = false;
    bool placeOnTray = false;
};
AutoStartBoxes CloseAutoStartBoxes(AutoStartBoxes boxes, const QString& defaultCam1Text,
                                   const QString& defaultCam2Text);

} // namespace TrayRules
