#include "app/StationTimeLapse.h"

#include "app/ControlColours.h"
#include "app/StationLinks.h"
#include "app/MainWindow.h"
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

void MainWindowTimeLapse::SetSurveillanceText(const QString& text) { mainWindow_.surveillanceBox->setTitle(text); }

quint32 MainWindowTimeLapse::TimeLapseButtonColour() const {
    return mainWindow_.timeLapseButton ? FromColor(FontColour(mainWindow_.timeLapseButton)) : TimeLapse::kBlack;
}

void MainWindowTimeLapse::SetTimeLapseButtonColour(quint32 colour) {
    if (mainWindow_.timeLapseButton)
        SetFontColour(mainWindow_.timeLapseButton, ToColor(colour));
}

void MainWindowTimeLapse::SetSurveillanceButtonColour(quint32 colour) { SetFontColour(mainWindow_.surveillanceButton, ToColor(colour)); }

bool MainWindowTimeLapse::Camera1ButtonOn() const { return mainWindow_.camera1Button->text() == MainWindow::kOnText; }

void MainWindowTimeLapse::ShowPictureCaptions(int camera) {
    mainWindow_.cameraAreaBox->setTitle(links_.motion->FormatLastImageCaption(camera));
    if (mainWindow_.FullToolbarLayout) {
        const qint64 next = qint64(links_.motion->PictureCountTotal()) + 1;
        mainWindow_.cameraBox->setTitle(QStringLiteral("%1").arg(next, 6, 10, QLatin1Char('0')));
    } else {
        mainWindow_.cameraBox->setTitle(mainWindow_.cameraAreaBox->title());
    }
}

void MainWindowTimeLapse::TakePicture1() { mainWindow_.TakePicture1(); }

void MainWindowTimeLapse::ToggleSurveillance() { mainWindow_.ToggleSurveillance(); }

bool MainWindowTimeLapse::DiskControlTicked() const { return mainWindow_.diskControlBox->isChecked(); }

bool MainWindowTimeLapse::IsFtpConnected() const { return links_.ftp->IsFtpConnected(); }

void MainWindowTimeLapse::EnableDialUpPause() { links_.ftp->EnableFtpDialUpPause(); }

void MainWindowTimeLapse::ShowHelp(int topic) { mainWindow_.ShowHelp(topic); }

StationTimeLapse::StationTimeLapse(MainWindow& mainWindow, SettingsStore& settings, StationLinks& links,
                                   PictureStore& pictures, PictureCaptions& captions)
    : station_(mainWindow, links),
      timeLapse_(settings, pictures, cameras_, station_,
                 TimeLapseTimers{mainWindow.timeLapseTimer, mainWindow.timeLapseFlashTimer, mainWindow.motionTimer}),
      dialog_(std::make_unique<TimeLapseWindow>(timeLapse_)) {
    cameras_.Bind(mainWindow);
    if (mainWindow.timeLapseButton)
        QObject::connect(mainWindow.timeLapseButton, &QPushButton::clicked, dialog_.get(),
                         [this] { TimeLapseButtonClick(); });
    captions.Hooks().timeLapse = [this, &mainWindow] {
        CaptionTimeLapse state;
        state.enabled = mainWindow.timeLapseTimer.Enabled();
        state.intervalMs = mainWindow.timeLapseTimer.Interval();
        state.reserveMB = platform::SaturateInt32(timeLapse_.Values().floorMB);
        return state;
    };
}
