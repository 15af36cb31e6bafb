#pragma once
// The rules of a camera's zone window without its widgets: the edits' texts, the zone values
// the detector reads, the keys, Enter in the edits, the size track bar, the sensitivity, and
// what activation and deactivation do. Camera 1's window and camera 2's are twins; where they
// differ, ZoneWindowTraits says how.
#include "core/MotionDetector.h"
#include "core/ZoneWindow.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

struct SettingsRecord;

// The texts of the sensitivity combo: 200, 400, ... 12000.
QStringList MillisecondsComboTexts();

// Track bar range of the zone size.
inline constexpr int kZoneTrackMin = 50;
inline constexpr int kZoneTrackMax = 400;
// One arrow key moves the zone by this many picture pixels.
inline constexpr int kZoneStep = 10;

// A key the window looks at before the focused control does.
enum class ZoneKey { Left, Up, Right, Down, Escape, F1, F2, Other };
// The edits in which Enter means something.
enum class ZoneEdit { topEdit, leftEdit, sizeEdit };
// Where the keyboard focus goes next.
enum class ZoneFocus { Keep, keyFocusEdit, leftEdit, topEdit };

enum class ZoneKeyAction {
    Nothing,
    SwitchViewAndClose, // sets the main window's view-switch request and closes
    HelpTopic1,         // the help window on topic 1; the zone window stays open
};

// The differences between camera 1's zone window and camera 2's.
struct ZoneWindowTraits {
    int camera;
    // Camera 1 reads left and top as 32-bit numbers and keeps 16-bit copies of its zone;
    // camera 2 holds all three as 16-bit numbers.
    bool wideCorner;
    bool keepsShortCopies;
    // Camera 2: a negative size from the edits becomes 50.
    bool negativeSizeBecomes50;
    // Camera 1 refreshes its zone values on activation; camera 2 keeps what it has.
    bool refreshOnActivate;
    // Enter in topEdit / leftEdit: camera 1 refreshes the zone values, camera 2 runs a pass.
    bool enterRunsPass;
    // An arrow key: camera 2 takes left and top from the edits before moving, camera 1
    // refreshes its zone values after.
    bool arrowTakesCornerFirst;
    bool refreshAfterArrow;
    ZoneKeyAction f1;
    ZoneKeyAction f2;

    static const ZoneWindowTraits& ForCamera(int camera);
};

// The station's side; unset hooks do nothing (PictureSize answers an empty size).
struct ZoneEditorHooks {
    // One detector pass for this window's camera.
    std::function<void()> DetectorPass;
    // Size of the frame the detector works on (the picture in livePicture).
    std::function<QSize()> PictureSize;
    // Switches the main window's motion timer motionTimer on.
    std::function<void()> EnableMotionTime;
    std::function<void()> SetViewSwitchRequest;
    std::function<void(int topic)> ShowHelp;
    std::function<void()> RestoreFullView;
};

struct ZoneKeyOutcome {
    bool handled = false; // the window took the key; the focused control does not get it
    bool close = false;
    ZoneFocus focus = ZoneFocus::Keep;
};

class ZoneEditor {
public:
    // `zone` is the zone the detector reads for this camera; null: the editor keeps its own.
    ZoneEditor(int camera, SettingsRecord& record, ZoneRect* zone = nullptr, ZoneEditorHooks hooks = {});

    // Moves the zone values to where the detector reads them, keeping what they hold.
    void UseZone(ZoneRect* zone);

    const ZoneWindowTraits& Traits() const { return traits_; }
    int Camera() const { return traits_.camera; }
    ZoneEditorHooks& Hooks() { return hooks_; }

    // Edit texts as the window shows them.
    const ZoneEditValues& Texts() const { return texts_; }
    int TrackBarPosition() const { return trackBar_; }
    bool Target() const { return target_; }
    void SetTarget(bool ticked) { target_ = ticked; }
    const ZoneRect& Zone() const { return *zone_; }
    // Camera 1's 16-bit copies of left, top and size.
    const ZoneRect& ShortCopies() const { return shortCopies_; }

    // The settings copy's values: the edits as if typed, the sensitivity text without
    // touching the record.
    void SetValues(const ZoneEditValues& values);
    void SetSensitivityText(const QString& text) { texts_.sensitivityCombo = text; }

    // The user changed an edit, the combo or the track bar.
    void LeftEditChanged(const QString& text);
    void TopEditChanged(const QString& text);
    void SizeEditChanged(const QString& text) { texts_.sizeEdit = text; }
    void SensitivityComboChanged(const QString& text);
    // Clamped to the track bar's range; a real change sets the size.
    void SetTrackBarPosition(int position);

    // Window steps. Activate and Enter answer where the focus goes.
    ZoneFocus Activate();
    ZoneKeyOutcome KeyDown(ZoneKey key);
    void KeyUp();
    ZoneFocus Enter(ZoneEdit edit);
    void Deactivate();

private:
    // The zone values from sizeEdit, leftEdit and topEdit as this camera reads them; camera 1's
    // 16-bit copies follow on activation, Enter and the arrows only.
    void RefreshZone();
    void RefreshZoneAndCopies();
    void CornerChanged() { RefreshZone(); }
    void TrackBarChanged();
    void Call(const std::function<void()>& hook) const {
        if (hook)
            hook();
    }
    QSize PictureSize() const;

    const ZoneWindowTraits& traits_;
    SettingsRecord& record_;
    ZoneRect ownZone_;
    ZoneRect* zone_;
    ZoneRect shortCopies_;
    ZoneEditorHooks hooks_;
    ZoneEditValues texts_;
    int trackBar_ = kZoneTrackMin;
    bool target_ = false;
};
