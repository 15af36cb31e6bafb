// The live view against what the rest of the station takes from the same frames: the shown
// picture is the grabbed one, a view nobody sees paints nothing while frames still reach the
// picture that the detector and the picture store read, and each grabbed frame is copied once.
#include "LiveViewFixture.h"

#include "capture/CaptureFlags.h"
#include "capture/CameraView.h"
#include "capture/VideoCapture.h"
#include "platform/MediaPipeline.h"

#include <QPixmap>

using namespace capture_test;
using TestSupport::WaitFor;

TEST_F(LiveViewTest, TheShownPictureIsTheGrabbedBitmapOfTheSameFrame) {
    view->resize(320, 240);
    view->show();
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    view->frameImage->setGeometry(0, 0, 320, 240); // the frame's own size: no scaling in the way
    ASSERT_TRUE(FramesArrive(3));

    QImage grabbed, shown;
    QObject::connect(view->cap, &VideoCapture::OnBitmapGrabbed, view.get(),
                     [&](const CapturedBitmap& bitmap) {
                         if (!grabbed.isNull()) return;
                         grabbed = bitmap;
                         shown = view->frameImage->grab().toImage(); // the view's own paint
                     });
    ASSERT_TRUE(FramesArrive(2));
    ASSERT_FALSE(grabbed.isNull());
    EXPECT_EQ(grabbed.format(), QImage::Format_RGB888); // 24-bit, as the grab event promises
    ASSERT_EQ(grabbed.size(), QSize(320, 240));
    ASSERT_EQ(shown.size(), grabbed.size());
    EXPECT_LE(LargestDifference(shown, grabbed), 2);
    // The smpte bars: a picture, not a flat colour that would hide a mix-up of rows.
    EXPECT_NE(grabbed.pixel(10, 10), grabbed.pixel(310, 10));

    // Stretched to another size, each shown pixel still comes from the frame unblended.
    view->frameImage->setGeometry(0, 0, 640, 480);
    grabbed = QImage();
    ASSERT_TRUE(FramesArrive(2));
    ASSERT_EQ(shown.size(), QSize(640, 480));
    EXPECT_LE(LargestDifference(shown.scaled(320, 240), grabbed), 2);
}

TEST_F(LiveViewTest, AViewNobodySeesPaintsNothingWhileItsPictureKeepsUp) {
    // A moving picture: a still one would leave nothing to paint again.
    platform::InstallTestCameras({Camera("TORVEK Test Camera 1", "YUY2", "ball")});
    view->resize(320, 240);
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    ASSERT_TRUE(view->frameImage->isVisibleTo(view.get()));
    ASSERT_FALSE(view->isVisible()); // never shown, like a window on the tray
    ASSERT_TRUE(FramesArrive(10));
    EXPECT_EQ(view->frameImage->Paints(), 0u);
    // What the detector and the picture store read goes on being the latest frame.
    ASSERT_FALSE(view->ImageBitmap().Image().isNull());
    EXPECT_EQ(view->ImageBitmap().Image().size(), QSize(320, 240));
    EXPECT_EQ(view->UncaptionedFrame().size(), QSize(320, 240));

    // Shown, it paints; hidden again, it stops while the frames go on.
    view->show();
    ASSERT_TRUE(WaitFor([&] { return view->frameImage->Paints() >= 3; }, kWait));
    view->hide();
    QCoreApplication::processEvents();
    const quint64 paints = view->frameImage->Paints();
    ASSERT_TRUE(FramesArrive(10));
    EXPECT_EQ(view->frameImage->Paints(), paints);
    const quint64 copied = view->cap->Pipeline()->FramesCopied();
    EXPECT_GE(copied, 20u);
}
