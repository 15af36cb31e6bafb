#include "app/Splash.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

TSplash::TSplash(int durationMs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), Timer1(durationMs, true) {
    setObjectName("Splash");
    Timer1.setObjectName("Timer1");
    Timer1.setParent(this);
    setModal(true);
    setFixedSize(284, 210);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    connect(&Timer1, &platform::WinTimer::Timeout, this, &TSplash::Timer1Timer);
}

void TSplash::Timer1Timer() {
    Timer1.SetEnabled(false);
    accept();
}

void TSplash::reject() {
    if (Timer1.Enabled())
        return;
    QDialog::reject();
}

void TSplash::closeEvent(QCloseEvent* event) {
    if (Timer1.Enabled()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    QFont title(QStringLiteral("Arial Black"));
    title.setStyleHint(QFont::SansSerif);
    title.setWeight(QFont::Black);
    title.setPixelSize(28 * 96 / 72);
    painter.setFont(title);
    painter.setPen(Qt::yellow);
    // (100, 50) is the top left of the text cell.
    painter.drawText(QPoint(100, 50 + QFontMetrics(title).ascent()), QStringLiteral("TORVEK"));
}
