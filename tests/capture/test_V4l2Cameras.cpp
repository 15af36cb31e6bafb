// A camera that presents itself as a V4L2 node, end to end through the capture control: its
// identity key, the V4L2 control dialog rather than the element's properties, and the mode it
// starts in taken from the device's current format.
#include "CaptureTestKit.h"

#include "capture/VideoCaptureDialogs.h"
#include "platform/ElementControls.h"
#include "platform/MediaDevices.h"
#include "platform/V4l2Controls.h"

using namespace capture_test;

namespace {

// A device node without controls.
struct BareNode : platform::V4l2ControlIo {
    int QueryControl(v4l2_queryctrl&) override { return EINVAL; }
    int QueryMenu(v4l2_querymenu&) override { return EINVAL; }
    int GetControl(v4l2_control&) override { return EINVAL; }
    int SetControl(v4l2_control&) override { return EINVAL; }
};

class V4l2CameraTest : public VideoCaptureTest {
protected:
    void TearDown() override {
        VideoCaptureTest::TearDown();
        platform::SetV4l2DeviceOpener({});
        platform::SetV4l2FormatReader({});
    }
};

} // namespace

TEST_F(V4l2CameraTest, KeyDialogAndStartingMode) {
    platform::TestCameraSpec node = Camera("Node Cam");
    node.V4l2Path = "/dev/video57";
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

    ASSERT_NO_FATAL_FAILURE(Connect({node, Camera("Plain Cam")}, "Node Cam"));
    EXPECT_EQ(control->VideoSourceMoniker->Key(), "v4l2:/dev/video57");
    VideoCaptureDialogs dialogs(*control, nullptr);
    auto settings = dialogs.SourceSettings();
    EXPECT_TRUE(dynamic_cast<platform::V4l2ControlModel*>(settings.get()));
    EXPECT_EQ(opened, QStringList{"/dev/video57"});

    // It starts in the mode the device is set to, and delivers frames of that size.
    StartPreviewAndRequest();
    ASSERT_TRUE(FramesArrive(1));
    EXPECT_EQ(last.size(), QSize(640, 480));

    // A camera without a node gets the element's own properties.
    control->VideoSourceMoniker = FindDeviceMonikerByName(VideoInputDevices, "Plain Cam");
    EXPECT_EQ(control->VideoSourceMoniker->Key(), "test:2");
    ASSERT_TRUE(control->BuildCaptureFilters());
    settings = dialogs.SourceSettings();
    EXPECT_TRUE(dynamic_cast<platform::ElementControlModel*>(settings.get()));
    EXPECT_EQ(opened.size(), 1);
}
