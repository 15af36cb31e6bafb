#pragma once
// Time-lapse: the working values, the ticks of timeLapseTimer and timeLapseFlashTimer, and the
// time-lapse button.
#include "core/LinkUnavailable.h"

class TimeLapseLink {
public:
    virtual ~TimeLapseLink() = default;
    virtual void ResetTimeLapseWorkingValues() = 0;
    virtual void TimeLapseTick() = 0;
    virtual void TimeLapseFlasherTick() = 0;
    // The time-lapse dialog's working flag.
    virtual bool TimeLapseWorking() const = 0;
    virtual void TimeLapseButtonClick() = 0;
    // The start-up sequence has armed both timers: the disk reserve is measured now.
    virtual void TimeLapseStarted() {}
};

class NullTimeLapseLink final : public TimeLapseLink {
public:
    static TimeLapseLink& Instance() {
        static NullTimeLapseLink link;
        return link;
    }
    void ResetTimeLapseWorkingValues() override { Say("ResetTimeLapseWorkingValues"); }
    void TimeLapseTick() override { Say("TimeLapseTick"); }
    void TimeLapseFlasherTick() override { Say("TimeLapseFlasherTick"); }
    bool TimeLapseWorking() const override { return Say("TimeLapseWorking"), false; }
    void TimeLapseButtonClick() override { Say("TimeLapseButtonClick"); }
    void TimeLapseStarted() override { Say("TimeLapseStarted"); }

private:
    static void Say(const char* routine) { ReportLinkUnavailable("TimeLapseLink", routine); }
};
