#include "core/MotionDetector.h"
#include "core/SettingsRecord.h"

#include <gtest/gtest.h>

#include <QList>

#include <array>

namespace {

// Sampled pixels of the work image: 65 even columns inside the stretched zone (0..128) and
// 8 even columns in the 16 columns that never change (130..144), over 129 rows.
constexpr int kZoneSampled = 65 * 129;
constexpr int kAllSampled = kZoneSampled + 8 * 129;

QImage Solid(int w, int h, QColor c) {
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(c);
    return image;
}

void FillRect(QImage& image, const ZoneRect& r, QColor c) {
    for (int y = r.top; y < r.top + r.size; ++y)
        for (int x = r.left; x < r.left + r.size; ++x)
            image.setPixelColor(x, y, c);
}

struct FakeCameras : MotionCameras {
    std::array<bool, 2> previewing{true, true};
    std::array<QImage, 2> frames{Solid(640, 480, Qt::darkGray), Solid(640, 480, Qt::darkGray)};
    std::array<bool, 2> zoneOn{true, true};
    std::array<ZoneRect, 2> zones{ZoneRect{100, 100, 50}, ZoneRect{100, 100, 50}};
    std::array<quint64, 2> runs{1, 1};

    bool IsPreviewing(int c) const override { return previewing[size_t(c - 1)]; }
    QImage ImageBitmap(int c) const override { return frames[size_t(c - 1)]; }
    bool ZoneOn(int c) const override { return zoneOn[size_t(c - 1)]; }
    ZoneRect Zone(int c) const override { return zones[size_t(c - 1)]; }
    quint64 RunNumber(int c) const override { return runs[size_t(c - 1)]; }
};

class DetectorTest : public ::testing::Test {
protected:
    void SetZone(int c, QColor colour) {
        FillRect(cameras.frames[size_t(c - 1)], cameras.zones[size_t(c - 1)], colour);
    }
    // Two still polls, after which the previous count is set.
    void Prime(int c) {
        for (int i = 0; i < 2; ++i)
            c == 1 ? detector.CheckMotionZoneCam1() : detector.CheckMotionZoneCam2();
    }

    SettingsRecord settings;
    FakeCameras cameras;
    MotionDetector detector{settings, cameras};
};

} // namespace

TEST(CompareZoneBitmaps, SamplingSizesChannelsAndThreshold) {
    const QImage a = Solid(5, 3, Qt::black);
    QImage b = a.copy();
    for (int y = 0; y < 3; ++y)
        b.setPixel(1, y, qRgb(255, 255, 255)); // odd columns are never looked at
    ZoneComparison r = CompareZoneBitmaps(a, b, ChannelChoice{});
    EXPECT_EQ((std::array{r.total, r.same, r.changed}), (std::array{15, 9, 0}));
    r = CompareZoneBitmaps(a, Solid(5, 4, Qt::black), ChannelChoice{});
    EXPECT_EQ(r.total + r.same + r.changed, 0);

    auto same = [](QColor other, ChannelChoice ch) {
        return CompareZoneBitmaps(Solid(1, 1, QColor(100, 100, 100)), Solid(1, 1, other), ch).same;
    };
    // At the threshold is still the same; which channels count is checked through the detector.
    EXPECT_EQ(same(QColor(103, 97, 103), ChannelChoice{true, true, true, 3}), 1);
    EXPECT_EQ(same(QColor(104, 96, 104), ChannelChoice{true, true, true, 3}), 0);
}

TEST(StretchZoneInto, FixedRectangleRightColumnsKeptOutsideBlack) {
    QImage frame(640, 480, QImage::Format_RGB888);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            frame.setPixel(x, y, qRgb(x % 256, y % 256, 7));
    QImage work = Solid(kZoneImageWidth, kZoneImageHeight, QColor(1, 2, 3));
    StretchZoneInto(frame, ZoneRect{200, 100, 50}, work);
    // 50 columns onto 129, 50 rows onto 150 of which 129 exist.
    EXPECT_EQ(work.pixel(0, 0), frame.pixel(200, 100));
    EXPECT_EQ(work.pixel(1, 1), frame.pixel(200, 100)); // enlarged: rows and columns repeat
    EXPECT_EQ(qRed(work.pixel(128, 0)), 249);   // the zone's last column is reached ...
    EXPECT_EQ(qGreen(work.pixel(0, 128)), 142); // ... its lower rows are not
    EXPECT_EQ(work.pixel(129, 0), qRgb(1, 2, 3));
    EXPECT_EQ(work.pixel(144, 128), qRgb(1, 2, 3));

    // Left at -5 and sizes reaching past the frame read black outside it.
    const QImage small = Solid(320, 240, Qt::white);
    StretchZoneInto(small, ZoneRect{-5, 200, 400}, work);
    EXPECT_EQ((std::array{work.pixel(0, 0), work.pixel(5, 0), work.pixel(5, 128), work.pixel(128, 0)}),
              (std::array{qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(0, 0, 0)}));
    StretchZoneInto(QImage(), ZoneRect{0, 0, 30}, work);
    EXPECT_EQ(work.pixel(64, 64), qRgb(0, 0, 0));

    // Size 0 (or below) copies nothing.
    work.fill(QColor(1, 2, 3));
    StretchZoneInto(small, ZoneRect{10, 10, 0}, work);
    StretchZoneInto(small, ZoneRect{10, 10, -20}, work);
    EXPECT_EQ(work, Solid(kZoneImageWidth, kZoneImageHeight, QColor(1, 2, 3)));
}

TEST_F(DetectorTest, FiresOnlyWhenTheSameCountJumpsBeyondTheSensitivity) {
    EXPECT_EQ(QStringList({MotionText(1234567), MotionText(123)}), QStringList({"MO 34567", "MO 00123"}));
    // The first two polls compare against a count of 0 and never fire, even at sensitivity 0.
    settings.Sensitivity1 = 0;
    SetZone(1, Qt::white);
    EXPECT_FALSE(detector.CheckMotionZoneCam1());
    EXPECT_FALSE(detector.CheckMotionZoneCam1());
    EXPECT_EQ(detector.PreviousCount(1), kAllSampled);
    EXPECT_FALSE(detector.CheckMotionZoneCam1()); // still scene: d = 0

    // A change of every zone pixel: d = the zone's sampled count, once down and once back.
    settings.Sensitivity1 = 3000;
    SetZone(1, Qt::darkGray);
    EXPECT_TRUE(detector.CheckMotionZoneCam1());
    EXPECT_EQ(detector.LastMotionText(1), MotionText(kZoneSampled));
    EXPECT_TRUE(detector.CheckMotionZoneCam1());
    EXPECT_FALSE(detector.CheckMotionZoneCam1());

    // d must exceed the sensitivity, not reach it.
    settings.Sensitivity1 = kZoneSampled;
    SetZone(1, Qt::white);
    EXPECT_FALSE(detector.CheckMotionZoneCam1());
    EXPECT_FALSE(detector.CheckMotionZoneCam1());
    settings.Sensitivity1 = kZoneSampled - 1;
    SetZone(1, Qt::darkGray);
    EXPECT_TRUE(detector.CheckMotionZoneCam1());

    // A sensitivity above the sampled count never fires, whatever the scene does.
    settings.Sensitivity2 = kAllSampled + 1;
    for (QColor c : {Qt::black, Qt::white, Qt::black, Qt::white}) {
        cameras.frames[1].fill(c);
        EXPECT_FALSE(detector.CheckMotionZoneCam2());
    }
}

TEST_F(DetectorTest, ChannelBoxesThresholdAndTheZoneWindowPass) {
    settings.Sensitivity1 = settings.Sensitivity2 = 1000;
    auto fires = [&](int c, QColor before, QColor after, bool windowPass = false) {
        SetZone(c, before);
        Prime(c);
        SetZone(c, after);
        return windowPass ? detector.CheckZoneWindowMotionCam2()
                          : (c == 1 ? detector.CheckMotionZoneCam1() : detector.CheckMotionZoneCam2());
    };
    const QColor grey(50, 50, 50);
    EXPECT_FALSE(fires(1, grey, QColor(200, 50, 50))); // green and blue stayed
    settings.ScanGreen = settings.ScanBlue = false;
    EXPECT_TRUE(fires(1, grey, QColor(200, 50, 50)));
    EXPECT_FALSE(fires(1, grey, QColor(50, 200, 200)));
    settings.ScanRed = settings.ScanGreen = settings.ScanBlue = true;
    EXPECT_TRUE(fires(1, grey, QColor(56, 56, 56)));
    settings.ColorThreshold = 6;
    EXPECT_FALSE(fires(1, grey, QColor(56, 56, 56)));

    // The zone window's pass ignores the choice: threshold 10, all channels.
    settings.ScanGreen = settings.ScanBlue = false;
    settings.ColorThreshold = 2;
    EXPECT_TRUE(fires(2, grey, QColor(58, 58, 58)));
    EXPECT_FALSE(fires(2, grey, QColor(58, 58, 58), true));
    EXPECT_FALSE(fires(2, grey, QColor(200, 50, 50), true));
    EXPECT_EQ(detector.LastMotionText(2), "MO 00000"); // shared with the loop's check
}

TEST_F(DetectorTest, ZoneOverrunningTheFrameSeesOnlyItsLivePart) {
    // 13 destination columns and 15 rows land on the frame's last 40 x 40 pixels, so
    // 7 sampled columns x 15 rows are live; the rest reads black.
    cameras.zones[0] = ZoneRect{600, 440, 400};
    settings.Sensitivity1 = 50;
    Prime(1);
    EXPECT_FALSE(detector.CheckMotionZoneCam1());
    FillRect(cameras.frames[0], ZoneRect{600, 440, 40}, Qt::white);
    EXPECT_TRUE(detector.CheckMotionZoneCam1());
    EXPECT_EQ(detector.LastMotionText(1), MotionText(7 * 15));
    EXPECT_EQ(detector.ZoneImage(1).pixel(13, 0), qRgb(0, 0, 0));
}

// Polls a still scene `times` times; true when any of them fired.
static bool AnyFires(MotionDetector& detector, int camera, int times) {
    bool fired = false;
    for (int i = 0; i < times; ++i)
        fired = (camera == 1 ? detector.CheckMotionZoneCam1() : detector.CheckMotionZoneCam2()) || fired;
    return fired;
}

TEST_F(DetectorTest, AStartIsNeverTakenForMotion) {
    settings.Sensitivity1 = 500;
    settings.Sensitivity2 = 500;
    Prime(1);
    ASSERT_FALSE(AnyFires(detector, 1, 2));

    // Surveillance restarted after the light changed: the old zone is gone with the reset.
    cameras.frames[0].fill(Qt::lightGray);
    detector.ResetPreviousCounts();
    EXPECT_FALSE(AnyFires(detector, 1, 6));

    // Camera 1 switched off and on while surveillance runs: a poll while it is off, polls
    // before its first frame, then a darker still scene.
    cameras.previewing[0] = false;
    EXPECT_FALSE(AnyFires(detector, 1, 1));
    cameras.previewing[0] = true;
    cameras.runs[0] = 2;
    cameras.frames[0] = QImage();
    EXPECT_FALSE(AnyFires(detector, 1, 2));
    EXPECT_EQ(detector.PreviousCount(1), 0); // a missing frame changes nothing
    cameras.frames[0] = Solid(640, 480, Qt::darkGray);
    EXPECT_FALSE(AnyFires(detector, 1, 6));

    // Motion pressed before camera 2's first frame.
    MotionDetector fresh{settings, cameras};
    cameras.frames[1] = QImage();
    fresh.ResetPreviousCounts();
    EXPECT_FALSE(AnyFires(fresh, 2, 3));
    cameras.frames[1] = Solid(640, 480, Qt::gray);
    EXPECT_FALSE(AnyFires(fresh, 2, 6));

    // A real change still fires, on both.
    SetZone(1, Qt::white);
    EXPECT_TRUE(detector.CheckMotionZoneCam1());
    SetZone(2, Qt::white);
    EXPECT_TRUE(fresh.CheckMotionZoneCam2());
}
