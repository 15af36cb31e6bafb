#include "app/CameraCommandRules.h"

#include <gtest/gtest.h>

using namespace CameraCommandRules;

TEST(CameraCommandRules, SuggestedNameUsesTheTimeAndTheChosenNameGetsAvi) {
    EXPECT_EQ(SuggestedVideoFileName(QDateTime(QDate(2026, 12, 6), QTime(7, 5, 9))), "V1070509");
    EXPECT_EQ(SuggestedVideoFileName(QDateTime(QDate(2026, 1, 1), QTime(23, 59, 0))), "V1235900");

    EXPECT_EQ(WithAviExtension("/home/u/clip.mpg"), "/home/u/clip.avi");
    EXPECT_EQ(WithAviExtension("/home/u/clip.avi"), "/home/u/clip.avi");
    EXPECT_EQ(WithAviExtension("/home/u/clip"), "/home/u/clip.avi");
    EXPECT_EQ(WithAviExtension("/home/u.v/clip"), "/home/u.v/clip.avi"); // a folder's dot stays
    EXPECT_EQ(WithAviExtension("/home/u/a.b.c"), "/home/u/a.b.avi");
}

TEST(CameraCommandRules, CyclePositionWrapsBothWays) {
    EXPECT_EQ(NextCyclePosition(-1, 3), 0); // the first tick after start
    EXPECT_EQ(NextCyclePosition(0, 3), 1);
    EXPECT_EQ(NextCyclePosition(2, 3), 0);
    EXPECT_EQ(NextCyclePosition(7, 3), 0); // a device went away meanwhile

    EXPECT_EQ(PreviousCyclePosition(2, 3), 1);
    EXPECT_EQ(PreviousCyclePosition(0, 3), 2);
    EXPECT_EQ(PreviousCyclePosition(-1, 3), 2);
}

TEST(CameraCommandRules, CycleIntervalFallsBackToTenSecondsAndNeverOverflows) {
    EXPECT_EQ(CycleIntervalMs("3"), 3000);
    EXPECT_EQ(CycleIntervalMs("1"), 1000);
    for (const char* text : {"0", "-4", "", "abc", "2x"})
        EXPECT_EQ(CycleIntervalMs(text), 10000) << text;
    EXPECT_EQ(CycleIntervalMs("99999999999"), 2147483000);
}

TEST(CameraCommandRules, ViewToggleRestoresTheToolbarOrLetsTheClickTakeAPicture) {
    EXPECT_EQ(DecideViewToggle(300, false), ViewToggle::ShowToolbarNarrow);
    EXPECT_EQ(DecideViewToggle(300, true), ViewToggle::ShowToolbar);
    EXPECT_EQ(DecideViewToggle(1024, false), ViewToggle::ShowToolbar);
    EXPECT_EQ(DecideViewToggle(1024, true), ViewToggle::NothingToDo);
    EXPECT_EQ(DecideViewToggle(400, true), ViewToggle::NothingToDo);
    EXPECT_TRUE(ToolbarRestored(ViewToggle::ShowToolbar));
    EXPECT_FALSE(ToolbarRestored(ViewToggle::NothingToDo));
}
