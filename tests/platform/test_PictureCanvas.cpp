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

TEST(PictureCanvas, KeepsStateAcrossPicturesAndIgnoresZeroSize) {
    PictureCanvas canvas(Ground().convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(canvas.Image().format(), QImage::Format_RGB888);
    canvas.SetFontName("Courier New");
    canvas.SetFontSize(12);
    canvas.SetFontColor(Qt::red);
    canvas.SetBrushColor(Qt::blue);
    canvas.SetTransparent(true);
    canvas.SetFontSize(0);
    canvas.SetImage(Ground(50, 40));
    EXPECT_EQ(canvas.FontSize(), 12);
    EXPECT_EQ(canvas.BrushColor(), QColor(Qt::blue));
    EXPECT_TRUE(canvas.IsTransparent());
    // Sizes are points at 96 DPI.
    EXPECT_EQ(canvas.Font().pixelSize(), 16);
    EXPECT_EQ(PictureCanvas::PointsToPixels(8), 11);
    // Courier New resolves to a fixed-pitch face.
    EXPECT_EQ(canvas.TextWidth("iiii"), canvas.TextWidth("WWWW"));
}

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
