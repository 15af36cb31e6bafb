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
        painter.drawImage(rect(), picture_);
}

void CameraPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick)
        onClick();
    QWidget::mouseReleaseEvent(event);
}
