#pragma once
// Time-lapse: a picture of each watched camera every N seconds, optionally only inside a
// daily window per camera, until the pictures have used the share of the disk the user
// allowed. Holds the working values and runs the main window's button, the picture timer
// and the 300 ms flasher; the settings dialog and the main window are reached through the
// small interfaces below.
#include "core/PictureRecycler.h"
#include "core/TimeLapseRules.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

class MotionCameras;
class PictureStore;
class SettingsStore;
namespace platform {
class WinTimer;
}

// The main window as time-lapse drives it.
class TimeLapseStation {
public:
    virtual ~TimeLapseStation() = default;
    // surveillanceBox's caption.
    virtual void SetSurveillanceText(const QString& text) = 0;
    // timeLapseButton's and surveillanceButton's text colours (0x00BBGGRR).
    virtual quint32 TimeLapseButtonColour() const = 0;
    virtual void SetTimeLapseButtonColour(quint32 colour) = 0;
    virtual void SetSurveillanceButtonColour(quint32 colour) = 0;
    // Camera 1's button (camera1Button) shows "ON".
    virtual bool Camera1ButtonOn() const = 0;
    // cameraAreaBox and cameraBox before a picture of the camera is taken.
    virtual void ShowPictureCaptions(int camera) = 0;
    // Camera 1's Take Pic command.
    virtual void TakePicture1() = 0;
    // The surveillance on/off toggle.
    virtual void ToggleSurveillance() = 0;
    // The "Disk Control" box: stop when the reserve is reached.
    virtual bool DiskControlTicked() const = 0;
    virtual bool IsFtpConnected() const = 0;
    // The FTP window's dial-up pause timer.
    virtual void EnableDialUpPause() = 0;
    virtual void ShowHelp(int topic) = 0;
};

// What the settings dialog holds.
struct TimeLapseDialogValues {
    QString intervalText;
    int action[2] = {0, 0};
    bool windowOn[2] = {false, false};
    int startSlot[2] = {0, 0};
    int stopSlot[2] = {timelapse::kSlotsPerDay, timelapse::kSlotsPerDay};
    bool recycle = false;
    int percentLine = -1; // selected line of the percent list, -1 none
};

// The settings dialog as the controller runs it.
class TimeLapseDialog {
public:
    enum class Outcome { Start, Stop, Close };
    virtual ~TimeLapseDialog() = default;
    // Caption, interval text and recycle box; forgets the last outcome.
    virtual void Prepare(int seconds, bool recycle) = 0;
    // The percent list: "1" .. count, one per line (empty when count < 1).
    virtual void FillPercentList(int count) = 0;
    virtual TimeLapseDialogValues Values() const = 0;
    virtual void SetIntervalText(const QString& text) = 0;
    virtual bool IsShown() const = 0;
    virtual void ShowEstimate(const timelapse::Estimate& estimate) = 0;
    virtual void ShowAllowable(const QString& text) = 0;
    // Modal; Esc counts as Close.
    virtual Outcome Exec() = 0;
};

struct TimeLapseTimers {
    platform::WinTimer& picture; // timeLapseTimer
    platform::WinTimer& flasher; // timeLapseFlashTimer, 300 ms
    platform::WinTimer& motion;  // motionTimer
};

// Program-wide working values.
struct TimeLapseValues {
    int intervalSeconds = 2;
    int percent = 10; // share of the drive's total size time-lapse may fill
    qint64 floorMB = 0; // free space the drive keeps
    qint64 driveFree = 0;
    qint64 driveSize = 0;
    int usedPercent = 0;
    qint64 lastPictureSize[2] = {0, 0};
    bool active = false;
    qint64 pictureCounter = 0;
    QDateTime startTime;
};

class TimeLapse {
public:
    static inline const QString kStartCameraText = QStringLiteral("Please start a Camera to use this feature.");
    static inline const QString kSelectZoneText = QStringLiteral("You must select a Zone First");
    static inline const QString kNoRoomText = QStringLiteral("You do not have enough hard disk space for this feature.");
    static inline const QString kMinimumWhileConnectedText =
        QStringLiteral("Timer must not be less than 10 seconds while connected");
    static inline const QString kSurveillanceMethodText = QStringLiteral("Surveillance Method");
    static inline const QString kExpiredText = QStringLiteral("Timer has expired!");
    static constexpr quint32 kBlack = 0;
    static constexpr quint32 kRed = 255;
    static constexpr int kHelpTopic = 2;
    static constexpr int kMinimumConnectedSeconds = 10;

    TimeLapse(SettingsStore& settings, PictureStore& pictures, MotionCameras& cameras, TimeLapseStation& station,
              TimeLapseTimers timers, DiskSpaceProbe probe = SystemDiskSpaceProbe(),
              std::function<QDateTime()> now = {});

    void SetDialog(TimeLapseDialog* dialog) { dialog_ = dialog; }
    TimeLapseValues& Values() { return values_; }
    const TimeLapseValues& Values() const { return values_; }
    // The dialog's working flag.
    bool Working() const { return values_.active; }

    // At the main window's first show: inactive, interval 2 s when still 0, 10 per cent.
    void ResetWorkingValues();
    // The start-up sequence has armed both timers: the stored interval and the floor for
    // 10 per cent, so time-lapse stops at that share and not only on a full disk.
    void StartedAtStartup();

    // Main-window handlers.
    void TimeLapseButtonClick();
    void TimeLapseTimerTick();
    void TimeLapseFlasherTimer();

    bool IsInTimeLapseWindow(int camera) const;
    // Measures the drive and returns the free-space floor in MB (unchanged when the drive
    // cannot be read).
    qint64 ComputeAllowedDiskSpace();
    // Runs the dialog. True when accepted or closed; false when the disk has no room or
    // Stop was pressed.
    bool EditTimeLapseSettings(int& seconds, int& percent, bool& recycle, bool& cancelled);
    // One sample picture per previewing camera; keeps its size (0 when not saved).
    void MeasureLastPictureSizes();
    void UpdateTimeLapseEstimate();
    // Dialog values into the settings record, then the settings file.
    void SaveTimeLapseSettings(const TimeLapseDialogValues& values);
    // The record's fields as the dialog shows them when it becomes active.
    TimeLapseDialogValues DialogValuesFromSettings() const;

    // The dialog's own events.
    // Start: the interval text to keep (10 with a message when below 10 s while connected).
    QString StartIntervalText(const QString& text);
    void SelectorChanged(int camera, bool stop, int slot);
    void WindowToggled();
    void PercentChosen(int line);
    void HelpRequested();

    // The drive time-lapse measures: camera 1's folder while it previews, else camera 2's,
    // else the program folder.
    QString MeasuredFolder() const;

private:
    std::optional<timelapse::DriveFigures> MeasureDrive();
    void StopTimeLapse();
    QDateTime Now() const;

    SettingsStore& settings_;
    PictureStore& pictures_;
    MotionCameras& cameras_;
    TimeLapseStation& station_;
    TimeLapseTimers timers_;
    DiskSpaceProbe probe_;
    std::function<QDateTime()> now_;
    TimeLapseDialog* dialog_ = nullptr;
    TimeLapseValues values_;
};
