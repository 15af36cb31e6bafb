// Capture modes: descriptions, comparison, and the mode methods over a device's stream
// configuration (test cameras).
#include "CaptureTestKit.h"

#include "capture/CaptureModes.h"
#include "platform/MediaDevices.h"

using namespace platform;
using capture_test::Camera;

namespace {

// The mode methods with a graph side that only logs what it is asked to do.
class ModeControl : public CaptureModeControl {
public:
    bool Capturing = false, Previewing = false;
    int DisplaySize = 0;
    QStringList Calls;

protected:
    bool ModeIsCapturing() const override { return Capturing; }
    bool ModeIsPreviewing() const override { return Previewing; }
    bool ModeHasGraphBuilder() const override { return true; }
    void ModeTearDownGraph() override { Calls << "teardown"; }
    bool ModeStartPreview() override { Calls << "start"; Previewing = true; return true; }
    bool ModeStopPreview() override { Calls << "stop"; Previewing = false; return true; }
    int ModeDVDisplaySize() const override { return DisplaySize; }
    bool ModeApplyDVDisplaySize(int size) override { DisplaySize = size; return true; }
    void RaiseChangeVCapMode() override { Calls << "OnChangeVCapMode"; }
    void RaiseChangeACapMode() override { Calls << "OnChangeACapMode"; }
};

class CaptureModeCameras : public capture_test::CameraTest {};

} // namespace

TEST(CaptureModeText, Sameness) {
    // Frame rates and the major type are no part of a video mode's identity.
    const VideoMode v{guids::MEDIATYPE_Video, guids::MEDIASUBTYPE_RGB24, 640, 480, 24};
    VideoMode b = v;
    b.AvgFrameRate = b.MaxFrameRate = 15;
    b.MajorType = guids::MEDIATYPE_Interleaved;
    EXPECT_TRUE(IsSameVideoMode(v, b));
    b.Height = 481;
    EXPECT_FALSE(IsSameVideoMode(v, b));
    // PCM compares the sample layout, other audio the byte rate.
    AudioMode p{guids::MEDIATYPE_Audio, guids::MEDIASUBTYPE_PCM, 44100, 16, 2, 176400};
    AudioMode q = p;
    q.AvgSampleRate = 1;
    EXPECT_TRUE(IsSameAudioMode(p, q));
    q.Channels = 1;
    EXPECT_FALSE(IsSameAudioMode(p, q));
}

TEST(CaptureModeCaps, CapabilitiesFollowCapsOrderWithRateLimits) {
    const auto caps = MediaCapabilitiesFromCaps(
        "video/x-raw, format=(string)YUY2, width=(int)640, height=(int)480, "
        "framerate=(fraction)[ 5/1, 30/1 ]; "
        "video/x-raw, format=(string){ YUY2, BGR }, width=(int)320, height=(int)240, "
        "framerate=(fraction){ 30/1, 15/1 }; "
        "image/jpeg, width=(int)1280, height=(int)720, framerate=(fraction)10/1; "
        "video/x-h264, width=(int)1280, height=(int)720");
    ASSERT_EQ(caps.size(), 4);
    QStringList text;
    for (const MediaCapability& c : caps)
        text << DescribeVideoMode(VideoModeFromMediaType(c.Type, nullptr));
    EXPECT_EQ(text, (QStringList{"640x480x16b (YUY2)", "320x240x16b (YUY2)", "320x240x24b (RGB24)",
                                 "1280x720x24b"}));
    const VideoMode first = VideoModeFromMediaType(caps[0].Type, &caps[0].StreamCaps);
    EXPECT_DOUBLE_EQ(first.MinFrameRate, 5.0);
    EXPECT_NEAR(first.MaxFrameRate, 30.0, 1e-3);
    EXPECT_NEAR(first.AvgFrameRate, 30.0, 1e-3);
    // BGR is top-down: a negative header height, a positive mode height.
    EXPECT_EQ(caps[2].Type.BiHeight, -240);
    EXPECT_NEAR(VideoModeFromMediaType(caps[2].Type, &caps[2].StreamCaps).MinFrameRate, 15.0, 1e-3);
    EXPECT_EQ(VideoModeFromMediaType(caps[3].Type, nullptr).MediaSubType, guids::MEDIASUBTYPE_MJPG);
    // The type carries the caps that select it again, with its rate when one is set.
    EXPECT_TRUE(MediaTypeToCaps(caps[0].Type).startsWith("video/x-raw, format=(string)YUY2"));
    EXPECT_TRUE(MediaTypeToCaps(caps[0].Type).endsWith("framerate=(fraction)30/1"));
    // Slow and NTSC modes ask for the very fraction the device offers.
    for (const char* rate : {"15/2", "15/4", "25/2", "30000/1001", "7500/1001"}) {
        const auto slow = MediaCapabilitiesFromCaps(
            QString("video/x-raw, format=(string)YUY2, width=(int)1600, height=(int)1200, "
                    "framerate=(fraction)%1")
                .arg(rate));
        ASSERT_EQ(slow.size(), 1);
        EXPECT_TRUE(MediaTypeToCaps(slow[0].Type).endsWith(QString("framerate=(fraction)") + rate))
            << MediaTypeToCaps(slow[0].Type).toStdString();
    }

    // Audio ranges give every standard rate and channel count inside them.
    QStringList audio;
    const auto wave = MediaCapabilitiesFromCaps(
        "audio/x-raw, format=(string)S16LE, layout=(string)interleaved, "
        "rate=(int)[ 16000, 44100 ], channels=(int)[ 1, 2 ]");
    for (const MediaCapability& c : wave)
        audio << DescribeAudioMode(AudioModeFromMediaType(c.Type));
    EXPECT_EQ(audio,
              (QStringList{"16000Hzx16bx1", "16000Hzx16bx2", "22050Hzx16bx1", "22050Hzx16bx2",
                           "32000Hzx16bx1", "32000Hzx16bx2", "44100Hzx16bx1", "44100Hzx16bx2"}));
    EXPECT_EQ(AudioModeFromMediaType(wave.last().Type).AvgSampleRate, 176400);
}

TEST_F(CaptureModeCameras, TestCameraModesSwitchingAndSelection) {
    InstallTestCameras({Camera("Raw"), Camera("Bgr", "BGR"), Camera("Jpeg", "JPEG")});
    EnumerateVideoInputs();
    ASSERT_EQ(VideoInputDevices.size(), 3);
    auto modesOf = [](int device) {
        ModeControl control;
        control.SetVideoStreamConfig(CreateDeviceStreamConfig(VideoInputDevices[device].Moniker));
        QStringList text;
        for (int i = 0; i < control.VideoModeCount(); ++i) {
            VideoMode m;
            control.GetVideoMode(i, m);
            text << DescribeVideoMode(m);
        }
        return text;
    };
    EXPECT_EQ(modesOf(0), (QStringList{"320x240x16b (YUY2)", "640x480x16b (YUY2)"}));
    EXPECT_EQ(modesOf(1), (QStringList{"320x240x24b (RGB24)", "640x480x24b (RGB24)"}));
    EXPECT_EQ(modesOf(2), (QStringList{"320x240x24b", "640x480x24b"}));

    const DeviceMoniker raw = VideoInputDevices[0].Moniker;
    ModeControl control;
    control.SetVideoStreamConfig(CreateDeviceStreamConfig(raw));
    VideoMode m0, m1, out;
    control.GetVideoMode(0, m0);
    control.GetVideoMode(1, m1);
    EXPECT_NEAR(m1.AvgFrameRate, 30.0, 1e-3);
    control.GetVideoMode(2, out); // out of range: zero-filled
    EXPECT_EQ(out.Width, 0);
    EXPECT_TRUE(out.MediaSubType.IsNull());
    control.GetCurrentVideoMode(out); // nothing set yet: the first capability
    EXPECT_TRUE(IsSameVideoMode(out, m0));
    EXPECT_EQ(out.AvgFrameRate, 0.0);

    // Selecting the current mode at another rate changes nothing.
    VideoMode wanted = m0;
    wanted.AvgFrameRate = wanted.MinFrameRate = wanted.MaxFrameRate = 5;
    EXPECT_TRUE(control.SelectVideoMode(wanted));
    EXPECT_TRUE(control.Calls.isEmpty());
    EXPECT_FALSE(control.SelectVideoMode(VideoMode{})); // the all-zero record selects nothing

    EXPECT_TRUE(control.SelectVideoMode(m1));
    EXPECT_EQ(control.Calls, (QStringList{"teardown", "OnChangeVCapMode"}));
    control.GetCurrentVideoMode(out);
    EXPECT_EQ(DescribeVideoMode(out), "640x480x16b (YUY2)");
    // The chosen format belongs to the device, so a new configuration (a rebuild) keeps it.
    ModeControl other;
    other.SetVideoStreamConfig(CreateDeviceStreamConfig(raw));
    other.GetCurrentVideoMode(out);
    EXPECT_EQ(out.Width, 640);

    EXPECT_FALSE(control.SetVideoMode(5));
    EXPECT_FALSE(control.SetVideoMode(-1));
    control.Capturing = true; // every mode change is refused while capturing
    EXPECT_FALSE(control.SetVideoMode(0));
    EXPECT_EQ(control.Calls.count("OnChangeVCapMode"), 1);
}
