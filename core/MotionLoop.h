#pragma once
// The surveillance loop behind the main window's timer motionTimer: on every tick it blinks the
// surveillance button and polls each watched camera's zone; on motion it sounds the alarm,
// saves the picture, updates the captions and, when asked, shows the camera's zone window.
//
// The timer stays off around each camera's poll, so a poll is never re-entered while a modal
// window or a blocking upload pumps events. Whatever happens inside a poll, the timer is on
// again afterwards: a failing poll or save never silently ends surveillance.
#include "core/MotionDetector.h"
#include "platform/PictureCanvas.h"

#include <QString>

#include <array>
#include <functional>

namespace platform {
class WinTimer;
}

// The main window's side of the loop; unset hooks do nothing or answer False / 0 / empty.
struct MotionLoopHooks {
    // Surveillance button surveillanceButton: font colour (red or black) and caption.
    std::function<bool()> SurveillanceButtonFontRed;
    std::function<void(bool red)> SetSurveillanceButtonFontRed;
    std::function<QString()> SurveillanceButtonCaption;

    // Option boxes of the main window: soundAlarmBox, logBox, showOnMotionBox.
    std::function<bool()> AlarmTicked;
    std::function<bool()> LogAllowed;
    std::function<bool()> ShowOnMotionTicked;

    std::function<void()> PlayAlarmSound;
    // Saves the captioned picture; reports its own failures. May throw.
    std::function<void(platform::PictureCanvas& image, int camera)> SaveMotionPicture;

    // Captions of cameraAreaBox and cameraBox.
    std::function<int()> CameraAreaTop;
    std::function<int()> CameraAreaHeight;
    std::function<void(const QString&)> SetCameraAreaCaption;
    std::function<void(const QString&)> SetCameraGroupBoxCaption;
    // The compact-screen flag of the layout.
    std::function<bool()> CompactScreen;
    // Pictures saved since start by both cameras together.
    std::function<qint32()> PictureCountTotal;
    std::function<QString(int camera)> FormatLastImageCaption;

    // The showOnMotionBox reaction: the lock box, the zone window's Target box, the window.
    std::function<void()> TickLockBox;
    std::function<void(int camera)> UntickTarget;
    // Shows the camera's zone window modally and returns when it closes.
    std::function<void(int camera)> ShowZoneWindowModal;
    // False while a modal window is up.
    std::function<bool()> MainWindowEnabled;
    std::function<void()> GatherAndSaveSettings;
    std::function<void()> WriteSettingsFile;

    // Tells the user that a poll failed; unset, the message box shows once the tick is over.
    std::function<void(const QString& text)> ReportError;
};

class MotionLoop {
public:
    // `motionTime` is the main window's motionTimer, whose tick calls MotionTimerTick.
    MotionLoop(MotionDetector& detector, const MotionCameras& cameras,
               platform::WinTimer& motionTime, MotionLoopHooks hooks = {});

    // One tick of motionTimer.
    void MotionTimerTick();
    // One camera's poll and reaction to motion.
    void OnCameraMotion(int camera);

    MotionLoopHooks& Hooks() { return hooks_; }

    // "000042": the number the next saved picture gets, as captions show it.
    QString NextPictureNumberText() const;

private:
    bool Watched(int camera) const;
    // Runs one camera's poll; errors are caught and reported, never passed on.
    void Poll(int camera);
    void ReportFailure(int camera, const QString& what);
    void Camera1Captions();
    void Camera2Captions();
    // Shows the camera's zone window unless it is already up; True when it was shown.
    bool ShowZoneWindow(int camera);
    void EnableUnlessModal();

    MotionDetector& detector_;
    const MotionCameras& cameras_;
    platform::WinTimer& motionTime_;
    MotionLoopHooks hooks_;
    // Per camera (index 0: the tick itself): set once a failure was reported, cleared by the
    // next poll of that camera that completes.
    std::array<bool, 3> failureReported_{};
};
