#include "app/StationMotion.h"

#include "app/ControlColours.h"
#include "app/Tzones.h"
#include "core/MotionBindings.h"
#include "core/PictureCaption.h"
#include "core/SettingsStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPixmapCache>
#include <QPushButton>

namespace {

// The application's pixmap cache, in kilobytes (Qt's default is 10 MB).
constexpr int kPixmapCacheKB = 2048;

} // namespace

bool MainWindowCameras::IsPreviewing(int camera) const { return zones_ && zones_->CameraPreviews(camera); }

QImage MainWindowCameras::ImageBitmap(int camera) const {
    CommandCamera* view = zones_ ? zones_->CameraView(camera) : nullptr;
    return view ? view->UncaptionedFrame() : QImage();
}

quint64 MainWindowCameras::RunNumber(int camera) const {
    const CommandCamera* view = zones_ ? zones_->CameraView(camera) : nullptr;
    return view ? view->RunNumber() : 0;
}

bool MainWindowCameras::ZoneOn(int camera) const {
    const QCheckBox* box = zones_ ? (camera == 2 ? zones_->Hot2 : zones_->hot1) : nullptr;
    return box && box->isChecked();
}

ZoneRect MainWindowCameras::Zone(int camera) const {
    return zones_ ? zones_->CameraZone[camera == 2 ? 1 : 0] : ZoneRect{};
}

StationMotion::StationMotion(SettingsStore& settings, PictureCaptions& captions, const CaptionChoices& choices)
    : settings_(settings), captions_(captions), choices_(choices), detector_(settings.Record(), cameras_),
      pictures_(settings), alarm_(settings.Folder()) {
    BindPictureCaptions(pictures_, captions);
    captions.Hooks().pictureCount = [this](int camera) { return int(pictures_.PictureCount(camera)); };
}

StationMotion::~StationMotion() = default;

void StationMotion::BindMainWindow(Tzones& zones) {
    cameras_.Bind(zones);
    loop_ = std::make_unique<MotionLoop>(detector_, cameras_, zones.MotionTime);
    BindMotionDrawing(detector_, captions_, choices_, settings_.Record(), cameras_);
    MotionDetectorHooks& seen = detector_.Hooks();
    seen.Panel1Visible = [&zones] { return zones.Panel1->isVisible(); };
    seen.ZoneWindowVisible = [&zones](int camera) { return zones.ZoneWindowOf(camera).IsShown(); };
    seen.ShowMotionText = [&zones](int camera, const QString& text) {
        (camera == 2 ? zones.Errors2 : zones.Errors1)->setText(text);
    };
    seen.DrawMotionCounter = [&zones](platform::PictureCanvas& picture, qint32 count) {
        zones.DrawMotionCounter(picture, count);
    };

    PictureStoreHooks& store = pictures_.Hooks();
    store.tvOut = [&zones] { return zones.OverVideo->isChecked(); };
    // The group box turns red, green and black at every picture; each new palette gives the
    // buttons in it fresh style pixmaps, so the pixmap cache fills to its limit before it
    // reuses anything. The limit is kept small: what it drops is drawn again.
    QPixmapCache::setCacheLimit(kPixmapCacheKB);
    store.setGroupBoxColour = [&zones](quint32 colour) {
        zones.SetCameraAreaColour(QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF)));
        zones.GroupBox1->repaint();
    };
    store.cameraViewIs180High = [&zones] {
        return (zones.VideoCap1 && zones.VideoCap1->height() == 180) ||
               (zones.VideoCap2 && zones.VideoCap2->height() == 180);
    };
    store.groupBoxHeight = [&zones] { return zones.GroupBox1->height(); };

    alarm_.SetAlarmTickedHook([&zones] { return zones.alarm->isChecked(); });
    BindMotionPictures(*loop_, pictures_, alarm_);

    MotionLoopHooks& loop = loop_->Hooks();
    loop.Panel4FontRed = [&zones] { return FontColour(zones.Panel4) == ControlColours::kRed; };
    loop.SetPanel4FontRed = [&zones](bool red) {
        SetFontColour(zones.Panel4, red ? ControlColours::kRed : ControlColours::kBlack);
    };
    loop.Panel4Caption = [&zones] { return zones.Panel4->text(); };
    loop.AlarmTicked = [&zones] { return zones.alarm->isChecked(); };
    loop.LogAllowed = [&zones] { return zones.LogAllowed->isChecked(); };
    loop.ShowwTicked = [&zones] { return zones.Showw->isChecked(); };
    loop.GroupBox1Top = [&zones] { return zones.GroupBox1->y(); };
    loop.GroupBox1Height = [&zones] { return zones.GroupBox1->height(); };
    loop.SetGroupBox1Caption = [&zones](const QString& text) { zones.GroupBox1->setTitle(text); };
    loop.SetCameraGroupBoxCaption = [&zones](const QString& text) { zones.CameraGroupBox->setTitle(text); };
    // The layout flag by which Take Pic and time-lapse put the bare number in "Cameras".
    loop.CompactScreen = [&zones] { return zones.FullToolbarLayout != 0; };
    loop.TickCheckBox1 = [&zones] { zones.TickLockBoxForMotion(); };
    loop.UntickTarget = [&zones](int camera) { zones.ZoneWindowOf(camera).SetTargetTicked(false); };
    loop.ShowZoneWindowModal = [&zones](int camera) {
        if (!zones.IsShuttingDown())
            zones.ZoneWindowOf(camera).ShowModal();
    };
    loop.MainWindowEnabled = [&zones] { return zones.isEnabled() && !QApplication::activeModalWidget(); };
    loop.GatherAndSaveSettings = [&zones] {
        if (!zones.IsShuttingDown())
            zones.GatherAndSaveSettings();
    };
    loop.WriteSettingsFile = [this, &zones] {
        if (!zones.IsShuttingDown())
            settings_.WriteSettingsFile();
    };
}

void StationMotion::SaveMotionPicture(const QImage& picture, int camera) { pictures_.SaveMotionPicture(picture, camera); }

QString StationMotion::FormatLastImageCaption(int camera) const { return pictures_.FormatLastImageCaption(camera); }

qint32 StationMotion::PictureCountTotal() const { return pictures_.PictureCount(1) + pictures_.PictureCount(2); }

void StationMotion::PlayAlarmSound() { alarm_.PlayAlarmSound(); }

void StationMotion::ResetPictureCounts() { pictures_.ResetPictureCounts(); }


// Set once at start-up, after the settings are loaded: the camera folders are known, so
// what interrupted saves of an earlier run left there goes now.
void StationMotion::SetPictureNamePart(const QString& part) {
    pictures_.SetPictureNamePrefix(part);
    pictures_.RemoveStrayFiles();
}

void StationMotion::MotionTick() {
    if (loop_)
        loop_->MotionTimeTimer();
    if (afterTick_)
        afterTick_();
}

void StationMotion::ResetMotionDetector() { detector_.ResetPreviousCounts(); }

void StationMotion::CheckMotionZone(int camera) {
    if (camera == 2)
        detector_.CheckMotionZoneCam2();
    else
        detector_.CheckMotionZoneCam1();
}
