#include "core/PictureCaption.h"

#include "core/CaptionColors.h"
#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "core/SettingsRecord.h"
#include "platform/Rounding.h"
#include "platform/SystemInfo.h"


#include <cstdlib>

namespace {

constexpr qint64 kMB = 1048576;
constexpr int kDefaultDateFormat = 6;

CaptionDiskSpace StorageOf(const QString& folder) {
    CaptionDiskSpace space;
    if (folder.trimmed().isEmpty())
        return space;
    // One look-up for all three: this runs on every frame of both cameras.
    const platform::DriveSpace drive = platform::DriveSpaceOf(folder);
    space.totalBytes = qMax<qint64>(0, drive.totalBytes);
    space.freeBytes = qMax<qint64>(0, drive.freeBytes);
    space.drive = drive.root;
    return space;
}

// Difference of two 32-bit counters, taken on 32 bits so a wrap past 4 GB stays small.
qint64 Difference32(quint32 a, quint32 b) {
    return static_cast<qint32>(a - b);
}

} // namespace

PictureCaptions::PictureCaptions(SettingsRecord& record, const CaptionChoices& choices, CaptionHooks hooks)
    : record_(record), choices_(choices), hooks_(std::move(hooks)) {}

QString PictureCaptions::CameraName(int camera) const {
    return TrimText(camera == 1 ? record_.Cam1Name : record_.Cam2Name);
}

QString PictureCaptions::LocationText(int camera) const {
    const QString site = TrimText(record_.SiteLocation);
    if (site.isEmpty())
        return CameraName(camera);
    return site + QLatin1Char(' ') + CameraName(camera);
}

QString PictureCaptions::TopRightLocationText(int camera) const {
    // The blank stays even without a site.
    return TrimText(record_.SiteLocation) + QLatin1Char(' ') + CameraName(camera);
}

QString PictureCaptions::DateText() const {
    const QDateTime now = hooks_.now ? hooks_.now() : QDateTime::currentDateTime();
    // A stored index with no format would leave the picture without its time.
    int index = record_.DateFormatIndex;
    if (DateFormatByIndex(index).isEmpty())
        index = kDefaultDateFormat;
    return TrimText(FormatDateTime(DateFormatByIndex(index), now));
}

void PictureCaptions::ApplyCaptionFont(platform::PictureCanvas& image) const {
    const CaptionPalette palette = CaptionPaletteFor(record_.CaptionTextColor, record_.CaptionBackColor);
    image.SetBrushColor(palette.brush);
    image.SetFontColor(palette.font);
    const QString fontName = TrimText(record_.CaptionFontName);
    if (!fontName.isEmpty())
        image.SetFontName(fontName);
    if (record_.CaptionFontSize > 0)
        image.SetFontSize(record_.CaptionFontSize);
    image.SetTransparent(record_.CaptionTransparent);
}

void PictureCaptions::ApplyCaptionColors(platform::PictureCanvas& image) const {
    const CaptionPalette palette = CaptionPaletteFor(choices_.fontColorRow, choices_.backColorRow);
    image.SetFontColor(palette.font);
    image.SetBrushColor(palette.brush);
    // Only ever switches to transparent.
    if (choices_.transparent)
        image.SetTransparent(true);
}

void PictureCaptions::DrawPictureCaption(platform::PictureCanvas& image, int camera) {
    const CaptionDisplay what = StampPictureCaption(image, camera);
    if (hooks_.display)
        hooks_.display(camera, image.Image(), what);
}

CaptionDisplay PictureCaptions::StampPictureCaption(platform::PictureCanvas& image, int camera) {
    if (choices_.topRight) {
        DrawCaptionTopRight(image, camera);
        return CaptionDisplay::CopyOnly;
    }
    ApplyCaptionFont(image);
    if (hooks_.diskStatsTicked && hooks_.diskStatsTicked())
        DrawDiskStats(image, camera);
    image.TextOut(5, 5, LocationText(camera));
    image.TextOut(5, image.Height() - (image.FontSize() + 5), DateText());
    return CaptionDisplay::CopyAndMagnifier;
}

void PictureCaptions::DrawCaptionTopRight(platform::PictureCanvas& image, int camera) {
    ApplyCaptionFont(image);
    const QString location = TopRightLocationText(camera);
    image.TextOut(image.Width() - (image.TextWidth(location) + 10), 5, location);
    const QString date = DateText();
    const int y = static_cast<int>(platform::RoundHalfEven(image.TextHeight(date) * 1.2)) + 5;
    image.TextOut(image.Width() - (image.TextWidth(date) + 10), y, date);
}

QStringList PictureCaptions::DiskStatsLines(int camera) {
    const QString folder = camera == 1 ? record_.Cam1Folder : record_.Cam2Folder;
    const CaptionDiskSpace space = hooks_.diskSpace ? hooks_.diskSpace(folder) : StorageOf(folder);
    // A drive whose size cannot be read has no statistics (and no percentage to divide).
    if (space.totalBytes <= 0)
        return {};
    DiskStatsState& state = diskStats_[camera == 1 ? 0 : 1];
    const qint64 freeBytes = qMax<qint64>(0, space.freeBytes);
    const quint32 freeLow = static_cast<quint32>(freeBytes & 0xFFFFFFFF);

    const QString l1 = QStringLiteral("Total Space Drive %1 %2 Mbytes").arg(space.drive).arg(space.totalBytes / kMB);
    const QString l2 = QStringLiteral("%1% free %2 Mbytes")
                           .arg(platform::RoundHalfEven(double(freeBytes) / double(space.totalBytes) * 100))
                           .arg(freeBytes / kMB);
    const QString l6 = QStringLiteral("Bytes Free %1").arg(freeBytes);

    QString l4;
    const CaptionTimeLapse timeLapse = hooks_.timeLapse ? hooks_.timeLapse() : CaptionTimeLapse{};
    if (timeLapse.enabled) {
        l4 = QStringLiteral("Time lapse min free=%1 Remaining=%2")
                 .arg(timeLapse.reserveMB)
                 .arg(freeBytes / kMB - timeLapse.reserveMB);
        if (state.lastFree > 0 && state.lastFree != freeLow && timeLapse.intervalMs > 0) {
            const qint64 perHour = platform::RoundHalfEven(3600.0 / (timeLapse.intervalMs / 1000.0));
            const qint64 rate = platform::RoundHalfEven(double(perHour) * double(Difference32(freeLow, state.lastFree)) / kMB);
            state.rateLine = QStringLiteral("Mbytes per hour %1").arg(std::llabs(rate));
        }
    } else {
        state.rateLine.clear();
    }

    const int count = hooks_.pictureCount ? hooks_.pictureCount(camera) : 0;
    if (freeLow != state.lastFree && count != state.lastCount) {
        if (count > 1) {
            const qint64 sizeK = platform::RoundHalfEven(std::llabs(Difference32(state.lastFree, freeLow)) / 1024.0);
            state.sizeLine = QStringLiteral("Image Size %1K").arg(sizeK);
        }
        state.lastFree = freeLow;
        state.lastCount = count;
    }

    return {l1, l2, state.sizeLine, l4, state.rateLine, l6};
}

void PictureCaptions::DrawDiskStats(platform::PictureCanvas& image, int camera) {
    const QStringList lines = DiskStatsLines(camera);
    if (lines.isEmpty())
        return;
    const QColor previous = image.FontColor();
    image.SetFontColor(Qt::yellow);
    int y = 20;
    for (const QString& line : lines) {
        image.TextOut(5, y, line);
        y += image.TextHeight(line) + 1;
    }
    image.SetFontColor(previous);
}
