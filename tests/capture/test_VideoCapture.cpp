// The capture control on test-pattern cameras: real pipelines, frames, AVI recording,
// abort and device loss. Waits are for conditions, with generous limits.
#include "capture/CaptureConfirm.h"
#include "capture/CaptureFlags.h"
#include "capture/VideoCapture.h"
#include "platform/MediaTestCameras.h"
#include "support/TestSupport.h"

#include <gst/pbutils/pbutils.h>
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QUrl>

#include <cmath>
#include <csignal>
#include <sys/resource.h>

using platform::TestCameraSpec;
using TestSupport::WaitFor;

namespace {

constexpr int kWait = 20000;

struct AviFacts {
    bool Readable = false;
    int Width = 0, Height = 0;
    double Seconds = 0;
};

AviFacts Discover(const QString& path) {
    AviFacts facts;
    GError* error = nullptr;
    GstDiscoverer* discoverer = gst_discoverer_new(10 * GST_SECOND, &error);
    if (!discoverer) {
        g_clear_error(&error);
        return facts;
    }
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
    GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer, uri.constData(), &error);
    g_clear_error(&error);
    if (info && gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK) {
        facts.Readable = true;
        facts.Seconds = double(gst_discoverer_info_get_duration(info)) / GST_SECOND;
        GList* videos = gst_discoverer_info_get_video_streams(info);
        if (videos) {
            auto* v = GST_DISCOVERER_VIDEO_INFO(videos->data);
            facts.Width = int(gst_discoverer_video_info_get_width(v));
            facts.Height = int(gst_discoverer_video_info_get_height(v));
        }
        gst_discoverer_stream_info_list_free(videos);
    }
    if (info) gst_discoverer_info_unref(info);
    g_object_unref(discoverer);
    return facts;
}

TestCameraSpec Camera(const QString& name, const QString& format = "YUY2",
                      const QString& pattern = "ball") {
    TestCameraSpec cameraSpec;
    cameraSpec.Name = name;
    cameraSpec.Format = format;
    cameraSpec.Pattern = pattern;
    return cameraSpec;
}

class VideoCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        CaptureErrorFlag = 0;
        SetCaptureConfirmHandler([this](const QString& text) {
            questions << text;
            return answerYes;
        });
    }
    void TearDown() override {
        control.reset();
        SetCaptureConfirmHandler({});
        platform::RemoveTestCameras();
        ClearDeviceLists();
    }

    // A control on the named camera, wired the way the camera view wires it: every rendered
    // frame asks for the next one.
    void Connect(const QList<TestCameraSpec>& cameras, const QString& name) {
        platform::InstallTestCameras(cameras);
        EnumerateVideoInputs();
        control = std::make_unique<TVideoCapture>(platform::ProgramFolder(folder.path()));
        control->WantAudio = false;
        control->VideoSourceMoniker = FindDeviceMonikerByName(VideoInputDevices, name);
        QObject::connect(control.get(), &TVideoCapture::OnFrameRendered, control.get(),
                         [this] { control->RequestBitmap(); });
        QObject::connect(control.get(), &TVideoCapture::OnBitmapGrabbed, control.get(),
                         [this](const TCapturedBitmap& bitmap) {
                             last = bitmap;
                             ++frames;
                         });
        QObject::connect(control.get(), &TVideoCapture::OnDeviceLost, control.get(),
                         [this] { ++deviceLost; });
        QObject::connect(control.get(), &TVideoCapture::OnStopCapture, control.get(),
                         [this] { ++stopCaptures; });
        ASSERT_TRUE(control->BuildCaptureFilters());
    }

    void StartPreviewAndRequest() {
        ASSERT_TRUE(control->StartPreview());
        ASSERT_TRUE(control->RequestBitmap());
    }

    bool FramesArrive(int more = 3) {
        const int target = frames + more;
        return WaitFor([&] { return frames >= target; }, kWait);
    }

    void RecordFor(int ms) {
        const int before = frames;
        QElapsedTimer clock;
        clock.start();
        WaitFor([&] { return clock.elapsed() >= ms; }, ms + 1000);
        framesWhileRecording = frames - before;
    }

    TestSupport::TempProgramFolder folder;
    std::unique_ptr<TVideoCapture> control;
    TCapturedBitmap last;
    int frames = 0;
    int framesWhileRecording = 0;
    int deviceLost = 0;
    int stopCaptures = 0;
    bool answerYes = true;
    QStringList questions;
};

} // namespace

TEST_F(VideoCaptureTest, PreviewDeliversFramesOfTheModeWithThePatternColours) {
    Connect({Camera("Bars", "YUY2", "smpte")}, "Bars");
    StartPreviewAndRequest();
    EXPECT_TRUE(control->Previewing());
    ASSERT_TRUE(FramesArrive());
    ASSERT_EQ(last.format(), QImage::Format_RGB888);
    EXPECT_EQ(last.size(), QSize(320, 240)); // the first capability
    // The colour bars: yellow, cyan, red and blue in the top part.
    const int y = 40;
    auto bar = [&](int n) { return QColor(last.pixel(int((n + 0.5) * 320 / 7), y)); };
    const QColor yellow = bar(1), cyan = bar(2), red = bar(5), blue = bar(6);
    EXPECT_TRUE(yellow.red() > 150 && yellow.green() > 150 && yellow.blue() < 60)
        << yellow.name().toStdString();
    EXPECT_TRUE(cyan.red() < 60 && cyan.green() > 150 && cyan.blue() > 150)
        << cyan.name().toStdString();
    EXPECT_TRUE(red.red() > 150 && red.green() < 60 && red.blue() < 60) << red.name().toStdString();
    EXPECT_TRUE(blue.red() < 60 && blue.green() < 60 && blue.blue() > 150)
        << blue.name().toStdString();
    EXPECT_EQ(CaptureErrorFlag, 0);
}

TEST_F(VideoCaptureTest, ModeSwitchThenPreviewGivesTheNewSizeAndStopEndsDelivery) {
    Connect({Camera("Cam")}, "Cam");
    int modeChanges = 0;
    QObject::connect(control.get(), &TVideoCapture::OnChangeVCapMode, [&] { ++modeChanges; });
    StartPreviewAndRequest();
    ASSERT_TRUE(FramesArrive());
    EXPECT_EQ(last.size(), QSize(320, 240));

    ASSERT_TRUE(control->SetVideoMode(1)); // tears the graph down; no restart by itself
    EXPECT_EQ(modeChanges, 1);
    EXPECT_FALSE(control->Previewing());
    EXPECT_FALSE(control->RequestBitmap());
    StartPreviewAndRequest();
    ASSERT_TRUE(FramesArrive());
    EXPECT_EQ(last.size(), QSize(640, 480));
    TVideoMode current;
    control->GetCurrentVideoMode(current);
    EXPECT_EQ(DescribeVideoMode(current), "640x480x16b (YUY2)");

    ASSERT_TRUE(control->StopPreview());
    EXPECT_FALSE(control->StopPreview());
    EXPECT_FALSE(control->RequestBitmap());
    const int stoppedAt = frames;
    QElapsedTimer clock;
    clock.start();
    WaitFor([&] { return clock.elapsed() > 500; }, 2000);
    EXPECT_EQ(frames, stoppedAt);
}

TEST_F(VideoCaptureTest, AModeOfSevenAndAHalfFramesASecondPreviews) {
    TestCameraSpec slow = Camera("Slow");
    slow.FramesPerSecond = 7.5; // offered as 15/2, as high-resolution modes often are
    Connect({slow}, "Slow");
    StartPreviewAndRequest();
    ASSERT_TRUE(FramesArrive());
    EXPECT_EQ(last.size(), QSize(320, 240));
    EXPECT_EQ(CaptureErrorFlag, 0);
}

TEST_F(VideoCaptureTest, UnknownDeviceSetsTheFlagAndNeverPreviews) {
    Connect({Camera("Cam")}, "No such camera");
    EXPECT_EQ(CaptureErrorFlag, 1);
    EXPECT_FALSE(control->StartPreview());
    EXPECT_FALSE(control->Previewing());
    EXPECT_EQ(control->VideoSourceIndex(), -1);
    EXPECT_EQ(control->VideoModeCount(), 0);
}

TEST_F(VideoCaptureTest, RecordsAviFromRawAndJpegCamerasWhileFramesArrive) {
    for (const QString& format : {QString("YUY2"), QString("JPEG")}) {
        SCOPED_TRACE(format.toStdString());
        Connect({Camera("Cam", format)}, "Cam");
        control->WantCapture = true;
        control->CaptureFileName = "clip-" + format + ".avi"; // relative: the program folder
        ASSERT_TRUE(control->SetVideoMode(1));
        StartPreviewAndRequest();
        ASSERT_TRUE(FramesArrive());

        ASSERT_TRUE(control->StartCapture(true));
        EXPECT_EQ(questions.takeLast(), "Starting capture!");
        EXPECT_TRUE(control->Capturing());
        EXPECT_FALSE(control->Previewing());
        EXPECT_TRUE(control->StartPreview()); // changes nothing while recording
        EXPECT_TRUE(control->Capturing());
        RecordFor(2000);
        EXPECT_GT(framesWhileRecording, 0);
        ASSERT_TRUE(control->StopCapture());
        EXPECT_TRUE(control->Previewing());
        EXPECT_EQ(stopCaptures, 1);
        EXPECT_TRUE(FramesArrive()); // the preview never stopped

        const QString file = folder.file("clip-" + format + ".avi");
        EXPECT_EQ(control->CaptureFileInUse(), file);
        const AviFacts avi = Discover(file);
        EXPECT_TRUE(avi.Readable);
        EXPECT_EQ(avi.Width, 640);
        EXPECT_EQ(avi.Height, 480);
        EXPECT_GT(avi.Seconds, 1.0);
        EXPECT_LT(avi.Seconds, 4.0);

        // Running the graph again leaves the recording alone.
        const qint64 size = QFileInfo(file).size();
        control->TearDownGraph();
        StartPreviewAndRequest();
        ASSERT_TRUE(FramesArrive());
        EXPECT_EQ(QFileInfo(file).size(), size);
        EXPECT_EQ(CaptureErrorFlag, 0);
        control.reset();
        stopCaptures = 0;
    }
}

TEST_F(VideoCaptureTest, TimeLimitStopsTheCaptureAndResumesPreview) {
    Connect({Camera("Cam")}, "Cam");
    control->WantCapture = true;
    control->CaptureFileName = folder.file("limit.avi");
    control->UseTimeLimit = true;
    control->TimeLimit = 1;
    int progress = 0;
    QObject::connect(control.get(), &TVideoCapture::OnCaptureProgress, [&] { ++progress; });
    StartPreviewAndRequest();
    ASSERT_TRUE(control->StartCapture(false));
    EXPECT_TRUE(questions.isEmpty());
    ASSERT_TRUE(WaitFor([&] { return !control->Capturing(); }, kWait));
    EXPECT_EQ(stopCaptures, 1);
    EXPECT_TRUE(control->Previewing());
    EXPECT_GE(progress, 1);
    EXPECT_TRUE(FramesArrive());
    const AviFacts avi = Discover(folder.file("limit.avi"));
    EXPECT_TRUE(avi.Readable);
    EXPECT_GT(avi.Seconds, 0.5);
}

TEST_F(VideoCaptureTest, CancelAtTheQuestionKeepsPreviewing) {
    Connect({Camera("Cam")}, "Cam");
    control->WantCapture = true;
    control->CaptureFileName = folder.file("cancelled.avi");
    TestSupport::WriteAll(folder.file("cancelled.avi"), "old");
    StartPreviewAndRequest();
    answerYes = false;
    EXPECT_FALSE(control->StartCapture(true));
    EXPECT_EQ(questions, QStringList{"Starting capture!"});
    EXPECT_FALSE(control->Capturing());
    EXPECT_TRUE(control->Previewing());
    EXPECT_TRUE(FramesArrive());
    EXPECT_FALSE(control->StopCapture());
    EXPECT_EQ(stopCaptures, 0);
}

TEST_F(VideoCaptureTest, WhatHappensWhileTheQuestionIsOpenIsRespected) {
    Connect({Camera("Cam")}, "Cam");
    control->WantCapture = true;
    control->CaptureFileName = folder.file("asked.avi");
    StartPreviewAndRequest();

    // The question's event loop restarts the preview: the recording is still the only
    // state, so stopping "the preview" cannot cut it short.
    SetCaptureConfirmHandler([this](const QString&) { return control->StartPreview(); });
    ASSERT_TRUE(control->StartCapture(true));
    EXPECT_TRUE(control->Capturing());
    EXPECT_FALSE(control->Previewing());
    EXPECT_FALSE(control->StopPreview());
    RecordFor(500);
    ASSERT_TRUE(control->StopCapture());
    EXPECT_TRUE(Discover(folder.file("asked.avi")).Readable);

    // The camera is switched away before the answer: nothing is recorded, nothing breaks.
    SetCaptureConfirmHandler([this](const QString&) {
        control->ReleaseFilters();
        return true;
    });
    EXPECT_FALSE(control->StartCapture(true));
    EXPECT_FALSE(control->Capturing());
    EXPECT_EQ(CaptureErrorFlag, 1);
}

TEST_F(VideoCaptureTest, CaptureRefusedWithoutFileOrSpace) {
    Connect({Camera("Cam")}, "Cam");
    EXPECT_FALSE(control->StartCapture(false)); // WantCapture is off
    control->WantCapture = true;
    EXPECT_FALSE(control->StartCapture(false)); // no file name
    EXPECT_EQ(CaptureErrorFlag, 1);
    CaptureErrorFlag = 0;

    control->CaptureFileName = folder.file("huge.avi");
    control->DoPreallocFile = true;
    control->PreallocFileSize = 0xFFFFFFFFu; // far beyond any disk, computed without wrapping
    control->WantCapture = true;
    StartPreviewAndRequest();
    EXPECT_FALSE(control->StartCapture(false));
    EXPECT_EQ(CaptureErrorFlag, 1);
    EXPECT_FALSE(control->Capturing());
    EXPECT_FALSE(QFileInfo::exists(folder.file("huge.avi")));
    EXPECT_TRUE(FramesArrive());
}

TEST_F(VideoCaptureTest, TempFileIsCopiedToTheCaptureFile) {
    Connect({Camera("Cam")}, "Cam");
    control->WantCapture = true;
    control->UseTempFile = true;
    control->SetTempCaptureFileName("captemp.kmx");
    control->CaptureFileName = "buffer1.kmx";
    StartPreviewAndRequest();
    ASSERT_TRUE(control->StartCapture(false));
    RecordFor(500);
    ASSERT_TRUE(control->StopCapture());
    EXPECT_FALSE(QFileInfo::exists(folder.file("captemp.kmx")));
    EXPECT_TRUE(Discover(folder.file("buffer1.kmx")).Readable);
}

TEST_F(VideoCaptureTest, UnpluggingRaisesDeviceLostOnceAndStopsThePreview) {
    Connect({Camera("Cam")}, "Cam");
    control->WantCapture = true;
    control->CaptureFileName = folder.file("unplugged.avi");
    StartPreviewAndRequest();
    ASSERT_TRUE(FramesArrive());
    ASSERT_TRUE(control->StartCapture(false));
    RecordFor(500);

    platform::SetTestCameraPlugged(0, false);
    ASSERT_TRUE(WaitFor([&] { return deviceLost > 0; }, kWait));
    // Let any further messages arrive before counting.
    QElapsedTimer clock;
    clock.start();
    WaitFor([&] { return clock.elapsed() > 500; }, 2000);
    EXPECT_EQ(deviceLost, 1);
    EXPECT_FALSE(control->Previewing());
    EXPECT_FALSE(control->Capturing());
    EXPECT_EQ(stopCaptures, 1);
    EXPECT_TRUE(Discover(folder.file("unplugged.avi")).Readable); // finished, not cut off

    platform::SetTestCameraPlugged(0, true);
    StartPreviewAndRequest();
    EXPECT_TRUE(FramesArrive());
}

TEST_F(VideoCaptureTest, DestroyingWhileRecordingFinishesTheFile) {
    Connect({Camera("Cam")}, "Cam");
    control->WantCapture = true;
    control->CaptureFileName = folder.file("exit.avi");
    StartPreviewAndRequest();
    ASSERT_TRUE(control->StartCapture(false));
    RecordFor(1000);
    // Frames and messages still queued when the control goes must not reach it.
    control.reset();
    QCoreApplication::processEvents();
    const AviFacts avi = Discover(folder.file("exit.avi"));
    EXPECT_TRUE(avi.Readable);
    EXPECT_GT(avi.Seconds, 0.3);
}

TEST_F(VideoCaptureTest, NamesFollowTheDeviceAcrossRefreshes) {
    Connect({Camera("Left"), Camera("Right")}, "Right");
    EXPECT_EQ(control->VideoSourceIndex(), 1);
    EnumerateAllDevices(); // as every connect does
    EXPECT_EQ(control->VideoSourceIndex(), 1);
    EXPECT_EQ(control->VideoSourceName(), "Right");
    control->VideoCompressorMoniker =
        FindDeviceMonikerByName(VideoCompressorDevices, "JPEG image encoder");
    ClearDeviceLists();
    EXPECT_EQ(control->VideoCompressorName(), "JPEG image encoder");
}

TEST(VideoCaptureProperties, FrameRateKeepsItsRange) {
    TVideoCapture control{platform::ProgramFolder("/tmp")};
    EXPECT_EQ(control.FrameRate(), 0.0);
    control.SetFrameRate(60);
    EXPECT_EQ(control.FrameRate(), 25.0);
    control.SetFrameRate(50);
    EXPECT_EQ(control.FrameRate(), 50.0);
    control.SetFrameRate(1);
    EXPECT_EQ(control.FrameRate(), 1.0);
    control.SetFrameRate(std::nan(""));
    EXPECT_EQ(control.FrameRate(), 25.0);
    EXPECT_EQ(control.ResolveFileName("a.avi"), "/tmp/a.avi");
    EXPECT_EQ(control.ResolveFileName("/x/a.avi"), "/x/a.avi");
    EXPECT_FALSE(control.StartPreview()); // nothing built
    EXPECT_FALSE(control.RequestBitmap());
}

TEST_F(VideoCaptureTest, RecordsWithoutPreviewAndStopsThePipelineAfter) {
    Connect({Camera("Cam")}, "Cam");
    control->WantPreview = false;
    control->WantCapture = true;
    control->CaptureFileName = folder.file("nopreview.avi");
    ASSERT_TRUE(control->StartCapture(false));
    EXPECT_FALSE(control->RequestBitmap()); // no grabber without the preview branch
    RecordFor(1000);
    ASSERT_TRUE(control->StopCapture());
    EXPECT_FALSE(control->Previewing());
    EXPECT_EQ(frames, 0);
    const AviFacts avi = Discover(folder.file("nopreview.avi"));
    EXPECT_TRUE(avi.Readable);
    EXPECT_EQ(avi.Width, 320);
}

TEST_F(VideoCaptureTest, WantAudioWithoutASoundSourceCannotBuild) {
    Connect({Camera("Cam")}, "Cam");
    control->WantAudio = true; // no sound source chosen
    EXPECT_FALSE(control->StartPreview());
    EXPECT_FALSE(control->Previewing());
}


TEST_F(VideoCaptureTest, AFileThatCannotGrowEndsTheRecordingWithoutFreezing) {
    Connect({Camera("Cam")}, "Cam");
    control->WantCapture = true;
    control->CaptureFileName = folder.file("full.avi");
    int aborted = 0;
    QObject::connect(control.get(), &TVideoCapture::OnAborted, [&] { ++aborted; });
    StartPreviewAndRequest();
    ASSERT_TRUE(FramesArrive());

    // The disk fills up two frames into the recording.
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit limit = oldLimit;
    limit.rlim_cur = 300000;
    setrlimit(RLIMIT_FSIZE, &limit);
    ASSERT_TRUE(control->StartCapture(false));
    QElapsedTimer clock;
    clock.start();
    qint64 longestBlock = 0, last = 0;
    while (!aborted && clock.elapsed() < kWait) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        longestBlock = std::max(longestBlock, clock.elapsed() - last);
        last = clock.elapsed();
    }
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldSignal);

    EXPECT_EQ(aborted, 1);
    // The writer's end never comes; the GUI thread must not sit out the whole wait for it.
    EXPECT_LT(longestBlock, 2500);
    EXPECT_FALSE(control->Capturing());
    EXPECT_TRUE(control->Previewing());
    EXPECT_EQ(CaptureErrorFlag, 1);
    EXPECT_TRUE(FramesArrive());
}
