#include "app/StationMotion.h"

#include "app/ControlColours.h"
#include "app/StationHooks.h"
#include "app/Tzones.h"
#include "capture/TtorCap.h"
#include "capture/VideoCapture.h"
#include "core/MotionBindings.h"
#include "core/PictureCaption.h"
#include "core/SettingsStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPixmapCache>
#include <QPushButton>

namespace {

// The application's pixmap cache, in kilobytes (Qt's default is 10 MB).
constexpr int kPixmapCacheKB = 2048;

QCheckBox* TargetBox(const Tzones& zones, int camera) {
    QWidget* window = zones.ZoneWindow(camera);
    return window ? window->findChild<QCheckBox*>(QStringLiteral("Target")) : nullptr;
}

} // namespace

bool MainWindowCameras::IsPreviewing(int camera) const { return zones_.IsPreviewing(camera); }

QImage MainWindowCameras::ImageBitmap(int camera) const {
    TtorCap* view = zones_.Cap(camera);
    return view ? view->UncaptionedFrame() : QImage();
}

quint64 MainWindowCameras::RunNumber(int camera) const {
    TtorCap* view = zones_.Cap(camera);
    return view && view->cap ? view->cap->RunNumber() : 0;
}

bool MainWindowCameras::ZoneOn(int camera) const {
    const QCheckBox* box = camera == 2 ? zones_.Hot2 : zones_.hot1;
    return box && box->isChecked();
}

ZoneRect MainWindowCameras::Zone(int camera) const { return zones_.CameraZone[camera == 2 ? 1 : 0]; }

StationMotion::StationMotion(Tzones& zones, SettingsStore& settings, StationHooks& hooks,
                             PictureCaptions& captions, const CaptionChoices& choices)
    : cameras_(zones), detector_(settings.Record(), cameras_), loop_(detector_, cameras_, zones.MotionTime),
      pictures_(settings), alarm_(settings.Folder()) {
    BindMotionDrawing(detector_, captions, choices, settings.Record(), cameras_);
    MotionDetectorHooks& seen = detector_.Hooks();
    seen.Panel1Visible = [&zones] { return zones.Panel1->isVisible(); };
    seen.ZoneWindowVisible = [&zones](int camera) {
        const QWidget* window = zones.ZoneWindow(camera);
        return window && window->isVisible();
    };
    seen.ShowMotionText = [&zones](int camera, const QString& text) {
        (camera == 2 ? zones.Errors2 : zones.Errors1)->setText(text);
    };
    seen.DrawMotionCounter = [&zones](platform::PictureCanvas& picture, qint32 count) {
        zones.DrawMotionCounter(picture, count);
    };

    BindPictureCaptions(pictures_, captions);
    PictureStoreHooks& store = pictures_.Hooks();
    store.tvOut = [&zones] { return zones.OverVideo->isChecked(); };
    // The group box turns red, green and black at every picture; each new palette gives the
    // buttons in it fresh style pixmaps, so the pixmap cache fills to its limit before it
    // reuses anything. The limit is kept small: what it drops is drawn again.
    QPixmapCache::setCacheLimit(kPixmapCacheKB);
    store.setGroupBoxColour = [&zones](quint32 colour) {
        QPalette p = zones.GroupBox1->palette();
        p.setColor(QPalette::Window, QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF)));
        zones.GroupBox1->setPalette(p);
        zones.GroupBox1->repaint();
    };
    store.cameraViewIs180High = [&zones] {
        return (zones.VideoCap1 && zones.VideoCap1->height() == 180) ||
               (zones.VideoCap2 && zones.VideoCap2->height() == 180);
    };
    store.groupBoxHeight = [&zones] { return zones.GroupBox1->height(); };
    captions.Hooks().pictureCount = [this](int camera) { return int(pictures_.PictureCount(camera)); };

    alarm_.SetAlarmTickedHook([&zones] { return zones.alarm->isChecked(); });
    BindMotionPictures(loop_, pictures_, alarm_);

    MotionLoopHooks& loop = loop_.Hooks();
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
    loop.TickCheckBox1 = [&zones] { zones.CheckBox1->setChecked(true); };
    loop.UntickTarget = [&zones](int camera) {
        if (QCheckBox* target = TargetBox(zones, camera))
            target->setChecked(false);
    };
    loop.ShowZoneWindowModal = [&zones](int camera) {
        if (auto* window = qobject_cast<QDialog*>(zones.ZoneWindow(camera)))
            window->exec();
    };
    loop.MainWindowEnabled = [&zones] { return zones.isEnabled() && !QApplication::activeModalWidget(); };
    loop.GatherAndSaveSettings = [&zones] { zones.GatherAndSaveSettings(); };
    loop.WriteSettingsFile = [&settings] { settings.WriteSettingsFile(); };

    // The camera commands' side of the store and the alarm.
    hooks.SaveMotionPicture = [this](const QImage& picture, int camera) {
        pictures_.SaveMotionPicture(picture, camera);
    };
    hooks.FormatLastImageCaption = [this](int camera) { return pictures_.FormatLastImageCaption(camera); };
    hooks.PictureCountTotal = [this] { return pictures_.PictureCount(1) + pictures_.PictureCount(2); };
    hooks.PlayAlarmSound = [this] { alarm_.PlayAlarmSound(); };
    hooks.TickZoneTarget = [&zones](int camera) {
        if (QCheckBox* target = TargetBox(zones, camera))
            target->setChecked(true);
    };

    hooks.MotionTick = [this] { loop_.MotionTimeTimer(); };
    hooks.ResetMotionDetector = [this] { detector_.ResetPreviousCounts(); };
    hooks.CheckMotionZone = [this](int camera) {
        if (camera == 2)
            detector_.CheckMotionZoneCam2();
        else
            detector_.CheckMotionZoneCam1();
    };
    hooks.ResetPictureCounts = [this] { pictures_.ResetPictureCounts(); };
    // Set once at start-up, after the settings are loaded: the camera folders are known, so
    // what interrupted saves of an earlier run left there goes now.
    hooks.SetPictureNamePart = [this](const QString& name) {
        pictures_.SetPictureNamePrefix(name);
        pictures_.RemoveStrayFiles();
    };
}
