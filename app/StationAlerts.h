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
class MainWindow;
struct StartupFlags;
struct StationLinks;

// What the station takes from the machine; unset members use the real thing.
struct StationAlertsLinks {
    std::function<qint64()> monotonicMs;
    std::function<bool()> online; // platform::IsInternetConnected
    std::function<QDateTime()> now;
};

class StationAlerts : public AlertScheduleLink {
public:
    // The schedule over the picture store's queue; made before the main window, which resets
    // it at its creation. The station's links give the tray's and the layout's routines.
    StationAlerts(SettingsStore& settings, StationLinks& station, PictureStore& pictures, const StartupFlags& flags,
                  StationAlertsLinks links = {});
    // Binds the E-Alerts tab, the clock and the painted blocks of the main window; the
    // detector, when given, supplies the cameras' last motion texts for the clock block.
    // Until then the routines that show something do nothing.
    void BindMainWindow(MainWindow& mainWindow, const MotionDetector* detector = nullptr);

    // The mail composer; null sends nothing.
    void SetSender(AlertSender* sender) { scheduler_.SetSender(sender); }
    AlertScheduler& Scheduler() { return scheduler_; }
    AlertsBinding& Binding() { return *binding_; }

    void ResetAlertSchedule() override;
    void UpdateAlertSummary() override;
    void FillAlertCombos() override;
    void ClockTick() override;
    void RestartAlertPeriod() override;
    void StoreSmtpEdits() override;

private:
    SettingsStore& settings_;
    StationLinks& station_;
    const StartupFlags& flags_;
    StationAlertsLinks links_;
    AlertScheduler scheduler_;
    std::unique_ptr<AlertsBinding> binding_;
};
