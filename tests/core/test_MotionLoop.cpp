#include "core/MotionLoop.h"
#include "core/SettingsRecord.h"
#include "platform/WinTimer.h"

#include <gtest/gtest.h>

#include <QImage>
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
        *log << QStringLiteral("poll %1 timer %2").arg(c).arg(timer->Enabled() ? "on" : "off");
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
        h.Panel4FontRed = [this] { return panel4Red; };
        h.SetPanel4FontRed = [this](bool red) { panel4Red = red; };
        h.Panel4Caption = [] { return QStringLiteral("Motion"); };
        h.LogAllowed = [this] { return logAllowed; };
        h.ShowwTicked = [this] { return showw; };
        h.AlarmTicked = [this] { return alarm; };
        h.PlayAlarmSound = [this] { log << QStringLiteral("alarm"); };
        h.SaveMotionPicture = [this](platform::PictureCanvas& image, int c) {
            log << QStringLiteral("save %1 %2x%3 timer %4")
                       .arg(c)
                       .arg(image.Width())
                       .arg(image.Height())
                       .arg(timer.Enabled() ? "on" : "off");
            if (failSaves)
                throw std::runtime_error("disk full");
        };
        h.PictureCountTotal = [] { return 41; };
        h.GroupBox1Top = [] { return 35; };
        h.FormatLastImageCaption = [](int c) { return QStringLiteral("last %1").arg(c); };
        h.SetGroupBox1Caption = [this](const QString& t) { log << "GroupBox1 " + t; };
        h.SetCameraGroupBoxCaption = [this](const QString& t) { log << "CameraGroupBox " + t; };
        h.ReportError = [this](const QString& t) { errors << t; };
        timer.SetInterval(400);
        timer.SetEnabled(true);
    }

    // Two still polls, so the next change in camera c's zone is motion.
    void Prime() {
        loop.MotionTimeTimer();
        loop.MotionTimeTimer();
        log.clear();
    }
    void LightZone(int c) { cameras.frames[size_t(c - 1)] = Frame(Qt::white); }

    SettingsRecord settings;
    LoggingCameras cameras;
    platform::WinTimer timer;
    MotionDetector detector{settings, cameras};
    MotionLoop loop{detector, cameras, timer};
    QStringList log;
    QStringList errors;
    bool panel4Red = true;
    bool logAllowed = true;
    bool showw = false;
    bool alarm = false;
    bool failSaves = false;
};

} // namespace

TEST_F(LoopTest, PollsCameraOneFirstWithTheTimerOffUntilCameraTwoIsDone) {
    Prime();
    loop.MotionTimeTimer();
    EXPECT_EQ(log, (QStringList{"poll 1 timer off", "poll 2 timer off"}));
    EXPECT_TRUE(timer.Enabled());

    // Motion on camera 1: its reaction would switch the timer on, yet camera 2's poll still
    // runs with it off.
    log.clear();
    LightZone(1);
    loop.MotionTimeTimer();
    ASSERT_EQ(log.size(), 5);
    EXPECT_EQ(log[0], "poll 1 timer off");
    EXPECT_EQ(log[3], "save 1 320x240 timer off");
    EXPECT_EQ(log[4], "poll 2 timer off");
    EXPECT_TRUE(timer.Enabled());

    // Unwatched cameras are not polled: zone box off, or not previewing.
    log.clear();
    cameras.zoneOn[0] = false;
    cameras.previewing[1] = false;
    loop.MotionTimeTimer();
    EXPECT_TRUE(log.isEmpty());
    EXPECT_TRUE(timer.Enabled());
}

TEST_F(LoopTest, BlinksThePanelOnEveryTick) {
    cameras.previewing = {false, false};
    loop.MotionTimeTimer();
    EXPECT_FALSE(panel4Red);
    loop.MotionTimeTimer();
    EXPECT_TRUE(panel4Red);
}

TEST_F(LoopTest, MotionSoundsSavesAndCaptionsInEachCamerasOrder) {
    alarm = true;
    Prime();
    LightZone(1);
    LightZone(2);
    loop.MotionTimeTimer();
    // Camera 1 captions before saving, camera 2 after.
    EXPECT_EQ(log, (QStringList{"poll 1 timer off", "alarm", "GroupBox1 last 1",
                                "CameraGroupBox last 1", "save 1 320x240 timer off",
                                "poll 2 timer off", "alarm", "save 2 320x240 timer off",
                                "GroupBox1 last 2", "CameraGroupBox last 2"}));

    // Without LogAllowed nothing is saved or captioned; the alarm still sounds.
    logAllowed = false;
    log.clear();
    loop.MotionTimeTimer(); // the count jumps back: motion again
    EXPECT_EQ(log, (QStringList{"poll 1 timer off", "alarm", "poll 2 timer off", "alarm"}));
    EXPECT_TRUE(timer.Enabled());
}

TEST_F(LoopTest, CaptionRulesByGroupBoxPlaceAndCompactScreen) {
    int top = 0;
    int height = 250;
    bool compact = false;
    QString panel4 = "Motion";
    MotionLoopHooks& h = loop.Hooks();
    h.GroupBox1Top = [&] { return top; };
    h.GroupBox1Height = [&] { return height; };
    h.CompactScreen = [&] { return compact; };
    h.Panel4Caption = [&] { return panel4; };
    h.SaveMotionPicture = nullptr;
    cameras.previewing[1] = false;
    EXPECT_EQ(loop.NextPictureNumberText(), "000042");

    auto captionsAfterMotion = [&] {
        Prime();
        LightZone(1);
        loop.MotionTimeTimer();
        cameras.frames[0] = Frame(Qt::darkGray);
        log.removeAll("poll 1 timer off");
        return log;
    };
    EXPECT_EQ(captionsAfterMotion(), (QStringList{"GroupBox1 last 1", "CameraGroupBox last 1"}));
    compact = true;
    EXPECT_EQ(captionsAfterMotion(), (QStringList{"GroupBox1 last 1", "CameraGroupBox 000042"}));
    height = 200;
    EXPECT_EQ(captionsAfterMotion(), QStringList{"GroupBox1 000042"});
    panel4 = "Stopped";
    EXPECT_EQ(captionsAfterMotion(), QStringList{});
    // Not at the top: Panel4's caption does not matter.
    top = 35;
    EXPECT_EQ(captionsAfterMotion(), (QStringList{"GroupBox1 last 1", "CameraGroupBox 000042"}));
    compact = false;
    EXPECT_EQ(captionsAfterMotion(), (QStringList{"GroupBox1 last 1", "CameraGroupBox last 1"}));

    // Camera 2 captions only while Panel4 reads "Motion".
    cameras.previewing = {false, true};
    auto camera2Captions = [&] {
        Prime();
        LightZone(2);
        loop.MotionTimeTimer();
        cameras.frames[1] = Frame(Qt::darkGray);
        log.removeAll("poll 2 timer off");
        return log;
    };
    EXPECT_EQ(camera2Captions(), QStringList{});
    panel4 = "Motion";
    compact = true;
    EXPECT_EQ(camera2Captions(), (QStringList{"GroupBox1 last 2", "CameraGroupBox 000042"}));
}

TEST_F(LoopTest, ShowwShowsTheZoneWindowOnceWithTheTimerOff) {
    showw = true;
    panel4Red = false;
    bool checkBox1 = false;
    QList<int> untickedTargets;
    std::array<bool, 2> windowUp{false, false};
    QStringList shown;
    int settingsWritten = 0;
    MotionLoopHooks& h = loop.Hooks();
    h.TickCheckBox1 = [&] { checkBox1 = true; };
    h.UntickTarget = [&](int c) { untickedTargets << c; };
    h.GatherAndSaveSettings = [&] { ++settingsWritten; };
    h.WriteSettingsFile = [&] { settingsWritten += 10; };
    detector.Hooks().ZoneWindowVisible = [&](int c) { return windowUp[size_t(c - 1)]; };
    h.ShowZoneWindowModal = [&](int c) {
        shown << QStringLiteral("window %1 timer %2").arg(c).arg(timer.Enabled() ? "on" : "off");
        windowUp[size_t(c - 1)] = true;
        // The window's activation switches the timer on; a tick with motion (the same count
        // jumping back) arrives while the window is up.
        timer.SetEnabled(true);
        loop.MotionTimeTimer();
        windowUp[size_t(c - 1)] = false;
    };
    cameras.previewing[1] = false;
    Prime();
    LightZone(1);
    loop.MotionTimeTimer();
    EXPECT_EQ(shown, QStringList{"window 1 timer off"});
    EXPECT_TRUE(checkBox1);
    EXPECT_FALSE(panel4Red);
    EXPECT_EQ(untickedTargets, (QList<int>{1, 1})); // the nested motion too
    EXPECT_EQ(settingsWritten, 0);
    EXPECT_TRUE(timer.Enabled());

    // Camera 2: the lock box is left alone, and the settings are saved after the window.
    checkBox1 = false;
    shown.clear();
    cameras.previewing = {false, true};
    Prime();
    LightZone(2);
    loop.MotionTimeTimer();
    EXPECT_EQ(shown, QStringList{"window 2 timer off"});
    EXPECT_FALSE(checkBox1);
    EXPECT_EQ(settingsWritten, 11); // once: not for the nested motion that showed nothing
    EXPECT_TRUE(timer.Enabled());
}

TEST_F(LoopTest, OwnReactionLeavesTheTimerOffWhileAModalWindowIsUp) {
    bool mainEnabled = false;
    loop.Hooks().MainWindowEnabled = [&] { return mainEnabled; };
    cameras.previewing[1] = false;
    Prime();
    LightZone(1);
    loop.OnCamera1Motion();
    EXPECT_FALSE(timer.Enabled());
    mainEnabled = true;
    loop.OnCamera1Motion(); // the count jumps back: motion again

    EXPECT_TRUE(timer.Enabled());
}

TEST_F(LoopTest, FailingSaveLeavesTheTimerRunningAndIsReportedOnce) {
    failSaves = true;
    Prime();
    LightZone(1);
    LightZone(2);
    for (int i = 0; i < 2; ++i) { // the change, then the count jumping back
        loop.MotionTimeTimer();
        EXPECT_TRUE(timer.Enabled());
        // Camera 2 is still polled after camera 1's failure.
        EXPECT_TRUE(log.contains("save 2 320x240 timer off"));
        log.clear();
    }
    ASSERT_EQ(errors.size(), 2); // once per camera
    EXPECT_TRUE(errors[0].contains("camera 1"));
    EXPECT_TRUE(errors[0].contains("disk full"));
    EXPECT_TRUE(errors[1].contains("camera 2"));

    // A poll that goes through re-arms the report.
    failSaves = false;
    cameras.frames = {Frame(Qt::black), Frame(Qt::black)};
    loop.MotionTimeTimer();
    failSaves = true;
    loop.MotionTimeTimer();
    EXPECT_EQ(errors.size(), 4);

    // Directly, too: the reaction's own way out switches the timer back on.
    cameras.frames = {Frame(Qt::white), Frame(Qt::white)};
    EXPECT_THROW(loop.OnCamera1Motion(), std::runtime_error);
    EXPECT_TRUE(timer.Enabled());
}
