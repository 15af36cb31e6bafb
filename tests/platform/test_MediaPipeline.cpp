// The pipeline's frame hand-over: geometry checked against the bytes, at most one pending
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

TEST(MediaFrameToImage, UsesTheStrideAndDropsShortBuffers) {
    // 2x2 pixels of 32 bits (Format_RGB32's byte order), rows padded to 12 bytes.
    const quint32 words[6] = {0xFF010203, 0xFF040506, 0x99999999, 0xFF070809, 0xFF0A0B0C, 0x99999999};
    const auto* bytes = reinterpret_cast<const uchar*>(words);
    QImage image;
    ASSERT_TRUE(MediaFrameToImage(bytes, 24, 2, 2, 12, image));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(QColor(image.pixel(1, 1)), QColor(10, 11, 12));
    EXPECT_EQ(QColor(image.pixel(0, 1)), QColor(7, 8, 9));
    EXPECT_EQ(QColor(image.pixel(1, 0)), QColor(4, 5, 6));
    EXPECT_FALSE(MediaFrameToImage(bytes, 23, 2, 2, 12, image)); // one byte short
    EXPECT_FALSE(MediaFrameToImage(bytes, 24, 4, 2, 12, image)); // stride below a row
    EXPECT_FALSE(MediaFrameToImage(bytes, 24, 0, 2, 12, image));
    EXPECT_FALSE(MediaFrameToImage(nullptr, 24, 2, 2, 12, image));
}

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
