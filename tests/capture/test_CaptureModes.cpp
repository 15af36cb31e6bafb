// Capture modes: descriptions, comparison, and the mode methods over a device's stream
// configuration (test cameras) or a fake one (DV sources cannot come through V4L2).
#include "capture/CaptureDevices.h"
#include "capture/CaptureModes.h"
#include "platform/MediaDevices.h"
#include "platform/MediaTestCameras.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// The mode methods with a graph side that only counts what it is asked to do.
class ModeControl : public TCaptureModeControl {
public:
    bool Capturing = false;
    bool Previewing = false;
    bool GraphBuilder = true;
    int TearDowns = 0, VModeChanges = 0, AModeChanges = 0, Starts = 0, Stops = 0;
    int DisplaySize = 0;

protected:
    bool ModeIsCapturing() const override { return Capturing; }
    bool ModeIsPreviewing() const override { return Previewing; }
    bool ModeHasGraphBuilder() const override { return GraphBuilder; }
    void ModeTearDownGraph() override { ++TearDowns; }
    bool ModeStartPreview() override {
        ++Starts;
        Previewing = true;
        return true;
    }
    bool ModeStopPreview() override {
        ++Stops;
        Previewing = false;
        return true;
    }
    int ModeDVDisplaySize() const override { return DisplaySize; }
    bool ModeApplyDVDisplaySize(int size) override {
        DisplaySize = size;
        return true;
    }
    void RaiseChangeVCapMode() override { ++VModeChanges; }
    void RaiseChangeACapMode() override { ++AModeChanges; }
};

// A configuration that holds whatever types a test gives it.
class FakeConfig : public MediaStreamConfig {
public:
    QList<MediaCapability> Caps;
    MediaType Current;
    bool FailGetFormat = false;
    int SetCalls = 0;
    int GetNumberOfCapabilities() const override { return int(Caps.size()); }
    bool GetStreamCaps(int i, MediaType& t, MediaStreamCaps& c) const override {
        if (i < 0 || i >= Caps.size()) return false;
        t = Caps[i].Type;
        c = Caps[i].StreamCaps;
        return true;
    }
    bool GetFormat(MediaType& t) const override {
        t = Current;
        return !FailGetFormat;
    }
    bool SetFormat(const MediaType& t) override {
        ++SetCalls;
        Current = t;
        return true;
    }
};

MediaType Video(const MediaGuid& sub, int w, int h, int bits, qint64 interval = 333333) {
    MediaType t;
    t.MajorType = guids::MEDIATYPE_Video;
    t.SubType = sub;
    t.FormatType = MediaFormatType::VideoInfo;
    t.BiWidth = w;
    t.BiHeight = h;
    t.BiBitCount = quint16(bits);
    t.AvgTimePerFrame = interval;
    t.Caps = QString("%1x%2").arg(w).arg(h);
    return t;
}

TMoniker InstallOne(const TestCameraSpec& cameraSpec) {
    InstallTestCameras({cameraSpec});
    EnumerateVideoInputs();
    return VideoInputDevices.isEmpty() ? nullptr : VideoInputDevices[0].Moniker;
}

class CaptureModes : public ::testing::Test {
protected:
    void TearDown() override {
        RemoveTestCameras();
        ClearDeviceLists();
    }
};

} // namespace

TEST(CaptureModeText, VideoDescriptions) {
    TVideoMode m;
    m.Width = 640;
    m.Height = 480;
    m.Bits = 24;
    m.MediaSubType = guids::MEDIASUBTYPE_RGB24;
    EXPECT_EQ(DescribeVideoMode(m), "640x480x24b (RGB24)");
    m.MediaSubType = guids::MEDIASUBTYPE_MJPG; // not in the table
    EXPECT_EQ(DescribeVideoMode(m), "640x480x24b");
    m.MediaSubType = guids::MEDIASUBTYPE_ARGB32;
    m.Bits = 32;
    EXPECT_EQ(DescribeVideoMode(m), "640x480x32b (ARGB32)");
}

TEST(CaptureModeText, AudioDescriptions) {
    TAudioMode a;
    a.MediaSubType = guids::MEDIASUBTYPE_PCM;
    a.SampleRate = 44100;
    a.SampleSize = 16;
    a.Channels = 2;
    a.AvgSampleRate = 176400;
    EXPECT_EQ(DescribeAudioMode(a), "44100Hzx16bx2");
    a.MediaSubType = guids::MEDIASUBTYPE_IEEE_FLOAT;
    a.AvgSampleRate = 16000;
    EXPECT_EQ(DescribeAudioMode(a), "128kBits/s, 44100Hz, 2");
    a.AvgSampleRate = 16999; // 135.992 kbit/s truncates
    EXPECT_EQ(DescribeAudioMode(a), "135kBits/s, 44100Hz, 2");
}

TEST(CaptureModeText, SameModeIgnoresFrameRatesAndMajorType) {
    TVideoMode a =
        VideoModeFromMediaType(Video(guids::MEDIASUBTYPE_YUY2, 640, 480, 16, 333333), nullptr);
    TVideoMode b = a;
    b.AvgFrameRate = 15;
    b.MaxFrameRate = 15;
    b.MajorType = guids::MEDIATYPE_Interleaved;
    EXPECT_TRUE(IsSameVideoMode(a, b));
    b.Height = 481;
    EXPECT_FALSE(IsSameVideoMode(a, b));

    TAudioMode p{guids::MEDIATYPE_Audio, guids::MEDIASUBTYPE_PCM, 44100, 16, 2, 176400};
    TAudioMode q = p;
    q.AvgSampleRate = 1; // not compared for PCM
    EXPECT_TRUE(IsSameAudioMode(p, q));
    q.Channels = 1;
    EXPECT_FALSE(IsSameAudioMode(p, q));
    TAudioMode x{guids::MEDIATYPE_Audio, guids::MEDIASUBTYPE_IEEE_FLOAT, 44100, 32, 2, 352800};
    TAudioMode y = x;
    y.SampleSize = 16; // not compared for other subtypes
    EXPECT_TRUE(IsSameAudioMode(x, y));
    y.AvgSampleRate = 1;
    EXPECT_FALSE(IsSameAudioMode(x, y));
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
    const TVideoMode first = VideoModeFromMediaType(caps[0].Type, &caps[0].StreamCaps);
    EXPECT_EQ(DescribeVideoMode(first), "640x480x16b (YUY2)");
    EXPECT_DOUBLE_EQ(first.MinFrameRate, 5.0);
    EXPECT_NEAR(first.MaxFrameRate, 30.0, 1e-3);
    EXPECT_NEAR(first.AvgFrameRate, 30.0, 1e-3);
    EXPECT_EQ(DescribeVideoMode(VideoModeFromMediaType(caps[1].Type, nullptr)),
              "320x240x16b (YUY2)");
    // BGR is top-down: a negative header height, a positive mode height.
    EXPECT_EQ(caps[2].Type.BiHeight, -240);
    const TVideoMode bgr = VideoModeFromMediaType(caps[2].Type, &caps[2].StreamCaps);
    EXPECT_EQ(DescribeVideoMode(bgr), "320x240x24b (RGB24)");
    EXPECT_NEAR(bgr.MinFrameRate, 15.0, 1e-3);
    const TVideoMode jpeg = VideoModeFromMediaType(caps[3].Type, nullptr);
    EXPECT_EQ(jpeg.MediaSubType, guids::MEDIASUBTYPE_MJPG);
    EXPECT_EQ(DescribeVideoMode(jpeg), "1280x720x24b");
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
}

TEST(CaptureModeCaps, AudioCapabilitiesFromRanges) {
    const auto caps =
        MediaCapabilitiesFromCaps("audio/x-raw, format=(string)S16LE, layout=(string)interleaved, "
                                  "rate=(int)[ 16000, 44100 ], "
                                  "channels=(int)[ 1, 2 ]");
    QStringList text;
    for (const auto& c : caps)
        text << DescribeAudioMode(AudioModeFromMediaType(c.Type));
    EXPECT_EQ(text,
              (QStringList{"16000Hzx16bx1", "16000Hzx16bx2", "22050Hzx16bx1", "22050Hzx16bx2",
                           "32000Hzx16bx1", "32000Hzx16bx2", "44100Hzx16bx1", "44100Hzx16bx2"}));
    EXPECT_EQ(AudioModeFromMediaType(caps.last().Type).AvgSampleRate, 176400);
}

TEST_F(CaptureModes, TestCameraModesAndSwitching) {
    TestCameraSpec cameraSpec;
    cameraSpec.Name = "Raw";
    TMoniker moniker = InstallOne(cameraSpec);
    ASSERT_TRUE(moniker);
    ModeControl control;
    control.SetVideoStreamConfig(CreateDeviceStreamConfig(moniker));
    ASSERT_EQ(control.VideoModeCount(), 2);
    TVideoMode m0, m1, out;
    control.GetVideoMode(0, m0);
    control.GetVideoMode(1, m1);
    EXPECT_EQ(DescribeVideoMode(m0), "320x240x16b (YUY2)");
    EXPECT_EQ(DescribeVideoMode(m1), "640x480x16b (YUY2)");
    EXPECT_NEAR(m1.AvgFrameRate, 30.0, 1e-3);
    control.GetVideoMode(2, out); // out of range: zero-filled
    EXPECT_EQ(out.Width, 0);
    EXPECT_TRUE(out.MediaSubType.IsNull());

    control.GetCurrentVideoMode(out); // nothing set yet: the first capability
    EXPECT_TRUE(IsSameVideoMode(out, m0));
    EXPECT_EQ(out.AvgFrameRate, 0.0);

    EXPECT_TRUE(control.SetVideoMode(1));
    EXPECT_EQ(control.VModeChanges, 1);
    EXPECT_EQ(control.TearDowns, 1);
    control.GetCurrentVideoMode(out);
    EXPECT_EQ(DescribeVideoMode(out), "640x480x16b (YUY2)");

    // The chosen format belongs to the device, so a new configuration (a rebuild) keeps it.
    ModeControl other;
    other.SetVideoStreamConfig(CreateDeviceStreamConfig(moniker));
    other.GetCurrentVideoMode(out);
    EXPECT_EQ(out.Width, 640);

    EXPECT_FALSE(control.SetVideoMode(5));
    EXPECT_FALSE(control.SetVideoMode(-1));
    control.Capturing = true; // every mode change is refused while capturing
    EXPECT_FALSE(control.SetVideoMode(0));
    EXPECT_EQ(control.TearDowns, 3);
    EXPECT_EQ(control.VModeChanges, 1);
}

TEST_F(CaptureModes, SelectKeepsTheCurrentModeWhenOnlyTheRateDiffers) {
    TestCameraSpec cameraSpec;
    cameraSpec.Name = "Raw";
    ModeControl control;
    control.SetVideoStreamConfig(CreateDeviceStreamConfig(InstallOne(cameraSpec)));
    TVideoMode wanted;
    control.GetVideoMode(0, wanted);
    wanted.AvgFrameRate = 5;
    wanted.MinFrameRate = wanted.MaxFrameRate = 5;
    EXPECT_TRUE(control.SelectVideoMode(wanted));
    EXPECT_EQ(control.TearDowns, 0);
    EXPECT_EQ(control.VModeChanges, 0);

    control.GetVideoMode(1, wanted);
    EXPECT_TRUE(control.SelectVideoMode(wanted));
    EXPECT_EQ(control.VModeChanges, 1);
    EXPECT_FALSE(control.SelectVideoMode(TVideoMode{})); // the all-zero record selects nothing
}

TEST_F(CaptureModes, TopDownAndJpegCameras) {
    TestCameraSpec bgr;
    bgr.Name = "Bgr";
    bgr.Format = "BGR";
    TestCameraSpec jpeg;
    jpeg.Name = "Jpeg";
    jpeg.Format = "JPEG";
    InstallTestCameras({bgr, jpeg});
    EnumerateVideoInputs();
    ASSERT_EQ(VideoInputDevices.size(), 2);
    ModeControl a, b;
    a.SetVideoStreamConfig(CreateDeviceStreamConfig(VideoInputDevices[0].Moniker));
    b.SetVideoStreamConfig(CreateDeviceStreamConfig(VideoInputDevices[1].Moniker));
    TVideoMode m;
    a.GetVideoMode(1, m);
    EXPECT_EQ(m.Height, 480);
    EXPECT_EQ(DescribeVideoMode(m), "640x480x24b (RGB24)");
    b.GetVideoMode(0, m);
    EXPECT_EQ(DescribeVideoMode(m), "320x240x24b");
    EXPECT_EQ(m.MediaSubType, guids::MEDIASUBTYPE_MJPG);
}

TEST(CaptureModeDV, FourFixedModesAndResolution) {
    ModeControl control;
    auto config = std::make_unique<FakeConfig>();
    FakeConfig* fake = config.get();
    fake->Caps = {{Video(guids::MEDIASUBTYPE_YUY2, 640, 480, 16), {}}};
    fake->Current = Video(guids::MEDIASUBTYPE_YUY2, 720, 576, 16);
    fake->Current.MajorType = guids::MEDIATYPE_Interleaved;
    control.SetVideoStreamConfig(std::move(config));

    ASSERT_TRUE(control.IsDVSource());
    EXPECT_EQ(control.VideoModeCount(), 4);
    QStringList modes;
    for (int i = 0; i < 4; ++i) {
        TVideoMode m;
        control.GetVideoMode(i, m);
        modes << DescribeVideoMode(m);
        EXPECT_EQ(m.AvgFrameRate, 0.0);
    }
    EXPECT_EQ(modes, (QStringList{"720x576x24b", "360x288x24b", "180x144x24b", "88x72x24b"}));

    EXPECT_FALSE(control.SetVideoMode(1));
    EXPECT_EQ(control.DVResolution(), dvrHalf);
    EXPECT_EQ(control.VModeChanges, 0);
    EXPECT_EQ(fake->SetCalls, 0);
    EXPECT_FALSE(control.SetVideoMode(7)); // any index: false, resolution unchanged
    EXPECT_EQ(control.DVResolution(), dvrHalf);

    // The resolution setter hands the display size to the decoder, which the mode reads back.
    control.SetDVResolution(dvrQuater);
    EXPECT_EQ(control.DisplaySize, DVRESOLUTION_QUARTER);
    TVideoMode current;
    control.GetCurrentVideoMode(current);
    EXPECT_EQ(DescribeVideoMode(current), "180x144x24b");
    control.Capturing = true;
    control.SetDVResolution(dvrFull); // ignored while capturing
    EXPECT_EQ(control.DVResolution(), dvrQuater);

    fake->FailGetFormat = true; // no readable format: not DV
    EXPECT_FALSE(control.IsDVSource());
    EXPECT_EQ(control.VideoModeCount(), 1);
}

TEST(CaptureModeAudio, SetAudioModeRestartsPreviewAndRaisesEvent) {
    ModeControl control;
    auto config = std::make_unique<FakeConfig>();
    FakeConfig* fake = config.get();
    for (int rate : {22050, 44100}) {
        MediaType t;
        t.MajorType = guids::MEDIATYPE_Audio;
        t.SubType = guids::MEDIASUBTYPE_PCM;
        t.FormatType = MediaFormatType::WaveFormatEx;
        t.SamplesPerSec = quint32(rate);
        t.BitsPerSample = 16;
        t.Channels = 2;
        t.AvgBytesPerSec = quint32(rate * 4);
        fake->Caps.append({t, {}});
    }
    fake->Current = fake->Caps[0].Type;
    control.SetAudioStreamConfig(std::move(config));
    control.Previewing = true;

    TAudioMode wanted;
    control.GetAudioMode(1, wanted);
    EXPECT_TRUE(control.SelectAudioMode(wanted));
    EXPECT_EQ(control.AModeChanges, 1);
    EXPECT_EQ(control.Stops, 1);
    EXPECT_EQ(control.Starts, 1);
    EXPECT_EQ(control.TearDowns, 0); // the audio side never tears the graph down
    TAudioMode current;
    control.GetCurrentAudioMode(current);
    EXPECT_EQ(DescribeAudioMode(current), "44100Hzx16bx2");

    // A non-wave format block leaves the record zero-filled.
    fake->Caps[0].Type.FormatType = MediaFormatType::None;
    control.GetAudioMode(0, current);
    EXPECT_EQ(current.SampleRate, 0);
    control.Capturing = true;
    EXPECT_FALSE(control.SetAudioMode(0));
}
