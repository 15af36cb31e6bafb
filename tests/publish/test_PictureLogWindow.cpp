// The picture log window as a user finds it: the folder read again when the window is
// returned to, and nothing of it clipped or silent.
#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "platform/Jpeg.h"
#include "publish/AviPanel.h"
#include "publish/TLogWin.h"
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

class PreviewingMain final : public QuietMainWindowLink {
public:
    bool CameraPreviews(int camera) const override { return camera == 1; }
};

QByteArray Jpeg(int shade) {
    QImage image(40, 30, QImage::Format_RGB888);
    image.fill(QColor(shade, 80, 90));
    QByteArray data;
    platform::EncodeJpeg(image, 90, &data);
    return data;
}

class PictureLogWindow : public ::testing::Test {
protected:
    PictureLogWindow() : settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop") {}
    void SetUp() override {
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
        settings.FirstRunInit();
        settings.Record().LogListView = 'F';
        win = std::make_unique<TLogWin>(settings);
        win->SetLinks(&main, nullptr, nullptr);
        win->Hooks().AskYesNo = [](const QString&) { return true; };
    }
    void TearDown() override {
        win.reset();
        SetMessageBoxHandler({});
    }
    QString Picture(int n) const { return settings.CameraFolder(1) + QString("%1PC.jpg").arg(n, 6, 10, QChar('0')); }
    void Open() {
        win->SetLogFolder(settings.CameraFolder(1), 1);
        win->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(win.get()));
    }

    TempProgramFolder dir;
    SettingsStore settings;
    PreviewingMain main;
    std::unique_ptr<TLogWin> win;
    QStringList messages;
};

} // namespace

TEST_F(PictureLogWindow, ReadsItsFolderOncePerActivationAndKeepsTheChosenPicture) {
    for (int n = 1; n <= 3; ++n)
        ASSERT_TRUE(WriteAll(Picture(n), Jpeg(n * 50)));
    QSignalSpy listings(&win->Logic(), &PictureLogLogic::RowsChanged);
    Open();
    QApplication::processEvents();
    EXPECT_EQ(listings.size(), 1);
    ASSERT_EQ(win->ImageList->count(), 3);
    QTest::mouseClick(win->ImageList->viewport(), Qt::LeftButton, {},
                      win->ImageList->visualItemRect(win->ImageList->item(1)).center());
    ASSERT_EQ(win->Panel3->text(), "Cam 1 000002 of 000003");

    // A picture saved while the user looks at another window shows on the return.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_TRUE(WriteAll(Picture(4), Jpeg(220)));
    listings.clear();
    win->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.get()));
    EXPECT_EQ(listings.size(), 1);
    EXPECT_EQ(win->ImageList->count(), 4);
    EXPECT_EQ(win->ImageList->currentRow(), 1);
    EXPECT_EQ(win->Panel3->text(), "Cam 1 000002 of 000004");
}

TEST_F(PictureLogWindow, CompressionBoxShowsWholeAndAnEmptyPurgeSaysSo) {
    // Only a user's own picture: nothing of the station's to purge.
    ASSERT_TRUE(WriteAll(settings.CameraFolder(1) + "holiday.jpg", Jpeg(100)));
    Open();
    ASSERT_TRUE(win->IsNormalSize());
    win->Panel5->Logic().OpenAviPanel();
    QApplication::processEvents();
    QCheckBox* box = win->Panel5->CheckBox1;
    ASSERT_TRUE(box->isVisible());
    EXPECT_GE(box->width(), box->sizeHint().width());
    const QRect inWindow(box->mapTo(win.get(), QPoint(0, 0)), box->size());
    EXPECT_TRUE(win->rect().contains(inWindow)) << inWindow.x() << "," << inWindow.y();
    EXPECT_TRUE(win->Panel5->rect().contains(box->geometry()));
    // Its box shows: the indicator stands out from the black around it.
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    const QImage shot = box->grab(indicator).toImage();
    int bright = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            bright += qGray(shot.pixel(x, y)) > 128;
    EXPECT_GT(bright, indicator.width() * indicator.height() / 4);

    win->Button20->click();
    EXPECT_EQ(messages, QStringList({"There were no TORVEK pictures to purge."}));
    EXPECT_TRUE(QFileInfo::exists(settings.CameraFolder(1) + "holiday.jpg"));
}
