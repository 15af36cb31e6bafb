#include "capture/StretchedImage.h"

#include <QMouseEvent>
#include <QPainter>

StretchedImage::StretchedImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StretchedImage::SetPicture(const QImage& picture, const platform::PictureOverlay& overlay) {
    picture_ = picture;
    overlay_ = overlay;
    update();
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
