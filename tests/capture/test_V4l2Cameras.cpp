// A camera that presents itself as a V4L2 node, end to end through the capture control: its
// identity key, the V4L2 control dialog rather than the element's properties, and the mode it
// starts in taken from the device's current format.
#include "CaptureTestKit.h"

#include "capture/VideoCapture.h"
#include "capture/VideoCaptureDialogs.h"
#include "platform/ElementControls.h"
#include "platform/MediaDevices.h"
#include "platform/V4l2Controls.h"

using namespace capture_test;
using TestSupport::WaitFor;

namespace {

// A device node without controls.
struct BareNode : platform::V4l2ControlIo {
    int QueryControl(v4l2_queryctrl&) override { return EINVAL; }
    int QueryMenu(v4l2_querymenu&) override { return EINVAL; }
    int GetControl(v4l2_control&) override { return EINVAL; }
    int SetControl(v4l2_control&) override { return EINVAL; }
};

class V4l2CameraTest : public CameraTest {
protected:
    void TearDown() override {
        control.reset();
        platform::SetV4l2DeviceOpener({});
        platform::SetV4l2FormatReader({});
        CameraTest::TearDown();
    }

    TestSupport::TempProgramFolder folder;
    std::unique_ptr<TVideoCapture> control;
};

} // namespace

TEST_F(V4l2CameraTest, KeyDialogAndStartingMode) {
    platform::TestCameraSpec node = Camera("Node Cam");
    node.V4l2Path = "/dev/video57";
    platform::InstallTestCameras({node, Camera("Plain Cam")});
    EnumerateVideoInputs();
    QStringList opened;
    platform::SetV4l2DeviceOpener([&](const QString& path) {
        opened << path;
        return std::make_unique<BareNode>();
    });
    platform::SetV4l2FormatReader([](const QString& path, QString& format, int& w, int& h) {
        if (path != "/dev/video57")
            return false;
        format = "YUY2";
        w = 640;
        h = 480;
        return true;
    });

    control = std::make_unique<TVideoCapture>(platform::ProgramFolder(folder.path()));
    control->WantAudio = false;
    control->VideoSourceMoniker = FindDeviceMonikerByName(VideoInputDevices, "Node Cam");
    ASSERT_TRUE(control->VideoSourceMoniker);
    EXPECT_EQ(control->VideoSourceMoniker->Key(), "v4l2:/dev/video57");
    ASSERT_TRUE(control->BuildCaptureFilters());
    TVideoCaptureDialogs dialogs(*control, nullptr);
    auto settings = dialogs.SourceSettings();
    EXPECT_TRUE(dynamic_cast<platform::V4l2ControlModel*>(settings.get()));
    EXPECT_EQ(opened, QStringList{"/dev/video57"});

    // It starts in the mode the device is set to, and delivers frames of that size.
    int frames = 0;
    QSize size;
    QObject::connect(control.get(), &TVideoCapture::OnFrameRendered, control.get(), [this] { control->RequestBitmap(); });
    QObject::connect(control.get(), &TVideoCapture::OnBitmapGrabbed, control.get(), [&](const TCapturedBitmap& b) {
        size = b.size();
        ++frames;
    });
    ASSERT_TRUE(control->StartPreview());
    control->RequestBitmap();
    ASSERT_TRUE(WaitFor([&] { return frames > 0; }, kWait));
    EXPECT_EQ(size, QSize(640, 480));

    // A camera without a node gets the element's own properties.
    control->VideoSourceMoniker = FindDeviceMonikerByName(VideoInputDevices, "Plain Cam");
    EXPECT_EQ(control->VideoSourceMoniker->Key(), "test:2");
    ASSERT_TRUE(control->BuildCaptureFilters());
    settings = dialogs.SourceSettings();
    EXPECT_TRUE(dynamic_cast<platform::ElementControlModel*>(settings.get()));
    EXPECT_EQ(opened.size(), 1);
}
