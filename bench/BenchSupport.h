#pragma once
// What the picture benchmarks share: camera-like frames and a folder for their files.
#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QString>

namespace bench {

// Something like a camera frame: smooth shading with sensor noise; each seed a little different.
inline QImage CameraLikeFrame(int width, int height, int seed = 0) {
    QImage image(width, height, QImage::Format_RGB888);
    QRandomGenerator random{quint32(seed) + 7};
    for (int y = 0; y < height; ++y) {
        uchar* p = image.scanLine(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const int noise = int(random.bounded(16)) - 8;
            p[0] = uchar(qBound(0, 60 + seed * 3 + x * 120 / width + noise, 255));
            p[1] = uchar(qBound(0, 80 + y * 100 / height + noise, 255));
            p[2] = uchar(qBound(0, 90 + (x + y) * 60 / (width + height) + noise, 255));
        }
    }
    return image;
}

// A QTemporaryDir template under TORVEK_BENCH_DIR (e.g. a tmpfs, to leave the disk out), else
// under /tmp.
inline QString BenchFolder() {
    return qEnvironmentVariable("TORVEK_BENCH_DIR", QDir::tempPath()) + "/torvek-bench-XXXXXX";
}

} // namespace bench
