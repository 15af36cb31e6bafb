#include "publish/BitmapScaling.h"

#include "platform/Jpeg.h"

#include <cstdlib>

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long magnitude = (std::llabs(product) + std::llabs(static_cast<long long>(c)) / 2) /
                                std::llabs(static_cast<long long>(c));
    const bool negative = (product < 0) != (c < 0);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

void SmoothResizeBitmap(const QImage& source, QImage& target) {
    if (source.isNull() || target.isNull())
        return;
    const QImage src = source.format() == QImage::Format_RGB888 ? source
                                                                : source.convertToFormat(QImage::Format_RGB888);
    const int sw = src.width(), sh = src.height();
    const int tw = target.width(), th = target.height();
    if (sw == tw && sh == th) {
        target = src.copy();
        return;
    }
    if (target.format() != QImage::Format_RGB888)
        target = QImage(tw, th, QImage::Format_RGB888);

    const long long xstep = MulDiv(sw - 1, 65536, tw);
    const long long ystep = MulDiv(sh - 1, 65536, th);
    long long sy = 0;
    for (int y = 0; y < th; ++y) {
        const int iy = std::min(int(sy >> 16), sh - 1);
        const uchar* rowA = src.constScanLine(iy);
        const uchar* rowB = src.constScanLine(iy + 1 < sh ? iy + 1 : iy);
        const int fy = int(sy & 65535);
        const long long wB = fy + 1;
        const long long wA = 65536 - fy;
        uchar* out = target.scanLine(y);
        long long sx = 0;
        for (int x = 0; x < tw; ++x) {
            const int ix = std::min(int(sx >> 16), sw - 1);
            // Past the right edge the last column stands in for its missing neighbour.
            const int ix1 = ix + 1 < sw ? ix + 1 : sw - 1;
            const int fx = int(sx & 65535);
            const long long a2 = MulDiv(fx, int(wA), 65536);
            const long long a1 = wA - a2;
            const long long b2 = MulDiv(fx, int(wB), 65536);
            const long long b1 = wB - b2;
            for (int c = 0; c < 3; ++c) {
                const long long v = rowA[ix * 3 + c] * a1 + rowA[ix1 * 3 + c] * a2 + rowB[ix * 3 + c] * b1 +
                                    rowB[ix1 * 3 + c] * b2;
                out[x * 3 + c] = uchar(std::min<long long>(v >> 16, 255));
            }
            sx += xstep;
        }
        sy += ystep;
    }
}

bool SaveBitmapAsJpeg(const QImage& bitmap, const QString& fileName, QString* error) {
    return platform::SaveJpeg(bitmap, kDefaultJpegQuality, fileName, error);
}
