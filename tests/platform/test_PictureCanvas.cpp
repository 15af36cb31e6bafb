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

QRect ChangedArea(const QImage& before, const QImage& after) {
    QRect area;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
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

TEST(PictureCanvas, OpaqueTextFillsExactlyTheCellFromItsTopLeft) {
    PictureCanvas canvas(Ground());
    canvas.SetFontName("Courier New");
    canvas.SetFontSize(10);
    canvas.SetFontColor(Qt::white);
    canvas.SetBrushColor(Qt::black);
    const QImage before = canvas.Image();
    const QString text = " Site Cam 1 ";
    canvas.TextOut(20, 30, text);
    const QRect cell(20, 30, canvas.TextWidth(text), canvas.TextHeight(text));
    EXPECT_EQ(ChangedArea(before, canvas.Image()), cell);
    // The blanks at both ends leave brush colour in the cell's corners.
    EXPECT_EQ(canvas.Image().pixelColor(cell.topLeft()), QColor(Qt::black));
    EXPECT_EQ(canvas.Image().pixelColor(cell.bottomRight()), QColor(Qt::black));
}

TEST(PictureCanvas, OutlinesAndLinesLeaveOutTheirEndPoints) {
    PictureCanvas canvas(Ground(20, 20));
    canvas.SetPenColor(Qt::white);
    canvas.FrameRect(2, 3, 6, 8);
    EXPECT_EQ(ChangedArea(Ground(20, 20), canvas.Image()), QRect(QPoint(2, 3), QPoint(5, 7)));
    EXPECT_EQ(canvas.Image().pixelColor(3, 4), kGround); // inside stays

    canvas.SetImage(Ground(20, 20));
    canvas.MoveTo(10, 2);
    canvas.LineTo(10, 9);
    canvas.LineTo(15, 9);
    EXPECT_EQ(ChangedArea(Ground(20, 20), canvas.Image()), QRect(QPoint(10, 2), QPoint(14, 9)));
    EXPECT_EQ(canvas.Image().pixelColor(15, 9), kGround);

    canvas.SetBrushColor(Qt::red);
    canvas.FillRect(18, 18, 30, 30);
    EXPECT_EQ(canvas.Image().pixelColor(19, 19), QColor(Qt::red));
    EXPECT_EQ(canvas.Image().pixelColor(17, 19), kGround);
    // Off-picture drawing is clipped, never a crash.
    canvas.FrameRect(-5, -5, 40, 40);
    canvas.MoveTo(-100, -100);
    canvas.LineTo(100, 100);
    canvas.TextOut(-30, 500, "x");
}
