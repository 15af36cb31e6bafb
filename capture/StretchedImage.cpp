#include "capture/StretchedImage.h"

#include "platform/FrameConverter.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <cstring>

namespace {

// Offset of the first byte that differs within n bytes, n when none does.
qsizetype FirstDifference(const uchar* a, const uchar* b, qsizetype n) {
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 x, y;
        memcpy(&x, a + i, 8);
        memcpy(&y, b + i, 8);
        if (x != y) break;
    }
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

// Offset of the last byte that differs within n bytes, -1 when none does.
qsizetype LastDifference(const uchar* a, const uchar* b, qsizetype n) {
    qsizetype i = n;
    for (; i >= 8; i -= 8) {
        quint64 x, y;
        memcpy(&x, a + i - 8, 8);
        memcpy(&y, b + i - 8, 8);
        if (x != y) break;
    }
    while (i > 0 && a[i - 1] == b[i - 1])
        --i;
    return i - 1;
}

} // namespace

StretchedImage::StretchedImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StretchedImage::SetPicture(const QImage& picture, const platform::PictureOverlay& overlay) {
    // Hidden, nothing is painted now and all of it once shown.
    const QRect area = !isVisible()                 ? QRect()
                       : !overlay_.SameAs(overlay) ? rect()
                                                   : RepaintArea(picture_, picture, rect());
    picture_ = picture;
    overlay_ = overlay;
    if (!area.isEmpty())
        update(area);
}

QRect StretchedImage::ChangedArea(const QImage& before, const QImage& after, int firstRow, int lastRow) {
    const int bytes = before.depth() / 8;
    const qsizetype row = qsizetype(before.width()) * bytes;
    int top = -1, bottom = -1;
    for (int y = std::max(0, firstRow); y <= std::min(lastRow, before.height() - 1); ++y) {
        if (memcmp(before.constScanLine(y), after.constScanLine(y), size_t(row)) != 0) {
            if (top < 0)
                top = y;
            bottom = y;
        }
    }
    if (top < 0)
        return {};
    qsizetype left = row, right = -1;
    for (int y = top; y <= bottom; ++y) {
        const uchar* a = before.constScanLine(y);
        const uchar* b = after.constScanLine(y);
        left = std::min(left, FirstDifference(a, b, left));
        right = std::max(right, right + 1 + LastDifference(a + right + 1, b + right + 1, row - right - 1));
    }
    return QRect(QPoint(int(left / bytes), top), QPoint(int(right / bytes), bottom));
}

QRect StretchedImage::RepaintArea(const QImage& shown, const QImage& next, const QRect& target) {
    if (shown.isNull() || next.isNull() || shown.size() != next.size() ||
        shown.format() != next.format() || shown.depth() < 8)
        return target;
    if (shown.cacheKey() == next.cacheKey())
        return {};
    // The camera's pictures come with the rows that can have changed; others are compared whole.
    int top = 0, bottom = shown.height() - 1;
    if (platform::KnownFrameChange(shown.cacheKey(), next.cacheKey(), top, bottom) && top > bottom)
        return {};
    const QRect changed = ChangedArea(shown, next, top, bottom);
    if (changed.isEmpty())
        return {};
    // Each painted pixel takes the nearest picture pixel; a pixel of margin on each side
    // covers the rounding of the stretch.
    const double sx = double(target.width()) / shown.width();
    const double sy = double(target.height()) / shown.height();
    const int x0 = int(std::floor(changed.left() * sx)) - 1;
    const int y0 = int(std::floor(changed.top() * sy)) - 1;
    const int x1 = int(std::ceil((changed.right() + 1) * sx)) + 1;
    const int y1 = int(std::ceil((changed.bottom() + 1) * sy)) + 1;
    return QRect(target.x() + x0, target.y() + y0, x1 - x0, y1 - y0) & target;
}

void StretchedImage::paintEvent(QPaintEvent* event) {
    ++paints_;
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    // Only the exposed part, and no bilinear filtering: at 30 frames a second per camera the
    // smooth transform cost more than everything else the station does.
    painter.setClipRegion(event->region());
    painter.drawImage(rect(), picture_);
    overlay_.PaintOver(painter, rect(), picture_.size());
}

void StretchedImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
    QWidget::mouseReleaseEvent(event);
}
