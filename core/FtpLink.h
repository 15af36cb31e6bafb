#pragma once
// The FTP session and its window as the main window, the tray and the menus use them.
#include "core/LinkUnavailable.h"

class FtpLink {
public:
    virtual ~FtpLink() = default;
    virtual void LoadFtpSettings() = 0;
    virtual void FtpConnect() = 0;
    virtual bool IsFtpConnected() const = 0;
    virtual void FtpDisconnect() = 0;
    // Holds back FTP uploads for the next seconds.
    virtual void MarkFtpCommandTime() = 0;
    // The FTP window's dial-up pause timer (the time-lapse dialog arms it).
    virtual void EnableFtpDialUpPause() = 0;
    // The FTP window; byUser: opened by the user (not by the start-up sequence).
    virtual bool FtpWindowVisible() const = 0;
    virtual void ShowFtpWindow(bool byUser) = 0;
    virtual void HideFtpWindow() = 0;
};

// Never connected.
class NullFtpLink final : public FtpLink {
public:
    static FtpLink& Instance() {
        static NullFtpLink link;
        return link;
    }
    void LoadFtpSettings() override { Say("LoadFtpSettings"); }
    void FtpConnect() override { Say("FtpConnect"); }
    bool IsFtpConnected() const override { return false; }
    void FtpDisconnect() override { Say("FtpDisconnect"); }
    void MarkFtpCommandTime() override { Say("MarkFtpCommandTime"); }
    void EnableFtpDialUpPause() override { Say("EnableFtpDialUpPause"); }
    bool FtpWindowVisible() const override { return false; }
    void ShowFtpWindow(bool) override { Say("ShowFtpWindow"); }
    void HideFtpWindow() override { Say("HideFtpWindow"); }

private:
    static void Say(const char* routine) { ReportLinkUnavailable("FtpLink", routine); }
};
