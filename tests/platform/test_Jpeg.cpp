#include "platform/Jpeg.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace platform;

namespace {

// Smooth gradients with a bright block: survives JPEG at quality 100 almost unchanged.
QImage TestFrame(int w = 96, int h = 64) {
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool block = x >= 16 && x < 48 && y >= 16 && y < 40;
            image.setPixelColor(x, y, block ? QColor(250, 250, 40) : QColor(x * 2, y * 3, 128));
        }
    return image;
}

double MeanAbsDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* pa = a.constScanLine(y);
        const uchar* pb = b.constScanLine(y);
        for (int i = 0; i < a.width() * 3; ++i)
            sum += std::abs(int(pa[i]) - int(pb[i]));
    }
    return sum / (a.width() * a.height() * 3.0);
}

QByteArray Encoded(const QImage& image, int quality = 100) {
    QByteArray data;
    EXPECT_TRUE(EncodeJpeg(image, quality, &data));
    return data;
}

} // namespace

TEST(Jpeg, RoundTripKeepsSizeAndPixels) {
    const QImage frame = TestFrame();
    const QByteArray data = Encoded(frame);
    QImage back;
    QString error;
    ASSERT_TRUE(DecodeJpeg(data, &back, &error)) << error.toStdString();
    EXPECT_EQ(back.format(), QImage::Format_RGB888);
    EXPECT_EQ(back.size(), frame.size());
    EXPECT_LT(MeanAbsDifference(frame, back), 2.0);
    // Colour order is kept (no red/blue swap).
    const QColor c = back.pixelColor(30, 28);
    EXPECT_TRUE(c.red() > 230 && c.green() > 230 && c.blue() < 70) << c.name().toStdString();
}

TEST(Jpeg, QualityAndInputFormats) {
    const QImage frame = TestFrame(320, 240);
    EXPECT_LT(Encoded(frame, 10).size(), Encoded(frame, 100).size());
    // Out-of-range qualities are clamped instead of failing.
    EXPECT_EQ(Encoded(frame, 150), Encoded(frame, 100));
    EXPECT_EQ(Encoded(frame, -5), Encoded(frame, 0));
    // Other formats are converted to 24-bit first.
    EXPECT_EQ(Encoded(frame.convertToFormat(QImage::Format_RGB32)), Encoded(frame));
    // A frame whose compressed size outgrows the first buffer guess.
    QImage noise(64, 64, QImage::Format_RGB888);
    std::srand(7);
    for (int y = 0; y < 64; ++y)
        for (int i = 0; i < 64 * 3; ++i)
            noise.scanLine(y)[i] = uchar(std::rand());
    QImage back;
    ASSERT_TRUE(DecodeJpeg(Encoded(noise), &back));
    EXPECT_EQ(back.size(), noise.size());

    QByteArray data("old");
    EXPECT_FALSE(EncodeJpeg(QImage(), 100, &data));
    EXPECT_TRUE(data.isEmpty());
}

TEST(Jpeg, CorruptOrTruncatedDataFailsCleanly) {
    const QByteArray good = Encoded(TestFrame());
    QImage image = TestFrame();
    QString error;

    QByteArray junk(2000, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char(i * 37 + 11);
    // Nothing, junk, and cuts in the header, in the picture data and before the end marker.
    for (const QByteArray& bad : {QByteArray(), junk, good.left(20), good.left(good.size() / 2),
                                  good.left(good.size() - 2)}) {
        error.clear();
        image = TestFrame();
        EXPECT_FALSE(DecodeJpeg(bad, &image, &error)) << bad.size() << " bytes";
        EXPECT_TRUE(image.isNull());
        EXPECT_FALSE(error.isEmpty());
    }

    // A header claiming a huge picture is refused before anything is allocated.
    QByteArray huge = good;
    const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    huge[sof + 5] = char(0xFF); // height 0xFFxx
    huge[sof + 7] = char(0xFF); // width 0xFFxx
    error.clear();
    EXPECT_FALSE(DecodeJpeg(huge, &image, &error));
    EXPECT_TRUE(error.contains("too large")) << error.toStdString();
}

TEST(Jpeg, FilesRoundTripAndFailuresLeaveNothing) {
    TestSupport::TempProgramFolder folder;
    const QImage frame = TestFrame();
    const QString path = folder.file("000001host.jpg");
    QString error;
    ASSERT_TRUE(SaveJpeg(frame, 100, path, &error)) << error.toStdString();
    EXPECT_EQ(TestSupport::ReadAll(path), Encoded(frame));
    EXPECT_TRUE(QFileInfo(path).permissions() & QFileDevice::ReadOther);

    QImage back;
    ASSERT_TRUE(LoadJpeg(path, &back, &error));
    EXPECT_EQ(back.size(), frame.size());

    // A folder that does not exist: a clear message, no file.
    const QString lost = folder.file("missing/000002host.jpg");
    error.clear();
    EXPECT_FALSE(SaveJpeg(frame, 100, lost, &error));
    EXPECT_TRUE(error.contains(lost)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(lost));

    // Nothing to encode: the existing picture is not touched.
    EXPECT_FALSE(SaveJpeg(QImage(), 100, path));
    EXPECT_EQ(TestSupport::ReadAll(path), Encoded(frame));

    // A missing file and a cut one name themselves.
    ASSERT_TRUE(TestSupport::WriteAll(folder.file("cut.jpg"), Encoded(frame).left(300)));
    for (const QString name : {"none.jpg", "cut.jpg"}) {
        error.clear();
        EXPECT_FALSE(LoadJpeg(folder.file(name), &back, &error));
        EXPECT_TRUE(back.isNull());
        EXPECT_TRUE(error.contains(name)) << error.toStdString();
    }
}
