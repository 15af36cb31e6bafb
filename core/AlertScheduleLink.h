#pragma once
// The e-alert schedule: its counters, the summary and countdown, the alert choice lists and
// the clock tick that sends due alerts.
#include "core/LinkUnavailable.h"

class AlertScheduleLink {
public:
    virtual ~AlertScheduleLink() = default;
    // Sent count 0, last alert time now.
    virtual void ResetAlertSchedule() = 0;
    virtual void UpdateAlertSummary() = 0;
    virtual void FillAlertCombos() = 0;
    virtual void ClockTick() = 0; // tick of clockTimer
    // The set-up panel was hidden: a new period from now, the queue emptied.
    virtual void RestartAlertPeriod() = 0;
    // The set-up panel's four SMTP edits into the mail settings.
    virtual void StoreSmtpEdits() = 0;
};

class NullAlertScheduleLink final : public AlertScheduleLink {
public:
    static AlertScheduleLink& Instance() {
        static NullAlertScheduleLink link;
        return link;
    }
    void ResetAlertSchedule() override { Say("ResetAlertSchedule"); }
    void UpdateAlertSummary() override { Say("UpdateAlertSummary"); }
    void FillAlertCombos() override { Say("FillAlertCombos"); }
    void ClockTick() override { Say("ClockTick"); }
    void RestartAlertPeriod() override { Say("RestartAlertPeriod"); }
    void StoreSmtpEdits() override { Say("StoreSmtpEdits"); }

private:
    static void Say(const char* routine) { ReportLinkUnavailable("AlertScheduleLink", routine); }
};
