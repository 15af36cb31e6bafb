#include "core/ZoneOverlay.h"

#include "platform/Rounding.h"

#include <algorithm>

namespace {

qint64 RoundHalf(qint64 value) {
    return static_cast<qint64>(platform::RoundHalfEven(double(value) / 2.0));
}

// A coordinate moved onto the picture's edge, two pixels outside at most: what lies beyond
// draws nothing anyway, and a zone of any size costs no more than the picture.
int Clip(qint64 value, int extent) {
    return static_cast<int>(std::clamp<qint64>(value, -2, qint64(extent) + 2));
}

} // namespace

void DrawZoneFrame(platform::PictureCanvas& image, int x, int y, int size) {
    const int w = image.Width(), hgt = image.Height();
    const qint64 left = x, top = y, right = left + size, bottom = top + size;
    auto cx = [w](qint64 v) { return Clip(v, w); };
    auto cy = [hgt](qint64 v) { return Clip(v, hgt); };
    const QColor pen = image.PenColor();
    image.SetPenColor(Qt::white);
    image.FrameRect(cx(left), cy(top), cx(right), cy(bottom));
    image.SetPenColor(Qt::black);
    image.FrameRect(cx(left - 1), cy(top - 1), cx(right + 1), cy(bottom + 1));
    image.SetPenColor(Qt::white);
    const qint64 h = RoundHalf(qint64(size) - 2);
    image.MoveTo(cx(left + 1 + h), cy(top + 1));
    image.LineTo(cx(left + 1 + h), cy(bottom - 1));
    image.MoveTo(cx(left + 1), cy(top + 1 + h));
    image.LineTo(cx(right - 1), cy(top + 1 + h));
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
    const qint64 textWidth = image.TextWidth(text), textHeight = image.TextHeight(text);
    const qint64 left = qint64(x) + RoundHalf(zoneSize) - RoundHalf(textWidth);
    const qint64 top = qint64(y) + RoundHalf(zoneSize) - RoundHalf(textHeight);
    // Off the picture it shows nothing (and far-off coordinates would wrap round on it).
    if (left >= image.Width() || top >= image.Height() || left + textWidth <= 0 || top + textHeight <= 0)
        return;
    image.TextOut(int(left), int(top), text);
}
