#include "platform/PictureOverlay.h"

#include <QPainter>

namespace platform {

PictureOverlay PictureOverlay::ForFrame(const QSize& size) {
    PictureOverlay overlay;
    overlay.image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    overlay.image.fill(Qt::transparent);
    overlay.frame = size;
    return overlay;
}

PictureOverlay PictureOverlay::Trimmed() const {
    if (IsEmpty())
        return *this;
    PictureOverlay trimmed = *this;
    const QRect held = areas.boundingRect() & QRect(origin, image.size());
    trimmed.image = image.copy(held.translated(-origin));
    trimmed.origin = held.topLeft();
    return trimmed;
}

QRgb PictureOverlay::PixelAt(int x, int y) const {
    const QPoint at = QPoint(x, y) - origin;
    if (image.isNull() || !image.rect().contains(at))
        return 0;
    return reinterpret_cast<const QRgb*>(image.constScanLine(at.y()))[at.x()];
}

QImage PictureOverlay::ComposedOn(const QImage& picture) const {
    if (IsEmpty() || picture.size() != frame)
        return picture;
    QImage composed = picture.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&composed);
    for (const QRect& area : areas)
        painter.drawImage(area.topLeft(), image, area.translated(-origin));
    return composed;
}

} // namespace platform
