// The zoom rules' guards: the stored 16-bit fields saturate and camera numbers past the arrays
// touch nothing.
#include "core/SettingsRecord.h"
#include "core/ZoomRules.h"

#include <climits>
#include <gtest/gtest.h>

using namespace ZoomRules;

TEST(ZoomRules, FieldsSaturateAndUnknownCamerasChangeNothing) {
    SettingsRecord record;
    record.ZoomSize[2] = 32767;
    record.ZoomTop[2] = -32765;
    record.ZoomLeft[2] = 32760;
    ApplyZoomKey(record, 2, ZoomKey::Plus);
    ApplyZoomKey(record, 2, ZoomKey::Up);
    ApplyZoomKey(record, 2, ZoomKey::Right);
    EXPECT_EQ(record.ZoomSize[2], 32767);
    EXPECT_EQ(record.ZoomTop[2], -32768);
    EXPECT_EQ(record.ZoomLeft[2], 32767);
    record.ZoomSize[2] = -32768;
    ApplyZoomKey(record, 2, ZoomKey::Minus);
    EXPECT_EQ(record.ZoomSize[2], -32768);
    record.ZoomTop[1] = 32767;
    AdjustZoom(record, ZoomKey::Down, 1, INT_MAX, INT_MAX);
    EXPECT_EQ(record.ZoomTop[1], 32767);

    const SettingsRecord before = record;
    ApplyZoomKey(record, 5, ZoomKey::Plus);
    AdjustZoom(record, ZoomKey::Plus, -1, 500, 500);
    EXPECT_EQ(record.ZoomSize, before.ZoomSize);
    EXPECT_EQ(ZoomCaption(record, 5), "");
    EXPECT_EQ(ZoomStampText(record, 0), "");
}
