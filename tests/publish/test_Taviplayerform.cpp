#include "core/MessageBox.h"
#include "publish/Taviplayerform.h"
#include "support/AviReadback.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTest>

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
    Taviplayerform form;
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    QSignalSpy closed(&form, &Taviplayerform::Closed);
    form.PlayAviFile(dir.file("ten.avi"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.isFullScreen());
    EXPECT_EQ(form.geometry(), QGuiApplication::primaryScreen()->geometry());
    ASSERT_TRUE(WaitFor([&] { return !form.Panel1->Frame().isNull(); }));
    EXPECT_EQ(form.Panel1->Frame().size(), QSize(32, 24));
    EXPECT_EQ(form.Panel1->geometry(), form.rect()); // the panel fills the window
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
    Taviplayerform form;
    form.PlayAviFile(dir.file("long.avi"));
    ASSERT_TRUE(WaitFor([&] { return form.Player().FramesShown() > 0; }));
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.IsPlaying());

    form.PlayAviFile(dir.file("long.avi"));
    ASSERT_TRUE(WaitFor([&] { return form.Player().FramesShown() > 0; }));
    QTest::mouseClick(form.Panel1, Qt::LeftButton);
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
    Taviplayerform form;
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
