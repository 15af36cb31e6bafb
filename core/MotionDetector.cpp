#include "core/MotionDetector.h"

#include "core/SettingsRecord.h"

#include <QtGlobal>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

QImage AsRgb888(const QImage& image) {
    if (image.isNull() || image.format() == QImage::Format_RGB888)
        return image;
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage BlankZoneImage() {
    QImage image(kZoneImageWidth, kZoneImageHeight, QImage::Format_RGB888);
    image.fill(Qt::white);
    return image;
}

// Copies pixels into an existing buffer of the same size, else replaces it.
void CopyPixels(const QImage& from, QImage& to) {
    if (to.size() != from.size() || to.format() != from.format()) {
        to = from.copy();
        return;
    }
    const qsizetype rowBytes = qsizetype(from.width()) * 3;
    for (int y = 0; y < from.height(); ++y)
        std::memcpy(to.scanLine(y), from.constScanLine(y), size_t(rowBytes));
}

} // namespace

ZoneComparison CompareZoneBitmaps(const QImage& current, const QImage& previous,
                                  const ChannelChoice& channels) {
    ZoneComparison result;
    if (current.size() != previous.size())
        return result;
    const QImage a = AsRgb888(current);
    const QImage b = AsRgb888(previous);
    const int width = a.width();
    const int height = a.height();
    result.total = width * height;
    if (width <= 0 || height <= 0)
        return result;

    const int threshold = channels.threshold;
    // A switched-off channel always counts as "differs"; so a pixel is same when some
    // switched-on channel stays within the threshold.
    const bool r = channels.red, g = channels.green, bl = channels.blue;
    qint32 same = 0;
    qint32 sampled = 0;
    for (int y = 0; y < height; ++y) {
        const uchar* pa = a.constScanLine(y);
        const uchar* pb = b.constScanLine(y);
        for (int x = 0; x < width; x += 2) {
            const uchar* qa = pa + x * 3;
            const uchar* qb = pb + x * 3;
            const bool isSame = (r && std::abs(int(qa[0]) - int(qb[0])) <= threshold) ||
                                (g && std::abs(int(qa[1]) - int(qb[1])) <= threshold) ||
                                (bl && std::abs(int(qa[2]) - int(qb[2])) <= threshold);
            same += isSame ? 1 : 0;
            ++sampled;
        }
    }
    result.same = same;
    result.changed = sampled - same;
    return result;
}

void StretchZoneInto(const QImage& frameIn, const ZoneRect& zone, QImage& work) {
    if (zone.size <= 0 || work.isNull())
        return;
    if (work.format() != QImage::Format_RGB888)
        work = work.convertToFormat(QImage::Format_RGB888);
    const QImage frame = AsRgb888(frameIn);

    // The destination rectangle is (0, 0)-(work height, work width + 5): wider than high on a
    // work image that is wider than high, so it covers only part of the width and overruns
    // the height.
    const int destWidth = work.height();
    const int destHeight = work.width() + 5;
    const int cols = qMin(destWidth, work.width());
    const int rows = qMin(destHeight, work.height());
    const qint64 size = zone.size;
    const int frameWidth = frame.isNull() ? 0 : frame.width();
    const int frameHeight = frame.isNull() ? 0 : frame.height();

    // Source column per destination column as a byte offset, -1 outside the frame.
    thread_local std::vector<int> columnOffsets;
    columnOffsets.resize(size_t(cols));
    for (int x = 0; x < cols; ++x) {
        const qint64 sx = zone.left + (2 * qint64(x) + 1) * size / (2 * qint64(destWidth));
        columnOffsets[size_t(x)] = (sx >= 0 && sx < frameWidth) ? int(sx) * 3 : -1;
    }

    uchar* const destBits = work.bits();
    const qsizetype destStride = work.bytesPerLine();
    qint64 previousSy = -1;
    for (int y = 0; y < rows; ++y) {
        uchar* dest = destBits + y * destStride;
        const qint64 sy = zone.top + (2 * qint64(y) + 1) * size / (2 * qint64(destHeight));
        // An enlarged zone repeats source rows: copy the row just built.
        if (y > 0 && sy == previousSy) {
            std::memcpy(dest, dest - destStride, size_t(cols) * 3);
            continue;
        }
        previousSy = sy;
        if (sy < 0 || sy >= frameHeight) {
            std::memset(dest, 0, size_t(cols) * 3);
            continue;
        }
        const uchar* src = frame.constScanLine(int(sy));
        const int* offsets = columnOffsets.data();
        for (int x = 0; x < cols; ++x) {
            const int offset = offsets[x];
            uchar* d = dest + x * 3;
            if (offset >= 0) {
                d[0] = src[offset];
                d[1] = src[offset + 1];
                d[2] = src[offset + 2];
            } else {
                d[0] = d[1] = d[2] = 0;
            }
        }
    }
}

QString MotionText(qint32 d) {
    const QString digits = QStringLiteral("%1").arg(qint64(d), 6, 10, QLatin1Char('0'));
    return QStringLiteral("MO ") + digits.right(5);
}

MotionDetector::MotionDetector(const SettingsRecord& settings, const MotionCameras& cameras,
                               MotionDetectorHooks hooks)
    : settings_(settings), cameras_(cameras), hooks_(std::move(hooks)) {
    for (CameraState& cam : cams_)
        cam.zoneImage = BlankZoneImage();
}

bool MotionDetector::CheckMotionZoneCam1() {
    return CheckMotionZone(1, ScanChannels());
}

bool MotionDetector::CheckMotionZoneCam2() {
    return CheckMotionZone(2, ScanChannels());
}

bool MotionDetector::CheckZoneWindowMotionCam2() {
    return CheckMotionZone(2, ChannelChoice{true, true, true, 10});
}

qint32 MotionDetector::CameraSensitivity(int camera) const {
    return camera == 1 ? settings_.Sensitivity1 : settings_.Sensitivity2;
}

ChannelChoice MotionDetector::ScanChannels() const {
    return ChannelChoice{settings_.ScanRed, settings_.ScanGreen, settings_.ScanBlue,
                         settings_.ColorThreshold};
}

bool MotionDetector::ZoneWindowShownFor(int camera) const {
    if (!hooks_.ZoneWindowVisible)
        return false;
    // Camera 1's counter shows while either zone window is up; camera 2's only in its own.
    if (camera == 1)
        return hooks_.ZoneWindowVisible(1) || hooks_.ZoneWindowVisible(2);
    return hooks_.ZoneWindowVisible(2);
}

bool MotionDetector::CheckMotionZone(int camera, const ChannelChoice& channels) {
    if (!cameras_.IsPreviewing(camera))
        return false;
    CameraState& cam = State(camera);
    const quint64 run = cameras_.RunNumber(camera);
    if (run != cam.run) {
        ResetCamera(camera); // a zone from before the start says nothing about this run
        cam.run = run;
    }
    // No frame yet: nothing to compare, and nothing is taken as a black picture.
    QImage frame = cameras_.ImageBitmap(camera);
    if (frame.isNull())
        return false;

    // The canvas keeps its drawing state across frames, as a bitmap's canvas does. Drawing
    // on it detaches it from the frame kept beside it.
    cam.frame = std::move(frame);
    cam.markedFrame.SetImage(cam.frame);
    if (hooks_.CaptionTransparent && hooks_.CaptionTransparent())
        cam.markedFrame.SetTransparent(true);
    const ZoneRect zone = cameras_.Zone(camera);
    StretchZoneInto(cam.markedFrame.Image(), zone, cam.zoneImage);

    const qint32 same = CompareZoneBitmaps(cam.zoneImage, cam.previousZoneImage, channels).same;
    CopyPixels(cam.zoneImage, cam.previousZoneImage);

    const qint32 d = std::abs(same - cam.previousCount);
    const bool motion = d > CameraSensitivity(camera) && cam.previousCount != 0;
    if (motion && hooks_.DrawPictureCaption)
        hooks_.DrawPictureCaption(cam.markedFrame, camera);

    if (cameras_.ZoneOn(camera)) {
        cam.motionText = MotionText(d);
        if (hooks_.SetupPanelVisible && hooks_.SetupPanelVisible() && hooks_.ShowMotionText)
            hooks_.ShowMotionText(camera, cam.motionText);
        if (ZoneWindowShownFor(camera)) {
            if (hooks_.DrawMotionCounter)
                hooks_.DrawMotionCounter(cam.markedFrame, d);
            if (hooks_.DrawTargetMarker)
                hooks_.DrawTargetMarker(cam.markedFrame, zone.left, zone.top, camera);
        }
    }

    cam.previousCount = same;
    return motion;
}
