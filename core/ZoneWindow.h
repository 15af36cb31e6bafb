#pragma once
// A camera's zone window as the main window and the settings copy use it: the zone and
// sensitivity edits, the Target box, and showing it modally. Camera1ZoneWindow (camera 1) and Camera2ZoneWindow
// (camera 2) implement it.
#include "core/LinkUnavailable.h"

#include <QString>

// The edits of one zone window, as text.
struct ZoneEditValues {
    QString leftEdit;
    QString topEdit;
    QString sizeEdit;
    QString sensitivityCombo;
};

class ZoneWindow {
public:
    virtual ~ZoneWindow() = default;
    virtual ZoneEditValues ZoneValues() const = 0;
    virtual void SetZoneValues(const ZoneEditValues& values) = 0;
    virtual void SetSensitivityText(const QString& text) = 0;
    virtual bool TargetTicked() const = 0;
    virtual void SetTargetTicked(bool ticked) = 0;
    virtual bool IsShown() const = 0;
    // Shows the window modally until it closes.
    virtual void ShowModal() = 0;
};

// Keeps the values in memory so the settings round trip stays whole; it cannot be shown.
class NullZoneWindow final : public ZoneWindow {
public:
    ZoneEditValues ZoneValues() const override { return values_; }
    void SetZoneValues(const ZoneEditValues& values) override { values_ = values; }
    void SetSensitivityText(const QString& text) override { values_.sensitivityCombo = text; }
    bool TargetTicked() const override { return target_; }
    void SetTargetTicked(bool ticked) override { target_ = ticked; }
    bool IsShown() const override { return false; }
    void ShowModal() override { ReportLinkUnavailable("ZoneWindow", "ShowModal"); }

private:
    ZoneEditValues values_;
    bool target_ = false;
};
