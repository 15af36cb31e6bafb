#pragma once
// The splash window: borderless, centred, black, shown modally while the program starts.
// It closes itself when its timer runs out and refuses to be closed before that.
#include "platform/WinTimer.h"

#include <QDialog>

class TSplash : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDefaultDurationMs = 4000;

    explicit TSplash(int durationMs = kDefaultDurationMs, QWidget* parent = nullptr);

    platform::WinTimer Timer1;

    void reject() override; // Esc: refused while the timer runs

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Timer1Timer();
};
