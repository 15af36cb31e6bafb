#include "core/MessageBox.h"
#include "core/SaveFileNameAsker.h"
#include "platform/AviWriter.h"
#include "publish/AviCompressionDialog.h"
#include "publish/AviPanel.h"
#include "publish/AviPlayerWindow.h"
#include "support/AviReadback.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
    }
    void TearDown() override {
        SetMessageBoxHandler([](const QString& text) {
            std::fprintf(stderr, "[message box] %s\n", qPrintable(text));
        });
    }
    TempProgramFolder dir;
    QStringList messages;
};

} // namespace

TEST_F(PlayerTest, FilmPlaysFullScreenToItsEndAndTheWindowClosesByItself) {
    ASSERT_TRUE(WritePatternFilm(dir.file("ten.avi"), 10));
    AviPlayerWindow form;
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    QSignalSpy closed(&form, &AviPlayerWindow::Closed);
    form.PlayAviFile(dir.file("ten.avi"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.isFullScreen());
    EXPECT_EQ(form.geometry(), QGuiApplication::primaryScreen()->geometry());
    ASSERT_TRUE(WaitFor([&] { return !form.videoPanel->Frame().isNull(); }));
    EXPECT_EQ(form.videoPanel->Frame().size(), QSize(32, 24));
    EXPECT_EQ(form.videoPanel->geometry(), form.rect()); // the panel fills the window
    ASSERT_TRUE(WaitFor([&] { return !form.isVisible(); }));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form.IsPlaying());
    EXPECT_GE(form.Player().FramesShown(), 5u);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();

    // The same window plays the next film.
    form.PlayAviFile(dir.file("ten.avi"));
    EXPECT_TRUE(form.isVisible());
    ASSERT_TRUE(WaitFor([&] { return !form.isVisible(); }));
    EXPECT_EQ(closed.count(), 2);
}

TEST_F(PlayerTest, EscapeOrAClickStopsAndClosesAtOnce) {
    ASSERT_TRUE(WritePatternFilm(dir.file("long.avi"), 300)); // 30 seconds
    AviPlayerWindow form;
    form.PlayAviFile(dir.file("long.avi"));
    ASSERT_TRUE(WaitFor([&] { return form.Player().FramesShown() > 0; }));
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.IsPlaying());
    // The last picture is let go with the play.
    EXPECT_TRUE(form.Player().CurrentFrame().isNull() && form.videoPanel->Frame().isNull());

    form.PlayAviFile(dir.file("long.avi"));
    ASSERT_TRUE(WaitFor([&] { return form.Player().FramesShown() > 0; }));
    QTest::mouseClick(form.videoPanel, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.IsPlaying());
    // Nothing arrives from the stopped play.
    QTest::qWait(300);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(PlayerTest, DamagedOrMissingFileIsToldAndTheWindowCloses) {
    ASSERT_TRUE(WritePatternFilm(dir.file("good.avi"), 10));
    QByteArray bytes = ReadAll(dir.file("good.avi"));
    ASSERT_TRUE(WriteAll(dir.file("damaged.avi"), bytes.left(12) + QByteArray(3000, '\x5A')));
    AviPlayerWindow form;
    form.PlayAviFile(dir.file("damaged.avi"));
    ASSERT_TRUE(WaitFor([&] { return !messages.isEmpty(); }));
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.IsPlaying());
    EXPECT_FALSE(messages.first().isEmpty());
    EXPECT_FALSE(messages.first().startsWith("File not found")) << messages.first().toStdString();

    messages.clear();
    form.PlayAviFile(dir.file("nothing.avi"));
    EXPECT_EQ(messages, QStringList{"File not found: " + dir.file("nothing.avi")});
    EXPECT_FALSE(form.isVisible());
}

TEST_F(PlayerTest, PanelControlsBindToTheRulesAndCancellingTheCompressionWritesNothing) {
    AviPanel panel;
    QStringList rows;
    for (int i = 0; i < 3; ++i) {
        rows << QStringLiteral("00000%1.jpg").arg(i);
        ASSERT_TRUE(WritePatternJpeg(dir.file(rows.last()), 32, 24, i));
    }
    QStringList played;
    int focused = 0;
    AviPanelHooks hooks;
    hooks.Rows = [&] { return rows; };
    hooks.SelectedRows = [] { return QList<int>{0, 2}; };
    hooks.Folder = [&] { return dir.path(); };
    hooks.AskSaveFileName = [&] { return dir.file("out/film"); };
    hooks.PlayFile = [&](const QString& path) { played << path; };
    hooks.FocusList = [&] { ++focused; };
    panel.SetHooks(hooks);
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    panel.Logic().OpenAviPanel();

    // Ticked: our compression dialog is asked, Motion JPEG at 90 first; Cancel writes nothing.
    panel.compressionBox->setChecked(true);
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<AviCompressionDialog*>(QApplication::activeModalWidget());
        sawDialog = dialog && dialog->motionJpegRadio->isChecked() && dialog->qualitySlider->value() == 90;
        if (dialog)
            dialog->reject();
    });
    panel.createButton->click();
    EXPECT_TRUE(sawDialog);
    EXPECT_FALSE(panel.Logic().IsCreating());
    EXPECT_TRUE(QDir(dir.file("out")).isEmpty());

    // Accepted: Motion JPEG of the two selected pictures; Create cannot start a second one meanwhile.
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<AviCompressionDialog*>(QApplication::activeModalWidget())) {
            dialog->qualitySlider->setValue(60);
            dialog->accept();
        }
    });
    panel.createButton->click();
    EXPECT_FALSE(panel.createButton->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return !panel.Logic().IsCreating(); }));
    EXPECT_TRUE(panel.createButton->isEnabled());
    EXPECT_EQ(panel.Logic().CurrentAvi(), dir.file("out/film.avi"));
    const QByteArray file = ReadAll(dir.file("out/film.avi"));
    RiffChunk root;
    QString why;
    ASSERT_TRUE(ParseRiff(file, &root, &why)) << why.toStdString();
    EXPECT_EQ(file.mid(root.Find("strh")->DataOffset() + 4, 4), "MJPG");
    EXPECT_EQ(root.Find("movi")->Children.size(), 2);

    panel.playButton->click();
    EXPECT_EQ(played, QStringList{dir.file("out/film.avi")});
    panel.closeButton->click();
    EXPECT_TRUE(panel.isHidden());
    EXPECT_EQ(focused, 1);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();

    // The station's save dialog takes the place of ours when it is given; its Cancel ends it.
    struct Asker : SaveFileNameAsker {
        int asked = 0;
        QString AskSaveFileName(const QString&, const QString&, const QString&) override {
            ++asked;
            return {};
        }
    } asker;
    hooks.AskSaveFileName = nullptr;
    panel.SetHooks(hooks);
    panel.SetSaveFileNameAsker(&asker);
    panel.compressionBox->setChecked(false);
    panel.createButton->click();
    EXPECT_EQ(asker.asked, 1);
    EXPECT_FALSE(panel.Logic().IsCreating());
}
