#pragma once
// Wiring of the motion detector and loop to the station's caption drawing, zone overlay,
// picture store and alarm, so the main window binds only its own controls.
struct CaptionChoices;
struct SettingsRecord;
class AlarmSound;
class MotionCameras;
class MotionDetector;
class MotionLoop;
class PictureCaptions;
class PictureStore;

// The caption stamped on a frame with motion, the transparent box, and the target marker
// (with the zone frame while the camera's own zone window is shown).
void BindMotionDrawing(MotionDetector& detector, PictureCaptions& captions,
                       const CaptionChoices& choices, const SettingsRecord& record,
                       const MotionCameras& cameras);

// Saving the motion picture, the last-image caption, the picture number and the alarm.
void BindMotionPictures(MotionLoop& loop, PictureStore& store, AlarmSound& alarm);
