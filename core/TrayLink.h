#pragma once
// The tray icon, the pop-up menus and the set-up panel's tabs. Their part implements it.
#include "core/LinkUnavailable.h"

class TrayLink {
public:
    virtual ~TrayLink() = default;
    virtual void ShowSetupTab() = 0;
    virtual void FillPhoneSizeList() = 0;
    virtual void MinimizeToTray() = 0;
    virtual void AddTrayIcon() = 0;
    virtual void RemoveTrayIcon() = 0;
    // The "Disk Stats" menu item.
    virtual void UntickDiskStats() = 0;
    virtual bool DiskStatsTicked() const = 0;
    // The set-up panel's values into the settings records, as its Hide stores them; the
    // caller saves.
    virtual void StoreSetupPanel() = 0;
};

class NullTrayLink final : public TrayLink {
public:
    static TrayLink& Instance() {
        static NullTrayLink link;
        return link;
    }
    void ShowSetupTab() override { Say("ShowSetupTab"); }
    void FillPhoneSizeList() override { Say("FillPhoneSizeList"); }
    void MinimizeToTray() override { Say("MinimizeToTray"); }
    void AddTrayIcon() override { Say("AddTrayIcon"); }
    void RemoveTrayIcon() override { Say("RemoveTrayIcon"); }
    void UntickDiskStats() override { Say("UntickDiskStats"); }
    bool DiskStatsTicked() const override { return Say("DiskStatsTicked"), false; }
    void StoreSetupPanel() override { Say("StoreSetupPanel"); }

private:
    static void Say(const char* routine) { ReportLinkUnavailable("TrayLink", routine); }
};
