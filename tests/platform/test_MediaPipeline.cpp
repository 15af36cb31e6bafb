// The pipeline's frame hand-over: at most one pending
// notice per kind however long the GUI thread is held up; and a recording whose writer
// failed is not waited for.
#include "platform/MediaPipeline.h"
#include "platform/MediaTestCameras.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QThread>

#include <csignal>
#include <sys/resource.h>

using namespace platform;

namespace {

class MediaCapturePipelineTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestCameraSpec cameraSpec;
        cameraSpec.Name = "Cam";
        InstallTestCameras({cameraSpec});
        const auto cameras = EnumerateMediaDevices(MediaCategory::VideoInput);
        ASSERT_EQ(cameras.size(), 1);
        ASSERT_TRUE(pipeline.SetVideoSource(cameras[0]));
        ASSERT_TRUE(pipeline.BuildVideoTee(""));
        ASSERT_TRUE(pipeline.BuildPreview(true));
        QObject::connect(&pipeline, &MediaCapturePipeline::FrameRendered, [&] { ++rendered; });
        QObject::connect(&pipeline, &MediaCapturePipeline::FrameGrabbed, [&] { ++grabbed; });
        ASSERT_TRUE(pipeline.Run());
        ASSERT_TRUE(TestSupport::WaitFor([&] { return rendered > 0; }));
    }
    void TearDown() override {
        pipeline.Stop();
        RemoveTestCameras();
    }

    MediaCapturePipeline pipeline;
    int rendered = 0, grabbed = 0;
};

} // namespace

TEST_F(MediaCapturePipelineTest, BlockedGuiThreadBuildsNoBacklog) {
    // Hold the GUI thread while many frames pass, with a frame requested.
    pipeline.RequestFrame(true);
    rendered = grabbed = 0;
    const quint64 before = pipeline.FramesRendered();
    while (pipeline.FramesRendered() < before + 10)
        QThread::msleep(20);
    QCoreApplication::processEvents();
    EXPECT_LE(rendered, 2); // not one per frame that passed
    EXPECT_EQ(grabbed, 1);
    EXPECT_EQ(pipeline.FramesCopied(), 1u); // one request, one copy
    QImage frame;
    EXPECT_TRUE(pipeline.TakeFrame(frame));
    EXPECT_EQ(frame.size(), QSize(320, 240));

    // After a stop, notices of the old run are dropped.
    pipeline.RequestFrame(true);
    pipeline.Stop();
    rendered = grabbed = 0;
    QCoreApplication::processEvents();
    EXPECT_EQ(rendered, 0);
    EXPECT_EQ(grabbed, 0);
}

TEST_F(MediaCapturePipelineTest, AFailedWriterIsNotWaitedFor) {
    TestSupport::TempProgramFolder folder;
    int errors = 0;
    QObject::connect(&pipeline, &MediaCapturePipeline::PipelineError, [&] { ++errors; });
    // The disk fills up a few frames into the recording.
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit limit = oldLimit;
    limit.rlim_cur = 300000;
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool started = pipeline.StartFileBranch(folder.file("full.avi"), nullptr, nullptr);
    const bool failed = started && TestSupport::WaitFor([&] { return errors > 0; }, 20000);
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldSignal);
    ASSERT_TRUE(failed);
    // The end never reaches the file: a wait for it would outlast the test's own time limit.
    EXPECT_FALSE(pipeline.StopFileBranch(60 * 60 * 1000));
    EXPECT_FALSE(pipeline.HasFileBranch());
}
