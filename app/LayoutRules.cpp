#include "app/LayoutRules.h"

#include "platform/Rounding.h"

#include <iterator>

namespace LayoutRules {

namespace {

int Half(int value) { return int(platform::RoundHalfEven(value / 2.0)); }

} // namespace

ScreenPlacement PlaceForScreen(QSize screen) {
    ScreenPlacement placement;
    placement.layoutScreenWidth = qMin(screen.width(), kMaxLayoutWidth);
    placement.fullToolbarLayout = screen.width() != 640;
    placement.moveTo100 = screen.width() == 1024;
    return placement;
}

PanelPlacement ArrangePanels(QSize cameraArea, bool camera1Runs, bool camera2Runs) {
    PanelPlacement placement;
    const int w = cameraArea.width();
    const int h = cameraArea.height();
    if (camera1Runs && camera2Runs) {
        placement.show1 = placement.show2 = true;
        placement.panel1 = QRect(2, 15, Half(w) - 3, h - 18);
        placement.panel2 = QRect(Half(w), 15, Half(w) - 2, h - 18);
    } else if (camera1Runs) {
        placement.show1 = true;
        placement.panel1 = QRect(QPoint(0, 0), cameraArea);
    } else if (camera2Runs) {
        placement.show2 = true;
        placement.panel2 = QRect(QPoint(0, 0), cameraArea);
    }
    return placement;
}

CompactPlacement CompactView(QSize screen, bool camera1Runs, bool camera2Runs) {
    CompactPlacement placement;
    if (!camera1Runs && !camera2Runs)
        return placement;
    placement.any = true;
    QSize size(kMinWindowSide, kMinWindowSide);
    if (camera1Runs && camera2Runs) {
        size = QSize(200, 115);
        const int w = size.width();
        const int h = size.height();
        placement.panels.show1 = placement.panels.show2 = true;
        placement.panels.panel1 = QRect(6, 13, Half(w) - 6, h - 24);
        placement.panels.panel2 = QRect(Half(w) + 1, 13, Half(w) - 7, h - 24);
    } else {
        placement.panels = ArrangePanels(size, camera1Runs, camera2Runs);
    }
    // Placed against the capped width: 10 pixels in from it, 30 above the bottom.
    const int layoutWidth = qMin(screen.width(), kMaxLayoutWidth);
    placement.window = QRect(QPoint(layoutWidth - (size.width() + 10), screen.height() - (size.height() + 30)), size);
    return placement;
}

QRect ScreenSaverRect(QSize window) {
    const int left = int(platform::RoundHalfEven(window.width() / 2.0 - 90));
    const int top = int(platform::RoundHalfEven(window.height() / 2.0 - 90));
    return QRect(left, top, 180, 180);
}

int RelayoutCameraAreaHeight(int screenHeight, bool toolbarVisible, int toolbarTop) {
    return toolbarVisible ? toolbarTop - 5 : screenHeight - 5;
}

int RelayoutToolbarHeight(int groupsBottom) { return qMax(80, groupsBottom + 2); }

QString CounterCaption(qint64 pictureCountTotal) {
    const qint64 value = pictureCountTotal + 1;
    if (value < 0)
        return QStringLiteral("-%1").arg(-value, 6, 10, QLatin1Char('0'));
    return QStringLiteral("%1").arg(value, 6, 10, QLatin1Char('0'));
}

const ToolbarRow* MainToolbarRows(int* count) {
    static const ToolbarRow rows[] = {
        {"mainToolbar", QRect(0, -2, 447, 137)},
        {"surveillanceBox", QRect(2, 68, 265, 65)},
        {"surveillanceSetupPanel", QRect(268, 74, 175, 58)},
        {"cameraBox", QRect(2, 2, 441, 74)},
        {"cameraLabel2", QRect(8, 40, 11, 16)},
        {"cameraLabel1", QRect(8, 16, 11, 16)},
        {"camera1Button", QRect(8, 16, 57, 20)},
        {"camera2Button", QRect(8, 40, 57, 20)},
        {"cam1List", QRect(72, 16, 289, 26)},
        {"cam2List", QRect(72, 40, 289, 26)},
        {"takePicture1Button", QRect(368, 18, 65, 17)},
        {"takePicture2Button", QRect(368, 43, 65, 17)},
        {"zoneLabel", QRect(8, 44, 50, 18)},
        {"surveillanceButton", QRect(96, 16, 65, 21)},
        {"hotZone1Box", QRect(72, 44, 33, 17)},
        {"hotZone2Box", QRect(112, 43, 33, 17)},
        {"log1Button", QRect(216, 16, 41, 17)},
        {"log2Button", QRect(216, 40, 41, 17)},
        {"aim1Button", QRect(168, 17, 41, 17)},
        {"aim2Button", QRect(168, 40, 41, 17)},
        {"timeLapseButton", QRect(8, 16, 89, 21)},
        {"setupButton", QRect(7, 8, 54, 17)},
        {"hideButton", QRect(124, 32, 41, 17)},
        {"toolbarTitleLabel", QRect(370, 64, 73, 17)},
    };
    *count = int(std::size(rows));
    return rows;
}

KeyAction DecideKey(const KeyState& s) {
    const bool keypad = s.modifiers.testFlag(Qt::KeypadModifier);
    const bool minus = keypad && s.key == Qt::Key_Minus;
    const bool plus = keypad && s.key == Qt::Key_Plus;
    const bool esc = s.key == Qt::Key_Escape;
    if (s.key == Qt::Key_T)
        return KeyAction::Nothing;
    if (minus) {
        if (!s.cameraRuns)
            return KeyAction::Nothing;
        if (s.toolbarVisible || s.windowHeight < kCompactHeightLimit)
            return KeyAction::HideToolbar;
        return KeyAction::MakeSmall;
    }
    if (plus)
        return s.cameraRuns ? KeyAction::ShowToolbar : KeyAction::Nothing;
    if (s.key == Qt::Key_F1)
        return KeyAction::LoggedPictures1;
    if (s.key == Qt::Key_F2)
        return KeyAction::LoggedPictures2;
    if (s.cyclingVisible)
        return KeyAction::StopCycling;
    if (esc && s.setupPanelVisible)
        return KeyAction::HideSetupPanel;
    if (esc && !s.cameraRuns)
        return KeyAction::EndProgram;
    if (!s.toolbarVisible && !s.focusEditFocused)
        return KeyAction::BackFromHidden;
    if (esc)
        return s.toolbarVisible ? KeyAction::EscHideToolbar : KeyAction::EscFullView;
    return KeyAction::Nothing;
}

} // namespace LayoutRules
