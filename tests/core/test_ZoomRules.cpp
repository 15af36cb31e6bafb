// The zoom window's rules and the magnifier's lens keys, without windows.
#include "core/MagnifierState.h"
#include "core/SettingsRecord.h"
#include "core/ZoomRules.h"

#include <gtest/gtest.h>

using namespace ZoomRules;

TEST(MagnifierState, BindingAndTheLensKeys) {
    MagnifierState state;
    state.Active = 1;
    state.Dragging = 1;
    state.Source = QImage(4, 4, QImage::Format_RGB888);
    state.Bind(320, 240);
    EXPECT_EQ(state.PictureWidth, 320);
    EXPECT_EQ(state.PictureHeight, 240);
    EXPECT_EQ(state.LensSize, 30);
    EXPECT_EQ(state.CentreX, 50);
    EXPECT_EQ(state.CentreY, 50);
    EXPECT_FALSE(state.Active || state.Dragging);
    EXPECT_TRUE(state.Source.isNull());

    // Up at 10 does nothing; at 11 it gives 1.
    state.CentreY = 10;
    EXPECT_FALSE(MoveLensCentre(state, MagnifierKey::Up));
    EXPECT_EQ(state.CentreY, 10);
    state.CentreY = 11;
    EXPECT_TRUE(MoveLensCentre(state, MagnifierKey::Up));
    EXPECT_EQ(state.CentreY, 1);
    // Down moves while below the height, then stops.
    state.CentreY = 225;
    EXPECT_TRUE(MoveLensCentre(state, MagnifierKey::Down));
    EXPECT_EQ(state.CentreY, 235);
    EXPECT_TRUE(MoveLensCentre(state, MagnifierKey::Down));
    EXPECT_EQ(state.CentreY, 245);
    EXPECT_FALSE(MoveLensCentre(state, MagnifierKey::Down));
    EXPECT_EQ(state.CentreY, 245);
    // Left and right likewise with the width.
    state.CentreX = 10;
    EXPECT_FALSE(MoveLensCentre(state, MagnifierKey::Left));
    state.CentreX = 320;
    EXPECT_FALSE(MoveLensCentre(state, MagnifierKey::Right));
    state.CentreX = 319;
    EXPECT_TRUE(MoveLensCentre(state, MagnifierKey::Right));
    EXPECT_EQ(state.CentreX, 329);

    // The mouse moves the centre only while dragging.
    EXPECT_FALSE(FollowMouse(state, 7, 8));
    EXPECT_EQ(state.CentreX, 329);
    state.Dragging = 1;
    EXPECT_TRUE(FollowMouse(state, 7, 8));
    EXPECT_EQ(state.CentreX, 7);
    EXPECT_EQ(state.CentreY, 8);
}

TEST(ZoomRules, KeysCaptionAndSaturation) {
    SettingsRecord record;
    ApplyZoomKey(record, 1, ZoomKey::Plus);
    ApplyZoomKey(record, 1, ZoomKey::Down);
    ApplyZoomKey(record, 1, ZoomKey::Left);
    EXPECT_EQ(ZoomCaption(record, 1), "Zoom :T=10 L=-10 R=1");
    EXPECT_EQ(ZoomCaption(record, 0), "Zoom :T=0 L=0 R=0"); // one camera's values only

    // The 16-bit fields stop at their limits.
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

    // Camera numbers past the arrays change nothing.
    const SettingsRecord before = record;
    ApplyZoomKey(record, 5, ZoomKey::Plus);
    AdjustZoom(record, ZoomKey::Plus, -1, 500, 500);
    EXPECT_EQ(record.ZoomSize, before.ZoomSize);
    EXPECT_EQ(ZoomCaption(record, 5), "");
}

TEST(ZoomRules, WheelStepsStayInsideTheLimits) {
    SettingsRecord record;
    record.ZoomSize[1] = 20;
    record.ZoomTop[1] = 49;
    AdjustZoom(record, ZoomKey::Up, 1, 300, 400); // 20 + 30 is not below 49
    EXPECT_EQ(record.ZoomTop[1], 49);
    record.ZoomTop[1] = 51;
    AdjustZoom(record, ZoomKey::Up, 1, 300, 400);
    EXPECT_EQ(record.ZoomTop[1], 41);

    record.ZoomLeft[1] = 50; // 50 - 50 is not above 0
    AdjustZoom(record, ZoomKey::Left, 1, 300, 400);
    EXPECT_EQ(record.ZoomLeft[1], 50);
    record.ZoomLeft[1] = 51;
    AdjustZoom(record, ZoomKey::Left, 1, 300, 400);
    EXPECT_EQ(record.ZoomLeft[1], 41);

    record.ZoomTop[1] = 239; // 269 < 270
    AdjustZoom(record, ZoomKey::Down, 1, 300, 400);
    EXPECT_EQ(record.ZoomTop[1], 249);
    AdjustZoom(record, ZoomKey::Down, 1, 300, 400);
    EXPECT_EQ(record.ZoomTop[1], 249);

    record.ZoomLeft[1] = 319; // 319 + 10 + 20 = 349 < 400 - 50
    AdjustZoom(record, ZoomKey::Right, 1, 300, 400);
    EXPECT_EQ(record.ZoomLeft[1], 329);
    AdjustZoom(record, ZoomKey::Right, 1, 300, 400);
    EXPECT_EQ(record.ZoomLeft[1], 329);

    AdjustZoom(record, ZoomKey::Plus, 1, 300, 400);
    AdjustZoom(record, ZoomKey::Plus, 1, 300, 400);
    AdjustZoom(record, ZoomKey::Minus, 1, 300, 400);
    EXPECT_EQ(record.ZoomSize[1], 21);
    // Extreme limits neither overflow nor move past the field's range.
    record.ZoomTop[1] = 32767;
    AdjustZoom(record, ZoomKey::Down, 1, INT_MAX, INT_MAX);
    EXPECT_EQ(record.ZoomTop[1], 32767);
}

TEST(ZoomRules, StampTextFontAndCell) {
    SettingsRecord record;
    record.SiteLocation = "  Depot ";
    record.Cam1Name = " Gate\t";
    record.Cam2Name = "Yard  ";
    EXPECT_EQ(ZoomStampText(record, 1), "Depot Gate");
    EXPECT_EQ(ZoomStampText(record, 2), "Depot Yard");
    EXPECT_EQ(ZoomStampText(record, 0), "");

    EXPECT_EQ(ZoomStampFontSize(640), 17); // 17.07
    EXPECT_EQ(ZoomStampFontSize(94), 3);   // 2.507 -> 3
    EXPECT_EQ(ZoomStampFontSize(0), 1);    // at least 1

    // Red text at (5, 5); camera 0 draws nothing.
    QImage white(640, 200, QImage::Format_RGB888);
    white.fill(Qt::white);
    platform::PictureCanvas none(white);
    EXPECT_FALSE(StampZoomPicture(none, record, 0, false));
    EXPECT_EQ(none.Image(), white.convertToFormat(QImage::Format_RGB888));

    platform::PictureCanvas opaque(white);
    opaque.SetBrushColor(Qt::blue);
    ASSERT_TRUE(StampZoomPicture(opaque, record, 1, false));
    EXPECT_EQ(opaque.FontColor(), QColor(255, 0, 0));
    EXPECT_EQ(opaque.FontSize(), 17);
    EXPECT_FALSE(opaque.IsTransparent());
    int red = 0, blue = 0;
    const int cellHeight = opaque.TextHeight("Depot Gate");
    const int cellWidth = opaque.TextWidth("Depot Gate");
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 640; ++x) {
            const QColor c = opaque.Image().pixelColor(x, y);
            const bool inCell = x >= 5 && y >= 5 && x < 5 + cellWidth && y < 5 + cellHeight;
            if (c == QColor(255, 0, 0)) {
                ++red;
                EXPECT_TRUE(inCell) << x << "," << y;
            }
            blue += c == QColor(0, 0, 255);
            if (!inCell) {
                ASSERT_EQ(c, QColor(Qt::white)) << x << "," << y;
            }
        }
    EXPECT_GT(red, 50);
    EXPECT_GT(blue, 50); // an opaque cell in the brush colour

    platform::PictureCanvas clear(white);
    clear.SetBrushColor(Qt::blue);
    ASSERT_TRUE(StampZoomPicture(clear, record, 2, true));
    EXPECT_TRUE(clear.IsTransparent());
    int clearRed = 0, clearBlue = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 640; ++x) {
            const QColor c = clear.Image().pixelColor(x, y);
            clearRed += c == QColor(255, 0, 0);
            clearBlue += c == QColor(0, 0, 255);
        }
    EXPECT_GT(clearRed, 50);
    EXPECT_EQ(clearBlue, 0);
}
