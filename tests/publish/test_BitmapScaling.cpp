// Scaling for the phone preview: the fixed-point walk must stay inside the source and within
// one byte, whatever the sizes.
#include "publish/BitmapScaling.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

QImage Gradient(int w, int h) {
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixelColor(x, y, QColor((x * 255) / qMax(1, w - 1), (y * 255) / qMax(1, h - 1), 255));
    return image;
}

} // namespace

TEST(BitmapScaling, EqualSizesCopyAndConstantsStayConstant) {
    const QImage source = Gradient(40, 30);
    QImage same(40, 30, QImage::Format_RGB888);
    SmoothResizeBitmap(source, same);
    EXPECT_EQ(same, source);

    QImage grey(64, 48, QImage::Format_RGB888);
    grey.fill(QColor(200, 100, 50));
    for (const QSize size : {QSize(150, 150), QSize(5, 7), QSize(300, 300)}) {
        QImage target(size, QImage::Format_RGB888);
        SmoothResizeBitmap(grey, target);
        ASSERT_EQ(target.size(), size);
        for (int y = 0; y < target.height(); ++y)
            for (int x = 0; x < target.width(); ++x)
                ASSERT_EQ(target.pixelColor(x, y), QColor(200, 100, 50)) << x << "," << y;
    }
}

TEST(BitmapScaling, EnlargingTinySourcesStaysInBounds) {
    // 1x1 and 2x2 sources: the right-hand neighbour would lie past the row's end.
    QImage one(1, 1, QImage::Format_RGB888);
    one.fill(QColor(255, 255, 255));
    QImage five(5, 5, QImage::Format_RGB888);
    SmoothResizeBitmap(one, five);
    EXPECT_EQ(five.pixelColor(4, 4), QColor(255, 255, 255));

    const QImage two = Gradient(2, 2);
    QImage big(300, 300, QImage::Format_RGB888);
    SmoothResizeBitmap(two, big);
    EXPECT_EQ(big.pixelColor(0, 0), two.pixelColor(0, 0));
    int maxRed = 0;
    for (int x = 0; x < 300; ++x)
        maxRed = qMax(maxRed, big.pixelColor(x, 299).red());
    EXPECT_GT(maxRed, 200);
}
