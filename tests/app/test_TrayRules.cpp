// The decisions of the tray menu, the window's menu, the phone sizes and the set-up panel's
// start-up boxes.
#include "app/TrayRules.h"

#include <gtest/gtest.h>

using namespace TrayRules;

TEST(TrayRules, TrayMenuFollowsTheRunningCamerasAndTheFtpConnection) {
    TrayMenuState none = TrayMenu(false, false, false);
    EXPECT_FALSE(none.targetVisible);
    EXPECT_FALSE(none.aim1Enabled || none.aim2Enabled || none.ftpVisible);

    TrayMenuState one = TrayMenu(true, false, true);
    EXPECT_TRUE(one.targetVisible && one.aim1Enabled && one.ftpVisible);
    EXPECT_FALSE(one.aim2Enabled);

    // Only camera 2: "Target" with aim1Action disabled and aim2Action enabled.
    TrayMenuState two = TrayMenu(false, true, false);
    EXPECT_TRUE(two.targetVisible && two.aim2Enabled);
    EXPECT_FALSE(two.aim1Enabled || two.ftpVisible);

    TrayMenuState both = TrayMenu(true, true, false);
    EXPECT_TRUE(both.targetVisible && both.aim1Enabled && both.aim2Enabled);
}

TEST(TrayRules, DiskStatsNeedExactlyOneCameraAndPictureItemsATallWindow) {
    struct Case {
        bool camera1, camera2, diskStatsEnabled;
    } cases[] = {{false, false, false}, {true, false, true}, {false, true, true}, {true, true, false}};
    for (const Case& c : cases) {
        const WindowMenuState ticked = WindowMenu(c.camera1, c.camera2, true, 600);
        EXPECT_EQ(ticked.diskStatsEnabled, c.diskStatsEnabled) << c.camera1 << c.camera2;
        // Disabled also means unticked; enabled keeps the tick as it was.
        EXPECT_EQ(ticked.diskStatsChecked, c.diskStatsEnabled) << c.camera1 << c.camera2;
        EXPECT_FALSE(WindowMenu(c.camera1, c.camera2, false, 600).diskStatsChecked);
    }
    EXPECT_FALSE(WindowMenu(true, false, false, 400).pictureItemsEnabled);
    EXPECT_TRUE(WindowMenu(true, false, false, 401).pictureItemsEnabled);
    EXPECT_TRUE(WindowMenu(false, false, false, 401).pictureItemsEnabled);
}

TEST(TrayRules, PhoneSizesByConnection) {
    const PhoneSizes dialUp = PhoneSizeList(true, QStringLiteral("300"));
    EXPECT_EQ(dialUp.stored, "120");
    EXPECT_EQ(dialUp.items, (QStringList{"0", "50", "100", "150", "200"}));
    EXPECT_EQ(PhoneSizeList(true, QStringLiteral(" 251 ")).stored, "120");
    // At or below 250, or no number at all, the size stays.
    EXPECT_EQ(PhoneSizeList(true, QStringLiteral("250")).stored, "250");
    EXPECT_EQ(PhoneSizeList(true, QStringLiteral("big")).stored, "big");
    EXPECT_EQ(PhoneSizeList(true, QString()).stored, "");

    const PhoneSizes broadband = PhoneSizeList(false, QStringLiteral("300"));
    EXPECT_EQ(broadband.stored, "300");
    ASSERT_EQ(broadband.items.size(), 11);
    EXPECT_EQ(broadband.items.first(), "0");
    EXPECT_EQ(broadband.items.last(), "500");
}

TEST(TrayRules, ClosingThePanelSettlesTheStartUpBoxes) {
    // One device cannot start as both cameras: camera 1 keeps it.
    AutoStartBoxes same = CloseAutoStartBoxes({true, true, true}, "cam A", "cam A");
    EXPECT_TRUE(same.autoStart1);
    EXPECT_FALSE(same.autoStart2);
    EXPECT_TRUE(same.placeOnTray);
    AutoStartBoxes two = CloseAutoStartBoxes({true, true, false}, "cam A", "cam B");
    EXPECT_TRUE(two.autoStart1 && two.autoStart2);
    // Nothing starts by itself: nothing goes to the tray by itself either.
    AutoStartBoxes none = CloseAutoStartBoxes({false, false, true}, "cam A", "cam B");
    EXPECT_FALSE(none.placeOnTray || none.autoStart1 || none.autoStart2);
    EXPECT_TRUE(CloseAutoStartBoxes({false, true, true}, "cam A", "cam A").placeOnTray);
}
