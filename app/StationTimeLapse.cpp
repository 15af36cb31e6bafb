#include "app/StationTimeLapse.h"

#include "app/ControlColours.h"
#include "app/StationLinks.h"
#include "app/Tzones.h"
#include "core/PictureCaption.h"
#include "core/SettingsStore.h"
#include "platform/Rounding.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

namespace {

QColor ToColor(quint32 colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

quint32 FromColor(const QColor& colour) {
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}

} // namespace

void MainWindowTimeLapse::SetSurveillanceText(const QString& text) { zones_.SurveillancePanel->setTitle(text); }

quint32 MainWindowTimeLapse::TimeLapseButtonColour() const {
    return zones_.TimeLapseButton ? FromColor(FontColour(zones_.TimeLapseButton)) : TimeLapse::kBlack;
}

void MainWindowTimeLapse::SetTimeLapseButtonColour(quint32 colour) {
    if (zones_.TimeLapseButton)
        SetFontColour(zones_.TimeLapseButton, ToColor(colour));
}

void MainWindowTimeLapse::SetPanel4Colour(quint32 colour) { SetFontColour(zones_.Panel4, ToColor(colour)); }

bool MainWindowTimeLapse::Camera1ButtonOn() const { return zones_.Panel2->text() == Tzones::kOnText; }

void MainWindowTimeLapse::ShowPictureCaptions(int camera) {
    zones_.GroupBox1->setTitle(links_.motion->FormatLastImageCaption(camera));
    if (zones_.FullToolbarLayout) {
        const qint64 next = qint64(links_.motion->PictureCountTotal()) + 1;
        zones_.CameraGroupBox->setTitle(QStringLiteral("%1").arg(next, 6, 10, QLatin1Char('0')));
    } else {
        zones_.CameraGroupBox->setTitle(zones_.GroupBox1->title());
    }
}

void MainWindowTimeLapse::TakePicture1() { zones_.TakePicture1(); }

void MainWindowTimeLapse::ToggleSurveillance() { zones_.ToggleSurveillance(); }

bool MainWindowTimeLapse::DiskControlTicked() const { return zones_.diskcontrol->isChecked(); }

bool MainWindowTimeLapse::IsFtpConnected() const { return links_.ftp->IsFtpConnected(); }

void MainWindowTimeLapse::EnableDialUpPause() { links_.ftp->EnableFtpDialUpPause(); }

void MainWindowTimeLapse::ShowHelp(int topic) { zones_.ShowHelp(topic); }

StationTimeLapse::StationTimeLapse(Tzones& zones, SettingsStore& settings, StationLinks& links,
                                   PictureStore& pictures, PictureCaptions& captions)
    : station_(zones, links),
      timeLapse_(settings, pictures, cameras_, station_,
                 TimeLapseTimers{zones.TimeLapseTimer, zones.timeLaspeFlasher, zones.MotionTime}),
      dialog_(std::make_unique<TTimerForm>(timeLapse_)) {
    cameras_.Bind(zones);
    if (zones.TimeLapseButton)
        QObject::connect(zones.TimeLapseButton, &QPushButton::clicked, dialog_.get(),
                         [this] { TimeLapseButtonClick(); });
    captions.Hooks().timeLapse = [this, &zones] {
        CaptionTimeLapse state;
        state.enabled = zones.TimeLapseTimer.Enabled();
        state.intervalMs = zones.TimeLapseTimer.Interval();
        state.reserveMB = platform::SaturateInt32(timeLapse_.Values().floorMB);
        return state;
    };
}
