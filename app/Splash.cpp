#include "app/Splash.h"

#include "platform/Rounding.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

SplashScreen::SplashScreen(int durationMs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), closeTimer(durationMs, true) {
    setObjectName("Splash");
    closeTimer.setObjectName("closeTimer");
    closeTimer.setParent(this);
    setModal(true);
    setFixedSize(284, 210);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    connect(&closeTimer, &platform::WinTimer::Timeout, this, &SplashScreen::CloseTimerTick);
}

void SplashScreen::CloseTimerTick() {
    closeTimer.SetEnabled(false);
    accept();
}

void SplashScreen::reject() {
    if (closeTimer.Enabled())
        return;
    QDialog::reject();
}

void SplashScreen::closeEvent(QCloseEvent* event) {
    if (closeTimer.Enabled()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void SplashScreen::paintEvent(QPaintEvent*) {
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

    const QFont small = LineFont();
    painter.setFont(small);
    painter.setPen(QColor(192, 192, 192)); // silver
    const QStringList lines = Lines();
    const QList<QPoint> positions = LinePositions();
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(positions[i] + QPoint(0, QFontMetrics(small).ascent()), lines[i]);
}

QFont SplashScreen::LineFont() const {
    QFont font = this->font();
    font.setPixelSize(int(platform::RoundHalfEven(8 * 96 / 72.0))); // 8 points at 96 dots per inch
    return font;
}

QStringList SplashScreen::Lines() {
    return {QStringLiteral("Video surveillance for one PC and two cameras"),
            QStringLiteral("Motion, time-lapse, e-mail and FTP"),
            QStringLiteral("A Do It yourself Security Surveillance System")};
}

QList<QPoint> SplashScreen::LinePositions() const {
    const QFontMetrics metrics(LineFont());
    const QStringList lines = Lines();
    const int tops[] = {120, 140, 180};
    QList<QPoint> positions;
    for (int i = 0; i < lines.size(); ++i) {
        const int x = platform::RoundHalfEven((width() - metrics.horizontalAdvance(lines[i])) / 2.0);
        positions << QPoint(x, tops[i]);
    }
    return positions;
}
