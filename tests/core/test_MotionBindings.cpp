#include "core/AlarmSound.h"
#include "core/CaptionChoices.h"
#include "core/MessageBox.h"
#include "core/MotionBindings.h"
#include "core/MotionDetector.h"
#include "core/MotionLoop.h"
#include "core/PictureCaption.h"
#include "core/PictureStore.h"
#include "core/SettingsStore.h"
#include "platform/WinTimer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>

#include <optional>

namespace {

// Camera 1 shows a grey scene with a white ball at a position the test moves.
struct BallCamera : MotionCameras {
    QPoint ball{10, 10};
    bool IsPreviewing(int c) const override { return c == 1; }
    bool ZoneOn(int c) const override { return c == 1; }
    ZoneRect Zone(int) const override { return ZoneRect{100, 100, 50}; }
    QImage ImageBitmap(int) const override {
        QImage frame(320, 240, QImage::Format_RGB888);
        frame.fill(QColor(60, 60, 60));
        QPainter(&frame).fillRect(QRect(ball, QSize(20, 20)), Qt::white);
        return frame;
    }
};

// The motion road without windows: camera frames, detector, loop, captions, picture store.
class MotionRoad : public ::testing::Test {
protected:
    MotionRoad()
        : settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/nonexistent-desktop"),
          alarm(platform::ProgramFolder(dir.path())) {
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
        settings.FirstRunInit();
        settings.Record().Sensitivity1 = 500;
        store.emplace(settings, [](const QString&) {
            return std::optional<DiskBytes>(DiskBytes{1LL << 40, 1LL << 41});
        });
        store->SetPictureNamePrefix("DESK");
        BindPictureCaptions(*store, captions);
        alarm.SetFallbackSound(dir.file("no-such-sound.oga"));
        BindMotionDrawing(detector, captions, choices, settings.Record(), camera);
        BindMotionPictures(loop, *store, alarm);
        loop.Hooks().LogAllowed = [] { return true; };
        loop.Hooks().SurveillanceButtonCaption = [] { return QStringLiteral("Motion"); };
        timer.SetEnabled(true);
    }
    ~MotionRoad() override { SetMessageBoxHandler({}); }

    QStringList Pictures() const {
        return QDir(dir.path() + "/cam1").entryList({"*.jpg"}, QDir::Files, QDir::Name);
    }

    TestSupport::TempProgramFolder dir;
    SettingsStore settings;
    std::optional<PictureStore> store;
    CaptionChoices choices;
    PictureCaptions captions{settings.Record(), choices};
    AlarmSound alarm;
    BallCamera camera;
    MotionDetector detector{settings.Record(), camera};
    platform::WinTimer timer{400, false};
    MotionLoop loop{detector, camera, timer};
    QStringList messages;
};

} // namespace

TEST_F(MotionRoad, BallCrossingTheZoneSavesPicturesWithNotesAndAStillBallNone) {
    for (int i = 0; i < 8; ++i)
        loop.MotionTimerTick();
    EXPECT_TRUE(Pictures().isEmpty());

    for (int x = 60; x <= 180; x += 10) {
        camera.ball = QPoint(x, 110);
        loop.MotionTimerTick();
    }
    const QStringList pictures = Pictures();
    ASSERT_FALSE(pictures.isEmpty());
    EXPECT_EQ(pictures.first(), "000001DESK.jpg");
    EXPECT_EQ(QDir(dir.path() + "/cam1").entryList({"*.txt"}, QDir::Files).size(), pictures.size() + 1); // + counter
    EXPECT_EQ(store->PictureCount(1), pictures.size());
    EXPECT_TRUE(timer.Enabled());
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();

    // Once the count has settled after the exit, a ball standing still saves nothing more.
    loop.MotionTimerTick();
    loop.MotionTimerTick();
    const qsizetype settled = Pictures().size();
    for (int i = 0; i < 8; ++i)
        loop.MotionTimerTick();
    EXPECT_EQ(Pictures().size(), settled);
}

TEST_F(MotionRoad, AFailedSaveIsToldWhileSurveillanceRuns) {
    // A file stands where the picture folder should be: no picture can be saved.
    ASSERT_TRUE(QDir(dir.path() + "cam1").removeRecursively());
    ASSERT_TRUE(TestSupport::WriteAll(dir.path() + "cam1", "not a folder"));
    settings.Record().Cam1Folder.clear();
    settings.SetCameraFolder(1, "");
    QList<bool> timerOnWhenTold;
    SetMessageBoxHandler([this, &timerOnWhenTold](const QString& text) {
        messages << text;
        timerOnWhenTold << timer.Enabled();
    });

    for (int x = 10; x <= 180; x += 10) {
        camera.ball = QPoint(x, 110);
        loop.MotionTimerTick();
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(messages.size(), 1) << messages.join("; ").toStdString();
    EXPECT_TRUE(messages[0].contains("could not be saved")) << messages[0].toStdString();
    // The modal message box must not hold the poll up: the timer ticks on behind it.
    EXPECT_TRUE(timerOnWhenTold[0]);
    EXPECT_TRUE(timer.Enabled());
}
