// Motion surveillance on and off: the surveillance button and the state MotionTime holds.
#include "app/CameraListRules.h"
#include "app/ControlColours.h"
#include "app/Tzones.h"

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

void Tzones::CopyZoneValues(int camera) {
    const ZoneEditValues edits = ZoneWindowOf(camera).ZoneValues();
    ZoneRect& zone = CameraZone[camera == 2 ? 1 : 0];
    zone.size = SafeStrToInt(edits.scales);
    zone.left = SafeStrToInt(edits.CalLeft);
    zone.top = SafeStrToInt(edits.calTop);
    if (zone.size < 0)
        zone.size = kZoneSizeInstead;
}

void Tzones::Panel4Click() {
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
    SwitchSurveillance(!MotionTime.Enabled());
}

bool Tzones::SwitchSurveillance(bool on) {
    const bool wasOn = MotionTime.Enabled();
    // Locked, the password is asked while surveillance still runs: a prompt left open must
    // not pause it. Once given, the step below does not ask again.
    const bool asksFirst = wasOn && !on && !surveillanceAccessGiven_;
    if (asksFirst && (!links_.accessLock->AccessAllowed() || shuttingDown_))
        return false;
    const QScopedValueRollback<bool> given(surveillanceAccessGiven_, surveillanceAccessGiven_ || asksFirst);
    MotionTime.SetEnabled(on);
    // A refusal (no camera, lock password, recording) leaves surveillance as it was.
    if (StartStopSurveillance())
        return true;
    MotionTime.SetEnabled(wasOn);
    return false;
}

bool Tzones::MotionTimeRunning() const { return MotionTime.Enabled(); }

void Tzones::SetMotionTimeRunning(bool running) { MotionTime.SetEnabled(running); }

bool Tzones::TimeLapseTimerRunning() const { return TimeLapseTimer.Enabled(); }

void Tzones::SetTimeLapseTimerRunning(bool running) { TimeLapseTimer.SetEnabled(running); }

QString Tzones::MotionText(int camera) const { return (camera == 2 ? Errors2 : Errors1)->text(); }

void Tzones::ResetMotionCounters() {
    Errors1->setText(MotionCounterText(0));
    Errors2->setText(MotionCounterText(0));
}

bool Tzones::ToggleSurveillance() { return StartStopSurveillance(); }

bool Tzones::StartStopSurveillance() {
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
    Panel1->hide();

    links_.motion->ResetMotionDetector();
    for (int camera : {1, 2})
        ZoneWindowOf(camera).SetTargetTicked(false);
    if (!Showw->isChecked() && !LogAllowed->isChecked())
        LogAllowed->setChecked(true);

    if (MotionTime.Enabled()) {
        // Primed: the first tick compares with a count taken now.
        if (previews2)
            links_.motion->CheckMotionZone(2);
        if (previews1)
            links_.motion->CheckMotionZone(1);
        SetFontColour(Panel4, ControlColours::kRed);
        Panel4->setText(kMotionText);
    } else {
        SetFontColour(Panel4, ControlColours::kBlack);
        EnableOptionControls();
        CheckBox1->setChecked(false);
    }
    return true;
}

void Tzones::StopIdleSurveillance() {
    if (!MotionTime.Enabled() || CameraPreviews(1) || CameraPreviews(2))
        return;
    MotionTime.SetEnabled(false);
    SetFontColour(Panel4, ControlColours::kBlack);
    Panel4->setText(kMotionText);
}

void Tzones::EnableOptionControls() { SetOptionControlsEnabled(true); }

void Tzones::DisableOptionControls() { SetOptionControlsEnabled(false); }

void Tzones::SetOptionControlsEnabled(bool enabled) {
    // Also every button to a window that holds settings: Button24, the tool bar's "Setup",
    // opens the same set-up panel as Button10; Button27, the Views box's Button8 and the hidden
    // Button37 the FTP window; Button30 the captions; TimeLapseButton the time-lapse settings.
    // The camera lists choose the device a camera runs on, which the settings keep.
    for (QWidget* control : std::initializer_list<QWidget*>{CheckBox1, hot1, Hot2, Showw, LogAllowed, Button9, Button6,
                                                            Button10, Button24, Button27, Button8, Button37, Button30,
                                                            TimeLapseButton, cam1List, cam2List})
        control->setEnabled(enabled);
}

bool Tzones::OptionControlsLocked() const { return CheckBox1->isChecked(); }

void Tzones::CheckBox1Click() {
    if (!CheckBox1->isChecked())
        return;
    // Panel4 reads "Motion" whether surveillance runs or not: the timer tells.
    const bool watching = SurveillanceRuns();
    if (watching && links_.accessLock->AccessAllowed() && !shuttingDown_) {
        DisableOptionControls();
        // The lock box sits on the set-up panel: nothing of it stays open to edit.
        Panel1->hide();
        return;
    }
    if (!watching)
        ShowMessageBox(kLockNeedsLoggingText);
    const QSignalBlocker quiet(CheckBox1);
    CheckBox1->setChecked(false);
}

void Tzones::TickLockBoxForMotion() {
    const QScopedValueRollback<bool> reacting(motionReaction_, true);
    CheckBox1->setChecked(true);
}
