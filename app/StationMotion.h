#pragma once
// The station's motion surveillance: the detector, the loop behind motionTimer, the picture
// store and the alarm. Made before the main window (which calls it through MotionLink) and
// bound to the window's cameras and controls once the window exists.
#include "core/AlarmSound.h"
#include "core/MotionDetector.h"
#include "core/MotionLink.h"
#include "core/MotionLoop.h"
#include "core/PictureStore.h"

#include <functional>
#include <memory>

struct CaptionChoices;
class PictureCaptions;
class SettingsStore;
class MainWindow;

// The main window's two cameras as the detector sees them: a camera counts while its view
// previews, its zone is watched while its hot box is ticked.
class MainWindowCameras : public MotionCameras {
public:
    void Bind(const MainWindow& mainWindow) { mainWindow_ = &mainWindow; }
    bool IsPreviewing(int camera) const override;
    QImage ImageBitmap(int camera) const override;
    bool ZoneOn(int camera) const override;
    ZoneRect Zone(int camera) const override;
    quint64 RunNumber(int camera) const override;

private:
    const MainWindow* mainWindow_ = nullptr;
};

class StationMotion : public MotionLink {
public:
    StationMotion(SettingsStore& settings, PictureCaptions& captions, const CaptionChoices& choices);
    ~StationMotion() override;

    // Binds motionTimer's tick, the detector's and the loop's hooks and the picture store to
    // the main window; the window outlives this binding's use.
    void BindMainWindow(MainWindow& mainWindow);

    MotionDetector& Detector() { return detector_; }
    MotionLoop* Loop() { return loop_.get(); }
    // Called after every tick of motionTimer (the zone windows show the frame it drew).
    void SetAfterTick(std::function<void()> afterTick) { afterTick_ = std::move(afterTick); }
    PictureStore& Pictures() { return pictures_; }
    AlarmSound& Alarm() { return alarm_; }

    void SaveMotionPicture(const QImage& picture, int camera) override;
    QString FormatLastImageCaption(int camera) const override;
    qint32 PictureCountTotal() const override;
    void PlayAlarmSound() override;
    void ResetPictureCounts() override;
    void SetPictureNamePart(const QString& part) override;
    void MotionTick() override;
    void ResetMotionDetector() override;
    void CheckMotionZone(int camera) override;

private:
    SettingsStore& settings_;
    PictureCaptions& captions_;
    const CaptionChoices& choices_;
    MainWindowCameras cameras_;
    MotionDetector detector_;
    PictureStore pictures_;
    AlarmSound alarm_;
    std::unique_ptr<MotionLoop> loop_; // needs the main window's motionTimer
    std::function<void()> afterTick_;
};
