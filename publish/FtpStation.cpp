#include "publish/FtpStation.h"

#include "core/MainWindowLink.h"

FtpStation::FtpStation(SettingsStore& settings, StartupFlags& flags, MainWindowLink& mainWindow)
    : uploader_(settings, flags, session_), target_(uploader_) {
    FtpUploaderHooks& hooks = uploader_.Hooks();
    hooks.setGroupBoxColour = [&mainWindow](quint32 colour) {
        mainWindow.SetCameraAreaColour(FromColourValue(colour));
    };
    hooks.motionTimerEnabled = [&mainWindow] { return mainWindow.MotionTimeRunning(); };
    hooks.timeLapseTimerEnabled = [&mainWindow] { return mainWindow.TimeLapseTimerRunning(); };
    hooks.setTimeLapseTimerEnabled = [&mainWindow](bool on) { mainWindow.SetTimeLapseTimerRunning(on); };
    hooks.stopping = [&mainWindow] { return mainWindow.IsShuttingDown(); };
    uploader_.Form().host = uploader_.GetFtpHostSetting();
}

QColor FtpStation::FromColourValue(quint32 value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

void FtpStation::ShowFtpWindow(bool) {
    // Every show replaces unsaved edits by the record's values.
    uploader_.LoadFtpSettings();
    if (window_) {
        window_->show();
        window_->raise();
        window_->activateWindow();
    }
}

void FtpStation::HideFtpWindow() {
    uploader_.StoreFtpSettings();
    if (window_)
        window_->hide();
}
