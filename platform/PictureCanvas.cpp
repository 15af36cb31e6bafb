#include "platform/PictureCanvas.h"

#include <QPainter>

#include <algorithm>

namespace platform {

namespace {

// The face fontconfig picks for a missing family should at least be of the same kind.
QFont::StyleHint HintFor(const QString& family) {
    const QString f = family.toLower();
    if (f.contains(QLatin1String("courier")) || f.contains(QLatin1String("mono")) ||
        f.contains(QLatin1String("fixed")))
        return QFont::TypeWriter;
    if (f.contains(QLatin1String("times")) || f.contains(QLatin1String("serif")) ||
        f.contains(QLatin1String("roman")))
        return f.contains(QLatin1String("sans")) ? QFont::SansSerif : QFont::Serif;
    return QFont::SansSerif;
}

} // namespace

PictureCanvas::PictureCanvas() : fontName_(QStringLiteral("MS Sans Serif")) {}

PictureCanvas::PictureCanvas(const QImage& image) : PictureCanvas() {
    SetImage(image);
}

void PictureCanvas::SetImage(const QImage& image) {
    image_ = image.format() == QImage::Format_RGB888 ? image
                                                     : image.convertToFormat(QImage::Format_RGB888);
    touched_ = QRegion();
}

void PictureCanvas::ShareImage(const QImage& image) {
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied) {
        image_ = image;
        touched_ = QRegion();
    } else {
        SetImage(image);
    }
}

void PictureCanvas::SetFontName(const QString& name) {
    if (name == fontName_)
        return;
    fontName_ = name;
    InvalidateFont();
}

void PictureCanvas::SetFontSize(int points) {
    if (points < 1 || points == fontSize_)
        return;
    fontSize_ = points;
    InvalidateFont();
}

int PictureCanvas::PointsToPixels(int points) {
    // points * 96 / 72 never lands on a half, so plain rounding is exact.
    return (points * 96 + 36) / 72;
}

const QFont& PictureCanvas::Font() const {
    if (!font_) {
        QFont font(fontName_);
        font.setStyleHint(HintFor(fontName_));
        font.setPixelSize(PointsToPixels(fontSize_));
        font_ = font;
    }
    return *font_;
}

const QFontMetrics& PictureCanvas::Metrics() const {
    if (!metrics_)
        metrics_.emplace(Font());
    return *metrics_;
}

int PictureCanvas::TextWidth(const QString& text) const {
    return Metrics().horizontalAdvance(text);
}

int PictureCanvas::TextHeight(const QString&) const {
    // The cell height does not depend on the characters.
    return Metrics().height();
}

void PictureCanvas::TextOut(int x, int y, const QString& text) {
    if (image_.isNull() || text.isEmpty())
        return;
    const QFontMetrics& metrics = Metrics();
    const QRect cell(x, y, metrics.horizontalAdvance(text), metrics.height());
    // Glyphs may reach a little past their cell.
    touched_ += cell.adjusted(-2, -2, 2, 2).intersected(image_.rect());
    QPainter painter(&image_);
    if (background_ == BackgroundMode::Opaque)
        painter.fillRect(cell, brushColor_);
    painter.setFont(Font());
    painter.setPen(fontColor_);
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

void PictureCanvas::FillRect(int left, int top, int right, int bottom) {
    const QRect area = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(image_.rect());
    if (area.isEmpty())
        return;
    touched_ += area;
    if (image_.depth() == 32) {
        const QRgb rgb = brushColor_.rgb();
        for (int y = area.top(); y <= area.bottom(); ++y) {
            auto* p = reinterpret_cast<QRgb*>(image_.scanLine(y)) + area.left();
            std::fill(p, p + area.width(), rgb);
        }
        return;
    }
    const uchar rgb[3] = {uchar(brushColor_.red()), uchar(brushColor_.green()), uchar(brushColor_.blue())};
    for (int y = area.top(); y <= area.bottom(); ++y) {
        uchar* p = image_.scanLine(y) + area.left() * 3;
        for (int x = area.left(); x <= area.right(); ++x, p += 3) {
            p[0] = rgb[0];
            p[1] = rgb[1];
            p[2] = rgb[2];
        }
    }
}

void PictureCanvas::FrameRect(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top)
        return;
    for (int x = left; x < right; ++x) {
        SetPixel(x, top, penColor_);
        SetPixel(x, bottom - 1, penColor_);
    }
    for (int y = top; y < bottom; ++y) {
        SetPixel(left, y, penColor_);
        SetPixel(right - 1, y, penColor_);
    }
}

void PictureCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void PictureCanvas::LineTo(int x, int y) {
    // Bresenham; the end point itself is left for the next segment.
    int cx = penX_;
    int cy = penY_;
    const int dx = std::abs(x - cx);
    const int dy = -std::abs(y - cy);
    const int sx = cx < x ? 1 : -1;
    const int sy = cy < y ? 1 : -1;
    int err = dx + dy;
    while (cx != x || cy != y) {
        SetPixel(cx, cy, penColor_);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            cx += sx;
        }
        if (e2 <= dx) {
            err += dx;
            cy += sy;
        }
    }
    MoveTo(x, y);
}

void PictureCanvas::SetPixel(int x, int y, const QColor& color) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return;
    if (image_.depth() == 32) {
        reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = color.rgb();
        return;
    }
    uchar* p = image_.scanLine(y) + x * 3;
    p[0] = uchar(color.red());
    p[1] = uchar(color.green());
    p[2] = uchar(color.blue());
}

} // namespace platform
