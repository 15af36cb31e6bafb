#pragma once
// The caption font window as the main window uses it: loading it from the settings, its
// colour lists, and the transparency box the settings copy reads and writes.
#include "core/LinkUnavailable.h"

class CaptionWindowLink {
public:
    virtual ~CaptionWindowLink() = default;
    virtual void FontSettingsLoadFromSettings() = 0;
    virtual void FontSettingsFillColorLists() = 0;
    virtual bool Transparent() const = 0;
    virtual void SetTransparent(bool transparent) = 0;
};

// Keeps the transparency in memory so the settings round trip stays whole.
class NullCaptionWindowLink final : public CaptionWindowLink {
public:
    void FontSettingsLoadFromSettings() override { Say("FontSettingsLoadFromSettings"); }
    void FontSettingsFillColorLists() override { Say("FontSettingsFillColorLists"); }
    bool Transparent() const override { return transparent_; }
    void SetTransparent(bool transparent) override { transparent_ = transparent; }

private:
    static void Say(const char* routine) { ReportLinkUnavailable("CaptionWindowLink", routine); }
    bool transparent_ = false;
};
