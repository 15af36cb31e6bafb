#include "core/CaptionChoices.h"
#include "core/MotionBindings.h"
#include "core/MotionLoop.h"
#include "core/PictureCaption.h"
#include "core/SettingsRecord.h"
#include "platform/WinTimer.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <array>
#include <stdexcept>

namespace {

QImage Frame(QColor c) {
    QImage image(320, 240, QImage::Format_RGB888);
    image.fill(c);
    return image;
}

// Cameras whose frame reads are logged with the timer's state at that moment.
struct LoggingCameras : MotionCameras {
    platform::WinTimer* timer = nullptr;
    QStringList* log = nullptr;
    std::array<bool, 2> previewing{true, true};
    std::array<bool, 2> zoneOn{true, true};
    std::array<QImage, 2> frames{Frame(Qt::darkGray), Frame(Qt::darkGray)};

    bool IsPreviewing(int c) const override { return previewing[size_t(c - 1)]; }
    bool ZoneOn(int c) const override { return zoneOn[size_t(c - 1)]; }
    ZoneRect Zone(int) const override { return ZoneRect{20, 20, 60}; }
    QImage ImageBitmap(int c) const override {
        *log << QStringLiteral("poll %1 %2").arg(c).arg(timer->Enabled() ? "on" : "off");
        return frames[size_t(c - 1)];
    }
};

class LoopTest : public ::testing::Test {
protected:
    LoopTest() {
        settings.Sensitivity1 = settings.Sensitivity2 = 1000;
        cameras.timer = &timer;
        cameras.log = &log;
        MotionLoopHooks& h = loop.Hooks();
        h.SurveillanceButtonFontRed = [this] { return surveillanceButtonRed; };
        h.SetSurveillanceButtonFontRed = [this](bool red) { surveillanceButtonRed = red; };
        h.SurveillanceButtonCaption = [this] { return surveillanceCaption; };
        h.LogAllowed = [this] { return logAllowed; };
        h.ShowOnMotionTicked = [this] { return showOnMotion; };
        h.AlarmTicked = [] { return true; };
        h.PlayAlarmSound = [this] { log << QStringLiteral("alarm"); };
        h.SaveMotionPicture = [this](platform::PictureCanvas& image, int c) {
            log << QStringLiteral("save %1 %2 %3")
                       .arg(c)
                       .arg(image.Width())
                       .arg(timer.Enabled() ? "on" : "off");
            if (failSaves)
                throw std::runtime_error("disk full");
        };
        h.PictureCountTotal = [] { return 41; };
        h.CameraAreaTop = [this] { return top; };
        h.CameraAreaHeight = [this] { return height; };
        h.CompactScreen = [this] { return compact; };
        h.FormatLastImageCaption = [](int c) { return QStringLiteral("last %1").arg(c); };
        h.SetCameraAreaCaption = [this](const QString& t) { log << "cameraAreaBox " + t; };
        h.SetCameraGroupBoxCaption = [this](const QString& t) { log << "cameraBox " + t; };
        h.ReportError = [this](const QString& t) { errors << t; };
        timer.SetInterval(400);
        timer.SetEnabled(true);
    }

    // Two still ticks, so the next change in a zone is motion.
    void Prime() {
        loop.MotionTimerTick();
        loop.MotionTimerTick();
        log.clear();
    }
    // A tick after the watched zones changed.
    QStringList MotionTick(QColor c = Qt::white) {
        Prime();
        cameras.frames = {Frame(c), Frame(c)};
        loop.MotionTimerTick();
        return log;
    }

    SettingsRecord settings;
    LoggingCameras cameras;
    platform::WinTimer timer;
    MotionDetector detector{settings, cameras};
    MotionLoop loop{detector, cameras, timer};
    QStringList log, errors;
    QString surveillanceCaption = "Motion";
    bool surveillanceButtonRed = true, logAllowed = true, showOnMotion = false, failSaves = false, compact = false;
    int top = 35, height = 250;
};

} // namespace

TEST_F(LoopTest, CameraOneFirstWithTheTimerOffUntilCameraTwoIsDone) {
    Prime();
    loop.MotionTimerTick();
    EXPECT_EQ(log, (QStringList{"poll 1 off", "poll 2 off"}));
    EXPECT_TRUE(timer.Enabled());
    EXPECT_FALSE(surveillanceButtonRed); // blinked three times

    // Camera 1 captions before its save, camera 2 after; camera 1's reaction switching the
    // timer on does not let camera 2's poll run with it on.
    EXPECT_EQ(MotionTick(), (QStringList{"poll 1 off", "alarm", "cameraAreaBox last 1",
                                         "cameraBox last 1", "save 1 320 off", "poll 2 off",
                                         "alarm", "save 2 320 off", "cameraAreaBox last 2",
                                         "cameraBox last 2"}));
    EXPECT_TRUE(timer.Enabled());

    // No LogAllowed: no save, no captions. Unwatched cameras are not polled.
    logAllowed = false;
    EXPECT_EQ(MotionTick(Qt::black), (QStringList{"poll 1 off", "alarm", "poll 2 off", "alarm"}));
    log.clear();
    cameras.zoneOn[0] = false;
    cameras.previewing[1] = false;
    loop.MotionTimerTick();
    EXPECT_TRUE(log.isEmpty());
    EXPECT_TRUE(timer.Enabled());
}

TEST_F(LoopTest, ShowOnMotionShowsTheZoneWindowOnceAndOnlyThenLeavesTheTimerOff) {
    showOnMotion = true;
    bool lockBoxTicked = false;
    QList<int> untickedTargets;
    std::array<bool, 2> windowUp{false, false};
    QStringList shown;
    int settingsSaved = 0;
    MotionLoopHooks& h = loop.Hooks();
    h.TickLockBox = [&] { lockBoxTicked = true; };
    h.UntickTarget = [&](int c) { untickedTargets << c; };
    h.GatherAndSaveSettings = [&] { ++settingsSaved; };
    h.WriteSettingsFile = [&] { settingsSaved += 10; };
    detector.Hooks().ZoneWindowVisible = [&](int c) { return windowUp[size_t(c - 1)]; };
    h.ShowZoneWindowModal = [&](int c) {
        shown << QStringLiteral("window %1 %2").arg(c).arg(timer.Enabled() ? "on" : "off");
        windowUp[size_t(c - 1)] = true;
        // The window's activation switches the timer on; a tick with motion (the count
        // jumping back) arrives while it is up.
        timer.SetEnabled(true);
        loop.MotionTimerTick();
        windowUp[size_t(c - 1)] = false;
    };
    cameras.previewing[1] = false;
    MotionTick();
    EXPECT_EQ(shown, QStringList{"window 1 off"});
    EXPECT_TRUE(lockBoxTicked && !surveillanceButtonRed && timer.Enabled());
    EXPECT_EQ(untickedTargets, (QList<int>{1, 1}));
    EXPECT_EQ(settingsSaved, 0);

    // Camera 2 leaves the lock box alone and saves the settings after its window closed.
    lockBoxTicked = false;
    shown.clear();
    cameras.previewing = {false, true};
    MotionTick(Qt::black);
    EXPECT_EQ(shown, QStringList{"window 2 off"});
    EXPECT_FALSE(lockBoxTicked);
    EXPECT_EQ(settingsSaved, 11);

    // Without showOnMotionBox the reaction itself leaves the timer off only while a modal window is up.
    showOnMotion = false;
    bool mainEnabled = false;
    h.MainWindowEnabled = [&] { return mainEnabled; };
    cameras.frames[0] = Frame(Qt::white);
    cameras.previewing = {true, false};
    loop.MotionTimerTick();
    loop.MotionTimerTick();
    cameras.frames[0] = Frame(Qt::black);
    loop.OnCameraMotion(1);
    EXPECT_FALSE(timer.Enabled());
    mainEnabled = true;
    loop.OnCameraMotion(1); // the count jumps back: motion again
    EXPECT_TRUE(timer.Enabled());
}

TEST_F(LoopTest, FailingSaveLeavesTheTimerRunningAndIsReportedOnce) {
    failSaves = true;
    MotionTick();
    EXPECT_TRUE(log.contains("save 2 320 off")); // camera 2 still polled after camera 1 failed
    loop.MotionTimerTick();                       // fails again: the count jumps back
    EXPECT_EQ(log.count("save 1 320 off"), 2);
    EXPECT_TRUE(timer.Enabled());
    ASSERT_EQ(errors.size(), 2); // once per camera
    EXPECT_TRUE(errors[0].contains("camera 1") && errors[0].contains("disk full") && errors[1].contains("camera 2"));

    // A poll that goes through re-arms the report.
    failSaves = false;
    cameras.frames = {Frame(Qt::black), Frame(Qt::black)};
    loop.MotionTimerTick();
    failSaves = true;
    loop.MotionTimerTick();
    EXPECT_EQ(errors.size(), 4);

    // Called directly, the reaction's own way out switches the timer back on.
    cameras.frames = {Frame(Qt::white), Frame(Qt::white)};
    EXPECT_THROW(loop.OnCameraMotion(1), std::runtime_error);
    EXPECT_TRUE(timer.Enabled());
}

TEST_F(LoopTest, TheSavedPictureIsStampedOnceOnTheFrameAsItCame) {
    CaptionChoices choices;
    choices.transparent = true;
    settings.CaptionTransparent = true; // a "No Background" preset: a second stamp shows through
    PictureCaptions captions(settings, choices);
    const QDateTime start(QDate(2026, 3, 1), QTime(18, 39, 59));
    int reads = 0;
    captions.Hooks().now = [&] { return start.addSecs(reads++); }; // every stamp a second on
    BindMotionDrawing(detector, captions, choices, settings, cameras);
    const auto stamp = [&](platform::PictureCanvas& image, int c) { // as the picture store does
        captions.ApplyCaptionFont(image);
        captions.DrawPictureCaption(image, c);
        captions.ApplyCaptionColors(image);
    };
    QImage saved;
    QDateTime savedAt;
    loop.Hooks().SaveMotionPicture = [&](platform::PictureCanvas& image, int c) {
        savedAt = start.addSecs(reads);
        stamp(image, c);
        saved = image.Image().copy();
    };
    cameras.zoneOn[1] = false;
    MotionTick(Qt::black);
    ASSERT_FALSE(saved.isNull());

    // One stamp, at the time of saving, on the black frame the camera delivered.
    platform::PictureCanvas reference(Frame(Qt::black));
    captions.Hooks().now = [&] { return savedAt; };
    stamp(reference, 1);
    EXPECT_EQ(saved, reference.Image());
    EXPECT_NE(saved, Frame(Qt::black));
    EXPECT_EQ(detector.Frame(1), Frame(Qt::black)); // the kept frame was not drawn on
}
