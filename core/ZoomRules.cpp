#include "core/ZoomRules.h"

#include "core/Helpers.h"
#include "core/SettingsRecord.h"
#include "platform/Rounding.h"

namespace ZoomRules {

namespace {

void Add(qint16& field, int step) { field = platform::SaturateInt16(qint64(field) + step); }

} // namespace

void ApplyZoomKey(SettingsRecord& record, int camera, ZoomKey key) {
    if (!IsZoomCamera(camera))
        return;
    switch (key) {
    case ZoomKey::Plus: Add(record.ZoomSize[camera], 1); break;
    case ZoomKey::Minus: Add(record.ZoomSize[camera], -1); break;
    case ZoomKey::Up: Add(record.ZoomTop[camera], -10); break;
    case ZoomKey::Down: Add(record.ZoomTop[camera], 10); break;
    case ZoomKey::Left: Add(record.ZoomLeft[camera], -10); break;
    case ZoomKey::Right: Add(record.ZoomLeft[camera], 10); break;
    }
}

void AdjustZoom(SettingsRecord& record, ZoomKey key, int camera, int heightLimit, int widthLimit) {
    if (!IsZoomCamera(camera))
        return;
    // Worked out in 64 bits: no sum of 16-bit fields and limits can overflow.
    const qint64 size = record.ZoomSize[camera];
    const qint64 top = record.ZoomTop[camera];
    const qint64 left = record.ZoomLeft[camera];
    const qint64 h = heightLimit;
    const qint64 w = widthLimit;
    switch (key) {
    case ZoomKey::Plus:
    case ZoomKey::Minus:
        ApplyZoomKey(record, camera, key);
        break;
    case ZoomKey::Up:
        if (size + 30 < top)
            Add(record.ZoomTop[camera], -10);
        break;
    case ZoomKey::Left:
        if (left - (size + 30) > 0)
            Add(record.ZoomLeft[camera], -10);
        break;
    case ZoomKey::Down:
        if (top + 30 < h - 30)
            Add(record.ZoomTop[camera], 10);
        break;
    case ZoomKey::Right:
        if (left + 10 + size < w - (30 + size))
            Add(record.ZoomLeft[camera], 10);
        break;
    }
}

QString ZoomCaption(const SettingsRecord& record, int camera) {
    if (!IsZoomCamera(camera))
        return QString();
    return QStringLiteral("Zoom :T=%1 L=%2 R=%3")
        .arg(record.ZoomTop[camera])
        .arg(record.ZoomLeft[camera])
        .arg(record.ZoomSize[camera]);
}

QSize ZoomViewSize(bool zoomPanelShown) { return QSize(200, zoomPanelShown ? 189 : 17); }

QString ZoomStampText(const SettingsRecord& record, int camera) {
    if (camera != 1 && camera != 2)
        return QString();
    return TrimText(record.SiteLocation) + " " + TrimText(camera == 1 ? record.Cam1Name : record.Cam2Name);
}

int ZoomStampFontSize(int pictureWidth) {
    const qint64 points = platform::RoundHalfEven(pictureWidth / 600.0 * 16);
    return points < 1 ? 1 : static_cast<int>(qMin<qint64>(points, 10000));
}

bool StampZoomPicture(platform::PictureCanvas& picture, const SettingsRecord& record, int camera, bool transparent) {
    if (camera != 1 && camera != 2)
        return false;
    if (transparent)
        picture.SetTransparent(true);
    picture.SetFontColor(QColor(255, 0, 0));
    picture.SetFontSize(ZoomStampFontSize(picture.Width()));
    picture.TextOut(5, 5, ZoomStampText(record, camera));
    return true;
}

} // namespace ZoomRules
