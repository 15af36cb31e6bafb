#include "core/TimeLapseRules.h"

#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "core/SettingsRecord.h"
#include "platform/Rounding.h"

#include <cstdlib>

namespace timelapse {

using platform::RoundHalfEven;

int EffectiveInterval(int seconds) { return qBound(1, seconds, kMaxIntervalSeconds); }

bool IsInWindow(bool windowOn, int startSlot, int stopSlot, const QDateTime& now) {
    if (!windowOn)
        return true;
    const QString nowText = now.toString(QStringLiteral("HH:mm"));
    const QString start = SlotToTimeText(startSlot);
    const QString stop = SlotToTimeText(stopSlot);
    if (startSlot <= stopSlot)
        return start < nowText && nowText <= stop;
    return nowText >= start || nowText <= stop;
}

bool IsInTimeLapseWindow(const SettingsRecord& record, int camera, const QDateTime& now) {
    if (camera == 2)
        return IsInWindow(record.TimeWindow2, record.TimeLapseStart2, record.TimeLapseStop2, now);
    return IsInWindow(record.TimeWindow1, record.TimeLapseStart1, record.TimeLapseStop1, now);
}

std::optional<DriveFigures> MakeDriveFigures(const std::optional<DiskBytes>& bytes) {
    if (!bytes || bytes->totalBytes <= 0)
        return std::nullopt;
    DriveFigures drive;
    drive.totalBytes = bytes->totalBytes;
    drive.freeBytes = qBound<qint64>(0, bytes->freeBytes, bytes->totalBytes);
    drive.usedPercent =
        int(RoundHalfEven(double(drive.totalBytes - drive.freeBytes) / double(drive.totalBytes) * 100.0));
    return drive;
}

qint64 AllowedDiskFloorMB(const DriveFigures& drive, int percent) {
    return RoundHalfEven(double(drive.freeBytes) / kMB) -
           RoundHalfEven(double(drive.totalBytes) * percent / 100.0 / kMB);
}

qint64 RemainingMB(const DriveFigures& drive, qint64 floorMB) {
    return RoundHalfEven(double(drive.freeBytes) / kMB) - floorMB;
}

int WindowSlots(bool windowOn, qint64 pictureSize, int startSlot, int stopSlot) {
    int span = 0;
    if (pictureSize > 0 && windowOn)
        span = startSlot < stopSlot ? stopSlot - startSlot : kSlotsPerDay - std::abs(stopSlot - startSlot);
    return span == 0 ? kSlotsPerDay : span;
}

Estimate ComputeEstimate(const EstimateInput& in) {
    Estimate out;
    const int interval = EffectiveInterval(in.intervalSeconds);
    int span[2];
    for (int i = 0; i < 2; ++i) {
        span[i] = WindowSlots(in.windowOn[i], in.pictureSize[i], in.startSlot[i], in.stopSlot[i]);
        out.picsPerDay[i] = in.pictureSize[i] > 0
                                ? QString::number(RoundHalfEven(double(span[i]) * 600.0 / interval))
                                : QStringLiteral("0");
    }
    const qint64 size1 = qMax<qint64>(0, in.pictureSize[0]);
    const qint64 size2 = qMax<qint64>(0, in.pictureSize[1]);
    if (size1 == 0 && size2 == 0)
        return out;
    out.complete = true;

    const double allowed = double(in.drive.totalBytes) * in.percent / 100.0;
    out.maxPics = QString::number(RoundHalfEven(allowed / double(size1 + size2)));

    const double f1 = double(span[0]) / kSlotsPerDay;
    const double f2 = double(span[1]) / kSlotsPerDay;
    const double perTick = f1 * double(size1) + f2 * double(size2);
    const qint64 ticks = RoundHalfEven(allowed / perTick);
    // Beyond any calendar (a drive of petabytes and tiny pictures) there is no date to show.
    constexpr double kMaxSeconds = 1e15;
    if (double(ticks) * interval < kMaxSeconds) {
        const QDateTime expiry = in.now.addSecs(ticks * interval);
        out.expires = expiry.isValid() ? FormatDateTime(kExpiryPattern, expiry) : QString();
    }

    out.fileSize[0] = QStringLiteral("Cam1 FileSize %1 Bytes").arg(size1);
    out.fileSize[1] = QStringLiteral("Cam2 FileSize %1 Bytes").arg(size2);
    out.usable = QStringLiteral("Usable MBs %1").arg(RoundHalfEven(allowed / kMB));
    out.freeText = QStringLiteral("%1 % Free  (%2 Mb)")
                       .arg(100 - in.drive.usedPercent)
                       .arg(RoundHalfEven(double(in.drive.freeBytes) / kMB));
    return out;
}

} // namespace timelapse
