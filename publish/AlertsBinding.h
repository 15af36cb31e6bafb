#pragma once
// Gives the E-Alerts tab its behaviour: refills its lists, keeps the summary line, paints
// the clock and alert blocks each second, runs the schedule and handles the tab's clicks.
#include "publish/AlertScheduler.h"

#include <QDateTime>
#include <QObject>
#include <functional>

class AlertBlockBox;
class AlertClockBox;
class AlertsTab;
class QAbstractButton;
struct EmailSettingsRecord;
struct SettingsRecord;
struct StartupFlags;

struct AlertsBindingLinks {
    std::function<void()> gatherAndSaveSettings;
    std::function<void()> fillPhoneSizeList;
    // The width the layout works to; the blocks are painted only above 800.
    std::function<int()> layoutScreenWidth;
    // A camera's last motion text ("MO 00012"), camera 1 or 2.
    std::function<QString(int camera)> lastMotionText;
    std::function<bool()> setupPanelVisible;
    std::function<bool()> online;
    std::function<QDateTime()> now;
};

class AlertsBinding : public QObject {
    Q_OBJECT
public:
    // The radio buttons sit on another tab; the boxes may be null. Nothing may be called
    // on it once the tab is gone.
    AlertsBinding(AlertsTab& tab, QAbstractButton* dialUp, QAbstractButton* broadband, AlertClockBox* clock,
                  AlertBlockBox* block, AlertScheduler& scheduler, SettingsRecord& record,
                  const StartupFlags& flags, AlertsBindingLinks links);

    void FillAlertCombos();
    void UpdateAlertSummary();
    // One second of the clock: paints the blocks, restarts or fires the alert period.
    void ClockTick();
    AlertScheduler::SendResult SendAlertEmailNow();
    void RestartAlertPeriod();
    // Window creation: no mails sent, a new period, an empty queue.
    void ResetAlertSchedule();
    // The four SMTP edits into the mail settings.
    void StoreSmtpEdits(EmailSettingsRecord& record) const;

    void SendNowButtonClick();
    void AlertsActiveBoxClick();
    void ConnectionTypeClick();

private:
    int LayoutWidth() const;
    bool Online() const;

    AlertsTab& tab_;
    QAbstractButton* dialUp_;
    AlertClockBox* clock_;
    AlertBlockBox* block_;
    AlertScheduler& scheduler_;
    SettingsRecord& record_;
    const StartupFlags& flags_;
    AlertsBindingLinks links_;
};
