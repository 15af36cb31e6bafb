#include "app/StationMotion.h"

#include "app/ControlColours.h"
#include "app/MainWindow.h"
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

bool MainWindowCameras::IsPreviewing(int camera) const { return mainWindow_ && mainWindow_->CameraPreviews(camera); }

QImage MainWindowCameras::ImageBitmap(int camera) const {
    CommandCamera* view = mainWindow_ ? mainWindow_->CommandCameraOf(camera) : nullptr;
    return view ? view->UncaptionedFrame() : QImage();
}

quint64 MainWindowCameras::RunNumber(int camera) const {
    const CommandCamera* view = mainWindow_ ? mainWindow_->CommandCameraOf(camera) : nullptr;
    return view ? view->RunNumber() : 0;
}

bool MainWindowCameras::ZoneOn(int camera) const {
    const QCheckBox* box = mainWindow_ ? (camera == 2 ? mainWindow_->hotZone2Box : mainWindow_->hotZone1Box) : nullptr;
    return box && box->isChecked();
}

ZoneRect MainWindowCameras::Zone(int camera) const {
    return mainWindow_ ? mainWindow_->CameraZone[camera == 2 ? 1 : 0] : ZoneRect{};
}

StationMotion::StationMotion(SettingsStore& settings, PictureCaptions& captions, const CaptionChoices& choices)
    : settings_(settings), captions_(captions), choices_(choices), detector_(settings.Record(), cameras_),
      pictures_(settings), alarm_(settings.Folder()) {
    BindPictureCaptions(pictures_, captions);
    captions.Hooks().pictureCount = [this](int camera) { return int(pictures_.PictureCount(camera)); };
}

StationMotion::~StationMotion() = default;

void StationMotion::BindMainWindow(MainWindow& mainWindow) {
    cameras_.Bind(mainWindow);
    loop_ = std::make_unique<MotionLoop>(detector_, cameras_, mainWindow.motionTimer);
    BindMotionDrawing(detector_, captions_, choices_, settings_.Record(), cameras_);
    MotionDetectorHooks& seen = detector_.Hooks();
    seen.SetupPanelVisible = [&mainWindow] { return mainWindow.setupPanel->isVisible(); };
    seen.ZoneWindowVisible = [&mainWindow](int camera) { return mainWindow.ZoneWindowOf(camera).IsShown(); };
    seen.ShowMotionText = [&mainWindow](int camera, const QString& text) {
        (camera == 2 ? mainWindow.motionCount2Label : mainWindow.motionCount1Label)->setText(text);
    };
    seen.DrawMotionCounter = [&mainWindow](platform::PictureCanvas& picture, qint32 count) {
        mainWindow.DrawMotionCounter(picture, count);
    };

    PictureStoreHooks& store = pictures_.Hooks();
    store.tvOut = [&mainWindow] { return mainWindow.tvOutBox->isChecked(); };
    // The group box turns red, green and black at every picture; each new palette gives the
    // buttons in it fresh style pixmaps, so the pixmap cache fills to its limit before it
    // reuses anything. The limit is kept small: what it drops is drawn again.
    QPixmapCache::setCacheLimit(kPixmapCacheKB);
    store.setGroupBoxColour = [&mainWindow](quint32 colour) {
        mainWindow.SetCameraAreaColour(QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF)));
        mainWindow.cameraAreaBox->repaint();
    };
    store.cameraViewIs180High = [&mainWindow] {
        return (mainWindow.cameraFrame1 && mainWindow.cameraFrame1->height() == 180) ||
               (mainWindow.cameraFrame2 && mainWindow.cameraFrame2->height() == 180);
    };
    store.groupBoxHeight = [&mainWindow] { return mainWindow.cameraAreaBox->height(); };

    alarm_.SetAlarmTickedHook([&mainWindow] { return mainWindow.soundAlarmBox->isChecked(); });
    BindMotionPictures(*loop_, pictures_, alarm_);

    MotionLoopHooks& loop = loop_->Hooks();
    loop.SurveillanceButtonFontRed = [&mainWindow] { return FontColour(mainWindow.surveillanceButton) == ControlColours::kRed; };
    loop.SetSurveillanceButtonFontRed = [&mainWindow](bool red) {
        SetFontColour(mainWindow.surveillanceButton, red ? ControlColours::kRed : ControlColours::kBlack);
    };
    loop.SurveillanceButtonCaption = [&mainWindow] { return mainWindow.surveillanceButton->text(); };
    loop.AlarmTicked = [&mainWindow] { return mainWindow.soundAlarmBox->isChecked(); };
    loop.LogAllowed = [&mainWindow] { return mainWindow.logBox->isChecked(); };
    loop.ShowOnMotionTicked = [&mainWindow] { return mainWindow.showOnMotionBox->isChecked(); };
    loop.CameraAreaTop = [&mainWindow] { return mainWindow.cameraAreaBox->y(); };
    loop.CameraAreaHeight = [&mainWindow] { return mainWindow.cameraAreaBox->height(); };
    loop.SetCameraAreaCaption = [&mainWindow](const QString& text) { mainWindow.cameraAreaBox->setTitle(text); };
    loop.SetCameraGroupBoxCaption = [&mainWindow](const QString& text) { mainWindow.cameraBox->setTitle(text); };
    // The layout flag by which Take Pic and time-lapse put the bare number in "Cameras".
    loop.CompactScreen = [&mainWindow] { return mainWindow.FullToolbarLayout != 0; };
    loop.TickLockBox = [&mainWindow] { mainWindow.TickLockBoxForMotion(); };
    loop.UntickTarget = [&mainWindow](int camera) { mainWindow.ZoneWindowOf(camera).SetTargetTicked(false); };
    loop.ShowZoneWindowModal = [&mainWindow](int camera) {
        if (!mainWindow.IsShuttingDown())
            mainWindow.ZoneWindowOf(camera).ShowModal();
    };
    loop.MainWindowEnabled = [&mainWindow] { return mainWindow.isEnabled() && !QApplication::activeModalWidget(); };
    loop.GatherAndSaveSettings = [&mainWindow] {
        if (!mainWindow.IsShuttingDown())
            mainWindow.GatherAndSaveSettings();
    };
    loop.WriteSettingsFile = [this, &mainWindow] {
        if (!mainWindow.IsShuttingDown())
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
        loop_->MotionTimerTick();
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
