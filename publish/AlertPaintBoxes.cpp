#include "publish/AlertPaintBoxes.h"

#include "publish/AlertOptions.h"
#include "publish/AlertScheduler.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);

void LieBelow(QWidget* box) {
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setAttribute(Qt::WA_NoSystemBackground);
    box->setAutoFillBackground(false);
    box->lower();
}

// Right-aligned `gap` pixels short of the right edge, with its top at y.
void PaintRight(QPainter& painter, int width, int gap, int y, const QString& text, const QColor& colour) {
    const QFontMetrics metrics(painter.font());
    painter.setPen(colour);
    painter.drawText(width - (metrics.horizontalAdvance(text) + gap), y + metrics.ascent(), text);
}

} // namespace

QFont AlertPaintFont(int pointSize) {
    QFont font(QStringLiteral("Courier New"), pointSize);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

AlertClockBox::AlertClockBox(QWidget* parent) : QWidget(parent) {
    setFont(AlertPaintFont(18));
    LieBelow(this);
}

void AlertClockBox::FillParent() {
    if (parentWidget() && geometry() != parentWidget()->rect()) setGeometry(parentWidget()->rect());
}

void AlertClockBox::ShowClock(const QString& time, const QString& motion1, const QString& motion2) {
    setFont(AlertPaintFont(18));
    FillParent();
    time_ = time;
    motion_[0] = motion1;
    motion_[1] = motion2;
    update();
}

void AlertClockBox::paintEvent(QPaintEvent*) {
    if (time_.isEmpty()) return;
    QPainter painter(this);
    painter.setFont(font());
    PaintRight(painter, width(), 85, 0, time_, Qt::white);
    PaintRight(painter, width(), 85, 25, motion_[0], kSilver);
    PaintRight(painter, width(), 85, 48, motion_[1], kSilver);
}

AlertBlockBox::AlertBlockBox(QWidget* parent) : QWidget(parent) {
    setFont(AlertPaintFont(8));
    LieBelow(this);
}

void AlertBlockBox::ShowAlerts(const AlertTickState& state) {
    shown_ = true;
    online_ = state.online;
    sent_ = AlertSentCountText(state.sentCount);
    countdown_ = state.countdown;
    queue_ = QStringLiteral("E-Cue ") + AlertQueueSizeText(state.queueSize);
    update();
}

void AlertBlockBox::ClearAlerts() {
    shown_ = false;
    update();
}

void AlertBlockBox::paintEvent(QPaintEvent*) {
    if (!shown_) return;
    QPainter painter(this);
    painter.setFont(font());
    PaintRight(painter, width(), 5, 0, QStringLiteral("E-Alerts"), online_ ? QColor(Qt::yellow) : kSilver);
    PaintRight(painter, width(), 5, 15, sent_, kGrey);
    PaintRight(painter, width(), 5, 30, QStringLiteral("Next"), kSilver);
    PaintRight(painter, width(), 5, 44, countdown_, kSilver);
    PaintRight(painter, width(), 5, 58, queue_, kSilver);
}
