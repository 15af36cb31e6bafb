#pragma once
// The main window's geometry and key table as plain functions of the screen, the window and
// the running cameras; the layout applies what they return to the widgets.
#include <QRect>
#include <QSize>
#include <QString>
#include <Qt>

namespace LayoutRules {

constexpr int kMaxLayoutWidth = 1024;
constexpr int kMinWindowSide = 100;
constexpr int kCompactHeightLimit = 400; // below it the numpad minus brings the full view back

// Placement by screen width.
struct ScreenPlacement {
    int layoutScreenWidth = 0; // the screen's width, at most 1024
    bool fullToolbarLayout = true;
    bool moveTo100 = false; // window to (100, 100)
};
ScreenPlacement PlaceForScreen(QSize screen);

// The camera panels inside the camera area (W x H); a hidden panel has no rectangle.
struct PanelPlacement {
    bool show1 = false, show2 = false;
    QRect panel1, panel2; // in the camera area's coordinates
};
PanelPlacement ArrangePanels(QSize cameraArea, bool camera1Runs, bool camera2Runs);

// The compact view: window size, place on the screen and the panels in the camera area.
struct CompactPlacement {
    bool any = false;
    QRect window;
    PanelPlacement panels;
};
CompactPlacement CompactView(QSize screen, bool camera1Runs, bool camera2Runs);

// The screen-saver view: camera 1's view 180 x 180 in the middle of the window.
QRect ScreenSaverRect(QSize window);

// The re-layout tick: camera area height for the tool bar's top (or the screen when hidden).
int RelayoutCameraAreaHeight(int screenHeight, bool toolbarVisible, int toolbarTop);

// The re-layout tick's tool bar height: 80, or more when its groups reach lower (the
// surveillance group sits below the camera group), so no command is cut off.
int RelayoutToolbarHeight(int groupsBottom);

// "000013": the picture count of both cameras plus one, six digits.
QString CounterCaption(qint64 pictureCountTotal);

// One row of the tool bar's fixed geometry.
struct ToolbarRow {
    const char* name;
    QRect geometry;
};
// Every control the tool bar table places, by object name.
const ToolbarRow* MainToolbarRows(int* count);

// The keyboard's commands.
enum class KeyAction {
    Nothing,
    HideToolbar,     // hide the tool bar, full view
    MakeSmall,       // compact view
    ShowToolbar,     // show the tool bar, full view, counter caption
    LoggedPictures1, // picture log of camera 1, then help
    LoggedPictures2,
    StopCycling,
    HideSetupPanel,
    EndProgram,      // no camera runs: end without saving
    BackFromHidden,  // a key while the tool bar is hidden: tool bar and full view back
    EscHideToolbar,
    EscFullView,
};

struct KeyState {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    bool cameraRuns = false;
    bool toolbarVisible = true;
    int windowHeight = 0;
    bool setupPanelVisible = false;
    bool cyclingVisible = false;
    bool focusEditFocused = false;
};
// The first matching row of the key table.
KeyAction DecideKey(const KeyState& state);

} // namespace LayoutRules
