#include "app/TrayRules.h"

#include "core/Helpers.h"

namespace TrayRules {

TrayMenuState TrayMenu(bool camera1Runs, bool camera2Runs, bool ftpConnected) {
    TrayMenuState state;
    state.ftpVisible = ftpConnected;
    state.aim1Enabled = camera1Runs;
    state.aim2Enabled = camera2Runs;
    state.targetVisible = camera1Runs || camera2Runs;
    return state;
}

WindowMenuState WindowMenu(bool camera1Runs, bool camera2Runs, bool diskStatsChecked, int windowHeight) {
    WindowMenuState state;
    // The disk figures belong to one camera's caption.
    state.diskStatsEnabled = camera1Runs != camera2Runs;
    state.diskStatsChecked = state.diskStatsEnabled && diskStatsChecked;
    state.pictureItemsEnabled = windowHeight >= kTallWindowHeight;
    return state;
}

PhoneSizes PhoneSizeList(bool dialUp, const QString& storedSize) {
    PhoneSizes sizes;
    sizes.stored = storedSize;
    const int steps = dialUp ? 5 : 11;
    if (dialUp && SafeStrToInt(TrimText(storedSize)) > 250)
        sizes.stored = QStringLiteral("120");
    for (int i = 0; i < steps; ++i)
        sizes.items << QString::number(i * 50);
    return sizes;
}

AutoStartBoxes CloseAutoStartBoxes(AutoStartBoxes boxes, const QString& defaultCam1Text,
                                   const QString& defaultCam2Text) {
    if (!boxes.autoStart1 && !boxes.autoStart2)
        boxes.placeOnTray = false;
    // One device cannot start as both cameras.
    if (defaultCam1Text == defaultCam2Text && boxes.autoStart1 && boxes.autoStart2)
        boxes.autoStart2 = false;
    return boxes;
}

} // namespace TrayRules
