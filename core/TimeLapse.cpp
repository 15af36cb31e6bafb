#include "core/TimeLapse.h"

#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "core/MotionDetector.h"
#include "core/PictureStore.h"
#include "core/SettingsStore.h"
#include "core/TransferBusy.h"
#include "platform/WinTimer.h"

#include <QFileInfo>

namespace {

qint16& StartSlot(SettingsRecord& record, int camera) {
    return camera == 2 ? record.TimeLapseStart2 : record.TimeLapseStart1;
}

qint16& StopSlot(SettingsRecord& record, int camera) {
    return camera == 2 ? record.TimeLapseStop2 : record.TimeLapseStop1;
}

qint16 SlotValue(int slot) { return qint16(qBound(0, slot, timelapse::kSlotsPerDay)); }

} // namespace

TimeLapse::TimeLapse(SettingsStore& settings, PictureStore& pictures, MotionCameras& cameras,
                     TimeLapseStation& station, TimeLapseTimers timers, DiskSpaceProbe probe,
                     std::function<QDateTime()> now)
    : settings_(settings), pictures_(pictures), cameras_(cameras), station_(station), timers_(timers),
      probe_(std::move(probe)), now_(std::move(now)) {}

QDateTime TimeLapse::Now() const { return now_ ? now_() : QDateTime::currentDateTime(); }

void TimeLapse::ResetWorkingValues() {
    values_.active = false;
    if (values_.intervalSeconds == 0)
        values_.intervalSeconds = 2;
    values_.percent = 10;
}

void TimeLapse::StartedAtStartup() {
    values_.percent = 10;
    ComputeAllowedDiskSpace();
    values_.intervalSeconds = timelapse::EffectiveInterval(settings_.Record().TimeLapseSeconds);
}

QString TimeLapse::MeasuredFolder() const {
    for (int camera : {1, 2}) {
        if (!cameras_.IsPreviewing(camera))
            continue;
        QString folder = settings_.CameraFolder(camera);
        if (folder.isEmpty())
            folder = TrimText(camera == 1 ? settings_.Record().Cam1Folder : settings_.Record().Cam2Folder);
        if (!folder.isEmpty())
            return folder;
        break;
    }
    return settings_.Folder().Root();
}

std::optional<timelapse::DriveFigures> TimeLapse::MeasureDrive() {
    const auto drive = timelapse::MakeDriveFigures(probe_ ? probe_(MeasuredFolder()) : std::nullopt);
    if (drive) {
        values_.driveFree = drive->freeBytes;
        values_.driveSize = drive->totalBytes;
        values_.usedPercent = drive->usedPercent;
    }
    return drive;
}

qint64 TimeLapse::ComputeAllowedDiskSpace() {
    if (const auto drive = MeasureDrive())
        values_.floorMB = timelapse::AllowedDiskFloorMB(*drive, values_.percent);
    return values_.floorMB;
}

bool TimeLapse::IsInTimeLapseWindow(int camera) const {
    return timelapse::IsInTimeLapseWindow(settings_.Record(), camera, Now());
}

void TimeLapse::StopTimeLapse() {
    timers_.flasher.SetEnabled(false);
    timers_.picture.SetEnabled(false);
    values_.active = false;
}

void TimeLapse::TimeLapseButtonClick() {
    if (!cameras_.IsPreviewing(1) && !cameras_.IsPreviewing(2)) {
        ShowMessageBox(kStartCameraText);
        return;
    }
    SettingsRecord& record = settings_.Record();
    const int oldSeconds = values_.intervalSeconds;
    const int oldPercent = values_.percent;
    const bool oldRecycle = record.RecycleDiskSpace;
    station_.EnableDialUpPause();
    values_.startTime = Now();

    int seconds = values_.intervalSeconds;
    int percent = values_.percent;
    bool recycle = record.RecycleDiskSpace;
    bool cancelled = false;
    bool accepted = false;
    {
        // No upload starts while the dialog is open, whatever way it ends.
        TransferBusyScope busy;
        accepted = EditTimeLapseSettings(seconds, percent, recycle, cancelled);
    }

    if (!accepted) {
        station_.SetSurveillanceText(kSurveillanceMethodText);
        station_.SetTimeLapseButtonColour(kBlack);
        station_.SetSurveillanceButtonColour(kBlack);
        StopTimeLapse();
        return;
    }
    if (cancelled) {
        values_.intervalSeconds = oldSeconds;
        values_.percent = oldPercent;
        if (record.RecycleDiskSpace != oldRecycle) {
            record.RecycleDiskSpace = oldRecycle;
            settings_.WriteSettingsFile();
        }
        return;
    }
    values_.intervalSeconds = seconds;
    values_.percent = percent;
    record.RecycleDiskSpace = recycle;
    values_.active = true;
    values_.pictureCounter = 0;
    if (cameras_.ZoneOn(1) || cameras_.ZoneOn(2)) {
        timers_.picture.SetInterval(timelapse::EffectiveInterval(seconds) * 1000);
        timers_.flasher.SetEnabled(true);
        timers_.picture.SetEnabled(true);
    } else {
        ShowMessageBox(kSelectZoneText);
    }
}

bool TimeLapse::EditTimeLapseSettings(int& seconds, int& percent, bool& recycle, bool& cancelled) {
    cancelled = false;
    if (!dialog_)
        return false;
    dialog_->Prepare(seconds, recycle);
    MeasureLastPictureSizes();

    // A drive whose size cannot be read leaves no room to share out.
    const auto drive = MeasureDrive();
    const int maxPercent = drive ? 99 - drive->usedPercent : 0;
    dialog_->FillPercentList(maxPercent);
    if (percent < 1 || percent > 100)
        percent = 50;
    if (percent > maxPercent)
        percent = maxPercent;
    values_.percent = percent;
    if (drive)
        UpdateTimeLapseEstimate();
    if (!drive || percent < 1) {
        ShowMessageBox(kNoRoomText);
        return false;
    }

    const TimeLapseDialog::Outcome outcome = dialog_->Exec();
    cancelled = outcome == TimeLapseDialog::Outcome::Close;
    if (outcome == TimeLapseDialog::Outcome::Stop)
        return false;
    if (!cancelled) {
        const TimeLapseDialogValues shown = dialog_->Values();
        const int typed = SafeStrToInt(shown.intervalText);
        seconds = timelapse::EffectiveInterval(typed > 0 ? typed : seconds);
        if (shown.percentLine >= 0)
            percent = shown.percentLine + 1;
        values_.percent = percent;
        recycle = shown.recycle;
        dialog_->ShowAllowable(QStringLiteral("Available %1").arg(ComputeAllowedDiskSpace()));
    }
    return true;
}

void TimeLapse::MeasureLastPictureSizes() {
    for (int camera : {1, 2})
        pictures_.EnsurePictureFolder(camera);
    for (int camera : {1, 2}) {
        qint64& size = values_.lastPictureSize[camera - 1];
        size = 0;
        if (!cameras_.IsPreviewing(camera))
            continue;
        // The sample just saved, not a guess at the newest file by name.
        if (pictures_.SaveMotionPicture(cameras_.ImageBitmap(camera), camera))
            size = QFileInfo(pictures_.LastPicturePath()).size();
    }
}

void TimeLapse::UpdateTimeLapseEstimate() {
    int interval = values_.intervalSeconds;
    if (dialog_) {
        TimeLapseDialogValues shown = dialog_->Values();
        interval = SafeStrToInt(shown.intervalText);
        if (interval <= 0) {
            interval = 1;
            dialog_->SetIntervalText(QStringLiteral("1"));
            shown.intervalText = QStringLiteral("1");
        }
        if (dialog_->IsShown())
            SaveTimeLapseSettings(shown);
    }
    const auto drive = MeasureDrive();
    if (!drive)
        return;

    const SettingsRecord& record = settings_.Record();
    timelapse::EstimateInput input;
    input.intervalSeconds = interval;
    for (int i = 0; i < 2; ++i)
        input.pictureSize[i] = values_.lastPictureSize[i];
    input.windowOn[0] = record.TimeWindow1;
    input.windowOn[1] = record.TimeWindow2;
    input.startSlot[0] = record.TimeLapseStart1;
    input.startSlot[1] = record.TimeLapseStart2;
    input.stopSlot[0] = record.TimeLapseStop1;
    input.stopSlot[1] = record.TimeLapseStop2;
    input.drive = *drive;
    input.percent = values_.percent;
    input.now = Now();
    const timelapse::Estimate estimate = timelapse::ComputeEstimate(input);
    if (dialog_)
        dialog_->ShowEstimate(estimate);
    if (!estimate.complete)
        return;
    values_.floorMB = timelapse::AllowedDiskFloorMB(*drive, values_.percent);
    if (dialog_)
        dialog_->ShowAllowable(QStringLiteral("Minimum Free Space %1 Mb").arg(values_.floorMB));
}

void TimeLapse::SaveTimeLapseSettings(const TimeLapseDialogValues& values) {
    SettingsRecord& record = settings_.Record();
    record.Action1 = qint16(values.action[0]);
    record.Action2 = qint16(values.action[1]);
    record.TimeWindow1 = values.windowOn[0];
    record.TimeWindow2 = values.windowOn[1];
    for (int camera : {1, 2}) {
        StartSlot(record, camera) = SlotValue(values.startSlot[camera - 1]);
        StopSlot(record, camera) = SlotValue(values.stopSlot[camera - 1]);
    }
    record.RecycleDiskSpace = values.recycle;
    const int seconds = SafeStrToInt(values.intervalText);
    if (seconds > 0)
        record.TimeLapseSeconds = qint16(qMin(seconds, timelapse::kMaxIntervalSeconds));
    settings_.WriteSettingsFile();
}

TimeLapseDialogValues TimeLapse::DialogValuesFromSettings() const {
    const SettingsRecord& record = settings_.Record();
    TimeLapseDialogValues values;
    values.intervalText = QString::number(record.TimeLapseSeconds);
    values.action[0] = record.Action1;
    values.action[1] = record.Action2;
    values.windowOn[0] = record.TimeWindow1;
    values.windowOn[1] = record.TimeWindow2;
    values.startSlot[0] = SlotValue(record.TimeLapseStart1);
    values.startSlot[1] = SlotValue(record.TimeLapseStart2);
    values.stopSlot[0] = SlotValue(record.TimeLapseStop1);
    values.stopSlot[1] = SlotValue(record.TimeLapseStop2);
    values.recycle = record.RecycleDiskSpace;
    values.percentLine = values_.percent - 1;
    return values;
}

QString TimeLapse::StartIntervalText(const QString& text) {
    if (station_.IsFtpConnected() && SafeStrToInt(text) < kMinimumConnectedSeconds) {
        ShowMessageBox(kMinimumWhileConnectedText);
        return QString::number(kMinimumConnectedSeconds);
    }
    return text;
}

void TimeLapse::SelectorChanged(int camera, bool stop, int slot) {
    SettingsRecord& record = settings_.Record();
    (stop ? StopSlot(record, camera) : StartSlot(record, camera)) = SlotValue(slot);
    if (dialog_ && dialog_->IsShown())
        UpdateTimeLapseEstimate();
}

void TimeLapse::WindowToggled() { UpdateTimeLapseEstimate(); }

void TimeLapse::PercentChosen(int line) {
    if (line >= 0)
        values_.percent = line + 1;
    UpdateTimeLapseEstimate();
}

void TimeLapse::HelpRequested() { station_.ShowHelp(kHelpTopic); }

void TimeLapse::TimeLapseTimerTick() {
    if (cameras_.ZoneOn(1) && station_.Camera1ButtonOn() && IsInTimeLapseWindow(1)) {
        station_.ShowPictureCaptions(1);
        station_.TakePicture1();
        ++values_.pictureCounter;
    }
    if (cameras_.ZoneOn(2) && cameras_.IsPreviewing(2) && IsInTimeLapseWindow(2)) {
        station_.ShowPictureCaptions(2);
        pictures_.SaveMotionPicture(cameras_.ImageBitmap(2), 2);
        ++values_.pictureCounter;
    }
}

void TimeLapse::TimeLapseFlasherTimer() {
    // Without a readable drive there is nothing to show and no reason to stop.
    const auto drive = MeasureDrive();
    if (!drive)
        return;
    const qint64 remaining = timelapse::RemainingMB(*drive, values_.floorMB);
    station_.SetSurveillanceText(QStringLiteral("Remaining MB`s %1").arg(remaining));
    if (remaining < 1 && station_.DiskControlTicked()) {
        station_.ToggleSurveillance();
        station_.SetTimeLapseButtonColour(kBlack);
        timers_.motion.SetEnabled(false);
        StopTimeLapse();
        station_.SetSurveillanceButtonColour(kBlack);
        station_.SetSurveillanceText(kExpiredText);
        return;
    }
    station_.SetTimeLapseButtonColour(station_.TimeLapseButtonColour() == kBlack ? kRed : kBlack);
}
