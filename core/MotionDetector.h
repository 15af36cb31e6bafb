#pragma once
// Motion detection in each camera's square target zone.
//
// Every poll cuts the zone out of the camera's latest frame, stretches it into a fixed
// 145 x 129 work image (ZoneImage), compares that with the previous poll's work image (PreviousZoneImage)
// and reports motion when the count of unchanged pixels jumped by more than the camera's
// sensitivity. Pure logic over RGB888 QImages; the windows bind through MotionCameras and
// MotionDetectorHooks.
#include "platform/PictureCanvas.h"

#include <QImage>
#include <QString>
#include <QtGlobal>

#include <array>
#include <functional>

struct SettingsRecord;

// The square zone of one camera, in frame pixels.
struct ZoneRect {
    qint32 left = 0;
    qint32 top = 0;
    qint32 size = 0;
};

// Which colour channels count and by how much they must differ to count as changed.
struct ChannelChoice {
    bool red = true;
    bool green = true;
    bool blue = true;
    int threshold = 3;
};

struct ZoneComparison {
    qint32 total = 0;   // width x height
    qint32 same = 0;    // sampled pixels that did not change
    qint32 changed = 0; // sampled pixels that changed
};

// Size of the work images ZoneImage / PreviousZoneImage.
inline constexpr int kZoneImageWidth = 145;
inline constexpr int kZoneImageHeight = 129;

// Compares every second column of two equally sized bitmaps. A pixel is changed when each
// channel is either switched off or differs by more than the threshold. Bitmaps of different
// sizes give all zeros.
ZoneComparison CompareZoneBitmaps(const QImage& current, const QImage& previous,
                                  const ChannelChoice& channels);

// Copies the zone of `frame` stretched onto the rectangle (0, 0)-(work height, work width + 5)
// of `work`, nearest neighbour by pixel centres. Columns right of that rectangle keep what was
// there; rows below the work image are dropped. Zone pixels outside the frame read as black;
// a zone size of 0 or less copies nothing.
void StretchZoneInto(const QImage& frame, const ZoneRect& zone, QImage& work);

// "MO " and the last five digits of d written with at least six digits.
QString MotionText(qint32 d);

// What the detector and the loop need to know of the two cameras (camera = 1 or 2).
class MotionCameras {
public:
    virtual ~MotionCameras() = default;
    virtual bool IsPreviewing(int camera) const = 0;
    // The camera's latest grabbed frame as it came (no caption), RGB888; null while none has
    // come yet.
    virtual QImage ImageBitmap(int camera) const = 0;
    // Changes whenever the camera starts afresh (switched on, recovered); 0 when unknown.
    virtual quint64 RunNumber(int) const { return 0; }
    // The camera's zone box (hotZone1Box / hotZone2Box).
    virtual bool ZoneOn(int camera) const = 0;
    virtual ZoneRect Zone(int camera) const = 0;
};

// Display side of the detector; unset hooks do nothing.
struct MotionDetectorHooks {
    // The caption window's transparent box: the working frame's canvas turns transparent.
    std::function<bool()> CaptionTransparent;
    // Stamps the picture caption on the frame in which motion was found.
    std::function<void(platform::PictureCanvas& image, int camera)> DrawPictureCaption;
    // Whether the main window's setupPanel (holding motionCount1Label / motionCount2Label) is visible.
    std::function<bool()> SetupPanelVisible;
    // Puts the motion text into motionCount1Label (camera 1) or motionCount2Label (camera 2).
    std::function<void(int camera, const QString& text)> ShowMotionText;
    // Whether the zone window of camera `camera` is shown.
    std::function<bool(int camera)> ZoneWindowVisible;
    std::function<void(platform::PictureCanvas& image, qint32 d)> DrawMotionCounter;
    std::function<void(platform::PictureCanvas& image, int x, int y, int camera)>
        DrawTargetMarker;
};

class MotionDetector {
public:
    MotionDetector(const SettingsRecord& settings, const MotionCameras& cameras,
                   MotionDetectorHooks hooks = {});

    // One detection step of the main loop; True when motion was found.
    bool CheckMotionZoneCam1();
    bool CheckMotionZoneCam2();
    // The pass of camera 2's zone window: fixed threshold 10 on all three channels, sharing
    // camera 2's previous count and motion text with the loop.
    bool CheckZoneWindowMotionCam2();

    qint32 CameraSensitivity(int camera) const;
    // The channels and threshold from the settings record.
    ChannelChoice ScanChannels() const;

    // Working pictures of a camera, for its zone window: the latest frame, the stretched zone
    // and the previous zone.
    const platform::PictureCanvas& MarkedFrame(int camera) const { return State(camera).markedFrame; }
    platform::PictureCanvas& MarkedFrame(int camera) { return State(camera).markedFrame; }
    const QImage& ZoneImage(int camera) const { return State(camera).zoneImage; }
    const QImage& PreviousZoneImage(int camera) const { return State(camera).previousZoneImage; }
    // The frame of the camera's last check as it came, before anything was drawn on it: the
    // picture to save is stamped once, on a copy of this.
    const QImage& Frame(int camera) const { return State(camera).frame; }

    qint32 PreviousCount(int camera) const { return State(camera).previousCount; }
    // The camera starts afresh: its previous zone and count are dropped, so its next two
    // checks only take counts and never fire. Also done by itself when the camera's run
    // number changes.
    void ResetCamera(int camera) {
        State(camera).previousCount = 0;
        State(camera).previousZoneImage = QImage();
    }
    void ResetPreviousCounts() {
        ResetCamera(1);
        ResetCamera(2);
    }
    const QString& LastMotionText(int camera) const { return State(camera).motionText; }

    MotionDetectorHooks& Hooks() { return hooks_; }

private:
    struct CameraState {
        platform::PictureCanvas markedFrame;
        QImage frame;
        QImage zoneImage;
        QImage previousZoneImage;
        qint32 previousCount = 0;
        QString motionText;
        quint64 run = 0; // the camera's run number the zones belong to
    };

    bool CheckMotionZone(int camera, const ChannelChoice& channels);
    bool ZoneWindowShownFor(int camera) const;
    CameraState& State(int camera) { return cams_[camera == 2 ? 1 : 0]; }
    const CameraState& State(int camera) const { return cams_[camera == 2 ? 1 : 0]; }

    const SettingsRecord& settings_;
    const MotionCameras& cameras_;
    MotionDetectorHooks hooks_;
    std::array<CameraState, 2> cams_;
};
