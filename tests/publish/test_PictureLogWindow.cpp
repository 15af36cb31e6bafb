// The picture log window as a user finds it: opening, keys, view sizes, the folder read again
// when the window is returned to, and nothing of it clipped or silent.
#include "core/FtpLink.h"
#include "core/PictureStore.h"
#include "core/SaveFileNameAsker.h"
#include "core/SettingsStore.h"
#include "platform/Jpeg.h"
#include "publish/AviPanel.h"
#include "publish/PictureLogWindow.h"
#include "support/AviReadback.h"
#include "support/QuietMainWindowLink.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>

using namespace TestSupport;

namespace {

class FakeMainWindow final : public QuietMainWindowLink {
public:
    bool CameraPreviews(int camera) const override { return previewing == camera; }
    int previewing = 0;
};

class FakeFtp final : public FtpLink {
public:
    void LoadFtpSettings() override {}
    void FtpConnect() override {}
    bool IsFtpConnected() const override { return connected; }
    void FtpDisconnect() override {}
    void MarkFtpCommandTime() override {}
    void EnableFtpDialUpPause() override {}
    bool FtpWindowVisible() const override { return false; }
    void ShowFtpWindow(bool) override {}
    void HideFtpWindow() override {}
    bool connected = false;
};

QByteArray Jpeg(int width, int height, int shade) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(QColor(shade, 255 - shade, 90));
    QByteArray data;
    platform::EncodeJpeg(image, 90, &data);
    return data;
}

class LogWindowTest : public ::testing::Test {
protected:
    LogWindowTest() : settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop") {}

    void SetUp() override {
        settings.FirstRunInit();
        settings.Record().LogListView = 'F';
        // Five pictures; all but the first have notes.
        for (int i = 1; i <= 5; ++i) {
            const QString base = Cam(1) + QString("%1PC").arg(i, 6, 10, QChar('0'));
            ASSERT_TRUE(WriteAll(base + ".jpg", Jpeg(40 + i, 30, i * 40)));
            if (i > 1) {
                ASSERT_TRUE(WriteAll(base + ".txt", QString("N.o. %1\r\n").arg(i).toLatin1()));
            }
        }
        win = std::make_unique<PictureLogWindow>(settings);
        win->SetLinks(&main, &ftp, nullptr);
        win->Hooks().AskYesNo = [this](const QString& q) { return questions << q, true; };
        win->Hooks().FtpUploadFile = [this](const QString&, const QString& remote) { uploads << remote; };
    }
    void TearDown() override {
        win.reset();
    }

    QString Cam(int camera) const { return dir.path() + QString("cam%1/").arg(camera); }
    void Open(int camera) {
        win->SetOpenedFromMainWindow(true);
        win->SetLogFolder(settings.CameraFolder(camera), camera);
        win->RefreshImageList();
        win->show();
        QApplication::processEvents();
    }

    TempProgramFolder dir;
    SettingsStore settings;
    FakeMainWindow main;
    FakeFtp ftp;
    std::unique_ptr<PictureLogWindow> win;
    QStringList questions, uploads;
    TestSupport::MessageLog messages;
};

} // namespace

TEST_F(LogWindowTest, OpensOnTheLastPictureWithItsCaptionAndItsNote) {
    Open(1);
    EXPECT_EQ(win->pictureList->count(), 5);
    EXPECT_EQ(win->pictureList->currentRow(), 4);
    EXPECT_EQ(win->positionLabel->text(), "Cam 1 000005 of 000005");
    EXPECT_EQ(win->pictureView->Image().size(), QSize(45, 30));
    // Neither camera previews: full screen, without the live picture.
    EXPECT_FALSE(win->IsNormalSize());
    EXPECT_TRUE(win->liveView->isHidden());
}

TEST_F(LogWindowTest, ViewSizesAndTheLivePictureOfTheShownCamera) {
    main.previewing = 1;
    Open(1);
    EXPECT_TRUE(win->IsNormalSize());
    EXPECT_TRUE(win->liveView->isHidden());

    QTest::keyClick(win->pictureList, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_FALSE(win->IsNormalSize());
    EXPECT_TRUE(win->liveView->isVisible());
    QImage frame(64, 48, QImage::Format_RGB888);
    frame.fill(Qt::red);
    win->FrameGrabbed(2, frame);
    EXPECT_TRUE(win->liveView->Image().isNull());
    win->FrameGrabbed(1, frame);
    EXPECT_EQ(win->liveView->Image().size(), QSize(64, 48));
}

TEST_F(LogWindowTest, ReadsItsFolderOncePerActivationAndKeepsTheChosenPicture) {
    QSignalSpy listings(&win->Logic(), &PictureLogLogic::RowsChanged);
    win->SetLogFolder(settings.CameraFolder(1), 1);
    win->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.get()));
    QApplication::processEvents();
    EXPECT_EQ(listings.size(), 1);
    QTest::mouseClick(win->pictureList->viewport(), Qt::LeftButton, {},
                      win->pictureList->visualItemRect(win->pictureList->item(1)).center());
    ASSERT_EQ(win->positionLabel->text(), "Cam 1 000002 of 000005");

    // A picture saved while the user looks at another window shows on the return.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_TRUE(WriteAll(Cam(1) + "000006PC.jpg", Jpeg(40, 30, 220)));
    listings.clear();
    win->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.get()));
    EXPECT_EQ(listings.size(), 1);
    EXPECT_EQ(win->pictureList->count(), 6);
    EXPECT_EQ(win->pictureList->currentRow(), 1);
    EXPECT_EQ(win->positionLabel->text(), "Cam 1 000002 of 000006");
}

TEST_F(LogWindowTest, CompressionBoxShowsWholeAndAnEmptyPurgeSaysSo) {
    // Only a user's own picture: nothing of the station's to purge.
    ASSERT_TRUE(WriteAll(Cam(2) + "holiday.jpg", Jpeg(40, 30, 100)));
    main.previewing = 2;
    Open(2);
    ASSERT_TRUE(win->IsNormalSize());
    win->aviPanel->Logic().OpenAviPanel();
    QApplication::processEvents();
    QCheckBox* box = win->aviPanel->compressionBox;
    ASSERT_TRUE(box->isVisible());
    EXPECT_GE(box->width(), box->sizeHint().width());
    const QRect inWindow(box->mapTo(win.get(), QPoint(0, 0)), box->size());
    EXPECT_TRUE(win->rect().contains(inWindow)) << inWindow.x() << "," << inWindow.y();
    EXPECT_TRUE(win->aviPanel->rect().contains(box->geometry()));
    // Its box shows: the indicator stands out from the black around it.
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator =
        box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    const QImage shot = box->grab(indicator).toImage();
    int bright = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            bright += qGray(shot.pixel(x, y)) > 128;
    EXPECT_GT(bright, indicator.width() * indicator.height() / 4);

    win->settingsPurgeButton->click();
    EXPECT_EQ(messages, QStringList({"There were no TORVEK pictures to purge."}));
    EXPECT_TRUE(QFileInfo::exists(Cam(2) + "holiday.jpg"));
}

// A fresh station: camera 1's first pictures make an AVI from the log's menu.
TEST(LogWindowFreshStation, Camera1MakesAnAviFromItsFirstPictures) {
    TempProgramFolder dir;
    SettingsStore settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop");
    settings.FirstRunInit();
    MessageLog messages;
    PictureStore pictures(settings);
    for (int i = 0; i < 3; ++i) {
        QImage frame(64, 48, QImage::Format_RGB888);
        frame.fill(QColor::fromHsv(i * 90, 200, 200));
        ASSERT_TRUE(pictures.SaveMotionPicture(frame, 1));
    }
    struct Asker : SaveFileNameAsker {
        QString name;
        QString AskSaveFileName(const QString&, const QString&, const QString&) override { return name; }
    } asker;
    asker.name = dir.file("first.avi");
    FakeMainWindow main;
    FakeFtp ftp;
    PictureLogWindow win(settings);
    win.SetLinks(&main, &ftp, nullptr);
    win.SetSaveFileNameAsker(&asker);
    win.Hooks().AskYesNo = [](const QString&) { return true; }; // all rows
    win.SetOpenedFromMainWindow(true);
    win.SetLogFolder(settings.CameraFolder(1), 1);
    win.RefreshImageList();
    win.show();

    win.createAviAction->trigger();
    ASSERT_TRUE(WaitFor([&] { return !win.aviPanel->Logic().IsCreating(); }, 60000));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    QList<QImage> frames;
    QString why;
    ASSERT_TRUE(DecodeFrames(asker.name, &frames, &why)) << why.toStdString();
    EXPECT_EQ(frames.size(), 3);
}
