#pragma once
// The splash window: borderless, centred, black, shown modally while the program starts.
// It closes itself when its timer runs out and refuses to be closed before that.
#include "platform/WinTimer.h"

#include <QDialog>
#include <QList>
#include <QPoint>
#include <QStringList>

class SplashScreen : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDefaultDurationMs = 4000;

    explicit SplashScreen(int durationMs = kDefaultDurationMs, QWidget* parent = nullptr);

    platform::WinTimer closeTimer;

    void reject() override; // Esc: refused while the timer runs

    // The three silver lines under the product name, top to bottom, and where each is drawn
    // (centred, cell top at y = 120, 140, 180).
    static QStringList Lines();
    QList<QPoint> LinePositions() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CloseTimerTick();
    QFont LineFont() const;
};
