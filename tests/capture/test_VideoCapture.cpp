// The capture control on test-pattern cameras: real pipelines, frames, AVI recording,
// abort and device loss.
#include "CaptureTestKit.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

using namespace capture_test;
using TestSupport::WaitFor;

TEST_F(VideoCaptureTest, PreviewShowsThePatternAtTheModeSizeAndStopEndsDelivery) {
    platform::TestCameraSpec slow = Camera("Bars", "YUY2", "smpte");
    slow.FramesPerSecond = 7.5; // offered as 15/2, as high-resolution modes often are
    Connect({slow}, "Bars");
    int modeChanges = 0;
    QObject::connect(control.get(), &VideoCapture::OnChangeVCapMode, [&] { ++modeChanges; });
    StartPreviewAndRequest();
    EXPECT_TRUE(control->Previewing());
    ASSERT_TRUE(FramesArrive());
    ASSERT_EQ(last.format(), QImage::Format_RGB888);
    EXPECT_EQ(last.size(), QSize(320, 240)); // the first capability
    // Colour bars 1, 2, 5 and 6 of seven: yellow, cyan, red, blue.
    const QList<std::pair<int, QRgb>> bars{
        {1, qRgb(255, 255, 0)}, {2, qRgb(0, 255, 255)}, {5, qRgb(255, 0, 0)}, {6, qRgb(0, 0, 255)}};
    for (const auto& [bar, colour] : bars) {
        const QRgb p = last.pixel(int((bar + 0.5) * 320 / 7), 40);
        EXPECT_TRUE(NearColour(p, colour, 100)) << bar << ": " << QColor(p).name().toStdString();
    }

    ASSERT_TRUE(control->SetVideoMode(1)); // tears the graph down; no restart by itself
    EXPECT_EQ(modeChanges, 1);
    EXPECT_FALSE(control->Previewing());
    EXPECT_FALSE(control->RequestBitmap());
    StartPreviewAndRequest();
    ASSERT_TRUE(WaitFor([&] { return last.size() == QSize(640, 480); }, kWait));
    VideoMode current;
    control->GetCurrentVideoMode(current);
    EXPECT_EQ(DescribeVideoMode(current), "640x480x16b (YUY2)");

    ASSERT_TRUE(control->StopPreview());
    EXPECT_FALSE(control->StopPreview());
    EXPECT_FALSE(control->RequestBitmap());
    const int stoppedAt = frames;
    DeliverPosted();
    EXPECT_EQ(frames, stoppedAt);
    EXPECT_EQ(CaptureErrorFlag, 0);
}

TEST_F(VideoCaptureTest, WhatCannotBuildNeverPreviews) {
    Connect({Camera("Cam")}, "No such camera");
    EXPECT_EQ(CaptureErrorFlag, 1);
    EXPECT_FALSE(control->StartPreview());
    EXPECT_FALSE(control->Previewing());

    Connect({Camera("Cam")}, "Cam");
    control->WantAudio = true; // but no sound source chosen
    EXPECT_FALSE(control->StartPreview());
    EXPECT_FALSE(control->Previewing());

    VideoCapture bare{platform::ProgramFolder("/tmp")};
    EXPECT_FALSE(bare.StartPreview()); // nothing built
    EXPECT_FALSE(bare.RequestBitmap());
}

TEST_F(VideoCaptureTest, RecordsAviFromRawAndJpegCamerasWhileFramesArrive) {
    for (const QString format : {"YUY2", "JPEG"}) {
        SCOPED_TRACE(format.toStdString());
        stopCaptures = 0;
        Connect({Camera("Cam", format)}, "Cam");
        WantFile("clip-" + format + ".avi"); // relative: the program folder
        ASSERT_TRUE(control->SetVideoMode(1));
        StartPreviewAndRequest();
        ASSERT_TRUE(FramesArrive());

        ASSERT_TRUE(control->StartCapture(true));
        EXPECT_EQ(questions.takeLast(), "Starting capture!");
        EXPECT_TRUE(control->Capturing());
        EXPECT_FALSE(control->Previewing());
        EXPECT_TRUE(control->StartPreview()); // changes nothing while recording
        EXPECT_TRUE(control->Capturing());
        QElapsedTimer recording;
        recording.start();
        ASSERT_TRUE(RecordFrames(45)); // 1.5 s of frames
        ASSERT_TRUE(control->StopCapture());
        const double recordedSeconds = recording.elapsed() / 1000.0;
        EXPECT_TRUE(control->Previewing());
        EXPECT_EQ(stopCaptures, 1);
        EXPECT_TRUE(FramesArrive()); // the preview never stopped

        const QString file = folder.file("clip-" + format + ".avi");
        EXPECT_EQ(control->CaptureFileInUse(), file);
        const AviFacts avi = Discover(file);
        EXPECT_TRUE(avi.Readable);
        EXPECT_EQ(QSize(avi.Width, avi.Height), QSize(640, 480));
        EXPECT_GT(avi.Seconds, 1.0);
        EXPECT_LT(avi.Seconds, recordedSeconds + 1.0);

        // Running the graph again leaves the recording alone.
        const qint64 size = QFileInfo(file).size();
        control->TearDownGraph();
        StartPreviewAndRequest();
        ASSERT_TRUE(FramesArrive());
        EXPECT_EQ(QFileInfo(file).size(), size);
        EXPECT_EQ(CaptureErrorFlag, 0);
    }
}

TEST_F(VideoCaptureTest, TimeLimitStopsTheCaptureCopiesTheTempFileAndResumesPreview) {
    Connect({Camera("Cam")}, "Cam");
    WantFile("buffer1.kmx");
    control->UseTempFile = true;
    control->SetTempCaptureFileName("captemp.kmx");
    control->UseTimeLimit = true;
    control->TimeLimit = 1;
    int progress = 0;
    QObject::connect(control.get(), &VideoCapture::OnCaptureProgress, [&] { ++progress; });
    StartPreviewAndRequest();
    ASSERT_TRUE(control->StartCapture(false));
    EXPECT_TRUE(questions.isEmpty());
    ASSERT_TRUE(WaitFor([&] { return !control->Capturing(); }, kWait));
    EXPECT_EQ(stopCaptures, 1);
    EXPECT_TRUE(control->Previewing());
    EXPECT_GE(progress, 1);
    EXPECT_TRUE(FramesArrive());
    EXPECT_FALSE(QFileInfo::exists(folder.file("captemp.kmx")));
    const AviFacts avi = Discover(folder.file("buffer1.kmx"));
    EXPECT_TRUE(avi.Readable);
    EXPECT_GT(avi.Seconds, 0.5);
}

TEST_F(VideoCaptureTest, RefusalsAndTheQuestionLeaveTheCameraSound) {
    Connect({Camera("Cam")}, "Cam");
    EXPECT_FALSE(control->StartCapture(false)); // WantCapture is off
    WantFile("");
    EXPECT_FALSE(control->StartCapture(false)); // no file name
    EXPECT_EQ(CaptureErrorFlag, 1);
    CaptureErrorFlag = 0;

    // Far beyond any disk, computed without wrapping.
    WantFile(folder.file("huge.avi"));
    control->DoPreallocFile = true;
    control->PreallocFileSize = 0xFFFFFFFFu;
    StartPreviewAndRequest();
    EXPECT_FALSE(control->StartCapture(false));
    EXPECT_EQ(CaptureErrorFlag, 1);
    EXPECT_FALSE(control->Capturing());
    EXPECT_FALSE(QFileInfo::exists(folder.file("huge.avi")));
    EXPECT_TRUE(FramesArrive());
    control->DoPreallocFile = false;
    CaptureErrorFlag = 0;

    // Cancel keeps previewing.
    WantFile(folder.file("asked.avi"));
    answerYes = false;
    EXPECT_FALSE(control->StartCapture(true));
    EXPECT_EQ(questions, QStringList{"Starting capture!"});
    EXPECT_FALSE(control->Capturing());
    EXPECT_TRUE(control->Previewing());
    EXPECT_TRUE(FramesArrive());
    EXPECT_FALSE(control->StopCapture());
    EXPECT_EQ(stopCaptures, 0);

    // The question's event loop restarts the preview: the recording is still the only
    // state, so stopping "the preview" cannot cut it short.
    SetCaptureConfirmHandler([this](const QString&) { return control->StartPreview(); });
    ASSERT_TRUE(control->StartCapture(true));
    EXPECT_TRUE(control->Capturing());
    EXPECT_FALSE(control->Previewing());
    EXPECT_FALSE(control->StopPreview());
    ASSERT_TRUE(RecordFrames(15));
    ASSERT_TRUE(control->StopCapture());
    EXPECT_TRUE(Discover(folder.file("asked.avi")).Readable);
    EXPECT_EQ(CaptureErrorFlag, 0);

    // The camera is switched away before the answer: nothing is recorded, nothing breaks.
    SetCaptureConfirmHandler([this](const QString&) {
        control->ReleaseFilters();
        return true;
    });
    EXPECT_FALSE(control->StartCapture(true));
    EXPECT_FALSE(control->Capturing());
    EXPECT_EQ(CaptureErrorFlag, 1);
}

TEST_F(VideoCaptureTest, UnpluggingRaisesDeviceLostOnceAndFinishesTheRecording) {
    Connect({Camera("Cam")}, "Cam");
    WantFile(folder.file("unplugged.avi"));
    StartPreviewAndRequest();
    ASSERT_TRUE(FramesArrive());
    ASSERT_TRUE(control->StartCapture(false));
    ASSERT_TRUE(RecordFrames(15));

    platform::SetTestCameraPlugged(0, false);
    ASSERT_TRUE(WaitFor([&] { return deviceLost > 0 && !control->Capturing(); }, kWait));
    DeliverPosted(); // any further message of the lost graph arrives before counting
    EXPECT_EQ(deviceLost, 1);
    EXPECT_FALSE(control->Previewing());
    EXPECT_FALSE(control->Capturing());
    EXPECT_EQ(stopCaptures, 1);
    EXPECT_TRUE(Discover(folder.file("unplugged.avi")).Readable); // finished, not cut off

    platform::SetTestCameraPlugged(0, true);
    StartPreviewAndRequest();
    EXPECT_TRUE(FramesArrive());
}

TEST_F(VideoCaptureTest, RecordingWithoutPreviewAndOnDestructionFinishesTheFile) {
    Connect({Camera("Cam")}, "Cam");
    control->WantPreview = false;
    WantFile(folder.file("nopreview.avi"));
    ASSERT_TRUE(control->StartCapture(false));
    EXPECT_FALSE(control->RequestBitmap()); // no grabber without the preview branch
    // No frames to count: the file's growth shows the recording runs (320x240 raw frames).
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(folder.file("nopreview.avi")).size() > 1500000; }, kWait));
    ASSERT_TRUE(control->StopCapture());
    EXPECT_FALSE(control->Previewing());
    EXPECT_EQ(frames, 0);
    const AviFacts avi = Discover(folder.file("nopreview.avi"));
    EXPECT_TRUE(avi.Readable);
    EXPECT_EQ(avi.Width, 320);

    // Frames and messages still queued when the control goes must not reach it.
    Connect({Camera("Cam")}, "Cam");
    WantFile(folder.file("exit.avi"));
    StartPreviewAndRequest();
    ASSERT_TRUE(control->StartCapture(false));
    ASSERT_TRUE(RecordFrames(20));
    control.reset();
    QCoreApplication::processEvents();
    EXPECT_GT(Discover(folder.file("exit.avi")).Seconds, 0.3);
}

TEST_F(VideoCaptureTest, AFileThatCannotGrowEndsTheRecordingWithOneAbort) {
    Connect({Camera("Cam")}, "Cam");
    WantFile(folder.file("full.avi"));
    StartPreviewAndRequest();
    ASSERT_TRUE(FramesArrive());
    {
        FullDisk disk(300000); // two frames into the recording
        ASSERT_TRUE(control->StartCapture(false));
        ASSERT_TRUE(WaitFor([&] { return aborted > 0 && !control->Capturing(); }, kWait));
    }
    // A second abort for the same failure would arrive while the preview goes on.
    EXPECT_TRUE(FramesArrive(15));
    EXPECT_EQ(aborted, 1);
    EXPECT_TRUE(control->Previewing());
    EXPECT_EQ(CaptureErrorFlag, 1);
}

TEST_F(VideoCaptureTest, AStreamErrorEndsThePreviewWithTheFlagSet) {
    Connect({Camera("Cam")}, "Cam");
    StartPreviewAndRequest();
    ASSERT_TRUE(FramesArrive());
    EXPECT_EQ(CaptureErrorFlag, 0);

    platform::FailTestCameraStream(0);
    ASSERT_TRUE(WaitFor([&] { return aborted > 0 && !control->Previewing(); }, kWait));
    DeliverPosted();
    EXPECT_EQ(aborted, 1);
    EXPECT_EQ(deviceLost, 0);
    EXPECT_FALSE(control->Previewing()); // not a frozen picture passed off as running
    EXPECT_EQ(CaptureErrorFlag, 1);
    EXPECT_FALSE(control->RequestBitmap());

    // Started again, it runs.
    CaptureErrorFlag = 0;
    StartPreviewAndRequest();
    EXPECT_TRUE(FramesArrive());
    EXPECT_EQ(CaptureErrorFlag, 0);
}

TEST_F(VideoCaptureTest, AStreamErrorWhileRecordingFinishesTheFile) {
    Connect({Camera("Cam")}, "Cam");
    WantFile(folder.file("cut.avi"));
    StartPreviewAndRequest();
    ASSERT_TRUE(control->StartCapture(false));
    ASSERT_TRUE(RecordFrames(15));
    platform::FailTestCameraStream(0);
    ASSERT_TRUE(WaitFor([&] { return aborted > 0; }, kWait));
    EXPECT_FALSE(control->Capturing() || control->Previewing());
    EXPECT_EQ(stopCaptures, 1);
    EXPECT_TRUE(Discover(folder.file("cut.avi")).Readable);
}

TEST_F(VideoCaptureTest, ACameraThatSendsNothingIsAFailedStartAndTheWindowKeepsRunning) {
    Connect({Camera("Mute"), Camera("Fine")}, "Mute");
    platform::SetTestCameraStalled(0, true);
    control->FirstFrameTimeoutMs = 1500;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(50);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(control->StartPreview());
    EXPECT_GE(clock.elapsed(), 1400);
    EXPECT_GE(ticks, 5); // the event loop went on meanwhile
    EXPECT_FALSE(control->Previewing());
    EXPECT_EQ(CaptureErrorFlag, 1);

    // Once it sends frames again, it starts.
    platform::SetTestCameraStalled(0, false);
    CaptureErrorFlag = 0;
    StartPreviewAndRequest();
    EXPECT_TRUE(FramesArrive());
}

TEST_F(VideoCaptureTest, ACameraThatHangsWhileRunningEndsThePreview) {
    Connect({Camera("Cam")}, "Cam");
    control->StallTimeoutMs = 2000;
    StartPreviewAndRequest();
    ASSERT_TRUE(FramesArrive());
    ASSERT_TRUE(FramesArrive(75)); // 2.5 s: a running camera is not mistaken for a hung one
    EXPECT_TRUE(control->Previewing());
    EXPECT_EQ(aborted, 0);

    platform::SetTestCameraStalled(0, true);
    ASSERT_TRUE(WaitFor([&] { return aborted > 0; }, kWait));
    EXPECT_FALSE(control->Previewing());
    EXPECT_EQ(CaptureErrorFlag, 1);
}
