#pragma once
// Time-lapse bound to the main window: its button, its two timers, its settings dialog
// and the caption's disk statistics.
#include "app/StationMotion.h"
#include "core/TimeLapseWindow.h"
#include "core/TimeLapse.h"
#include "core/TimeLapseLink.h"

#include <memory>

struct StationLinks;
class PictureCaptions;
class SettingsStore;
class MainWindow;

// The main window's texts, colours and commands as time-lapse uses them.
class MainWindowTimeLapse : public TimeLapseStation {
public:
    MainWindowTimeLapse(MainWindow& mainWindow, StationLinks& links) : mainWindow_(mainWindow), links_(links) {}
    void SetSurveillanceText(const QString& text) override;
    quint32 TimeLapseButtonColour() const override;
    void SetTimeLapseButtonColour(quint32 colour) override;
    void SetSurveillanceButtonColour(quint32 colour) override;
    bool Camera1ButtonOn() const override;
    void ShowPictureCaptions(int camera) override;
    void TakePicture1() override;
    void ToggleSurveillance() override;
    bool DiskControlTicked() const override;
    bool IsFtpConnected() const override;
    void EnableDialUpPause() override;
    void ShowHelp(int topic) override;

private:
    MainWindow& mainWindow_;
    StationLinks& links_;
};

class StationTimeLapse : public TimeLapseLink {
public:
    // Creates the settings dialog and binds the main window's time-lapse button and the
    // caption's statistics; the main window reaches the rest through TimeLapseLink.
    StationTimeLapse(MainWindow& mainWindow, SettingsStore& settings, StationLinks& links, PictureStore& pictures,
                     PictureCaptions& captions);

    void ResetTimeLapseWorkingValues() override { timeLapse_.ResetWorkingValues(); }
    void TimeLapseTick() override { timeLapse_.TimeLapseTimerTick(); }
    void TimeLapseFlasherTick() override { timeLapse_.TimeLapseFlasherTimer(); }
    bool TimeLapseWorking() const override { return timeLapse_.Working(); }
    void TimeLapseButtonClick() override { timeLapse_.TimeLapseButtonClick(); }
    void TimeLapseStarted() override { timeLapse_.StartedAtStartup(); }

    TimeLapse& Controller() { return timeLapse_; }
    TimeLapseWindow& Dialog() { return *dialog_; }

private:
    MainWindowCameras cameras_;
    MainWindowTimeLapse station_;
    TimeLapse timeLapse_;
    std::unique_ptr<TimeLapseWindow> dialog_;
};
