// Device lists over the real GStreamer enumeration path, with test-pattern cameras.
#include "CaptureTestKit.h"

using namespace capture_test;

namespace {
class CaptureDevices : public CameraTest {};
} // namespace

TEST_F(CaptureDevices, RepeatedNamesAreNumberedBlanksKeptEmptySkipped) {
    platform::InstallTestCameras(
        {Camera("Cam"), Camera("Cam"), Camera("   "), Camera("Cam"), Camera("Cam  "), Camera("")});
    EXPECT_EQ(VideoSourceNames(true), (QStringList{"Cam", "Cam (2)", "Cam (3)", "Cam  "}));
    ASSERT_EQ(VideoInputDevices.size(), 4);
    EXPECT_EQ(VideoInputDevices[2].BaseName, "Cam");
    EXPECT_EQ(VideoInputDevices[3].BaseName, "Cam  ");
    EXPECT_EQ(CountDevicesNamed("Cam", VideoInputDevices), 4);
    EXPECT_EQ(CountDevicesNamed("cam", VideoInputDevices), 1); // case-sensitive
}

TEST_F(CaptureDevices, AHeldMonikerFindsItsDeviceAcrossRefreshClearAndUnplugging) {
    platform::InstallTestCameras({Camera("Left"), Camera("Right")});
    EnumerateVideoInputs();
    DeviceMoniker held = FindDeviceMonikerByName(VideoInputDevices, "Right");
    ASSERT_TRUE(held);
    EXPECT_FALSE(FindDeviceMonikerByName(VideoInputDevices, "right"));
    EXPECT_EQ(IndexOfDeviceMoniker(VideoInputDevices, nullptr), -1);
    EXPECT_EQ(DeviceNameOfMoniker(VideoInputDevices, nullptr), "");

    // A refresh makes new moniker objects; the held one still finds its device.
    EnumerateAllDevices();
    EXPECT_NE(VideoInputDevices[1].Moniker.get(), held.get());
    EXPECT_EQ(IndexOfDeviceMoniker(VideoInputDevices, held), 1);
    EXPECT_EQ(DeviceNameOfMoniker(VideoInputDevices, held), "Right");

    platform::SetTestCameraPlugged(0, false);
    EXPECT_EQ(VideoSourceNames(true), QStringList{"Right"});
    EXPECT_EQ(IndexOfDeviceMoniker(VideoInputDevices, held), 0);
    platform::SetTestCameraPlugged(0, true);
    EXPECT_EQ(VideoSourceNames(true), (QStringList{"Left", "Right"}));

    // Another control clearing the lists does not free what this one holds.
    std::weak_ptr<const platform::MediaMoniker> watch = held;
    ClearDeviceLists();
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(held->FriendlyName(), "Right");
    held.reset();
    EXPECT_TRUE(watch.expired());
}

TEST_F(CaptureDevices, NoCameraGivesEmptyListsAndTheCompressorsFeedAnAviFile) {
    EXPECT_TRUE(VideoSourceNames(true).isEmpty()); // the test machine has no /dev/video*
    EXPECT_TRUE(VideoSourceNames(false).isEmpty());
    AudioSourceNames(true); // no sound server: fewer entries, no hang

    const QStringList video = VideoCompressorNames(true);
    EXPECT_TRUE(video.contains("JPEG image encoder")) << video.join(", ").toStdString();
    const DeviceMoniker jpeg = FindDeviceMonikerByName(VideoCompressorDevices, "JPEG image encoder");
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg->Key(), "enc:jpegenc");
    // Listed in a stable order, so saved compressor names keep their suffixes.
    EXPECT_EQ(VideoCompressorNames(true), video);
    for (const QString& name : AudioCompressorNames(true))
        EXPECT_FALSE(name.trimmed().isEmpty());
}
