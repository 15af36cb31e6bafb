// The magnifier frames magnifier1 / magnifier2 on the real main window with fake cameras (MainWindowFixture).
#include "MainWindowFixture.h"

#include "app/StationLayout.h"
#include "app/StationMagnifiers.h"
#include "app/Magnifier.h"
#include "core/PictureStore.h"
#include "platform/Jpeg.h"

#include <QMenu>
#include <QPixmap>
#include <QTest>

using TestSupport::ReadAll;
using TestSupport::WriteAll;

namespace {

QImage Frame(int width, int height, QColor colour = QColor(40, 90, 160)) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

} // namespace

class MagnifierFixture : public MainWindowFixture {
protected:
    std::unique_ptr<PictureStore> pictures;
    std::unique_ptr<StationMagnifiers> magnifiers;
    RecordingPictureLog pictureLog{events};
    std::unique_ptr<StationLayout> layout;

    void SetUp() override {
        MainWindowFixture::SetUp();
        pictureLog.shown = true;
        links.pictureLog = &pictureLog;
        // The frames' part of the station: the real picture store and the magnifier link.
        pictures = std::make_unique<PictureStore>(*store);
        pictures->SetPictureNamePrefix("DESK");
        magnifiers = std::make_unique<StationMagnifiers>(*pictures);
        links.magnifier = magnifiers.get();
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        layout.reset();
    }
    void StartBound() {
        Start();
        layout = std::make_unique<StationLayout>(*mainWindow, [](QWidget&, bool) {});
        links.layout = layout.get();
        magnifiers->BindMainWindow(*mainWindow);
    }
    QString History() const { return folder.file("history/"); }
};

TEST_F(MagnifierFixture, FramesAreBoundAndTheirToolBarComesFromThePopUp) {
    StartBound();
    Magnifier& frame = *mainWindow->magnifier1;
    // Bound at the window's creation.
    EXPECT_FALSE(frame.ToolbarShown());
    frame.lensSizeSlider->setValue(120);
    EXPECT_EQ(frame.State().LensSize, 120);

    // "Image Toolbar" shows the bar below the picture; "X" hides it again.
    ASSERT_EQ(frame.pictureMenu->actions().size(), 1);
    frame.imageToolbarAction->trigger();
    EXPECT_TRUE(frame.ToolbarShown());
    frame.State().Active = 1;
    frame.lensOffButton->click();
    EXPECT_FALSE(frame.ToolbarShown());
    EXPECT_FALSE(frame.State().Active);

    // The caption drawer's call with the lens off hides the bar.
    frame.imageToolbarAction->trigger();
    frame.ShowMagnifier(10, 10);
    EXPECT_FALSE(frame.ToolbarShown());
}

TEST_F(MagnifierFixture, TakePicFromEitherFrameGoesToTheHistoryAndLog3OpensIt) {
    StartBound();
    ASSERT_TRUE(WriteAll(folder.file("cam1/counter.txt"), "000009\r\n"));
    ASSERT_FALSE(QDir(History()).exists());
    mainWindow->magnifier1->SetPicture(Frame(64, 48));
    mainWindow->magnifier1->takePictureButton->click();
    EXPECT_EQ(FilesIn(History()), QStringList{"000010DESK.jpg"});
    mainWindow->magnifier2->SetPicture(Frame(32, 24));
    mainWindow->magnifier2->takePictureButton->click();
    EXPECT_EQ(FilesIn(History()), (QStringList{"000010DESK.jpg", "000011DESK.jpg"}));
    QImage second;
    ASSERT_TRUE(platform::LoadJpeg(History() + "000011DESK.jpg", &second));
    EXPECT_EQ(second.size(), QSize(32, 24));
    EXPECT_EQ(ReadAll(folder.file("cam1/counter.txt")), "000011\r\n");
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();

    // No picture yet: said, nothing counted.
    auto fresh = std::make_unique<Magnifier>();
    fresh->takePicture = mainWindow->magnifier1->takePicture;
    fresh->takePictureButton->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(ReadAll(folder.file("cam1/counter.txt")), "000011\r\n");

    events.clear();
    mainWindow->magnifier2->pictureLogButton->click();
    EXPECT_TRUE(events.contains("Log folder history/ 3")) << events.join("; ").toStdString();
}
