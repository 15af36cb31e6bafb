// The magnifier frames pic1 / pic2 and the zoom window on the real main window: fake cameras
// (TzonesFixture) and, at the end, a test camera.
#include "TzonesFixture.h"

#include "app/StationLayout.h"
#include "app/StationMagnifiers.h"
#include "app/TZoom.h"
#include "app/Tmagna.h"
#include "core/PictureCaption.h"
#include "core/PictureStore.h"
#include "platform/Jpeg.h"

#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

using TestSupport::ReadAll;
using TestSupport::WaitFor;
using TestSupport::WriteAll;
using ZoomRules::ZoomKey;

namespace {

QImage Frame(int width, int height, QColor colour = QColor(40, 90, 160)) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

// The frames' part of the station: the real picture store and the magnifier link.
struct MagnifierParts {
    std::unique_ptr<PictureStore> pictures;
    std::unique_ptr<StationMagnifiers> magnifiers;
    void Make(SettingsStore& store, StationLinks& links) {
        pictures = std::make_unique<PictureStore>(store);
        pictures->SetPictureNamePrefix("DESK");
        magnifiers = std::make_unique<StationMagnifiers>(*pictures);
        links.magnifier = magnifiers.get();
    }
};

} // namespace

class MagnifierFixture : public TzonesFixture {
protected:
    MagnifierParts parts;
    RecordingPictureLog pictureLog{events};
    std::unique_ptr<StationLayout> layout;

    void SetUp() override {
        TzonesFixture::SetUp();
        pictureLog.shown = true;
        links.pictureLog = &pictureLog;
        parts.Make(*store, links);
    }
    void TearDown() override {
        TzonesFixture::TearDown();
        layout.reset();
    }
    void StartBound() {
        Start();
        layout = std::make_unique<StationLayout>(*zones, [](QWidget&, bool) {});
        links.layout = layout.get();
        parts.magnifiers->BindMainWindow(*zones);
    }
    QString History() const { return folder.file("history/"); }
};

TEST_F(MagnifierFixture, FramesAreBoundAndTheirToolBarComesFromThePopUp) {
    StartBound();
    Tmagna& frame = *zones->pic1;
    // Bound at the window's creation.
    EXPECT_FALSE(frame.ToolbarShown());
    frame.imgsize->setValue(120);
    EXPECT_EQ(frame.State().LensSize, 120);

    // "Image Toolbar" shows the bar below the picture; "X" hides it again.
    frame.resize(320, 240);
    ASSERT_EQ(frame.PopupMenu1->actions().size(), 1);
    frame.ImageToolbar1->trigger();
    EXPECT_TRUE(frame.ToolbarShown());
    EXPECT_EQ(frame.Magnifiertoolbar->geometry().bottom(), 239);
    EXPECT_EQ(frame.Image1->height(), frame.Magnifiertoolbar->y());
    frame.State().Active = 1;
    frame.Button3->click();
    EXPECT_FALSE(frame.ToolbarShown());
    EXPECT_FALSE(frame.State().Active);
    EXPECT_EQ(frame.Image1->height(), 240);

    // The caption drawer's call with the lens off hides the bar.
    frame.ImageToolbar1->trigger();
    frame.ShowMagnifier(10, 10);
    EXPECT_FALSE(frame.ToolbarShown());

    // The lens keys come through Edit1; a mouse-up gives it the focus and ends a drag.
    frame.State().Bind(320, 240);
    frame.State().CentreY = 11;
    QTest::keyClick(frame.Edit1, Qt::Key_Up);
    EXPECT_EQ(frame.State().CentreY, 1);
    QTest::keyClick(frame.Edit1, Qt::Key_Right);
    EXPECT_EQ(frame.State().CentreX, 60);
    frame.State().Dragging = 1;
    frame.Image1MouseMove(33, 44);
    EXPECT_EQ(frame.State().CentreX, 33);
    frame.Image1MouseUp();
    EXPECT_FALSE(frame.State().Dragging);
    frame.Image1MouseMove(70, 80);
    EXPECT_EQ(frame.State().CentreX, 33);
    EXPECT_EQ(zones->focusWidget(), frame.Edit1);
}

TEST_F(MagnifierFixture, TakePicFromEitherFrameGoesToTheHistoryAndLog3OpensIt) {
    StartBound();
    ASSERT_TRUE(WriteAll(folder.file("cam1/counter.txt"), "000009\r\n"));
    ASSERT_FALSE(QDir(History()).exists());
    zones->pic1->SetPicture(Frame(64, 48));
    zones->pic1->Button1->click();
    EXPECT_EQ(FilesIn(History()), QStringList{"000010DESK.jpg"});
    zones->pic2->SetPicture(Frame(32, 24));
    zones->pic2->Button1->click();
    EXPECT_EQ(FilesIn(History()), (QStringList{"000010DESK.jpg", "000011DESK.jpg"}));
    QImage second;
    ASSERT_TRUE(platform::LoadJpeg(History() + "000011DESK.jpg", &second));
    EXPECT_EQ(second.size(), QSize(32, 24));
    EXPECT_EQ(ReadAll(folder.file("cam1/counter.txt")), "000011\r\n");
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();

    // No picture yet: said, nothing counted.
    auto fresh = std::make_unique<Tmagna>();
    fresh->takePicture = zones->pic1->takePicture;
    fresh->Button1->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(ReadAll(folder.file("cam1/counter.txt")), "000011\r\n");

    events.clear();
    zones->pic2->Button2->click();
    EXPECT_TRUE(events.contains("Log folder history/ 3")) << events.join("; ").toStdString();
}

class ZoomFixture : public MagnifierFixture {
protected:
    std::unique_ptr<TZoom> zoom;

    void StartZoom() {
        StartBound();
        zoom = std::make_unique<TZoom>(*zones, *parts.pictures);
    }
    void TearDown() override {
        zoom.reset();
        MagnifierFixture::TearDown();
    }
    SettingsRecord& Record() { return store->Record(); }
    void Wheel(int delta) {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(zoom.get(), &event);
    }
};

TEST_F(ZoomFixture, KeysSizeAndCaption) {
    StartZoom();
    EXPECT_FALSE(zoom->SetCameraNumber(5));
    ASSERT_TRUE(zoom->SetCameraNumber(2));
    zoom->show();
    ASSERT_TRUE(WaitFor([&] { return zoom->isVisible(); }));
    EXPECT_EQ(zoom->windowHandle()->transientParent(), zones->windowHandle());

    Record().ZoomSize[2] = 7;
    QTest::keyClick(zoom.get(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(Record().ZoomSize[2], 8);
    EXPECT_TRUE(zoom->windowTitle().endsWith(" R=8")) << zoom->windowTitle().toStdString();
    QTest::keyClick(zoom.get(), Qt::Key_Plus); // the main keyboard's plus is no zoom key
    EXPECT_EQ(Record().ZoomSize[2], 8);
    QTest::keyClick(zoom.get(), Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(zoom.get(), Qt::Key_Up);
    QTest::keyClick(zoom.get(), Qt::Key_Up);
    QTest::keyClick(zoom.get(), Qt::Key_Right);
    EXPECT_EQ(zoom->windowTitle(), "Zoom :T=-20 L=10 R=7");
    EXPECT_EQ(Record().ZoomSize[1], 0); // only its camera's values

    // Enter toggles the main window's zoom panel and sizes the window, frame included, to it.
    zoom->SetZoomViewSize();
    EXPECT_EQ(zoom->frameGeometry().size(), QSize(200, 17));
    QTest::keyClick(zoom.get(), Qt::Key_Return);
    EXPECT_FALSE(zones->ZoomPanel->isHidden());
    EXPECT_EQ(zoom->frameGeometry().size(), QSize(200, 189));
    QTest::keyClick(zoom.get(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(zones->ZoomPanel->isHidden());
    EXPECT_EQ(zoom->frameGeometry().size(), QSize(200, 17));

    // The wheel: down is '+', up is '-'; the caption shows top and left afterwards.
    Wheel(-120);
    EXPECT_EQ(Record().ZoomSize[2], 8);
    EXPECT_EQ(zoom->windowTitle(), "Zoom :T=-20 L=10 R=8");
    Wheel(120);
    Wheel(120);
    EXPECT_EQ(Record().ZoomSize[2], 6);
    Record().ZoomSize[2] = 20;
    Record().ZoomTop[2] = 51;
    zoom->AdjustZoom(ZoomKey::Up, 2, 300, 400);
    EXPECT_EQ(Record().ZoomTop[2], 41);
    EXPECT_EQ(zoom->windowTitle(), "Zoom :T=41 L=10 R=20");

    QTest::keyClick(zoom.get(), Qt::Key_Escape);
    EXPECT_FALSE(zoom->isVisible());
}

TEST_F(ZoomFixture, TakePicStampsTheZoomPictureForCameraOneOrTwoOnly) {
    StartZoom();
    Record().SiteLocation = " Depot ";
    Record().Cam1Name = "Gate ";
    ASSERT_TRUE(WriteAll(folder.file("cam1/counter.txt"), "000020\r\n"));
    QImage picture(600, 300, QImage::Format_RGB888);
    picture.fill(Qt::white);
    zones->ZoomImage->setPixmap(QPixmap::fromImage(picture));

    // Camera 0, the window's own number: nothing is saved.
    zoom->Panel2->click();
    EXPECT_EQ(ReadAll(folder.file("cam1/counter.txt")), "000020\r\n");
    EXPECT_EQ(FilesIn(folder.file("cam1")), QStringList{"counter.txt"});
    EXPECT_TRUE(messages.isEmpty());

    ASSERT_TRUE(zoom->SetCameraNumber(1));
    links.captionWindow->SetTransparent(true);
    zoom->Panel2->click();
    EXPECT_EQ(FilesIn(folder.file("cam1")), (QStringList{"000021DESK.jpg", "000021DESK.txt", "counter.txt"}));
    QImage saved;
    ASSERT_TRUE(platform::LoadJpeg(folder.file("cam1/000021DESK.jpg"), &saved));
    EXPECT_EQ(saved.size(), QSize(600, 300));
    // The stamp in red at (5, 5), 16 points on a 600-pixel picture, on the white picture.
    platform::PictureCanvas probe(picture);
    probe.SetFontSize(16);
    const QRect cell(5, 5, probe.TextWidth("Depot Gate"), probe.TextHeight("Depot Gate"));
    int red = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor c = saved.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    EXPECT_GT(red, 30);
    // The picture shown is the stamped one.
    EXPECT_EQ(zones->ZoomImage->pixmap().toImage().pixelColor(0, 0), QColor(Qt::white));
    EXPECT_NE(zones->ZoomImage->pixmap().toImage(), picture.convertToFormat(zones->ZoomImage->pixmap().toImage().format()));

    // Nothing to stamp: said, nothing saved.
    zones->ZoomImage->setPixmap(QPixmap());
    zoom->Panel2->click();
    EXPECT_EQ(messages, QStringList{TZoom::kNoZoomPictureText});
    EXPECT_EQ(ReadAll(folder.file("cam1/counter.txt")), "000021\r\n");
}

// The real window and a test camera: the picture's pop-up opens the tool bar and "Take Pic"
// leaves the camera's picture in the history folder.
TEST_F(CameraStationFixture, TakePicOfARunningCameraFromThePictureToolBar) {
    InstallCameras(1);
    MagnifierParts parts;
    parts.Make(*store, links);
    CaptionChoices choices;
    PictureCaptions captions(store->Record(), choices);
    Create();
    StationLayout stationLayout(*zones, [](QWidget&, bool) {});
    links.layout = &stationLayout;
    parts.magnifiers->BindMainWindow(*zones);
    BindCameraPictures(*zones, captions);
    struct Cleanup {
        std::unique_ptr<Tzones>& zones;
        PictureCaptions& captions;
        ~Cleanup() {
            UnbindCameraPictures(captions);
            zones.reset();
        }
    } cleanup{zones, captions};
    zones->show();
    ASSERT_TRUE(WaitFor([this] { return !flags.StartupGuard; }));
    zones->Panel2->click();
    ASSERT_TRUE(WaitFor([&] { return zones->CameraPreviews(1); }, kWait));
    ASSERT_TRUE(FramesArrive(1));
    stationLayout.RestoreFullView();
    Tmagna& frame = *zones->pic1;
    ASSERT_TRUE(WaitFor([&] { return !frame.Picture().isNull(); }, kWait));
    ASSERT_FALSE(frame.isHidden());

    // A right click on the picture brings its pop-up; its item opens the bar.
    QTest::mouseClick(zones->windowHandle(), Qt::RightButton, Qt::NoModifier, frame.Image1->mapTo(zones.get(), QPoint(20, 20)));
    ASSERT_TRUE(WaitFor([&] { return frame.PopupMenu1->isVisible(); }));
    frame.ImageToolbar1->trigger();
    frame.PopupMenu1->hide();
    ASSERT_TRUE(frame.ToolbarShown());
    ASSERT_TRUE(frame.Magnifiertoolbar->isVisible());

    const QSize pictureSize = frame.Picture().size();
    QTest::mouseClick(frame.Button1, Qt::LeftButton);
    const QStringList saved = FilesIn(folder.file("history"));
    ASSERT_EQ(saved.size(), 1) << messages.join("; ").toStdString();
    QImage decoded;
    ASSERT_TRUE(platform::LoadJpeg(folder.file("history/") + saved[0], &decoded));
    EXPECT_EQ(decoded.size(), pictureSize);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
}
