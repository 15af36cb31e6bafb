#include "core/CaptionColors.h"
#include "core/PictureCaption.h"
#include "core/SettingsRecord.h"
#include "core/ZoneOverlay.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

using platform::PictureCanvas;

namespace {

const QColor kGround(20, 140, 70);
constexpr qint64 kMB = 1048576;

QImage Frame(int w = 640, int h = 480) {
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(kGround);
    return image;
}

// Every pixel that differs from the plain frame.
QRegion Changed(const QImage& image) {
    QRegion region;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0, start = -1; x <= image.width(); ++x) {
            const bool changed = x < image.width() && image.pixelColor(x, y) != kGround;
            if (changed && start < 0)
                start = x;
            else if (!changed && start >= 0)
                region += QRect(start, y, x - start, 1), start = -1;
        }
    return region;
}

class CaptionTest : public ::testing::Test {
protected:
    CaptionTest() : captions(record, choices) {
        record.SiteLocation = " Depot ";
        record.Cam1Name = "Gate ";
        record.Cam2Name = " Yard";
        record.CaptionFontName = "Courier New";
        record.CaptionFontSize = 10;
        record.DateFormatIndex = 1;
        auto& h = captions.Hooks();
        h.now = [] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); };
        h.display = [this](int camera, const QImage& picture, CaptionDisplay what) {
            displayed.push_back({camera, what, picture.size()});
        };
        h.diskSpace = [this](const QString& folder) {
            folders.push_back(folder);
            return disk;
        };
        h.pictureCount = [this](int camera) { return camera == 1 ? count1 : count2; };
        h.timeLapse = [this] { return timeLapse; };
        h.diskStatsTicked = [this] { return diskStats; };
        canvas.SetImage(Frame());
    }

    // The text cell of a caption line in the caption font.
    QRect Cell(int x, int y, const QString& text) const {
        return QRect(x, y, canvas.TextWidth(text), canvas.TextHeight(text));
    }

    SettingsRecord record;
    CaptionChoices choices;
    PictureCaptions captions;
    PictureCanvas canvas;
    std::vector<std::tuple<int, CaptionDisplay, QSize>> displayed;
    std::vector<QString> folders;
    CaptionDiskSpace disk{"/srv", 3 * 1024 * kMB, 10 * 1024 * kMB};
    CaptionTimeLapse timeLapse;
    int count1 = 0, count2 = 0;
    bool diskStats = false;
};

} // namespace

TEST_F(CaptionTest, ClassicLayoutFillsBothCellsAndHandsThePictureOn) {
    // The pixels are pinned by SavedPictureCaptionStaysPixelIdentical.
    captions.DrawPictureCaption(canvas, 1);
    ASSERT_EQ(displayed.size(), 1u);
    EXPECT_EQ(displayed[0], std::tuple(1, CaptionDisplay::CopyAndMagnifier, QSize(640, 480)));

    // Any camera but 1 is camera 2; a blank site drops out; a damaged format index gives the default.
    EXPECT_EQ(captions.LocationText(5), "Depot Yard");
    record.SiteLocation = "   ";
    EXPECT_EQ(captions.LocationText(2), "Yard");
    record.DateFormatIndex = 42;
    EXPECT_TRUE(captions.DateText().endsWith("5-2026-14:07:09")) << captions.DateText().toStdString();
}

TEST_F(CaptionTest, CaptionFontAndColourRules) {
    canvas.SetFontSize(12);
    canvas.SetFontName("Arial");
    record.CaptionFontSize = 0; // size 0 and a blank name keep what the canvas had
    record.CaptionFontName = "  ";
    const QColor yellow(255, 255, 0), blue(0, 0, 255), red(Qt::red), black(Qt::black), white(Qt::white);
    for (auto [text, back, font, brush] : {std::tuple{4, 3, yellow, blue},
                                           {5, 5, red, black},    // equal colours: red on black
                                           {9, -2, white, black}, // damaged indexes: the defaults
                                           {9, 4, white, yellow},
                                           {1, 77, red, black}}) { // a default meeting the other
        record.CaptionTextColor = qint16(text);
        record.CaptionBackColor = qint16(back);
        captions.ApplyCaptionFont(canvas);
        EXPECT_EQ(std::pair(canvas.FontColor(), canvas.BrushColor()), std::pair(font, brush)) << text << "/" << back;
    }
    EXPECT_EQ(canvas.FontSize(), 12);
    EXPECT_EQ(canvas.FontName(), "Arial");
    EXPECT_FALSE(canvas.IsTransparent());
    record.CaptionTransparent = true;
    captions.ApplyCaptionFont(canvas);
    EXPECT_TRUE(canvas.IsTransparent());

    // The window's rows; transparency is only ever switched on here.
    choices.fontColorRow = 2;
    choices.backColorRow = 5;
    captions.ApplyCaptionColors(canvas);
    EXPECT_EQ(std::pair(canvas.FontColor(), canvas.BrushColor()), std::pair(red, QColor(192, 192, 192)));
    EXPECT_TRUE(canvas.IsTransparent());
    canvas.SetTransparent(false);
    choices.transparent = true;
    captions.ApplyCaptionColors(canvas);
    EXPECT_TRUE(canvas.IsTransparent());
}

TEST_F(CaptionTest, TransparentCaptionLeavesThePictureAroundTheGlyphs) {
    record.CaptionTransparent = true;
    record.SiteLocation = "";
    record.Cam1Name = " NORTH ";
    captions.DrawPictureCaption(canvas, 1);
    const QRect top = Cell(5, 5, "NORTH");
    const QRegion inCell = Changed(canvas.Image()).intersected(top);
    // Glyph pixels only: far fewer than the cell, none above the capitals' tops.
    int count = 0;
    for (const QRect& r : inCell)
        count += r.width() * r.height();
    EXPECT_GT(count, 0);
    EXPECT_LT(count, top.width() * top.height() / 2);
    EXPECT_EQ(canvas.Image().pixelColor(top.topLeft()), kGround);
    EXPECT_EQ(canvas.Image().pixelColor(top.topRight()), kGround);
}

TEST_F(CaptionTest, DiskStatisticsFollowPicturesAndTimeLapse) {
    EXPECT_EQ(captions.DiskStatsLines(1), QStringList({"Total Space Drive /srv 10240 Mbytes", "30% free 3072 Mbytes",
                                                       "", "", "", "Bytes Free 3221225472"}));
    EXPECT_EQ(folders.back(), record.Cam1Folder);
    // First picture: remembered, but no size before the second one.
    auto afterPicture = [&](int& count, qint64 usedBytes) {
        ++count;
        disk.freeBytes -= usedBytes;
        return captions.DiskStatsLines(1);
    };
    EXPECT_EQ(afterPicture(count1, 200 * 1024)[2], "");
    EXPECT_EQ(afterPicture(count1, 300 * 1024 + 300)[2], "Image Size 300K");

    // Time lapse every minute: 60 pictures an hour of the 2 MB just used.
    timeLapse = {true, 60000, 100};
    disk.freeBytes -= 2 * kMB;
    QStringList lines = captions.DiskStatsLines(1);
    EXPECT_EQ(lines[3], QString("Time lapse min free=100 Remaining=%1").arg(disk.freeBytes / kMB - 100));
    EXPECT_EQ(lines[4], "Mbytes per hour 120");

    // Camera 2 keeps its own state and folder.
    record.Cam2Folder = "/srv/cam2/";
    lines = captions.DiskStatsLines(2);
    EXPECT_EQ(lines[2] + lines[4], "");
    EXPECT_EQ(folders.back(), "/srv/cam2/");
    timeLapse.enabled = false;
    lines = captions.DiskStatsLines(1);
    EXPECT_EQ(lines[2] + lines[3] + lines[4], "Image Size 300K");

    // Past 4 GB free the size still comes from the full figures.
    disk = {"/big", 6 * 1024 * kMB + 50 * kMB, 8 * 1024 * kMB};
    afterPicture(count1, 0);
    EXPECT_EQ(afterPicture(count1, 512 * 1024)[2], "Image Size 512K");
}

TEST_F(CaptionTest, DiskStatisticsBlockIsDrawnBelowTheTopLineUnlessTheDriveReadsZero) {
    diskStats = true;
    captions.DrawPictureCaption(canvas, 1);
    const int h = canvas.TextHeight("");
    // First, second and sixth lines; empty lines still take their step.
    const QRegion changed = Changed(canvas.Image());
    for (const QRect& cell : {Cell(5, 20, "Total Space Drive /srv 10240 Mbytes"),
                              Cell(5, 20 + (h + 1), "30% free 3072 Mbytes"),
                              Cell(5, 20 + 5 * (h + 1), "Bytes Free 3221225472")})
        EXPECT_EQ(changed.intersected(cell), QRegion(cell));
    EXPECT_TRUE(changed.intersected(QRect(5, 20 + 2 * (h + 1), 600, 3 * (h + 1) - 1)).isEmpty());
    // The caption's own colour comes back for the lines after the block.
    EXPECT_EQ(canvas.FontColor(), QColor(Qt::white));

    // A drive whose size reads 0: no block at all, and no division by it.
    disk.totalBytes = 0;
    EXPECT_TRUE(captions.DiskStatsLines(1).isEmpty());
    canvas.SetImage(Frame());
    captions.DrawPictureCaption(canvas, 1);
    EXPECT_TRUE(Changed(canvas.Image()).intersected(QRect(0, 20, 640, 100)).isEmpty());
}

TEST(ZoneOverlay, HugeZonesAreClippedToThePicture) {
    constexpr int kMax = std::numeric_limits<int>::max();
    PictureCanvas canvas(Frame(40, 40));
    DrawZoneFrame(canvas, 10, 12, kMax); // drawn at once: only the picture's pixels are touched
    const QColor white(Qt::white), black(Qt::black);
    EXPECT_EQ(canvas.Image().pixelColor(10, 12), white);
    EXPECT_EQ(canvas.Image().pixelColor(39, 12), white); // the top edge runs off the right
    EXPECT_EQ(canvas.Image().pixelColor(10, 39), white);
    EXPECT_EQ(canvas.Image().pixelColor(9, 11), black);
    EXPECT_EQ(canvas.Image().pixelColor(25, 25), kGround); // the cross lies far outside
    EXPECT_EQ(Changed(canvas.Image()).boundingRect(), QRect(9, 11, 31, 29));

    // Corners past the 32-bit limit do not wrap round onto the picture.
    PictureCanvas far(Frame(40, 40));
    DrawZoneFrame(far, kMax - 5, 0, 100);
    EXPECT_TRUE(Changed(far.Image()).isEmpty());
    DrawZoneFrame(far, 0, kMax - 1, kMax);
    EXPECT_TRUE(Changed(far.Image()).isEmpty());
    DrawTargetMarker(far, kMax - 5, kMax - 5, kMax, false, 8);
    EXPECT_TRUE(Changed(far.Image()).isEmpty());
}

// The caption stamped on a saved picture, pixel for pixel, for one fixed frame and time: how
// the live view is drawn must never change what the picture store keeps. The digest was taken
// with the fonts of scripts/install-deps.sh.
TEST_F(CaptionTest, SavedPictureCaptionStaysPixelIdentical) {
    QImage frame(320, 240, QImage::Format_RGB888);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            frame.setPixel(x, y, qRgb(x * 255 / 319, y * 255 / 239, (x + y) % 256));
    auto digest = [&](int camera) {
        PictureCanvas picture;
        picture.SetImage(frame);
        captions.DrawPictureCaption(picture, camera);
        QCryptographicHash hash(QCryptographicHash::Sha1);
        const QImage& image = picture.Image();
        for (int y = 0; y < image.height(); ++y)
            hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)),
                                        image.width() * 3));
        return hash.result().toHex().toStdString();
    };
    EXPECT_EQ(digest(1), "6eff467e6e70ccf75439ec7caedaae3be9942a9a");
    EXPECT_EQ(digest(2), "68226b467da34ce8ff1121463d8309fba445661d");
}
