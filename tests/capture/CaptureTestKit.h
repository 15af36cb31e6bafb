#pragma once
// What the capture tests share: test-pattern cameras, a look at a recorded file, and a disk
// that fills up.
#include "capture/CaptureConfirm.h"
#include "capture/CaptureDevices.h"
#include "capture/CaptureFlags.h"
#include "capture/VideoCapture.h"
#include "platform/MediaTestCameras.h"
#include "support/AviReadback.h"
#include "support/SmallDisk.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QCoreApplication>
#include <QImage>

#include <algorithm>

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

// Delivers what the pipeline's threads have already posted: once the graph is down nothing
// more can come, so a "nothing more happens" check needs no waiting.
// Largest channel difference between two pictures of one size.
inline int LargestDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            largest = std::max({largest, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)),
                                qAbs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

inline void DeliverPosted() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
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

// A capture control on a test camera, with what it reports counted.
class VideoCaptureTest : public CameraTest {
protected:
    void SetUp() override {
        CaptureErrorFlag = 0;
        SetCaptureConfirmHandler([this](const QString& text) {
            questions << text;
            return answerYes;
        });
    }
    void TearDown() override {
        control.reset();
        SetCaptureConfirmHandler({});
        CameraTest::TearDown();
    }

    // A control on the named camera, wired the way the camera view wires it: every rendered
    // frame asks for the next one.
    void Connect(const QList<platform::TestCameraSpec>& cameras, const QString& name) {
        control.reset(); // a camera has one control at a time
        platform::InstallTestCameras(cameras);
        EnumerateVideoInputs();
        control = std::make_unique<VideoCapture>(platform::ProgramFolder(folder.path()));
        control->WantAudio = false;
        control->VideoSourceMoniker = FindDeviceMonikerByName(VideoInputDevices, name);
        VideoCapture* c = control.get();
        QObject::connect(c, &VideoCapture::OnFrameRendered, c, [c] { c->RequestBitmap(); });
        QObject::connect(c, &VideoCapture::OnBitmapGrabbed, c, [this](const CapturedBitmap& b) {
            last = b;
            ++frames;
        });
        QObject::connect(c, &VideoCapture::OnDeviceLost, c, [this] { ++deviceLost; });
        QObject::connect(c, &VideoCapture::OnStopCapture, c, [this] { ++stopCaptures; });
        QObject::connect(c, &VideoCapture::OnAborted, c, [this] { ++aborted; });
        ASSERT_TRUE(control->BuildCaptureFilters());
    }

    // Arms file capture into `file` (relative names land in the program folder).
    void WantFile(const QString& file) {
        control->WantCapture = true;
        control->CaptureFileName = file;
    }

    void StartPreviewAndRequest() {
        ASSERT_TRUE(control->StartPreview());
        ASSERT_TRUE(control->RequestBitmap());
    }

    bool FramesArrive(int more = 3) {
        const int target = frames + more;
        return TestSupport::WaitFor([&] { return frames >= target; }, kWait);
    }

    // Records while `count` more frames are shown (at 30 frames a second).
    bool RecordFrames(int count) { return FramesArrive(count); }

    TestSupport::TempProgramFolder folder;
    std::unique_ptr<VideoCapture> control;
    CapturedBitmap last;
    int frames = 0, deviceLost = 0, stopCaptures = 0, aborted = 0;
    bool answerYes = true;
    QStringList questions;
};

} // namespace capture_test
