#include "app/CameraPicture.h"

#include <QMouseEvent>
#include <QPainter>

CameraPicture::CameraPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CameraPicture::SetPicture(const QImage& picture) {
    picture_ = picture;
    if (isVisible())
        update();
}

void CameraPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(rect(), Paintable());
}

const QImage& CameraPicture::Paintable() {
    // Qt stretches 32-bit pictures on its fast path; a 24-bit one would be converted pixel by
    // pixel inside every scaled draw. One conversion per new picture, and only when painted.
    if (picture_.format() == QImage::Format_RGB32)
        return picture_;
    if (paintable_.isNull() || paintableKey_ != picture_.cacheKey()) {
        paintable_ = picture_.convertToFormat(QImage::Format_RGB32);
        paintableKey_ = picture_.cacheKey();
    }
    return paintable_;
}

void CameraPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick)
        onClick();
    QWidget::mouseReleaseEvent(event);
}
