#include "core/FtpLink.h"
#include "support/QuietMainWindowLink.h"
#include "core/SettingsStore.h"
#include "FtpServerStation.h"
#include "platform/Jpeg.h"
#include "publish/AviPanel.h"
#include "publish/TLogWin.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>
#include <memory>

using namespace TestSupport;

namespace {

class FakeMainWindow final : public QuietMainWindowLink {
public:
    bool CameraPreviews(int camera) const override { return previewing == camera; }
    quint8 ViewSwitchRequest() const override { return viewSwitch; }
    void SetViewSwitchRequest(quint8 request) override { viewSwitch = request; }
    void SetCaption(const QString& text) override { caption = text; }
    void ShowHelp(int topic) override { helpTopics << topic; }

    int previewing = 0;
    quint8 viewSwitch = 0;
    QString caption;
    QList<int> helpTopics;
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
        win = std::make_unique<TLogWin>(settings);
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
    QList<int> SelectedRows() const {
        QList<int> rows;
        for (const QListWidgetItem* item : win->ImageList->selectedItems())
            rows << win->ImageList->row(item);
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    TempProgramFolder dir;
    SettingsStore settings;
    FakeMainWindow main;
    FakeFtp ftp;
    std::unique_ptr<TLogWin> win;
    QStringList questions, uploads;
    TestSupport::MessageLog messages;
};

} // namespace

TEST_F(LogWindowTest, OpensOnTheLastPictureWithItsCaptionAndItsNote) {
    Open(1);
    EXPECT_EQ(win->ImageList->count(), 5);
    EXPECT_EQ(win->ImageList->currentRow(), 4);
    EXPECT_EQ(SelectedRows(), QList<int>({4}));
    EXPECT_EQ(win->Panel3->text(), "Cam 1 000005 of 000005");
    EXPECT_EQ(win->Image1->Image().size(), QSize(45, 30));
    // Neither camera previews: full screen, without the live picture.
    EXPECT_FALSE(win->IsNormalSize());
    EXPECT_TRUE(win->Image2->isHidden());

    // Clicking a row shows it.
    QTest::mouseClick(win->ImageList->viewport(), Qt::LeftButton, {},
                      win->ImageList->visualItemRect(win->ImageList->item(1)).center());
    EXPECT_EQ(win->Panel3->text(), "Cam 1 000002 of 000005");
    EXPECT_EQ(win->Image1->Image().size(), QSize(42, 30));
}

TEST_F(LogWindowTest, OwnCameraKeyClosesWithTheFlagOtherF1OpensHelp) {
    Open(1);
    QTest::keyClick(win->ImageList, Qt::Key_F2);
    EXPECT_TRUE(win->isVisible());
    QTest::keyClick(win->ImageList, Qt::Key_F1);
    EXPECT_FALSE(win->isVisible());
    EXPECT_TRUE(win->ClosedByKey());
    EXPECT_EQ(main.viewSwitch, 1);
    EXPECT_TRUE(main.helpTopics.isEmpty());

    Open(2);
    EXPECT_FALSE(win->ClosedByKey());
    EXPECT_EQ(win->Panel3->text(), "Cam 2 000000 of 000000");
    QTest::keyClick(win->ImageList, Qt::Key_F1);
    win->Panel5->Logic().OpenAviPanel();
    QTest::keyClick(win->ImageList, Qt::Key_F1);
    EXPECT_EQ(main.helpTopics, QList<int>({3, 4}));
    EXPECT_TRUE(win->isVisible());
    QTest::keyClick(win->ImageList, Qt::Key_Escape);
    EXPECT_FALSE(win->isVisible());
    EXPECT_FALSE(win->ClosedByKey());
}

TEST_F(LogWindowTest, ViewSizesAndTheLivePictureOfTheShownCamera) {
    main.previewing = 1;
    Open(1);
    EXPECT_TRUE(win->IsNormalSize());
    EXPECT_TRUE(win->Image2->isHidden());

    QTest::keyClick(win->ImageList, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_FALSE(win->IsNormalSize());
    EXPECT_TRUE(win->Image2->isVisible());
    QImage frame(64, 48, QImage::Format_RGB888);
    frame.fill(Qt::red);
    win->FrameGrabbed(2, frame);
    EXPECT_TRUE(win->Image2->Image().isNull());
    win->FrameGrabbed(1, frame);
    EXPECT_EQ(win->Image2->Image().size(), QSize(64, 48));

    QTest::keyClick(win->ImageList, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_TRUE(win->IsNormalSize());
    EXPECT_TRUE(win->Image2->isHidden());

    // The rotation panel's angle controls mirror each other.
    win->ScrollBar1->setValue(135);
    EXPECT_TRUE(win->AngleButtons.at(2)->isChecked());
    EXPECT_EQ(win->Button22->text(), "Rotate 135");
    win->AngleButtons.at(5)->click();
    EXPECT_EQ(win->ScrollBar1->value(), 270);
}

TEST_F(LogWindowTest, UploadOfThreeSelectedToTheFtpServerSendsOnlyTheFirst) {
    FtpServerStation station;
    ASSERT_TRUE(station.started) << station.server.Output().toStdString();
    station.Connect();
    FtpUploader& uploader = *station.ftp;
    const QString home = station.home;
    ftp.connected = true;
    win->Hooks().FtpUploadFile = [&](const QString& path, const QString& remote) { uploader.FtpUploadFile(path, remote); };

    Open(1);
    for (int row : {0, 2})
        win->ImageList->item(row)->setSelected(true);
    win->UploadItem->trigger();
    EXPECT_EQ(questions, QStringList({"Do you really want to Upload 3 files? "}));
    // The two after the first fall within the uploader's spacing and are skipped.
    EXPECT_EQ(QDir(home).entryList({"*.jpg"}, QDir::Files), QStringList({"000001PC.jpg"}));
    EXPECT_EQ(TestSupport::ReadAll(home + "/000001PC.jpg"), TestSupport::ReadAll(Cam(1) + "000001PC.jpg"));
    uploader.FtpDisconnect();
}
