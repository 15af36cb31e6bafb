// Device lists over the real GStreamer enumeration path, with test-pattern cameras.
#include "capture/CaptureDevices.h"
#include "platform/MediaTestCameras.h"

#include <gtest/gtest.h>

using platform::TestCameraSpec;

namespace {

TestCameraSpec Camera(const QString& name, const QString& format = "YUY2") {
    TestCameraSpec cameraSpec;
    cameraSpec.Name = name;
    cameraSpec.Format = format;
    return cameraSpec;
}

class CaptureDevices : public ::testing::Test {
protected:
    void TearDown() override {
        platform::RemoveTestCameras();
        ClearDeviceLists();
    }
};

} // namespace

TEST_F(CaptureDevices, RepeatedNamesAreNumberedBlanksKeptEmptySkipped) {
    platform::InstallTestCameras(
        {Camera("Cam"), Camera("Cam"), Camera("   "), Camera("Cam"), Camera("Cam  "), Camera("")});
    const QStringList names = VideoSourceNames(true);
    EXPECT_EQ(names, (QStringList{"Cam", "Cam (2)", "Cam (3)", "Cam  "}));
    ASSERT_EQ(VideoInputDevices.size(), 4);
    EXPECT_EQ(VideoInputDevices[2].BaseName, "Cam");
    EXPECT_EQ(VideoInputDevices[3].BaseName, "Cam  ");
    EXPECT_EQ(CountDevicesNamed("Cam", VideoInputDevices), 4);
    EXPECT_EQ(CountDevicesNamed("cam", VideoInputDevices), 1); // case-sensitive
}

TEST_F(CaptureDevices, LookupsByNameAndMoniker) {
    platform::InstallTestCameras({Camera("Left"), Camera("Right")});
    EnumerateVideoInputs();
    TMoniker right = FindDeviceMonikerByName(VideoInputDevices, "Right");
    ASSERT_TRUE(right);
    EXPECT_EQ(IndexOfDeviceMoniker(VideoInputDevices, right), 1);
    EXPECT_EQ(DeviceNameOfMoniker(VideoInputDevices, right), "Right");
    EXPECT_FALSE(FindDeviceMonikerByName(VideoInputDevices, "right"));
    EXPECT_EQ(IndexOfDeviceMoniker(VideoInputDevices, nullptr), -1);
    EXPECT_EQ(DeviceNameOfMoniker(VideoInputDevices, nullptr), "");
}

TEST_F(CaptureDevices, MonikerKeepsItsIdentityAcrossRefreshAndClear) {
    platform::InstallTestCameras({Camera("A"), Camera("B")});
    EnumerateVideoInputs();
    TMoniker held = VideoInputDevices[1].Moniker;
    std::weak_ptr<const platform::MediaMoniker> watch = held;

    // A refresh makes new moniker objects; the held one still finds its device.
    EnumerateAllDevices();
    EXPECT_NE(VideoInputDevices[1].Moniker.get(), held.get());
    EXPECT_EQ(IndexOfDeviceMoniker(VideoInputDevices, held), 1);
    EXPECT_EQ(DeviceNameOfMoniker(VideoInputDevices, held), "B");

    // Another control clearing the lists does not free what this one holds.
    ClearDeviceLists();
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(held->FriendlyName(), "B");
    held.reset();
    EXPECT_TRUE(watch.expired());
}

TEST_F(CaptureDevices, UnpluggedCameraLeavesTheListAndReturns) {
    platform::InstallTestCameras({Camera("A"), Camera("B")});
    EnumerateVideoInputs();
    TMoniker b = VideoInputDevices[1].Moniker;
    platform::SetTestCameraPlugged(0, false);
    EXPECT_EQ(VideoSourceNames(true), QStringList{"B"});
    EXPECT_EQ(IndexOfDeviceMoniker(VideoInputDevices, b), 0);
    platform::SetTestCameraPlugged(0, true);
    EXPECT_EQ(VideoSourceNames(true), (QStringList{"A", "B"}));
}

TEST_F(CaptureDevices, NoCameraGivesEmptyListsWithoutError) {
    platform::RemoveTestCameras();
    EXPECT_TRUE(VideoSourceNames(true).isEmpty()); // the test machine has no /dev/video*
    EXPECT_TRUE(VideoSourceNames(false).isEmpty());
    AudioSourceNames(true); // no sound server: fewer entries, no hang
}

TEST_F(CaptureDevices, CompressorListsHoldEncodersThatFeedAnAviFile) {
    const QStringList video = VideoCompressorNames(true);
    EXPECT_TRUE(video.contains("JPEG image encoder")) << video.join(", ").toStdString();
    const TMoniker jpeg = FindDeviceMonikerByName(VideoCompressorDevices, "JPEG image encoder");
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg->Key(), "enc:jpegenc");
    // Listed in a stable order, so saved compressor names keep their suffixes.
    EXPECT_EQ(VideoCompressorNames(true), video);
    for (const QString& name : AudioCompressorNames(true))
        EXPECT_FALSE(name.trimmed().isEmpty());
}
