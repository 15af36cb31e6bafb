#include "core/MotionDetector.h"
#include "core/SettingsRecord.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QList>
#include <QPair>

#include <array>

namespace {

// Sampled pixels of the work image: 65 even columns inside the stretched zone (0..128) and
// 8 even columns in the 16 columns that never change (130..144), over 129 rows.
constexpr int kZoneSampled = 65 * 129;
constexpr int kFixedSampled = 8 * 129;
constexpr int kAllSampled = kZoneSampled + kFixedSampled;

QImage Solid(int w, int h, QColor c) {
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(c);
    return image;
}

// Each pixel encodes its own coordinates, so a copy shows where it came from.
QImage CoordinateFrame(int w, int h) {
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 7));
    return image;
}

struct FakeCameras : MotionCameras {
    std::array<bool, 2> previewing{true, true};
    std::array<QImage, 2> frames{Solid(640, 480, Qt::darkGray), Solid(640, 480, Qt::darkGray)};
    std::array<bool, 2> zoneOn{true, true};
    std::array<ZoneRect, 2> zones{ZoneRect{100, 100, 50}, ZoneRect{100, 100, 50}};

    bool IsPreviewing(int c) const override { return previewing[size_t(c - 1)]; }
    QImage ImageBitmap(int c) const override { return frames[size_t(c - 1)]; }
    bool ZoneOn(int c) const override { return zoneOn[size_t(c - 1)]; }
    ZoneRect Zone(int c) const override { return zones[size_t(c - 1)]; }
};

// Paints the zone area of a frame with one colour.
void FillZone(QImage& frame, const ZoneRect& zone, QColor c) {
    for (int y = zone.top; y < zone.top + zone.size; ++y)
        for (int x = zone.left; x < zone.left + zone.size; ++x)
            frame.setPixelColor(x, y, c);
}

class DetectorTest : public ::testing::Test {
protected:
    SettingsRecord settings;
    FakeCameras cameras;
    MotionDetector detector{settings, cameras};

    void SetZoneColour(int camera, QColor c) {
        FillZone(cameras.frames[size_t(camera - 1)], cameras.zones[size_t(camera - 1)], c);
    }
};

} // namespace

TEST(CompareZoneBitmaps, SamplesEverySecondColumnAndRejectsSizeMismatch) {
    const QImage a = Solid(5, 3, Qt::black);
    ZoneComparison r = CompareZoneBitmaps(a, a, ChannelChoice{});
    EXPECT_EQ(r.total, 15);
    EXPECT_EQ(r.same, 9); // columns 0, 2, 4
    EXPECT_EQ(r.changed, 0);

    r = CompareZoneBitmaps(a, Solid(5, 4, Qt::black), ChannelChoice{});
    EXPECT_EQ(r.total, 0);
    EXPECT_EQ(r.same, 0);
    EXPECT_EQ(r.changed, 0);

    r = CompareZoneBitmaps(a, QImage(), ChannelChoice{});
    EXPECT_EQ(r.total, 0);

    // Odd columns are never looked at.
    QImage b = a.copy();
    for (int y = 0; y < 3; ++y)
        b.setPixel(1, y, qRgb(255, 255, 255));
    r = CompareZoneBitmaps(a, b, ChannelChoice{});
    EXPECT_EQ(r.same, 9);
}

TEST(CompareZoneBitmaps, ChannelsAndThresholdDecideWhatCounts) {
    const QImage base = Solid(2, 1, QColor(100, 100, 100));
    auto same = [&](QColor other, ChannelChoice ch) {
        return CompareZoneBitmaps(base, Solid(2, 1, other), ch).same;
    };
    const ChannelChoice all{true, true, true, 3};
    // Within or at the threshold on any watched channel: same.
    EXPECT_EQ(same(QColor(103, 97, 103), all), 1);
    // Every watched channel beyond the threshold: changed.
    EXPECT_EQ(same(QColor(104, 96, 104), all), 0);
    // Only red moved: the unchanged green and blue keep the pixel "same" ...
    EXPECT_EQ(same(QColor(200, 100, 100), all), 1);
    // ... unless red is the only channel watched.
    EXPECT_EQ(same(QColor(200, 100, 100), ChannelChoice{true, false, false, 3}), 0);
    // A switched-off channel never makes a pixel same.
    EXPECT_EQ(same(QColor(100, 200, 200), ChannelChoice{false, true, true, 3}), 0);
    EXPECT_EQ(same(QColor(100, 100, 200), ChannelChoice{false, true, true, 3}), 1);
    // A higher threshold swallows the difference.
    EXPECT_EQ(same(QColor(110, 110, 110), all), 0);
    EXPECT_EQ(same(QColor(110, 110, 110), ChannelChoice{true, true, true, 10}), 1);
}

TEST(StretchZoneInto, FillsTheFixedRectangleAndKeepsTheRightColumns) {
    const QImage frame = CoordinateFrame(640, 480);
    QImage work = Solid(kZoneImageWidth, kZoneImageHeight, QColor(1, 2, 3));
    StretchZoneInto(frame, ZoneRect{200, 100, 50}, work);

    // 50 source columns over 129 destination columns, 50 source rows over 150 rows,
    // by pixel centres.
    for (int y : {0, 1, 64, 128})
        for (int x : {0, 1, 2, 3, 64, 127, 128}) {
            const int sx = 200 + (2 * x + 1) * 50 / 258;
            const int sy = 100 + (2 * y + 1) * 50 / 300;
            EXPECT_EQ(work.pixel(x, y), frame.pixel(sx, sy)) << x << "," << y;
        }
    // The first and last destination columns reach the zone's first and last columns ...
    EXPECT_EQ(qRed(work.pixel(0, 0)), 200);
    EXPECT_EQ(qRed(work.pixel(128, 0)), 249);
    // ... but the bottom row of the work image shows a row well above the zone's bottom.
    EXPECT_EQ(qGreen(work.pixel(0, 128)), 142);

    // The 16 right-hand columns keep what was there.
    for (int y : {0, 60, 128})
        for (int x = 129; x < kZoneImageWidth; ++x)
            EXPECT_EQ(work.pixel(x, y), qRgb(1, 2, 3));
}

TEST(StretchZoneInto, OutsideTheFrameReadsBlackAndSizeZeroCopiesNothing) {
    const QImage frame = Solid(320, 240, Qt::white);
    QImage work = Solid(kZoneImageWidth, kZoneImageHeight, QColor(1, 2, 3));

    // Left of the frame (the arrow keys can push left to -5) and far past the bottom right.
    StretchZoneInto(frame, ZoneRect{-5, 200, 400}, work);
    EXPECT_EQ(work.pixel(0, 0), qRgb(0, 0, 0));   // x -5 + 1
    EXPECT_EQ(work.pixel(5, 0), qRgb(255, 255, 255));
    EXPECT_EQ(work.pixel(5, 128), qRgb(0, 0, 0)); // row 542 lies below the frame
    EXPECT_EQ(work.pixel(128, 0), qRgb(0, 0, 0)); // column 393 lies right of it
    EXPECT_EQ(work.pixel(140, 10), qRgb(1, 2, 3));

    // Entirely outside and a null frame: black, no crash.
    StretchZoneInto(frame, ZoneRect{5000, -5000, 30}, work);
    EXPECT_EQ(work.pixel(64, 64), qRgb(0, 0, 0));
    work.fill(QColor(1, 2, 3));
    StretchZoneInto(QImage(), ZoneRect{0, 0, 30}, work);
    EXPECT_EQ(work.pixel(64, 64), qRgb(0, 0, 0));

    // Size 0 (and a negative size) leaves the work image as it was.
    work.fill(QColor(1, 2, 3));
    StretchZoneInto(frame, ZoneRect{10, 10, 0}, work);
    StretchZoneInto(frame, ZoneRect{10, 10, -20}, work);
    EXPECT_EQ(work.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(work.pixel(128, 128), qRgb(1, 2, 3));
}

TEST(MotionText, LastFiveOfAtLeastSixDigits) {
    EXPECT_EQ(MotionText(1234567), "MO 34567");
    EXPECT_EQ(MotionText(123), "MO 00123");
    EXPECT_EQ(MotionText(0), "MO 00000");
    EXPECT_EQ(MotionText(99999), "MO 99999");
}

TEST_F(DetectorTest, StillSceneNeverFiresAndTheFirstPollPrimes) {
    // The first poll compares with an empty previous zone: nothing same, no motion.
    EXPECT_FALSE(detector.CheckMotionZoneCam1());
    EXPECT_EQ(detector.PreviousCount(1), 0);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(detector.CheckMotionZoneCam1());
        EXPECT_EQ(detector.PreviousCount(1), kAllSampled);
    }
    EXPECT_EQ(detector.LastMotionText(1), "MO 00000");
    EXPECT_EQ(detector.Image2(1).size(), QSize(kZoneImageWidth, kZoneImageHeight));
    EXPECT_EQ(detector.Image3(1), detector.Image2(1));
    EXPECT_EQ(detector.Image1(1).Image().size(), QSize(640, 480));
}

TEST_F(DetectorTest, FirstPollsAfterStartNeverFire) {
    // With sensitivity 0 any difference would fire once a previous count exists. The first
    // poll has no previous zone (count 0), and the second still compares against count 0.
    settings.Sensitivity1 = 0;
    SetZoneColour(1, Qt::white);
    EXPECT_FALSE(detector.CheckMotionZoneCam1());
    EXPECT_FALSE(detector.CheckMotionZoneCam1());
    EXPECT_FALSE(detector.CheckMotionZoneCam1()); // still: d = 0 is not > 0
    SetZoneColour(1, Qt::black);
    EXPECT_TRUE(detector.CheckMotionZoneCam1());
}

TEST_F(DetectorTest, BrightnessChangeFiresOnceDExceedsSensitivityAndAgainOnReturn) {
    settings.Sensitivity1 = 3000;
    detector.CheckMotionZoneCam1();
    detector.CheckMotionZoneCam1();

    // Every zone pixel changes: the same count drops by the zone's sampled pixels.
    SetZoneColour(1, Qt::white);
    EXPECT_TRUE(detector.CheckMotionZoneCam1());
    EXPECT_EQ(detector.PreviousCount(1), kFixedSampled);
    EXPECT_EQ(detector.LastMotionText(1), MotionText(kZoneSampled));
    // The count jumps back up on the next still poll: that is a jump too.
    EXPECT_TRUE(detector.CheckMotionZoneCam1());
    EXPECT_FALSE(detector.CheckMotionZoneCam1());

    // The scene returns.
    SetZoneColour(1, Qt::darkGray);
    EXPECT_TRUE(detector.CheckMotionZoneCam1());
    EXPECT_TRUE(detector.CheckMotionZoneCam1());
    EXPECT_FALSE(detector.CheckMotionZoneCam1());

    // d must exceed the sensitivity, not merely reach it.
    settings.Sensitivity1 = kZoneSampled;
    SetZoneColour(1, Qt::white);
    EXPECT_FALSE(detector.CheckMotionZoneCam1());
    EXPECT_FALSE(detector.CheckMotionZoneCam1());
    settings.Sensitivity1 = kZoneSampled - 1;
    SetZoneColour(1, Qt::darkGray);
    EXPECT_TRUE(detector.CheckMotionZoneCam1());
}

TEST_F(DetectorTest, SensitivityAboveTheSampledCountNeverFires) {
    settings.Sensitivity2 = kAllSampled + 1;
    const QList<QColor> scenes{Qt::black, Qt::white, Qt::black, Qt::red, Qt::white};
    for (const QColor& c : scenes) {
        cameras.frames[1].fill(c);
        EXPECT_FALSE(detector.CheckMotionZoneCam2());
    }
    EXPECT_EQ(detector.CameraSensitivity(2), kAllSampled + 1);
    EXPECT_EQ(detector.CameraSensitivity(1), settings.Sensitivity1);
}

TEST_F(DetectorTest, ChannelBoxesAndThresholdDecideWhichDifferencesCount) {
    settings.Sensitivity1 = 1000;
    auto primeThenChangeZoneTo = [&](QColor before, QColor after) {
        SetZoneColour(1, before);
        detector.CheckMotionZoneCam1();
        detector.CheckMotionZoneCam1();
        SetZoneColour(1, after);
        return detector.CheckMotionZoneCam1();
    };
    // Red alone moves: with all three channels watched, green and blue keep pixels same.
    EXPECT_FALSE(primeThenChangeZoneTo(QColor(50, 50, 50), QColor(200, 50, 50)));
    settings.ScanGreen = settings.ScanBlue = false;
    EXPECT_TRUE(primeThenChangeZoneTo(QColor(50, 50, 50), QColor(200, 50, 50)));
    settings.ScanRed = false;
    settings.ScanBlue = true;
    EXPECT_FALSE(primeThenChangeZoneTo(QColor(50, 50, 50), QColor(200, 50, 50)));

    // A small change on all channels counts below the threshold only.
    settings.ScanRed = settings.ScanGreen = settings.ScanBlue = true;
    settings.ColorThreshold = 3;
    EXPECT_TRUE(primeThenChangeZoneTo(QColor(50, 50, 50), QColor(56, 56, 56)));
    settings.ColorThreshold = 6;
    EXPECT_FALSE(primeThenChangeZoneTo(QColor(50, 50, 50), QColor(56, 56, 56)));
}

TEST_F(DetectorTest, ZoneWindowPassUsesThresholdTenOnAllChannelsAndSharesTheCount) {
    settings.Sensitivity2 = 1000;
    settings.ScanRed = true;
    settings.ScanGreen = settings.ScanBlue = false;
    settings.ColorThreshold = 2;
    detector.CheckMotionZoneCam2();
    detector.CheckZoneWindowMotionCam2();
    EXPECT_EQ(detector.PreviousCount(2), kAllSampled);

    // A change of 8 on every channel is motion for the loop's threshold of 2 ...
    SetZoneColour(2, QColor(50, 50, 50));
    EXPECT_TRUE(detector.CheckMotionZoneCam2());
    detector.CheckMotionZoneCam2();
    // ... while the window's pass sees a change of 8 <= 10 as same.
    SetZoneColour(2, QColor(58, 58, 58));
    EXPECT_FALSE(detector.CheckZoneWindowMotionCam2());
    EXPECT_EQ(detector.LastMotionText(2), "MO 00000");
    // Red alone moving is motion for the loop's red-only choice but not for the window.
    SetZoneColour(2, QColor(200, 58, 58));
    EXPECT_FALSE(detector.CheckZoneWindowMotionCam2());
}

TEST_F(DetectorTest, DisplayHooksFollowZoneBoxPanelAndZoneWindows) {
    QList<QPair<int, QString>> texts;
    QList<int> captions, counters, markers;
    std::array<bool, 2> windowVisible{false, false};
    bool panel1 = true;
    MotionDetectorHooks& h = detector.Hooks();
    h.DrawPictureCaption = [&](platform::PictureCanvas& image, int c) {
        EXPECT_EQ(image.Image().size(), QSize(640, 480));
        captions << c;
    };
    h.Panel1Visible = [&] { return panel1; };
    h.ShowMotionText = [&](int c, const QString& t) { texts << qMakePair(c, t); };
    h.ZoneWindowVisible = [&](int c) { return windowVisible[size_t(c - 1)]; };
    h.DrawMotionCounter = [&](platform::PictureCanvas&, qint32 d) { counters << d; };
    h.DrawTargetMarker = [&](platform::PictureCanvas&, int x, int y, int c) {
        EXPECT_EQ(x, cameras.zones[size_t(c - 1)].left);
        EXPECT_EQ(y, cameras.zones[size_t(c - 1)].top);
        markers << c;
    };

    detector.CheckMotionZoneCam1();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(texts[0], qMakePair(1, QStringLiteral("MO 00000")));
    EXPECT_TRUE(counters.isEmpty());

    // Camera 1 draws its counter while either zone window is up; camera 2 only in its own.
    windowVisible = {false, true};
    detector.CheckMotionZoneCam1();
    detector.CheckMotionZoneCam2();
    EXPECT_EQ(markers, (QList<int>{1, 2}));
    windowVisible = {true, false};
    detector.CheckMotionZoneCam1();
    detector.CheckMotionZoneCam2();
    EXPECT_EQ(markers, (QList<int>{1, 2, 1}));
    EXPECT_EQ(counters.size(), 3);

    // Panel1 hidden: the text is kept but not shown.
    panel1 = false;
    texts.clear();
    settings.Sensitivity1 = 100;
    SetZoneColour(1, Qt::white);
    EXPECT_TRUE(detector.CheckMotionZoneCam1());
    EXPECT_TRUE(texts.isEmpty());
    EXPECT_EQ(detector.LastMotionText(1), MotionText(kZoneSampled));
    EXPECT_EQ(captions, QList<int>{1});

    // Zone box off: no text, counter or marker, but detection goes on.
    cameras.zoneOn[0] = false;
    panel1 = true;
    counters.clear();
    markers.clear();
    EXPECT_TRUE(detector.CheckMotionZoneCam1());
    EXPECT_TRUE(texts.isEmpty());
    EXPECT_TRUE(counters.isEmpty());
    EXPECT_TRUE(markers.isEmpty());
    EXPECT_EQ(captions, (QList<int>{1, 1}));
}

TEST_F(DetectorTest, TransparentBoxTurnsTheFrameCanvasTransparentAndItStays) {
    bool transparentBox = false;
    detector.Hooks().CaptionTransparent = [&] { return transparentBox; };
    detector.CheckMotionZoneCam1();
    EXPECT_FALSE(detector.Image1(1).IsTransparent());
    transparentBox = true;
    detector.CheckMotionZoneCam1();
    EXPECT_TRUE(detector.Image1(1).IsTransparent());
    // The canvas keeps its mode with the next frame; only drawing code sets it back.
    transparentBox = false;
    detector.CheckMotionZoneCam1();
    EXPECT_TRUE(detector.Image1(1).IsTransparent());
    EXPECT_FALSE(detector.Image1(2).IsTransparent());
}

TEST_F(DetectorTest, CameraNotPreviewingChangesNothing) {
    detector.CheckMotionZoneCam1();
    detector.CheckMotionZoneCam1();
    const QImage image1 = detector.Image1(1).Image();
    cameras.previewing[0] = false;
    SetZoneColour(1, Qt::white);
    EXPECT_FALSE(detector.CheckMotionZoneCam1());
    EXPECT_EQ(detector.PreviousCount(1), kAllSampled);
    EXPECT_EQ(detector.Image1(1).Image(), image1);
}

TEST_F(DetectorTest, ZoneOverrunningTheFrameComparesBlackOutside) {
    // Mostly off the frame at the bottom right: 13 destination columns and 15 rows map onto
    // the frame's last 40 x 40 pixels, so 7 sampled columns x 15 rows are live.
    cameras.zones[0] = ZoneRect{600, 440, 400};
    settings.Sensitivity1 = 50;
    detector.CheckMotionZoneCam1();
    EXPECT_FALSE(detector.CheckMotionZoneCam1());
    EXPECT_EQ(detector.Image2(1).pixel(0, 0), qRgb(128, 128, 128));
    EXPECT_EQ(detector.Image2(1).pixel(13, 0), qRgb(0, 0, 0));
    EXPECT_EQ(detector.Image2(1).pixel(0, 15), qRgb(0, 0, 0));

    FillZone(cameras.frames[0], ZoneRect{600, 440, 40}, Qt::white);
    EXPECT_TRUE(detector.CheckMotionZoneCam1());
    EXPECT_EQ(detector.LastMotionText(1), MotionText(7 * 15));

    // A zone of size 0 copies nothing: the previous zone picture stays, a still scene.
    cameras.zones[0] = ZoneRect{100, 100, 0};
    detector.CheckMotionZoneCam1();
    EXPECT_FALSE(detector.CheckMotionZoneCam1());
    EXPECT_EQ(detector.Image2(1), detector.Image3(1));
}
