#pragma once
// The caption stamped on every frame and every saved picture: site and camera location at the
// top and the date and time at the bottom, or both at the top right; optionally a block of
// disk statistics.
#include "core/CaptionChoices.h"
#include "platform/PictureCanvas.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

struct SettingsRecord;

// What the disk statistics need to know about a camera folder's drive.
struct CaptionDiskSpace {
    QString drive;        // the mount that holds the folder
    qint64 freeBytes = 0;
    qint64 totalBytes = 0; // 0 when unknown: no statistics are drawn
};

// The time-lapse timer, as the disk statistics report it.
struct CaptionTimeLapse {
    bool enabled = false;
    int intervalMs = 0;
    int reserveMB = 0;
};

enum class CaptionDisplay {
    CopyOnly,         // top-right layout: the picture is copied to the display only
    CopyAndMagnifier, // also refresh the camera's magnifier when it is on
};

// Links to the rest of the station, wired by the application; tests set fakes.
struct CaptionHooks {
    std::function<QDateTime()> now;                  // default: the system clock
    std::function<bool()> diskStatsTicked;           // the "Disk Stats" menu item
    std::function<CaptionDiskSpace(const QString& folder)> diskSpace; // default: the real drive
    std::function<CaptionTimeLapse()> timeLapse;     // default: off
    std::function<int(int camera)> pictureCount;     // pictures saved since start
    // Hands the captioned picture of a camera to the main window's display and magnifier.
    std::function<void(int camera, const QImage& picture, CaptionDisplay what)> display;
};

class PictureCaptions {
public:
    PictureCaptions(SettingsRecord& record, const CaptionChoices& choices, CaptionHooks hooks = {});

    CaptionHooks& Hooks() { return hooks_; }

    // Stamps the caption of the camera (1, else 2) on the picture, then hands it to the display.
    void DrawPictureCaption(platform::PictureCanvas& image, int camera);
    // The same without handing it on; says how the display would take it.
    CaptionDisplay StampPictureCaption(platform::PictureCanvas& image, int camera);
    void DrawCaptionTopRight(platform::PictureCanvas& image, int camera);
    // Canvas colours, font and background mode from the settings record.
    void ApplyCaptionFont(platform::PictureCanvas& image) const;
    // Canvas colours and transparency from the caption window's controls.
    void ApplyCaptionColors(platform::PictureCanvas& image) const;
    void DrawDiskStats(platform::PictureCanvas& image, int camera);
    // The six lines of the block, in drawing order (empty ones included), and the camera's
    // state moved on; no lines when the drive's size is unknown.
    QStringList DiskStatsLines(int camera);

    // The two caption texts for a camera, as drawn.
    QString LocationText(int camera) const;
    QString TopRightLocationText(int camera) const;
    QString DateText() const;

private:
    struct DiskStatsState {
        quint32 lastFree = 0;
        int lastCount = 0;
        QString sizeLine;
        QString rateLine;
    };

    QString CameraName(int camera) const;

    SettingsRecord& record_;
    const CaptionChoices& choices_;
    CaptionHooks hooks_;
    DiskStatsState diskStats_[2];
};
