#include "core/MotionLoop.h"

#include "core/MessageBox.h"
#include "platform/WinTimer.h"

#include <exception>
#include <utility>

namespace {

const QString kSurveillanceCaption = QStringLiteral("Motion");

// Calls a hook when it is set; otherwise answers the fallback.
template <typename R, typename F, typename... Args>
R Ask(const F& hook, R fallback, Args&&... args) {
    return hook ? R(hook(std::forward<Args>(args)...)) : fallback;
}

template <typename F, typename... Args>
void Call(const F& hook, Args&&... args) {
    if (hook)
        hook(std::forward<Args>(args)...);
}

// Switches the timer off for a stretch of work and on again on every way out, unless the
// holder releases it on purpose.
class TimerHold {
public:
    explicit TimerHold(platform::WinTimer& timer) : timer_(timer) {}
    TimerHold(const TimerHold&) = delete;
    TimerHold& operator=(const TimerHold&) = delete;
    ~TimerHold() {
        if (held_)
            timer_.SetEnabled(true);
    }
    void Off() {
        timer_.SetEnabled(false);
        held_ = true;
    }
    void On() {
        timer_.SetEnabled(true);
        held_ = false;
    }
    // Leaves the timer as it is now.
    void Release() { held_ = false; }

private:
    platform::WinTimer& timer_;
    bool held_ = false;
};

// Runs work; an error is handed to report instead of leaving the tick. True when it completed.
template <typename Work, typename Report> bool Guarded(Work&& work, Report&& report) {
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        report(QStringLiteral("unknown error"));
    }
    return false;
}

} // namespace

MotionLoop::MotionLoop(MotionDetector& detector, const MotionCameras& cameras,
                       platform::WinTimer& motionTime, MotionLoopHooks hooks)
    : detector_(detector), cameras_(cameras), motionTime_(motionTime), hooks_(std::move(hooks)) {}

bool MotionLoop::Watched(int camera) const {
    return cameras_.IsPreviewing(camera) && cameras_.ZoneOn(camera);
}

void MotionLoop::MotionTimerTick() {
    TimerHold hold(motionTime_);
    Guarded(
        [&] {
            Call(hooks_.SetSurveillanceButtonFontRed, !Ask(hooks_.SurveillanceButtonFontRed, false));
            if (Watched(1)) {
                hold.Off();
                Poll(1);
                // With camera 2 to poll as well, the timer stays off until that poll is done.
                if (!Watched(2))
                    hold.On();
            }
            if (Watched(2)) {
                hold.Off();
                Poll(2);
                hold.On();
            }
        },
        [&](const QString& what) { ReportFailure(0, what); });
}

void MotionLoop::Poll(int camera) {
    if (Guarded([&] { OnCameraMotion(camera); },
                [&](const QString& what) { ReportFailure(camera, what); }))
        failureReported_[size_t(camera)] = false;
}

void MotionLoop::ReportFailure(int camera, const QString& what) {
    // A fault that repeats on every tick is told once, not every few hundred milliseconds.
    bool& reported = failureReported_[size_t(camera)];
    if (reported)
        return;
    reported = true;
    const QString where =
        camera > 0 ? QStringLiteral("camera %1").arg(camera) : QStringLiteral("the cameras");
    const QString text = QStringLiteral("Motion detection on %1 failed: %2. Surveillance goes on.")
                             .arg(where, what);
    try {
        if (hooks_.ReportError)
            hooks_.ReportError(text);
        else
            PostMessageBox(text); // after the tick, with the timer running again
    } catch (...) {
        // Nothing more can be told; surveillance must not stop over it.
    }
}

QString MotionLoop::NextPictureNumberText() const {
    const qint64 next = qint64(Ask(hooks_.PictureCountTotal, qint32(0))) + 1;
    return QStringLiteral("%1").arg(next, 6, 10, QLatin1Char('0'));
}

void MotionLoop::OnCameraMotion(int camera) {
    if (!cameras_.IsPreviewing(camera))
        return;
    if (!(camera == 1 ? detector_.CheckMotionZoneCam1() : detector_.CheckMotionZoneCam2()))
        return;
    TimerHold hold(motionTime_);
    hold.Off();
    if (Ask(hooks_.AlarmTicked, false))
        Call(hooks_.PlayAlarmSound);
    if (Ask(hooks_.LogAllowed, false)) {
        // Camera 1's captions announce the picture about to be saved; camera 2's follow it.
        if (camera == 1)
            Camera1Captions();
        // The saver stamps the caption on the picture it saves; a copy of the frame as it
        // came gets that one stamp (two stamps a second apart smear a transparent time).
        platform::PictureCanvas picture(detector_.Frame(camera));
        Call(hooks_.SaveMotionPicture, picture, camera);
        if (camera == 2)
            Camera2Captions();
    }
    if (Ask(hooks_.ShowOnMotionTicked, false)) {
        // The timer stays off while the zone window is up.
        hold.Release();
        Call(hooks_.SetSurveillanceButtonFontRed, false);
        if (camera == 1)
            Call(hooks_.TickLockBox);
        Call(hooks_.UntickTarget, camera);
        if (ShowZoneWindow(camera) && camera == 2) {
            Call(hooks_.GatherAndSaveSettings);
            Call(hooks_.WriteSettingsFile);
        }
        return;
    }
    hold.Release();
    EnableUnlessModal();
}

void MotionLoop::Camera1Captions() {
    const QString number = NextPictureNumberText();
    const bool compact = Ask(hooks_.CompactScreen, false);
    if (Ask(hooks_.CameraAreaTop, 0) == 0) {
        if (Ask(hooks_.SurveillanceButtonCaption, QString()) != kSurveillanceCaption)
            return;
        if (Ask(hooks_.CameraAreaHeight, 0) > 200) {
            // For a box this high the last-image caption is the long form: number,
            // " Last Image ", camera name and time.
            const QString text = Ask(hooks_.FormatLastImageCaption, QString(), 1);
            Call(hooks_.SetCameraAreaCaption, text);
            Call(hooks_.SetCameraGroupBoxCaption, compact ? number : text);
        } else {
            Call(hooks_.SetCameraAreaCaption, number);
        }
        return;
    }
    const QString text = Ask(hooks_.FormatLastImageCaption, QString(), 1);
    Call(hooks_.SetCameraAreaCaption, text);
    Call(hooks_.SetCameraGroupBoxCaption, compact ? number : text);
}

void MotionLoop::Camera2Captions() {
    if (Ask(hooks_.SurveillanceButtonCaption, QString()) != kSurveillanceCaption)
        return;
    const QString text = Ask(hooks_.FormatLastImageCaption, QString(), 2);
    Call(hooks_.SetCameraAreaCaption, text);
    Call(hooks_.SetCameraGroupBoxCaption,
         Ask(hooks_.CompactScreen, false) ? NextPictureNumberText() : text);
}

bool MotionLoop::ShowZoneWindow(int camera) {
    // The zone window's activation switches the timer back on, so a second motion can arrive
    // while the window is still up: it is not shown twice.
    if (Ask(detector_.Hooks().ZoneWindowVisible, false, camera))
        return false;
    Call(hooks_.ShowZoneWindowModal, camera);
    return true;
}

void MotionLoop::EnableUnlessModal() {
    if (Ask(hooks_.MainWindowEnabled, true))
        motionTime_.SetEnabled(true);
}
