#pragma once
// Frees disk space for new pictures: disk figures of a camera's folder and the
// deletion of its oldest picture (lowest number) with its note.
#include <QString>
#include <functional>
#include <optional>

// Free and total bytes of the volume that holds a folder.
struct DiskBytes {
    qint64 freeBytes = 0;
    qint64 totalBytes = 0;
};
// Answers for a folder (or, when it is missing, its nearest existing parent); nothing
// when the volume cannot be read. Tests replace it to fake a full disk.
using DiskSpaceProbe = std::function<std::optional<DiskBytes>(const QString& folder)>;
DiskSpaceProbe SystemDiskSpaceProbe();

struct DiskSpaceMB {
    qint64 freeMB = 0;
    qint64 totalMB = 0;
    qint64 usedMB = 0;
};

class PictureRecycler {
public:
    // cameraFolder gives the folder in use for camera 1 or 2; makeCameraFolders lays down
    // the default folders when a camera has none.
    PictureRecycler(std::function<QString(int camera)> cameraFolder, std::function<void()> makeCameraFolders,
                    DiskSpaceProbe probe = SystemDiskSpaceProbe());

    // While the picture log window shows, nothing is recycled under its eyes.
    void SetLogWindowVisibleHook(std::function<bool()> hook) { logWindowVisible_ = std::move(hook); }
    void SetDiskSpaceProbe(DiskSpaceProbe probe) { probe_ = std::move(probe); }
    // The computer name part of this station's picture names, to read their numbers.
    void SetPictureNamePrefix(const QString& prefix) { namePrefix_ = prefix; }

    // Free megabytes of the camera folder's volume, or -1 when it cannot be read.
    qint64 GetFreeDiskMB(int camera) const;
    // Free, total and used megabytes; a camera without a folder gets the default folders
    // first. Nothing when the volume cannot be read.
    std::optional<DiskSpaceMB> GetDiskSpaceMB(int camera);
    // Deletes the camera's lowest-numbered picture and its note, never keepName (the
    // picture just saved), never the folder's last station picture and never a file the
    // station did not name. True when one went.
    bool DeleteOldestPicture(int camera, const QString& keepName = QString());

private:
    std::function<QString(int)> cameraFolder_;
    std::function<void()> makeCameraFolders_;
    DiskSpaceProbe probe_;
    std::function<bool()> logWindowVisible_;
    QString namePrefix_;
};
