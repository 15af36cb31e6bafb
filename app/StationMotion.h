#pragma once
// The station's motion surveillance: the detector, the loop behind MotionTime, the picture
// store and the alarm, bound to the main window's cameras and controls.
#include "core/AlarmSound.h"
#include "core/MotionDetector.h"
#include "core/MotionLoop.h"
#include "core/PictureStore.h"

#include <memory>

struct CaptionChoices;
struct StationHooks;
class PictureCaptions;
class SettingsStore;
class Tzones;

// The main window's two cameras as the detector sees them: a camera counts while its view
// previews, its zone is watched while its hot box is ticked.
class MainWindowCameras : public MotionCameras {
public:
    explicit MainWindowCameras(const Tzones& zones) : zones_(zones) {}
    bool IsPreviewing(int camera) const override;
    QImage ImageBitmap(int camera) const override;
    bool ZoneOn(int camera) const override;
    ZoneRect Zone(int camera) const override;
    quint64 RunNumber(int camera) const override;

private:
    const Tzones& zones_;
};

class StationMotion {
public:
    // Binds MotionTime's tick, the detector hooks the main window calls and the picture
    // store; the objects live as long as this.
    StationMotion(Tzones& zones, SettingsStore& settings, StationHooks& hooks, PictureCaptions& captions,
                  const CaptionChoices& choices);

    MotionDetector& Detector() { return detector_; }
    MotionLoop& Loop() { return loop_; }
    PictureStore& Pictures() { return pictures_; }
    AlarmSound& Alarm() { return alarm_; }

private:
    MainWindowCameras cameras_;
    MotionDetector detector_;
    MotionLoop loop_;
    PictureStore pictures_;
    AlarmSound alarm_;
};
