// A camera view on one test camera, counting the frames it grabs.
#pragma once

#include "CaptureTestKit.h"

#include "capture/CaptureFlags.h"
#include "capture/CameraView.h"
#include "capture/VideoCapture.h"

namespace capture_test {

class LiveViewTest : public CameraTest {
protected:
    // The test pattern, and whether the frames are counted as 32-bit pictures (only what is
    // shown) or as 24-bit bitmaps (made only while someone listens for them).
    explicit LiveViewTest(const char* pattern = "smpte", bool countPictures = false)
        : pattern_(pattern), countPictures_(countPictures) {}

    void SetUp() override {
        CaptureErrorFlag = 0;
        CameraQueriesSuspended = 0;
        CameraView::SetCaptionPainter({}); // the view shows the frame exactly as grabbed
        platform::InstallTestCameras({Camera("TORVEK Test Camera 1", "YUY2", pattern_)});
        view = std::make_unique<CameraView>(platform::ProgramFolder(folder.path()));
        view->CameraNumber = 1;
        if (countPictures_)
            QObject::connect(view->cap, &VideoCapture::OnPictureGrabbed, view.get(),
                             [this](const QImage&) { ++frames; });
        else
            QObject::connect(view->cap, &VideoCapture::OnBitmapGrabbed, view.get(),
                             [this](const CapturedBitmap&) { ++frames; });
    }
    void TearDown() override {
        CameraView::SetLiveWatch({});
        CameraView::SetFrameReadInterval({});
        view.reset();
        CameraTest::TearDown();
    }
    bool FramesArrive(int more) {
        const int target = frames + more;
        return TestSupport::WaitFor([&] { return frames >= target; }, kWait);
    }

    TestSupport::TempProgramFolder folder;
    std::unique_ptr<CameraView> view;
    int frames = 0;

private:
    const char* pattern_;
    bool countPictures_;
};

} // namespace capture_test
