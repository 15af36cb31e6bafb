#pragma once
// The FTP side of the station: the session, the uploader and the upload target the picture
// store hands pictures to, behind the main window's FTP link. The FTP window shows and hides
// through it; until that window exists a stand-in (or nothing) is shown.
#include "core/FtpLink.h"
#include "platform/FtpSession.h"
#include "publish/FtpPictureUploadTarget.h"
#include "publish/FtpUploader.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class MainWindowLink;
class SettingsStore;
struct StartupFlags;

class FtpStation : public FtpLink {
public:
    FtpStation(SettingsStore& settings, StartupFlags& flags, MainWindowLink& mainWindow);

    FtpUploader& Uploader() { return uploader_; }
    platform::FtpSession& Session() { return session_; }
    PictureUploadTarget& UploadTarget() { return target_; }
    // The picture store's ring of numbered remote pictures, started again at each connect.
    void SetResetFtpRing(std::function<void()> reset) { uploader_.Hooks().resetFtpRing = std::move(reset); }
    // The window ShowFtpWindow shows; may stay unset.
    void SetWindow(QWidget* window) { window_ = window; }

    void LoadFtpSettings() override { uploader_.LoadFtpSettings(); }
    void FtpConnect() override { uploader_.FtpConnect(); }
    bool IsFtpConnected() const override { return uploader_.IsFtpConnected(); }
    void FtpDisconnect() override { uploader_.FtpDisconnect(); }
    void MarkFtpCommandTime() override { uploader_.MarkFtpCommandTime(); }
    // UploadPauseTimer, armed by the time-lapse dialog while it is open.
    void EnableFtpDialUpPause() override { uploader_.ArmDialUpPause(); }
    bool FtpWindowVisible() const override { return window_ && window_->isVisible(); }
    void ShowFtpWindow(bool byUser) override;
    void HideFtpWindow() override;

    // A colour value 0x00BBGGRR as the main window takes it.
    static QColor FromColourValue(quint32 value);

private:
    platform::FtpSession session_;
    FtpUploader uploader_;
    FtpPictureUploadTarget target_;
    QPointer<QWidget> window_;
};
