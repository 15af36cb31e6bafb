// Device identity and formats on cameras that present themselves as V4L2 nodes: the key
// follows the node, the device's current format picks the default mode, a format chosen for
// another camera on the same port is not forced on the new one, and stepwise size ranges
// offer their standard sizes.
#include "platform/MediaDevices.h"
#include "platform/MediaTestCameras.h"

#include <gtest/gtest.h>

#include <QSize>

using namespace platform;

namespace {

TestCameraSpec NodeCamera(const QString& name, const QString& path, QList<QSize> sizes = {QSize(320, 240), QSize(640, 480)}) {
    TestCameraSpec camera;
    camera.Name = name;
    camera.V4l2Path = path;
    camera.Sizes = std::move(sizes);
    return camera;
}

MediaMonikerPtr Find(const QString& name) {
    for (const MediaMonikerPtr& m : EnumerateMediaDevices(MediaCategory::VideoInput))
        if (m->FriendlyName() == name)
            return m;
    return nullptr;
}

QSize FormatSize(const MediaMonikerPtr& camera) {
    auto config = CreateDeviceStreamConfig(camera);
    MediaType type;
    if (!config || !config->GetFormat(type))
        return {};
    return QSize(type.BiWidth, std::abs(type.BiHeight));
}

class MediaDevicesTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetV4l2FormatReader({});
        RemoveTestCameras();
    }
};

} // namespace

TEST_F(MediaDevicesTest, NodeKeyAndTheDevicesCurrentFormat) {
    InstallTestCameras({NodeCamera("Node", "/dev/video41"), NodeCamera("Plain", "")});
    const MediaMonikerPtr node = Find("Node"), plain = Find("Plain");
    ASSERT_TRUE(node && plain);
    EXPECT_EQ(node->Key(), "v4l2:/dev/video41");
    EXPECT_EQ(plain->Key(), "test:2");

    QStringList asked;
    SetV4l2FormatReader([&](const QString& path, QString& format, int& w, int& h) {
        asked << path;
        format = "YUY2";
        w = 640;
        h = 480;
        return true;
    });
    EXPECT_EQ(FormatSize(node), QSize(640, 480)); // what the device is set to now
    EXPECT_EQ(FormatSize(plain), QSize(320, 240)); // no node: the first capability
    EXPECT_EQ(asked, QStringList{"/dev/video41"});

    // A current format the camera does not list, or none readable: the first capability.
    SetV4l2FormatReader([](const QString&, QString& format, int& w, int& h) {
        format = "JPEG";
        w = 640;
        h = 480;
        return true;
    });
    EXPECT_EQ(FormatSize(node), QSize(320, 240));
    SetV4l2FormatReader([](const QString&, QString&, int&, int&) { return false; });
    EXPECT_EQ(FormatSize(node), QSize(320, 240));
}

TEST_F(MediaDevicesTest, AFormatChosenForAnotherCameraOnThePortIsNotForced) {
    SetV4l2FormatReader([](const QString&, QString&, int&, int&) { return false; });
    InstallTestCameras({NodeCamera("Old", "/dev/video42")});
    auto config = CreateDeviceStreamConfig(Find("Old"));
    ASSERT_TRUE(config);
    MediaType chosen;
    MediaStreamCaps caps;
    ASSERT_TRUE(config->GetStreamCaps(1, chosen, caps));
    ASSERT_TRUE(config->SetFormat(chosen));
    EXPECT_EQ(FormatSize(Find("Old")), QSize(640, 480));

    // Another camera on the same node that has no 640 x 480.
    InstallTestCameras({NodeCamera("New", "/dev/video42", {QSize(320, 240), QSize(800, 600)})});
    EXPECT_EQ(FormatSize(Find("New")), QSize(320, 240));
    auto fresh = CreateDeviceStreamConfig(Find("New"));
    ASSERT_TRUE(fresh);
    EXPECT_FALSE(fresh->SetFormat(chosen)); // and it cannot be set on it

    // The first camera back on that node gets its choice again.
    InstallTestCameras({NodeCamera("Old", "/dev/video42")});
    EXPECT_EQ(FormatSize(Find("Old")), QSize(640, 480));
}

TEST(MediaCapabilities, AStepwiseSizeRangeOffersTheStandardSizesInside) {
    const auto sizesOf = [](const char* caps) {
        QList<QSize> sizes;
        for (const MediaCapability& c : MediaCapabilitiesFromCaps(caps))
            sizes << QSize(c.Type.BiWidth, std::abs(c.Type.BiHeight));
        return sizes;
    };
    // Heights 120, 360 and 600 are off the 16-pixel step from 16.
    EXPECT_EQ(sizesOf("video/x-raw, format=(string)YUY2, width=(int)[ 16, 1280, 16 ], "
                      "height=(int)[ 16, 960, 16 ], framerate=(fraction)30/1"),
              (QList<QSize>{{176, 144}, {320, 240}, {352, 288}, {640, 480}, {1024, 768},
                                    {1280, 720}, {1280, 960}}));

    EXPECT_EQ(sizesOf("video/x-raw, format=(string)YUY2, width=(int)[ 100, 700 ], height=(int)[ 100, 500 ]"),
              (QList<QSize>{{160, 120}, {176, 144}, {320, 240}, {352, 288}, {640, 360},
                                    {640, 480}, {700, 500}}));
}
