#pragma once
// The arithmetic of time-lapse: daily windows in 10-minute slots, the disk share and the
// statistical estimate the settings dialog shows. No state, no widgets.
#include "core/PictureRecycler.h"

#include <QDateTime>
#include <QString>
#include <optional>

struct SettingsRecord;

namespace timelapse {

constexpr int kSlotsPerDay = 144;
constexpr qint64 kMB = 1048576;
// How the estimate shows when the share will be used up.
inline const QString kExpiryPattern = QStringLiteral("DDD MMM DD yyyy hhhh:mm AM/PM");

// An interval below 1 s would make the timer spin (or never fire): it counts as 1 s. The
// settings keep it in 16 bits, and more would overflow the timer's milliseconds.
constexpr int kMaxIntervalSeconds = 32767;
int EffectiveInterval(int seconds);

// True when now (local wall-clock time, compared as "HH:MM" texts) lies in the window, or
// the window is off. start <= stop: start < now <= stop; otherwise the window runs
// overnight: now >= start or now <= stop. start == stop is therefore never inside.
bool IsInWindow(bool windowOn, int startSlot, int stopSlot, const QDateTime& now);
// The same for camera 1 or 2 of the record (TimeWindowN, TimeLapseStartN, TimeLapseStopN).
bool IsInTimeLapseWindow(const SettingsRecord& record, int camera, const QDateTime& now);

// The drive as the dialog needs it; nothing when its size cannot be read or reads 0.
struct DriveFigures {
    qint64 freeBytes = 0;
    qint64 totalBytes = 0;
    int usedPercent = 0; // of the total, rounded
};
std::optional<DriveFigures> MakeDriveFigures(const std::optional<DiskBytes>& bytes);

// The free-space floor in MB: time-lapse may fill percent of the drive's total size,
// counted from the free space now.
qint64 AllowedDiskFloorMB(const DriveFigures& drive, int percent);
// Megabytes left above the floor.
qint64 RemainingMB(const DriveFigures& drive, qint64 floorMB);

// Slots a camera's window covers for the estimate; a disabled window, a camera without a
// picture size and an empty span count as the whole day. start == stop counts as the
// whole day too, although the window then never lets a picture through.
int WindowSlots(bool windowOn, qint64 pictureSize, int startSlot, int stopSlot);

struct EstimateInput {
    int intervalSeconds = 1;
    qint64 pictureSize[2] = {0, 0};
    bool windowOn[2] = {false, false};
    int startSlot[2] = {0, 0};
    int stopSlot[2] = {kSlotsPerDay, kSlotsPerDay};
    DriveFigures drive;
    int percent = 10;
    QDateTime now;
};

struct Estimate {
    QString picsPerDay[2];
    // False when neither camera has a picture size: the rest stays as it was.
    bool complete = false;
    QString maxPics;
    QString expires;
    QString fileSize[2];
    QString usable;
    QString freeText;
};
Estimate ComputeEstimate(const EstimateInput& input);

} // namespace timelapse
