#include "platform/PictureOverlay.h"

#include <QPainter>

namespace platform {

PictureOverlay PictureOverlay::ForFrame(const QSize& size) {
    PictureOverlay overlay;
    overlay.image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    overlay.image.fill(Qt::transparent);
    return overlay;
}

void PictureOverlay::PaintOver(QPainter& painter, const QRect& target, const QSize& frame) const {
    if (IsEmpty() || frame != image.size())
        return;
    const double sx = double(target.width()) / image.width();
    const double sy = double(target.height()) / image.height();
    for (const QRect& area : areas) {
        const QRectF to(target.x() + area.x() * sx, target.y() + area.y() * sy, area.width() * sx,
                        area.height() * sy);
        painter.drawImage(to, image, area);
    }
}

QImage PictureOverlay::ComposedOn(const QImage& frame) const {
    if (IsEmpty() || frame.size() != image.size())
        return frame;
    QImage composed = frame.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&composed);
    for (const QRect& area : areas)
        painter.drawImage(area.topLeft(), image, area);
    return composed;
}

} // namespace platform
