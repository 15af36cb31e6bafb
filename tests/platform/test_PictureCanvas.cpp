#include "platform/PictureCanvas.h"

#include <gtest/gtest.h>

using platform::PictureCanvas;

namespace {

const QColor kGround(10, 120, 60);

QImage Ground(int w = 200, int h = 80) {
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(kGround);
    return image;
}

} // namespace

TEST(PictureCanvas, FillsStayInsideThePictureAndOffPictureDrawingIsClipped) {
    PictureCanvas canvas(Ground(20, 20));
    canvas.SetPenColor(Qt::white);
    canvas.SetBrushColor(Qt::red);
    canvas.FillRect(18, 18, 30, 30);
    EXPECT_EQ(canvas.Image().pixelColor(19, 19), QColor(Qt::red));
    EXPECT_EQ(canvas.Image().pixelColor(17, 19), kGround);
    // Never a crash.
    canvas.FrameRect(-5, -5, 40, 40);
    canvas.MoveTo(-100, -100);
    canvas.LineTo(100, 100);
    canvas.TextOut(-30, 500, "x");
}
