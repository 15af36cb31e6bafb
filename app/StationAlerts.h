#pragma once
// The station's e-alerts: the schedule over the picture store's queue, bound to the main
// window's E-Alerts tab, its clock timer and the painted blocks.
#include "core/AlertScheduleLink.h"
#include "publish/AlertScheduler.h"
#include "publish/AlertsBinding.h"

#include <functional>
#include <memory>

class MotionDetector;
class PictureStore;
class SettingsStore;
class Tzones;
struct StartupFlags;
struct StationHooks;

// What the station takes from the machine; unset members use the real thing.
struct StationAlertsLinks {
    std::function<qint64()> monotonicMs;
    std::function<bool()> online; // platform::IsInternetConnected
    std::function<QDateTime()> now;
};

class StationAlerts : public AlertScheduleLink {
public:
    // Binds the e-alert hooks; the objects live as long as this. The detector, when given,
    // supplies the cameras' last motion texts for the clock block.
    StationAlerts(Tzones& zones, SettingsStore& settings, StationHooks& hooks, PictureStore& pictures,
                  const StartupFlags& flags, const MotionDetector* detector = nullptr,
                  StationAlertsLinks links = {});

    // The mail composer; null sends nothing.
    void SetSender(AlertSender* sender) { scheduler_.SetSender(sender); }
    AlertScheduler& Scheduler() { return scheduler_; }
    AlertsBinding& Binding() { return *binding_; }

    void ResetAlertSchedule() override;
    void UpdateAlertSummary() override;
    void FillAlertCombos() override;
    void ClockTick() override;
    // The set-up panel was hidden: a new period and an empty queue.
    void RestartAlertPeriod();
    void StoreSmtpEdits();

private:
    SettingsStore& settings_;
    AlertScheduler scheduler_;
    std::unique_ptr<AlertsBinding> binding_;
};
