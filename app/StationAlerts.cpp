#include "app/StationAlerts.h"

#include "app/StationLinks.h"
#include "app/MainWindow.h"
#include "core/MotionDetector.h"
#include "core/PictureStore.h"
#include "core/SettingsStore.h"
#include "platform/SystemInfo.h"
#include "publish/AlertPaintBoxes.h"
#include "publish/AlertsTab.h"

#include <QRadioButton>

namespace {

AlertSchedulerLinks ScheduleLinks(PictureStore& pictures, const StationAlertsLinks& links) {
    AlertSchedulerLinks schedule;
    schedule.monotonicMs = links.monotonicMs;
    schedule.now = links.now;
    schedule.online = links.online ? links.online : [] { return platform::IsInternetConnected(); };
    schedule.ftpBusy = [&pictures] {
        const PictureUploadTarget* uploads = pictures.UploadTarget();
        return uploads && uploads->IsFtpBusy();
    };
    return schedule;
}

} // namespace

StationAlerts::StationAlerts(SettingsStore& settings, StationLinks& station, PictureStore& pictures,
                             const StartupFlags& flags, StationAlertsLinks links)
    : settings_(settings), station_(station), flags_(flags), links_(links),
      scheduler_(settings.Record(), pictures.EAlertBuffer(), ScheduleLinks(pictures, links)) {}

void StationAlerts::BindMainWindow(MainWindow& mainWindow, const MotionDetector* detector) {
    AlertsBindingLinks bound;
    bound.gatherAndSaveSettings = [&mainWindow] { mainWindow.GatherAndSaveSettings(); };
    bound.fillPhoneSizeList = [this] { station_.tray->FillPhoneSizeList(); };
    bound.layoutScreenWidth = [this] { return station_.layout->LayoutScreenWidth(); };
    bound.lastMotionText = [detector](int camera) {
        return detector ? detector->LastMotionText(camera) : QString();
    };
    bound.setupPanelVisible = [&mainWindow] { return mainWindow.setupPanel->isVisible(); };
    bound.online = scheduler_.Links().online;
    bound.now = links_.now;
    binding_ = std::make_unique<AlertsBinding>(*mainWindow.alertsPage, mainWindow.dialUpButton, mainWindow.broadbandButton, mainWindow.clockBox,
                                               mainWindow.alertBlockBox, scheduler_, settings_.Record(), flags_, bound);
}

// Counters and queue are the scheduler's: they reset before the window exists too.
void StationAlerts::ResetAlertSchedule() { scheduler_.Reset(); }

void StationAlerts::UpdateAlertSummary() {
    if (binding_)
        binding_->UpdateAlertSummary();
}

void StationAlerts::FillAlertCombos() {
    if (binding_)
        binding_->FillAlertCombos();
}

void StationAlerts::ClockTick() {
    if (binding_)
        binding_->ClockTick();
}

void StationAlerts::RestartAlertPeriod() {
    scheduler_.ClearQueue();
    scheduler_.RestartPeriod();
}

void StationAlerts::StoreSmtpEdits() {
    if (binding_)
        binding_->StoreSmtpEdits(settings_.EmailRecord());
}
