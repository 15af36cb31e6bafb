#pragma once
// What the capture tests share: test-pattern cameras, a look at a recorded file, and a disk
// that fills up.
#include "capture/CaptureDevices.h"
#include "platform/MediaTestCameras.h"
#include "support/AviReadback.h"
#include "support/SmallDisk.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QElapsedTimer>

namespace capture_test {

constexpr int kWait = 20000; // generous: waits are for conditions, never for speed

inline platform::TestCameraSpec Camera(const QString& name, const QString& format = "YUY2",
                                       const QString& pattern = "ball") {
    platform::TestCameraSpec camera;
    camera.Name = name;
    camera.Format = format;
    camera.Pattern = pattern;
    return camera;
}

// Every test ends without test cameras and with empty device lists.
class CameraTest : public ::testing::Test {
protected:
    void TearDown() override {
        platform::RemoveTestCameras();
        ClearDeviceLists();
    }
};

// Each channel of p within `tolerance` of colour's.
inline bool NearColour(QRgb p, QRgb colour, int tolerance) {
    return qAbs(qRed(p) - qRed(colour)) < tolerance && qAbs(qGreen(p) - qGreen(colour)) < tolerance &&
           qAbs(qBlue(p) - qBlue(colour)) < tolerance;
}

// Lets the event loop run for a while (for "nothing more happens" checks).
inline void Pause(int ms) {
    QElapsedTimer clock;
    clock.start();
    TestSupport::WaitFor([&] { return clock.elapsed() >= ms; }, ms + 1000);
}

// What GStreamer's discoverer reads back from a recorded file.
struct AviFacts {
    bool Readable = false;
    int Width = 0, Height = 0;
    double Seconds = 0;
};

inline AviFacts Discover(const QString& path) {
    AviFacts facts;
    facts.Readable = TestSupport::DiscoverVideo(path, &facts.Seconds, &facts.Width, &facts.Height, nullptr);
    return facts;
}

// While it lives, files of this process cannot grow past the size given (a full disk).
using FullDisk = TestSupport::FileSizeLimit;

} // namespace capture_test
