// The pipeline's frame hand-over: geometry checked against the bytes, and at most one
// pending notice per kind however long the GUI thread is held up.
#include "platform/MediaPipeline.h"
#include "platform/MediaTestCameras.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QThread>

using namespace platform;

TEST(MediaFrameToImage, UsesTheStrideAndDropsShortBuffers) {
    // 2x2 RGB with rows padded to 8 bytes.
    QByteArray bytes("\x01\x02\x03\x04\x05\x06..\x07\x08\x09\x0a\x0b\x0c..", 16);
    QImage image;
    ASSERT_TRUE(MediaFrameToImage(bytes, 2, 2, 8, image));
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_EQ(QColor(image.pixel(1, 1)), QColor(10, 11, 12));
    EXPECT_EQ(QColor(image.pixel(0, 1)), QColor(7, 8, 9));
    EXPECT_FALSE(MediaFrameToImage(bytes.left(15), 2, 2, 8, image)); // one byte short
    EXPECT_FALSE(MediaFrameToImage(bytes, 3, 2, 8, image));          // stride below a row
    EXPECT_FALSE(MediaFrameToImage(bytes, 0, 2, 8, image));
    EXPECT_FALSE(MediaFrameToImage({}, 2, 2, 8, image));
}

TEST(MediaCapturePipeline, BlockedGuiThreadBuildsNoBacklog) {
    TestCameraSpec cameraSpec;
    cameraSpec.Name = "Cam";
    InstallTestCameras({cameraSpec});
    const auto cameras = EnumerateMediaDevices(MediaCategory::VideoInput);
    ASSERT_EQ(cameras.size(), 1);
    MediaCapturePipeline pipeline;
    ASSERT_TRUE(pipeline.SetVideoSource(cameras[0]));
    ASSERT_TRUE(pipeline.BuildVideoTee(""));
    ASSERT_TRUE(pipeline.BuildPreview(true));
    int rendered = 0, grabbed = 0;
    QObject::connect(&pipeline, &MediaCapturePipeline::FrameRendered, [&] { ++rendered; });
    QObject::connect(&pipeline, &MediaCapturePipeline::FrameGrabbed, [&] { ++grabbed; });
    ASSERT_TRUE(pipeline.Run());
    ASSERT_TRUE(TestSupport::WaitFor([&] { return rendered > 0; }));

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
    RemoveTestCameras();
}
