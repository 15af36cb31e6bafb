// Motion surveillance on and off: the surveillance button and the state MotionTime holds.
#include "app/ControlColours.h"
#include "app/Tzones.h"

#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr qint16 kLowestSensitivity = 50;
constexpr qint16 kSensitivityInstead = 1500;
constexpr qint32 kZoneSizeInstead = 50;

QString EditText(const QWidget* window, const char* name) {
    const auto* edit = window ? window->findChild<QLineEdit*>(QString::fromLatin1(name)) : nullptr;
    return edit ? edit->text() : QString();
}

} // namespace

void Tzones::CopyZoneValues(int camera) {
    const QWidget* window = ZoneWindow(camera);
    if (!window)
        return;
    ZoneRect& zone = CameraZone[camera == 2 ? 1 : 0];
    zone.size = SafeStrToInt(EditText(window, "scales"));
    zone.left = SafeStrToInt(EditText(window, "CalLeft"));
    zone.top = SafeStrToInt(EditText(window, "calTop"));
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
        // The zone window's edit says the same, so the next gathering keeps it.
        if (auto* edit = ZoneWindow(camera) ? ZoneWindow(camera)->findChild<QLineEdit*>(QStringLiteral("Sensitivity")) : nullptr)
            edit->setText(QString::number(kSensitivityInstead));
    }
    if (!IsPreviewing(1) && !IsPreviewing(2)) {
        ShowMessageBox(kStartACameraText);
        return;
    }
    const bool wasOn = MotionTime.Enabled();
    MotionTime.SetEnabled(!wasOn);
    hooks_.MarkFtpCommandTime();
    // A refusal (lock password, recording) leaves surveillance as it was.
    if (!ToggleSurveillance())
        MotionTime.SetEnabled(wasOn);
}

bool Tzones::ToggleSurveillance() { return StartStopSurveillance(); }

bool Tzones::StartStopSurveillance() {
    const bool previews1 = IsPreviewing(1);
    const bool previews2 = IsPreviewing(2);
    if (!previews1 && !previews2) {
        ShowMessageBox(kStartErrorText);
        return false;
    }
    if (!hooks_.AccessAllowed())
        return false;
    if (RecordingActive) {
        ShowMessageBox(kStopRecordingFirstText);
        return false;
    }
    CopyZoneValues(1);
    Panel1->hide();

    hooks_.ResetMotionDetector();
    for (int camera : {1, 2}) {
        if (auto* target = ZoneWindow(camera) ? ZoneWindow(camera)->findChild<QCheckBox*>(QStringLiteral("Target")) : nullptr)
            target->setChecked(false);
    }
    if (!Showw->isChecked() && !LogAllowed->isChecked())
        LogAllowed->setChecked(true);

    if (MotionTime.Enabled()) {
        // Primed: the first tick compares with a count taken now.
        if (previews2)
            hooks_.CheckMotionZone(2);
        if (previews1)
            hooks_.CheckMotionZone(1);
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
    if (!MotionTime.Enabled() || IsPreviewing(1) || IsPreviewing(2))
        return;
    MotionTime.SetEnabled(false);
    SetFontColour(Panel4, ControlColours::kBlack);
    Panel4->setText(kMotionText);
}

void Tzones::EnableOptionControls() {
    for (QWidget* control : std::initializer_list<QWidget*>{CheckBox1, hot1, Hot2, Showw, LogAllowed, Button9, Button6, Button10})
        control->setEnabled(true);
}
