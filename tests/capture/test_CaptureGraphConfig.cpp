// Capture settings: the comma text and CAM<n>.DAT file, the two connect profiles, and
// reading and applying a configuration on a capture control over test cameras.
#include "CaptureTestKit.h"

#include "capture/GraphConfigBuilder.h"
#include "capture/CaptureGraphConfig.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QtEndian>

using namespace capture_test;

namespace {

const char kFreshText[] =
    "WantBitmaps=0,WantCapture=0,WantPreview=0,WantDVAudio=0,WantAudio=0,WantAudioPreview=0,"
    "UseTempFile=0,PreallocFileSize=10,TempCaptureFileName=captemp.kmx,"
    "CaptureFileName=buffer0.kmx,DVResolution=1,PixelFormat=6,VCapSource=,ACapSource=,AComp=,"
    "VComp=,ACapModeMediaSubType=00000000000000000000000000000000,ACapModeSampleRate=0,"
    "ACapModeAvgSampleRate=0,ACapModeSampleSize=0,ACapModeChannels=0,"
    "VCapModeMediaSubType=00000000000000000000000000000000,VCapModeWidth=0,VCapModeHeight=0,"
    "VCapModeBits=0,VCompState=";

CaptureDeviceNameLists Lists() {
    return {{"USB Camera", "Cam B", "Cam B (2)"}, {"Mic"}, {"JPEG image encoder", "Motion JPEG"}, {"Lame"}};
}

// The switches that are on, in one line.
QString Flags(const CaptureGraphConfig& c) {
    QStringList on;
    const std::pair<bool, const char*> flags[] = {
        {c.WantPreview, "Preview"},   {c.WantCapture, "Capture"},       {c.WantBitmaps, "Bitmaps"},
        {c.WantAudio, "Audio"},       {c.WantAudioPreview, "AudioPrev"}, {c.WantDVAudio, "DVAudio"},
        {c.UseTempFile, "TempFile"}, {c.DoPreallocFile, "Prealloc"}};
    for (const auto& [set, name] : flags)
        if (set) on << name;
    return on.join(' ');
}

class GraphConfigDevices : public VideoCaptureTest {};

} // namespace

TEST(GraphConfigText, FreshConfigurationFileIsByteExact) {
    TestSupport::TempProgramFolder folder;
    const QString path = CameraConfigFileName(platform::ProgramFolder(folder.path()), 1);
    EXPECT_EQ(path, folder.file("CAM1.DAT"));
    ASSERT_TRUE(SaveCameraConfigFile(path, CaptureGraphConfig(0)));
    const QByteArray text(kFreshText);
    QByteArray length(4, '\0');
    qToLittleEndian<quint32>(quint32(text.size()), length.data());
    EXPECT_EQ(TestSupport::ReadAll(path), length + text);

    // A new file replaces the old one; failures say so.
    CaptureGraphConfig named(0);
    named.VCapSource = "Cam";
    ASSERT_TRUE(TestSupport::WriteAll(path, "old"));
    ASSERT_TRUE(SaveCameraConfigFile(path, named));
    EXPECT_TRUE(TestSupport::ReadAll(path).contains("VCapSource=Cam,"));
    EXPECT_FALSE(TestSupport::ReadAll(path).contains("old"));
    QString error;
    EXPECT_FALSE(SaveCameraConfigFile(folder.file("nope/CAM2.DAT"), named, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(named.SaveToStream(nullptr));
    QBuffer closed;
    EXPECT_FALSE(named.SaveToStream(&closed));
}

TEST(GraphConfigText, ModesStateAndQuoting) {
    CaptureGraphConfig config(0);
    config.VCapSource = "USB Camera";
    config.VComp = "My \"fast\" codec";
    config.AComp = "a,b";
    // {32595559-0000-0010-8000-00AA00389B71}
    config.VCapMode.MediaSubType =
        FormatGuid{0x32595559, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    config.VCapMode.Width = 640;
    config.VCapMode.Height = 480;
    config.VCapMode.Bits = 16;
    config.ACapMode.SampleRate = -1;
    config.VCompState = QByteArray("\x00\x7f\xff\x10", 4);
    config.PreallocFileSize = 4000000000u;
    config.WantBitmaps = config.UseTempFile = true;
    config.DoPreallocFile = false;
    const QString text = config.AsCommaText();
    // Only false flags give an item.
    EXPECT_TRUE(text.startsWith("WantCapture=0,WantPreview=0,WantDVAudio=0,WantAudio=0,"
                                "WantAudioPreview=0,DoPreallocFile=0,PreallocFileSize=4000000000,"))
        << text.toStdString();
    for (const char* item : {",\"VCapSource=USB Camera\",", ",\"VComp=My \"\"fast\"\" codec\"",
                             ",\"AComp=a,b\",", ",ACapModeSampleRate=-1,",
                             ",VCapModeMediaSubType=5955593200001000800000AA00389B71,"
                             "VCapModeWidth=640,VCapModeHeight=480,VCapModeBits=16,"})
        EXPECT_TRUE(text.contains(item)) << item << " in " << text.toStdString();
    EXPECT_TRUE(text.endsWith(",VCompState=007FFF10"));
}

TEST(GraphConfigBuilder, CameraProfilesAndTheSourceListing) {
    CaptureGraphConfig one(7);
    one.VCapSource = "Cam B";
    one.ACapSource = "Mic";
    one.VComp = "Motion JPEG";
    one.AComp = "Nothing like it";
    one.WantCapture = one.WantAudio = one.UseTempFile = one.WantBitmaps = true;
    one.DoPreallocFile = false;
    one.PreallocFileSize = 99;
    one.DVResolution = dvrQuarter;
    one.PixelFormat = 42;
    one.VCapMode.Width = 640;
    one.VCompState = "blob";
    EXPECT_TRUE(BuildCameraConfig(1, one, Lists()));
    EXPECT_EQ(Flags(one), "Preview Bitmaps DVAudio Prealloc");
    EXPECT_EQ(QStringList({one.CaptureFileName, one.VCapSource, one.ACapSource, one.VComp, one.AComp}),
              QStringList({"buffer1.kmx", "Cam B", "Mic", "Motion JPEG", ""}));
    EXPECT_EQ(one.PreallocFileSize, 10u);
    EXPECT_EQ(one.DVResolution, dvrQuarter);
    EXPECT_EQ(one.PixelFormat, 6); // out of range: the default stays
    EXPECT_EQ(one.VCapMode.Width, 0);
    EXPECT_TRUE(one.VCompState.isEmpty());

    CaptureGraphConfig two(2);
    two.VCapSource = "cam b"; // names match exactly, case included
    two.WantCapture = two.WantAudio = two.UseTempFile = true;
    two.WantPreview = two.DoPreallocFile = false;
    two.DVResolution = DvResolution(7);
    EXPECT_TRUE(BuildCameraConfig(2, two, Lists()));
    EXPECT_EQ(two.VCapSource, "");
    EXPECT_EQ(two.CaptureFileName, "buffer-1.kmx");
    EXPECT_EQ(Flags(two), "Capture Audio TempFile");
    EXPECT_EQ(two.DVResolution, dvrFull);

    // The names before the configured source, or all of them when it is not listed.
    QStringList names;
    EXPECT_FALSE(ListVideoSources(CaptureGraphConfig(0), Lists().VideoInputs, names));
    EXPECT_EQ(names, Lists().VideoInputs);
    names.clear();
    ListVideoSources(one, Lists().VideoInputs, names);
    EXPECT_EQ(names, QStringList{"USB Camera"});
}

TEST_F(GraphConfigDevices, ProfilesOverTestCamerasReachTheControlAndReadBack) {
    EXPECT_TRUE(GetCaptureDeviceNames().isEmpty());
    platform::InstallTestCameras({Camera("USB Camera"), Camera("Cam B"), Camera("Cam B")});
    EXPECT_EQ(GetCaptureDeviceNames(), QStringList({"USB Camera", "Cam B", "Cam B (2)"}));
    CaptureGraphConfig picked(0);
    picked.VCapSource = "Cam B (2)";
    BuildCamera1Config(picked);
    EXPECT_EQ(picked.VCapSource, "Cam B (2)");
    EXPECT_EQ(picked.CaptureFileName, "buffer2.kmx");
    platform::SetTestCameraPlugged(2, false);
    BuildCamera2Config(picked);
    EXPECT_EQ(picked.VCapSource, "");

    platform::InstallTestCameras({Camera("Cam A"), Camera("Cam B")});
    EnumerateAllDevices();
    control = std::make_unique<VideoCapture>(platform::ProgramFolder(folder.path()));
    // The way a camera connects: read the control, name the device, build the profile, apply.
    CaptureGraphConfig config(0);
    config.ReadFrom(*control, 0);
    config.VCapSource = "Cam B";
    config.VCapMode.Width = 640; // a mode from another camera: dropped by the profile
    ASSERT_TRUE(BuildCamera1Config(config));
    QSignalSpy devices(control.get(), &VideoCapture::OnChangeDevice);
    QSignalSpy compressors(control.get(), &VideoCapture::OnChangeCompressor);
    config.ApplyTo(*control);
    EXPECT_EQ(CaptureErrorFlag, 1); // filters built
    EXPECT_TRUE(control->Previewing());
    EXPECT_EQ(devices.count(), 1);
    EXPECT_EQ(compressors.count(), 1);
    EXPECT_EQ(control->VideoSourceIndex(), 1);
    EXPECT_EQ(control->PreallocFileSize, 10u);
    // What was applied reads back, with the device's current mode and no stale codec state.
    CaptureGraphConfig back(5);
    back.VCompState = "stale";
    back.ReadFrom(*control, 5);
    EXPECT_EQ(Flags(back), Flags(config));
    EXPECT_EQ(QStringList({back.VCapSource, back.ACapSource, back.CaptureFileName, back.TempCaptureFileName}),
              QStringList({"Cam B", "", "buffer1.kmx", "captemp.kmx"}));
    EXPECT_EQ(back.PixelFormat, int(pf24bit));
    EXPECT_EQ(QSize(back.VCapMode.Width, back.VCapMode.Height), QSize(320, 240));
    EXPECT_TRUE(back.VCompState.isEmpty());

    // A configured mode is selected; an unknown device builds nothing.
    config.VCapSource = "Cam A";
    config.VCapMode = VideoMode{{}, platform::guids::MEDIASUBTYPE_YUY2, 640, 480, 16};
    config.ApplyTo(*control);
    VideoMode current;
    control->GetCurrentVideoMode(current);
    EXPECT_EQ(current.Width, 640);
    EXPECT_TRUE(control->Previewing());
    config.VCapSource = "No such camera";
    config.ApplyTo(*control);
    EXPECT_FALSE(control->Previewing()); // callers decide by the preview, not by the flag
    EXPECT_EQ(control->VideoSourceName(), "");
}
