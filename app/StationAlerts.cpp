#include "app/StationAlerts.h"

#include "app/StationLinks.h"
#include "app/Tzones.h"
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

StationAlerts::StationAlerts(Tzones& zones, SettingsStore& settings, StationLinks& station, PictureStore& pictures,
                             const StartupFlags& flags, const MotionDetector* detector, StationAlertsLinks links)
    : settings_(settings), scheduler_(settings.Record(), pictures.EAlertBuffer(), ScheduleLinks(pictures, links)) {
    AlertsBindingLinks bound;
    bound.gatherAndSaveSettings = [&zones] { zones.GatherAndSaveSettings(); };
    bound.fillPhoneSizeList = [&station] { station.tray->FillPhoneSizeList(); };
    bound.layoutScreenWidth = [&station] { return station.layout->LayoutScreenWidth(); };
    bound.lastMotionText = [detector](int camera) {
        return detector ? detector->LastMotionText(camera) : QString();
    };
    bound.setupPanelVisible = [&zones] { return zones.Panel1->isVisible(); };
    bound.online = scheduler_.Links().online;
    bound.now = links.now;
    binding_ = std::make_unique<AlertsBinding>(*zones.AlertsPanel, zones.Dailup, zones.Broadband, zones.PaintBox1,
                                               zones.PaintBox2, scheduler_, settings.Record(), flags, bound);
}

void StationAlerts::ResetAlertSchedule() { binding_->ResetAlertSchedule(); }
void StationAlerts::UpdateAlertSummary() { binding_->UpdateAlertSummary(); }
void StationAlerts::FillAlertCombos() { binding_->FillAlertCombos(); }
void StationAlerts::ClockTick() { binding_->ClockTick(); }

void StationAlerts::RestartAlertPeriod() {
    scheduler_.ClearQueue();
    scheduler_.RestartPeriod();
}

void StationAlerts::StoreSmtpEdits() { binding_->StoreSmtpEdits(settings_.EmailRecord()); }
