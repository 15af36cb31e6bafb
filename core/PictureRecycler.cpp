#include "core/PictureRecycler.h"

#include "core/Helpers.h"
#include "core/PictureNames.h"
#include "platform/ProgramFolder.h"
#include "platform/Rounding.h"
#include "platform/SystemInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

constexpr double kBytesPerMB = 1048576.0;

qint64 ToMB(qint64 bytes) { return platform::RoundHalfEven(bytes / kBytesPerMB); }

} // namespace

DiskSpaceProbe SystemDiskSpaceProbe() {
    return [](const QString& folder) -> std::optional<DiskBytes> {
        if (TrimText(folder).isEmpty())
            return std::nullopt;
        const platform::DriveSpace drive = platform::DriveSpaceOf(folder);
        if (drive.freeBytes < 0 || drive.totalBytes < 0)
            return std::nullopt;
        return DiskBytes{drive.freeBytes, drive.totalBytes};
    };
}

PictureRecycler::PictureRecycler(std::function<QString(int)> cameraFolder, std::function<void()> makeCameraFolders,
                                 DiskSpaceProbe probe)
    : cameraFolder_(std::move(cameraFolder)), makeCameraFolders_(std::move(makeCameraFolders)),
      probe_(std::move(probe)) {}

qint64 PictureRecycler::GetFreeDiskMB(int camera) const {
    const auto bytes = probe_ ? probe_(cameraFolder_(camera)) : std::nullopt;
    return bytes ? ToMB(bytes->freeBytes) : -1;
}

std::optional<DiskSpaceMB> PictureRecycler::GetDiskSpaceMB(int camera) {
    if (!probe_ || (camera != 1 && camera != 2))
        return std::nullopt;
    if (TrimText(cameraFolder_(camera)).isEmpty() && makeCameraFolders_)
        makeCameraFolders_();
    const auto bytes = probe_(cameraFolder_(camera));
    if (!bytes)
        return std::nullopt;
    DiskSpaceMB mb;
    mb.freeMB = ToMB(bytes->freeBytes);
    mb.totalMB = ToMB(bytes->totalBytes);
    mb.usedMB = mb.totalMB - mb.freeMB;
    return mb;
}

bool PictureRecycler::DeleteOldestPicture(int camera, const QString& keepName) {
    if (logWindowVisible_ && logWindowVisible_())
        return false;
    const QString folder = TrimText(cameraFolder_(camera));
    if (folder.isEmpty())
        return false;

    // Directory order means nothing here: the oldest picture is the lowest number.
    const QStringList entries =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    // Only the station's own pictures are recycled: a user's photos in the chosen folder
    // stay, and do not count towards the last picture that is always kept.
    QStringList pictures;
    for (const QString& name : entries)
        if (IsStationPictureName(name))
            pictures << name;
    if (pictures.size() < 2)
        return false;
    pictures.removeAll(keepName);
    if (pictures.isEmpty())
        return false;

    std::sort(pictures.begin(), pictures.end(), [this](const QString& a, const QString& b) {
        const qint64 na = PictureNumberOf(a, namePrefix_);
        const qint64 nb = PictureNumberOf(b, namePrefix_);
        if (na != nb)
            return na < nb;
        return a < b;
    });

    // The picture goes first: a stop in between leaves a note without its picture, which
    // the next start removes, never a picture without its note.
    const QString victim = pictures.first();
    if (!QFile::remove(platform::JoinPath(folder, victim)))
        return false;
    const QString note = platform::JoinPath(folder, victim.left(victim.size() - 3) + "txt");
    if (QFileInfo::exists(note))
        QFile::remove(note);
    return true;
}
