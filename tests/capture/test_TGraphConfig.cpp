#include "capture/CaptureDevices.h"
#include "capture/GraphConfigBuilder.h"
#include "capture/TGraphConfig.h"
#include "platform/MediaTestCameras.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const char kFreshText[] =
    "WantBitmaps=0,WantCapture=0,WantPreview=0,WantDVAudio=0,WantAudio=0,WantAudioPreview=0,"
    "UseTempFile=0,PreallocFileSize=10,TempCaptureFileName=captemp.kmx,"
    "CaptureFileName=buffer0.kmx,DVResolution=1,PixelFormat=6,VCapSource=,ACapSource=,AComp=,"
    "VComp=,ACapModeMediaSubType=00000000000000000000000000000000,ACapModeSampleRate=0,"
    "ACapModeAvgSampleRate=0,ACapModeSampleSize=0,ACapModeChannels=0,"
    "VCapModeMediaSubType=00000000000000000000000000000000,VCapModeWidth=0,VCapModeHeight=0,"
    "VCapModeBits=0,VCompState=";

TGuid Yuy2() {
    // {32595559-0000-0010-8000-00AA00389B71}
    return TGuid{0x32595559, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

CaptureDeviceNameLists Lists() {
    CaptureDeviceNameLists lists;
    lists.VideoInputs = {"USB Camera", "Cam B", "Cam B (2)"};
    lists.AudioInputs = {"Mic"};
    lists.VideoCompressors = {"JPEG image encoder", "Motion JPEG"};
    lists.AudioCompressors = {"Lame"};
    return lists;
}

} // namespace

TEST(GraphConfigText, FreshConfigurationFileIsByteExact) {
    TestSupport::TempProgramFolder folder;
    TGraphConfig config(0);
    QString path = CameraConfigFileName(platform::ProgramFolder(folder.path()), 1);
    EXPECT_EQ(path, folder.file("CAM1.DAT"));
    ASSERT_TRUE(SaveCameraConfigFile(path, config));

    QByteArray text(kFreshText);
    QByteArray expected;
    const quint32 n = quint32(text.size());
    expected.append(char(n & 0xFF)).append(char((n >> 8) & 0xFF)).append(char((n >> 16) & 0xFF)).append(char(n >> 24));
    expected.append(text);
    EXPECT_EQ(TestSupport::ReadAll(path), expected);
}

TEST(GraphConfigText, ModesStateAndQuoting) {
    TGraphConfig config(0);
    config.VCapSource = "USB Camera";
    config.VComp = "My \"fast\" codec";
    config.AComp = "a,b";
    config.VCapMode.MediaSubType = Yuy2();
    config.VCapMode.Width = 640;
    config.VCapMode.Height = 480;
    config.VCapMode.Bits = 16;
    config.ACapMode.SampleRate = -1;
    config.VCompState = QByteArray("\x00\x7f\xff\x10", 4);
    config.PreallocFileSize = 4000000000u;
    config.WantBitmaps = config.UseTempFile = true;
    config.DoPreallocFile = false;
    QString text = config.AsCommaText();
    // Only false flags give an item.
    EXPECT_TRUE(text.startsWith("WantCapture=0,WantPreview=0,WantDVAudio=0,WantAudio=0,"
                                "WantAudioPreview=0,DoPreallocFile=0,PreallocFileSize="))
        << text.toStdString();
    EXPECT_TRUE(text.contains(",\"VCapSource=USB Camera\",")) << text.toStdString();
    EXPECT_TRUE(text.contains(",\"VComp=My \"\"fast\"\" codec\"")) << text.toStdString();
    EXPECT_TRUE(text.contains(",\"AComp=a,b\",")) << text.toStdString();
    EXPECT_TRUE(text.contains(",VCapModeMediaSubType=5955593200001000800000AA00389B71,"
                              "VCapModeWidth=640,VCapModeHeight=480,VCapModeBits=16,"));
    EXPECT_TRUE(text.contains(",ACapModeSampleRate=-1,"));
    EXPECT_TRUE(text.contains("PreallocFileSize=4000000000,"));
    EXPECT_TRUE(text.endsWith(",VCompState=007FFF10"));
}

TEST(GraphConfigText, FailedWritesSaySo) {
    EXPECT_FALSE(TGraphConfig(0).SaveToStream(nullptr));
    QBuffer closed;
    EXPECT_FALSE(TGraphConfig(0).SaveToStream(&closed));

    TestSupport::TempProgramFolder folder;
    QString missingFolder = folder.file("nope/CAM2.DAT");
    QString error;
    EXPECT_FALSE(SaveCameraConfigFile(missingFolder, TGraphConfig(0), &error));
    EXPECT_FALSE(error.isEmpty());

    QString path = folder.file("CAM2.DAT");
    ASSERT_TRUE(TestSupport::WriteAll(path, "old"));
    TGraphConfig named(0);
    named.VCapSource = "Cam";
    ASSERT_TRUE(SaveCameraConfigFile(path, named));
    EXPECT_TRUE(TestSupport::ReadAll(path).contains("VCapSource=Cam,"));
    EXPECT_FALSE(TestSupport::ReadAll(path).contains("old"));
}

TEST(GraphConfigBuilder, CameraOneProfile) {
    TGraphConfig config(7);
    config.VCapSource = "Cam B";
    config.ACapSource = "Mic";
    config.VComp = "Motion JPEG";
    config.AComp = "Nothing like it";
    config.WantCapture = config.WantAudio = config.UseTempFile = true;
    config.WantBitmaps = true;
    config.DoPreallocFile = false;
    config.PreallocFileSize = 99;
    config.DVResolution = dvrQuater;
    config.PixelFormat = 42;
    config.VCapMode.Width = 640;
    config.VCompState = "blob";
    EXPECT_TRUE(BuildCameraConfig(1, config, Lists()));

    EXPECT_EQ(config.Number, 7);
    EXPECT_EQ(config.CaptureFileName, "buffer1.kmx");
    EXPECT_EQ(config.VCapSource, "Cam B");
    EXPECT_EQ(config.ACapSource, "Mic");
    EXPECT_EQ(config.VComp, "Motion JPEG");
    EXPECT_EQ(config.AComp, "");
    EXPECT_TRUE(config.WantPreview);
    EXPECT_FALSE(config.WantCapture);
    EXPECT_TRUE(config.WantBitmaps);
    EXPECT_TRUE(config.WantDVAudio);
    EXPECT_TRUE(config.DoPreallocFile);
    EXPECT_FALSE(config.UseTempFile);
    EXPECT_FALSE(config.WantAudio);
    EXPECT_FALSE(config.WantAudioPreview);
    EXPECT_EQ(config.PreallocFileSize, 10u);
    EXPECT_EQ(config.DVResolution, dvrQuater);
    EXPECT_EQ(config.PixelFormat, 6); // out of range: the default stays
    EXPECT_EQ(config.VCapMode.Width, 0);
    EXPECT_TRUE(config.VCompState.isEmpty());
}

TEST(GraphConfigBuilder, CameraTwoKeepsFlagsAndUnknownSourceGivesMinusOne) {
    TGraphConfig config(2);
    config.VCapSource = "cam b"; // names match exactly, case included
    config.WantCapture = config.WantAudio = config.UseTempFile = true;
    config.WantPreview = false;
    config.DoPreallocFile = false;
    config.DVResolution = TDVResolution(7);
    EXPECT_TRUE(BuildCameraConfig(2, config, Lists()));
    EXPECT_EQ(config.VCapSource, "");
    EXPECT_EQ(config.CaptureFileName, "buffer-1.kmx");
    EXPECT_FALSE(config.WantPreview);
    EXPECT_TRUE(config.WantCapture);
    EXPECT_TRUE(config.WantAudio);
    EXPECT_TRUE(config.UseTempFile);
    EXPECT_FALSE(config.DoPreallocFile);
    EXPECT_FALSE(config.WantDVAudio);
    EXPECT_EQ(config.DVResolution, dvrFull);
}

TEST(GraphConfigBuilder, VideoSourceListing) {
    TGraphConfig config(0);
    QStringList names;
    EXPECT_FALSE(ListVideoSources(config, Lists().VideoInputs, names));
    EXPECT_EQ(names, Lists().VideoInputs);

    names.clear();
    config.VCapSource = "Cam B";
    ListVideoSources(config, Lists().VideoInputs, names);
    EXPECT_EQ(names, QStringList{"USB Camera"});

    names.clear();
    ListVideoSources(TGraphConfig(0), {}, names);
    EXPECT_TRUE(names.isEmpty());
}

namespace {

class GraphConfigDevices : public ::testing::Test {
protected:
    void TearDown() override {
        platform::RemoveTestCameras();
        ClearDeviceLists();
    }
    static platform::TestCameraSpec Camera(const QString& name) {
        platform::TestCameraSpec cameraSpec;
        cameraSpec.Name = name;
        return cameraSpec;
    }
};

} // namespace

TEST_F(GraphConfigDevices, CaptureDeviceNamesOverTestCameras) {
    EXPECT_TRUE(GetCaptureDeviceNames().isEmpty());

    platform::InstallTestCameras({Camera("USB Camera"), Camera("Cam B"), Camera("Cam B")});
    EXPECT_EQ(GetCaptureDeviceNames(), QStringList({"USB Camera", "Cam B", "Cam B (2)"}));

    // The camera profiles pick the named device from the live list.
    TGraphConfig config(0);
    config.VCapSource = "Cam B (2)";
    BuildCamera1Config(config);
    EXPECT_EQ(config.VCapSource, "Cam B (2)");
    EXPECT_EQ(config.CaptureFileName, "buffer2.kmx");

    platform::SetTestCameraPlugged(2, false);
    config.VCapSource = "Cam B (2)";
    BuildCamera2Config(config);
    EXPECT_EQ(config.VCapSource, "");
    EXPECT_EQ(GetCaptureDeviceNames(), QStringList({"USB Camera", "Cam B"}));
}
