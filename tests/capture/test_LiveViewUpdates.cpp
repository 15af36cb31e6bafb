// The live view paints again only what a new frame changed, and converts frames only for a
// view someone can see: what is on screen still equals the grabbed frame after many partial
// paints, and a camera whose view is not on screen is converted only a few times a second.
#include "LiveViewFixture.h"

#include "capture/StretchedImage.h"
#include "capture/CameraView.h"
#include "platform/MediaPipeline.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>

using namespace capture_test;
using TestSupport::WaitFor;

namespace {

// What a view of this size shows after painting `region` (all of it without).
QImage Painted(StretchedPicture& picture, const QSize& view, QImage canvas = {}, const QRegion* region = nullptr) {
    if (canvas.isNull()) {
        canvas = QImage(view, QImage::Format_RGB32);
        canvas.fill(Qt::red);
    }
    QPainter painter(&canvas);
    picture.Paint(painter, region ? *region : QRegion(canvas.rect()), view, Qt::black);
    return canvas;
}

} // namespace

TEST(StretchedPicture, PaintingOnlyWhatChangedGivesTheWholeNewPicture) {
    QRandomGenerator random(7);
    QImage before(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            before.setPixel(x, y, random.generate() | 0xff000000);
    platform::PictureOverlay caption = platform::PictureOverlay::ForFrame(before.size());
    {
        QPainter painter(&caption.image);
        painter.fillRect(5, 5, 60, 12, QColor(255, 255, 0, 160));
        caption.areas = QRect(5, 5, 60, 12);
    }
    // Laid over a frame, the part that holds the caption is the caption.
    ASSERT_EQ(caption.Trimmed().ComposedOn(before), caption.ComposedOn(before));
    caption = caption.Trimmed(); // as the views get it
    const QRect changes[] = {{0, 0, 1, 1},     {319, 239, 1, 1}, {319, 0, 1, 1}, {0, 239, 1, 1},
                             {157, 101, 1, 1}, {40, 30, 33, 21}, {0, 100, 320, 3}, {10, 8, 3, 3}};
    for (const QSize view :
         {QSize(640, 870), QSize(1280, 870), QSize(320, 240), QSize(213, 161), QSize(641, 479), QSize(303, 229)}) {
        SCOPED_TRACE(QString("%1x%2").arg(view.width()).arg(view.height()).toStdString());
        StretchedPicture shown;
        EXPECT_EQ(shown.Set(before, caption, view, true), QRect(QPoint(0, 0), view));
        QImage screen = Painted(shown, view);
        EXPECT_TRUE(shown.Set(before.copy(), caption, view, true).isEmpty());
        // One change after the other, each painting only the area it returns.
        QImage latest = before;
        for (const QRect& change : changes) {
            latest = latest.copy();
            for (int y = change.top(); y <= change.bottom(); ++y)
                for (int x = change.left(); x <= change.right(); ++x)
                    latest.setPixel(x, y, ~latest.pixel(x, y) | 0xff000000);
            const QRegion area = shown.Set(latest, caption, view, true);
            EXPECT_LT(area.boundingRect().width() * area.boundingRect().height(),
                      view.width() * view.height() / 2 + 4 * view.width());
            screen = Painted(shown, view, screen, &area);
            StretchedPicture whole;
            whole.Set(latest, caption, view, true);
            ASSERT_EQ(screen, Painted(whole, view))
                << change.x() << "," << change.y() << " " << change.width() << "x" << change.height();
        }
        // Without a caption, each view pixel is the picture pixel under its centre.
        StretchedPicture bare;
        bare.Set(latest, {}, view, true);
        const QImage plain = Painted(bare, view);
        int wrong = 0;
        for (int y = 0; y < view.height(); ++y)
            for (int x = 0; x < view.width(); ++x)
                wrong += plain.pixel(x, y) != latest.pixel((2 * x + 1) * latest.width() / (2 * view.width()),
                                                           (2 * y + 1) * latest.height() / (2 * view.height()));
        EXPECT_EQ(wrong, 0);
        // Another size of picture: all of the view.
        EXPECT_EQ(shown.Set(before.scaled(160, 120), caption, view, true), QRect(QPoint(0, 0), view));
    }
}

class LiveViewUpdatesTest : public LiveViewTest {
protected:
    LiveViewUpdatesTest() : LiveViewTest("ball", true) {}
};

TEST_F(LiveViewUpdatesTest, AfterManyPartialPaintsTheScreenShowsTheLastFrame) {
    view->resize(640, 480);
    view->show();
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    view->frameImage->setGeometry(0, 0, 640, 480); // twice the frame's size
    ASSERT_TRUE(FramesArrive(3));
    const quint64 paints = view->frameImage->Paints();
    ASSERT_TRUE(FramesArrive(20)); // the ball moves: each frame repaints a part of the view
    EXPECT_GT(view->frameImage->Paints(), paints);
    view->cap->StopPreview();
    ASSERT_TRUE(WaitFor([&] { return !view->cap->Previewing(); }, kWait));
    // The last frame's paint is done once nothing is pending.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const QImage frame = view->UncaptionedFrame();
    ASSERT_EQ(frame.size(), QSize(320, 240));
    const QImage screen = view->screen()->grabWindow(view->winId(), 0, 0, 640, 480).toImage();
    ASSERT_EQ(screen.size(), QSize(640, 480));
    EXPECT_LE(LargestDifference(screen.scaled(320, 240), frame), 2); // no trail of the ball
}

TEST_F(LiveViewUpdatesTest, ACameraWhoseViewIsNotOnScreenIsConvertedOnlyAFewTimesASecond) {
    view->resize(320, 240);
    view->show();
    view->frameImage->hide(); // the window is shown, the camera's view is not
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    view->frameImage->hide();
    platform::MediaCapturePipeline& pipeline = *view->cap->Pipeline();
    auto converted = [&](bool watchedElsewhere, quint64 frames = 20) {
        CameraView::SetLiveWatch([watchedElsewhere](int) { return watchedElsewhere; });
        FramesArrive(1);
        const quint64 rendered = pipeline.FramesRendered(), copied = pipeline.FramesCopied();
        EXPECT_TRUE(WaitFor([&] { return pipeline.FramesRendered() >= rendered + frames; }, kWait));
        return double(pipeline.FramesCopied() - copied) / double(pipeline.FramesRendered() - rendered);
    };
    EXPECT_LT(converted(false), 0.5);
    // Shown in a view of the application's own: every frame.
    EXPECT_GT(converted(true), 0.8);
    // Unseen and read only every 10 s: one frame at most in the time of 60.
    CameraView::SetFrameReadInterval([] { return 10000; });
    EXPECT_LT(converted(false, 60), 0.03);
}

TEST(UnwatchedFrames, AreTakenOftenEnoughForWhatReadsThem) {
    // A frame is taken on the first one after the wait: the wait stays below the readers'
    // interval, so what they read is never older than one interval, and never below the
    // fastest motion poll.
    const struct {
        int readMs;
        int atLeastMs, belowMs;
    } cases[] = {{0, 200, 201}, {100, 200, 201}, {200, 200, 201}, {400, 300, 400}, {5000, 4000, 5000}};
    for (const auto& c : cases) {
        CameraView::SetFrameReadInterval([&c] { return c.readMs; });
        EXPECT_GE(CameraView::UnwatchedFrameMs(), c.atLeastMs) << c.readMs;
        EXPECT_LT(CameraView::UnwatchedFrameMs(), c.belowMs) << c.readMs;
    }
    CameraView::SetFrameReadInterval({});
    EXPECT_EQ(CameraView::UnwatchedFrameMs(), CameraView::kUnwatchedFrameMs);
}

TEST_F(LiveViewUpdatesTest, ANoisyFrameIsPaintedWhole) {
    // A sensor's noise changes every row of every frame, by a little: a row left from an
    // earlier frame would still look right, so the screen must equal the frame exactly.
    platform::TestCameraSpec noisy = Camera("TORVEK Test Camera 1", "YUY2", "ball");
    noisy.Noise = true;
    platform::InstallTestCameras({noisy});
    view->resize(320, 240);
    view->show();
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    view->frameImage->setGeometry(0, 0, 320, 240); // the frame's own size: each pixel as grabbed
    QImage before, after;
    QObject::connect(view->cap, &VideoCapture::OnPictureGrabbed, view.get(), [&](const QImage& frame) {
        before = after;
        after = frame;
    });
    ASSERT_TRUE(FramesArrive(10));
    int changedRows = 0;
    for (int y = 0; y < after.height(); ++y)
        changedRows += memcmp(before.constScanLine(y), after.constScanLine(y), size_t(after.bytesPerLine())) != 0;
    EXPECT_EQ(changedRows, 240); // the noise reaches every row
    view->cap->StopPreview();
    ASSERT_TRUE(WaitFor([&] { return !view->cap->Previewing(); }, kWait));
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const QImage screen = view->screen()->grabWindow(view->winId(), 0, 0, 320, 240).toImage();
    EXPECT_EQ(LargestDifference(screen, view->UncaptionedFrame()), 0);
}
