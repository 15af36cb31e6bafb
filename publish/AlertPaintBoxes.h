#pragma once
// The two painted status blocks: the clock with both cameras' last motion counts
// (clockBox, on the tool bar) and the e-alert block with the sent count, the countdown
// and the queue size (alertBlockBox, over the camera area). Each fills its parent, lies below
// its siblings and lets clicks through, and paints from the state it was last given.
#include <QFont>
#include <QString>
#include <QWidget>

struct AlertTickState;

// Courier New, or the system's fixed-pitch face when it is missing.
QFont AlertPaintFont(int pointSize);

class AlertClockBox : public QWidget {
    Q_OBJECT
public:
    explicit AlertClockBox(QWidget* parent = nullptr);

    // The time "HH:MM:SS" and the two motion texts ("MO 00012").
    void ShowClock(const QString& time, const QString& motion1, const QString& motion2);
    QString TimeText() const { return time_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FillParent();

    QString time_;
    QString motion_[2];
};

class AlertBlockBox : public QWidget {
    Q_OBJECT
public:
    explicit AlertBlockBox(QWidget* parent = nullptr);

    // The block as a tick left it.
    void ShowAlerts(const AlertTickState& state);
    // Nothing painted: alerts are off.
    void ClearAlerts();
    bool ShowsAlerts() const { return shown_; }
    QString CountdownText() const { return countdown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool shown_ = false;
    bool online_ = false;
    QString sent_;
    QString countdown_;
    QString queue_;
};
