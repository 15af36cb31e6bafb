// Motion surveillance on and off: the surveillance button and the state motionTimer holds.
#include "app/CameraListRules.h"
#include "app/ControlColours.h"
#include "app/MainWindow.h"

#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

namespace {

constexpr qint16 kLowestSensitivity = 50;
constexpr qint16 kSensitivityInstead = 1500;
constexpr qint32 kZoneSizeInstead = 50;

} // namespace

void MainWindow::CopyZoneValues(int camera) {
    const ZoneEditValues edits = ZoneWindowOf(camera).ZoneValues();
    ZoneRect& zone = CameraZone[camera == 2 ? 1 : 0];
    zone.size = SafeStrToInt(edits.sizeEdit);
    zone.left = SafeStrToInt(edits.leftEdit);
    zone.top = SafeStrToInt(edits.topEdit);
    if (zone.size < 0)
        zone.size = kZoneSizeInstead;
}

void MainWindow::SurveillanceButtonClick() {
    SettingsRecord& record = store_.Record();
    for (int camera : {1, 2}) {
        qint16& sensitivity = camera == 1 ? record.Sensitivity1 : record.Sensitivity2;
        if (sensitivity >= kLowestSensitivity)
            continue;
        sensitivity = kSensitivityInstead;
        // The zone window says the same, so the next gathering keeps it.
        ZoneWindowOf(camera).SetSensitivityText(QString::number(kSensitivityInstead));
    }
    if (!CameraPreviews(1) && !CameraPreviews(2)) {
        ShowMessageBox(kStartACameraText);
        return;
    }
    links_.ftp->MarkFtpCommandTime();
    SwitchSurveillance(!motionTimer.Enabled());
}

bool MainWindow::SwitchSurveillance(bool on) {
    const bool wasOn = motionTimer.Enabled();
    // Locked, the password is asked while surveillance still runs: a prompt left open must
    // not pause it. Once given, the step below does not ask again.
    const bool asksFirst = wasOn && !on && !surveillanceAccessGiven_;
    if (asksFirst && (!links_.accessLock->AccessAllowed() || shuttingDown_))
        return false;
    const QScopedValueRollback<bool> given(surveillanceAccessGiven_, surveillanceAccessGiven_ || asksFirst);
    motionTimer.SetEnabled(on);
    // A refusal (no camera, lock password, recording) leaves surveillance as it was.
    if (StartStopSurveillance())
        return true;
    motionTimer.SetEnabled(wasOn);
    return false;
}

bool MainWindow::MotionTimeRunning() const { return motionTimer.Enabled(); }

void MainWindow::SetMotionTimeRunning(bool running) { motionTimer.SetEnabled(running); }

bool MainWindow::TimeLapseTimerRunning() const { return timeLapseTimer.Enabled(); }

void MainWindow::SetTimeLapseTimerRunning(bool running) { timeLapseTimer.SetEnabled(running); }

QString MainWindow::MotionText(int camera) const { return (camera == 2 ? motionCount2Label : motionCount1Label)->text(); }

void MainWindow::ResetMotionCounters() {
    motionCount1Label->setText(MotionCounterText(0));
    motionCount2Label->setText(MotionCounterText(0));
}

bool MainWindow::ToggleSurveillance() { return StartStopSurveillance(); }

bool MainWindow::StartStopSurveillance() {
    const bool previews1 = CameraPreviews(1);
    const bool previews2 = CameraPreviews(2);
    if (!previews1 && !previews2) {
        Tell(kStartErrorText);
        return false;
    }
    // The password box is modal: the station may have ended while it was open.
    if (!(surveillanceAccessGiven_ || links_.accessLock->AccessAllowed()) || shuttingDown_)
        return false;
    if (RecordingActive) {
        Tell(kStopRecordingFirstText);
        return false;
    }
    CopyZoneValues(1);
    setupPanel->hide();

    links_.motion->ResetMotionDetector();
    for (int camera : {1, 2})
        ZoneWindowOf(camera).SetTargetTicked(false);
    if (!showOnMotionBox->isChecked() && !logBox->isChecked())
        logBox->setChecked(true);

    if (motionTimer.Enabled()) {
        // Primed: the first tick compares with a count taken now.
        if (previews2)
            links_.motion->CheckMotionZone(2);
        if (previews1)
            links_.motion->CheckMotionZone(1);
        SetFontColour(surveillanceButton, ControlColours::kRed);
        surveillanceButton->setText(kMotionText);
    } else {
        SetFontColour(surveillanceButton, ControlColours::kBlack);
        EnableOptionControls();
        lockBox->setChecked(false);
    }
    return true;
}

void MainWindow::StopIdleSurveillance() {
    if (!motionTimer.Enabled() || CameraPreviews(1) || CameraPreviews(2))
        return;
    motionTimer.SetEnabled(false);
    SetFontColour(surveillanceButton, ControlColours::kBlack);
    surveillanceButton->setText(kMotionText);
}

void MainWindow::EnableOptionControls() { SetOptionControlsEnabled(true); }

void MainWindow::DisableOptionControls() { SetOptionControlsEnabled(false); }

void MainWindow::SetOptionControlsEnabled(bool enabled) {
    // Also every button to a window that holds settings: setupButton, the tool bar's "Setup",
    // opens the same set-up panel as viewsSetupButton; ftpButton, the Views box's viewsFtpButton and the hidden
    // setupFtpButton the FTP window; captionsButton the captions; timeLapseButton the time-lapse settings.
    // The camera lists choose the device a camera runs on, which the settings keep.
    for (QWidget* control : std::initializer_list<QWidget*>{lockBox, hotZone1Box, hotZone2Box, showOnMotionBox, logBox, aim1Button, aim2Button,
                                                            viewsSetupButton, setupButton, ftpButton, viewsFtpButton, setupFtpButton, captionsButton,
                                                            timeLapseButton, cam1List, cam2List})
        control->setEnabled(enabled);
}

bool MainWindow::OptionControlsLocked() const { return lockBox->isChecked(); }

void MainWindow::LockBoxClick() {
    if (!lockBox->isChecked())
        return;
    // surveillanceButton reads "Motion" whether surveillance runs or not: the timer tells.
    const bool watching = SurveillanceRuns();
    if (watching && links_.accessLock->AccessAllowed() && !shuttingDown_) {
        DisableOptionControls();
        // The lock box sits on the set-up panel: nothing of it stays open to edit.
        setupPanel->hide();
        return;
    }
    if (!watching)
        ShowMessageBox(kLockNeedsLoggingText);
    const QSignalBlocker quiet(lockBox);
    lockBox->setChecked(false);
}

void MainWindow::TickLockBoxForMotion() {
    const QScopedValueRollback<bool> reacting(motionReaction_, true);
    lockBox->setChecked(true);
}
