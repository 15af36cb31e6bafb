#include "core/ZoneOverlay.h"

#include "platform/Rounding.h"

namespace {

int RoundHalf(int value) {
    return static_cast<int>(platform::RoundHalfEven(value / 2.0));
}

} // namespace

void DrawZoneFrame(platform::PictureCanvas& image, int x, int y, int size) {
    const QColor pen = image.PenColor();
    image.SetPenColor(Qt::white);
    image.FrameRect(x, y, x + size, y + size);
    image.SetPenColor(Qt::black);
    image.FrameRect(x - 1, y - 1, x + size + 1, y + size + 1);
    image.SetPenColor(Qt::white);
    const int h = static_cast<int>(platform::RoundHalfEven((size - 2) / 2.0));
    image.MoveTo(x + 1 + h, y + 1);
    image.LineTo(x + 1 + h, y + size - 1);
    image.MoveTo(x + 1, y + 1 + h);
    image.LineTo(x + size - 1, y + 1 + h);
    image.SetPenColor(pen);
}

void DrawTargetMarker(platform::PictureCanvas& image, int x, int y, int zoneSize, bool zoneWindowShown,
                      int captionFontSize) {
    image.SetTransparent(false);
    if (zoneWindowShown)
        DrawZoneFrame(image, x, y, zoneSize);
    image.SetFontName(QStringLiteral("Courier New"));
    image.SetFontSize(captionFontSize);
    image.SetFontColor(Qt::red);
    image.SetBrushColor(Qt::white);
    const QString text = QStringLiteral("TARGET");
    image.TextOut(x + RoundHalf(zoneSize) - RoundHalf(image.TextWidth(text)),
                  y + RoundHalf(zoneSize) - RoundHalf(image.TextHeight(text)), text);
}
