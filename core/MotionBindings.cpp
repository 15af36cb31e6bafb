#include "core/MotionBindings.h"

#include "core/AlarmSound.h"
#include "core/CaptionChoices.h"
#include "core/MotionDetector.h"
#include "core/MotionLoop.h"
#include "core/PictureCaption.h"
#include "core/PictureStore.h"
#include "core/SettingsRecord.h"
#include "core/ZoneOverlay.h"

void BindMotionDrawing(MotionDetector& detector, PictureCaptions& captions,
                       const CaptionChoices& choices, const SettingsRecord& record,
                       const MotionCameras& cameras) {
    MotionDetectorHooks& hooks = detector.Hooks();
    hooks.CaptionTransparent = [&choices] { return choices.transparent; };
    hooks.DrawPictureCaption = [&captions](platform::PictureCanvas& image, int camera) {
        captions.DrawPictureCaption(image, camera);
    };
    hooks.DrawTargetMarker = [&detector, &record, &cameras](platform::PictureCanvas& image,
                                                            int x, int y, int camera) {
        const auto& visible = detector.Hooks().ZoneWindowVisible;
        DrawTargetMarker(image, x, y, cameras.Zone(camera).size, visible && visible(camera),
                         record.CaptionFontSize);
    };
}

void BindMotionPictures(MotionLoop& loop, PictureStore& store, AlarmSound& alarm) {
    MotionLoopHooks& hooks = loop.Hooks();
    // The store reports its own failures; the loop goes on either way.
    hooks.SaveMotionPicture = [&store](platform::PictureCanvas& image, int camera) {
        store.SaveMotionPicture(image, camera);
    };
    hooks.FormatLastImageCaption = [&store](int camera) {
        return store.FormatLastImageCaption(camera);
    };
    hooks.PictureCountTotal = [&store] { return store.PictureCount(1) + store.PictureCount(2); };
    hooks.PlayAlarmSound = [&alarm] { alarm.PlayAlarmSound(); };
}
