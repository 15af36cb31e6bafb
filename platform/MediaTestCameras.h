#pragma once
// Test-pattern cameras: a device provider of our own, offering videotestsrc cameras through
// the same enumeration path as real cameras, so the station can run without a camera.
#include <QList>
#include <QSize>
#include <QString>

namespace platform {

struct TestCameraSpec {
    QString Name;            // friendly name, kept exactly (blanks included)
    QString Format = "YUY2"; // "YUY2", "BGR", ... or "JPEG"; raw ones may be listed: "NV12,NV21"
    QList<QSize> Sizes{QSize(320, 240), QSize(640, 480)};
    double FramesPerSecond = 30; // 7.5 offers 15/2, as cameras give their slow modes
    QString Pattern = "ball"; // videotestsrc pattern nick
    // Set: the lowest bit of every byte of a raw frame is random, as a real sensor's noise
    // changes every row of every frame (the pattern alone leaves most rows alike).
    bool Noise = false;
    // Set: the camera presents itself as a V4L2 device node at this path (its identity key,
    // driver dialog and current format then take the V4L2 paths).
    QString V4l2Path;
};

// The default set: camera n is "TORVEK Test Camera n"; camera 3 is the JPEG camera.
QList<TestCameraSpec> DefaultTestCameras(int count);

// Replaces the offered test cameras (an empty list withdraws them). Safe to call again.
void InstallTestCameras(const QList<TestCameraSpec>& cameras);
void RemoveTestCameras();
bool TestCamerasInstalled();

// Simulated unplugging of camera `index` (0-based): a running source reports the device as
// gone and delivers no more frames, it no longer enumerates and cannot be started.
void SetTestCameraPlugged(int index, bool plugged);

// Simulated stream failure of camera `index`: a running source reports an internal data
// stream error (not a lost device) and delivers no more frames until it is started again.
void FailTestCameraStream(int index);

// Simulated stall of camera `index`: while set, its sources open and run but deliver no
// frame, with no error at all (a camera that hangs).
void SetTestCameraStalled(int index, bool stalled);

} // namespace platform
