#include "app/CameraCommandRules.h"

#include <gtest/gtest.h>

using namespace CameraCommandRules;

TEST(CameraCommandRules, AviNameCyclePositionAndInterval) {
    // Only the last path component's extension is replaced.
    EXPECT_EQ(WithAviExtension("/home/u/clip.mpg"), "/home/u/clip.avi");
    EXPECT_EQ(WithAviExtension("/home/u.v/clip"), "/home/u.v/clip.avi");

    EXPECT_EQ(NextCyclePosition(7, 3), 0); // a device went away meanwhile
    EXPECT_EQ(PreviousCyclePosition(-1, 3), 2);
    EXPECT_EQ(CycleIntervalMs("3"), 3000);
    for (const char* text : {"0", "-4", "", "soon"})
        EXPECT_EQ(CycleIntervalMs(text), 10000) << text;
    EXPECT_EQ(CycleIntervalMs("99999999999"), 2147483000); // never overflows the timer
}
