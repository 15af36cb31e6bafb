#include "capture/CaptureDevices.h"
#include "capture/CaptureFlags.h"
#include "capture/GraphConfigBuilder.h"
#include "capture/TGraphConfig.h"
#include "capture/VideoCapture.h"
#include "platform/MediaTestCameras.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class GraphConfigCapture : public ::testing::Test {
protected:
    void SetUp() override {
        platform::TestCameraSpec a, b;
        a.Name = "Cam A";
        b.Name = "Cam B";
        platform::InstallTestCameras({a, b});
        EnumerateAllDevices();
        CaptureErrorFlag = 0;
    }
    void TearDown() override {
        control.reset();
        platform::RemoveTestCameras();
        ClearDeviceLists();
    }

    TestSupport::TempProgramFolder folder;
    std::unique_ptr<TVideoCapture> control =
        std::make_unique<TVideoCapture>(platform::ProgramFolder(folder.path()));
};

} // namespace

TEST_F(GraphConfigCapture, ConnectProfileReachesTheControlAndReadsBack) {
    // The way a camera connects: read the control, name the device, build the profile, apply.
    TGraphConfig config(0);
    config.ReadFrom(*control, 0);
    config.VCapSource = "Cam B";
    config.VCapMode.Width = 640; // a mode from another camera: dropped by the profile
    ASSERT_TRUE(BuildCamera1Config(config));
    QSignalSpy devices(control.get(), &TVideoCapture::OnChangeDevice);
    QSignalSpy compressors(control.get(), &TVideoCapture::OnChangeCompressor);
    config.ApplyTo(*control);

    EXPECT_EQ(CaptureErrorFlag, 1); // filters built
    EXPECT_TRUE(control->Previewing());
    EXPECT_EQ(devices.count(), 1);
    EXPECT_EQ(compressors.count(), 1);
    EXPECT_EQ(control->VideoSourceName(), "Cam B");
    EXPECT_EQ(control->VideoSourceIndex(), 1);
    EXPECT_FALSE(control->UseTempFile);
    EXPECT_FALSE(control->WantCapture);
    EXPECT_EQ(control->CaptureFileName, "buffer1.kmx");
    EXPECT_EQ(control->TempCaptureFileName(), "captemp.kmx");
    EXPECT_EQ(control->PreallocFileSize, 10u);

    TGraphConfig back(5);
    back.VCompState = "stale";
    back.ReadFrom(*control, 5);
    EXPECT_EQ(back.VCapSource, "Cam B");
    EXPECT_EQ(back.ACapSource, "");
    EXPECT_TRUE(back.WantPreview);
    EXPECT_FALSE(back.UseTempFile);
    EXPECT_EQ(back.CaptureFileName, "buffer1.kmx");
    EXPECT_EQ(back.PixelFormat, int(pf24bit));
    EXPECT_EQ(back.VCapMode.Width, 320); // the device's current mode
    EXPECT_EQ(back.VCapMode.Height, 240);
    EXPECT_TRUE(back.VCompState.isEmpty());
}

TEST_F(GraphConfigCapture, AppliedModeIsSelectedAndUnknownDeviceBuildsNothing) {
    TGraphConfig config(0);
    config.VCapSource = "Cam A";
    config.WantPreview = true;
    config.VCapMode.MediaSubType = platform::guids::MEDIASUBTYPE_YUY2;
    config.VCapMode.Width = 640;
    config.VCapMode.Height = 480;
    config.VCapMode.Bits = 16;
    config.ApplyTo(*control);
    EXPECT_EQ(CaptureErrorFlag, 1);
    TVideoMode current;
    control->GetCurrentVideoMode(current);
    EXPECT_EQ(current.Width, 640);
    EXPECT_TRUE(control->Previewing());

    config.VCapSource = "No such camera";
    config.ApplyTo(*control);
    EXPECT_FALSE(control->Previewing()); // callers decide by the preview, not by the flag
    EXPECT_EQ(control->VideoSourceName(), "");
}
