// Time-lapse in the station: the start-up sequence, and the built station run as its own
// process on a test-pattern camera.
#include "MainWindowFixture.h"

#include "app/StationTimeLapse.h"
#include "core/CaptionChoices.h"
#include "core/PictureCaption.h"

#include "core/Helpers.h"
#include "core/SettingsStore.h"
#include "support/StationCopy.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using TestSupport::WaitFor;

namespace {

QFileInfoList Pictures(const QString& folder) {
    return QDir(folder).entryInfoList({"*.jpg"}, QDir::Files, QDir::Time | QDir::Reversed);
}

} // namespace

TEST_F(MainWindowFixture, StartupTimeLapseNeverArmsAZeroInterval) {
    WriteSettings([](SettingsRecord& r) {
        r.AutoStart1 = true;
        r.StartTimeLapseAtStart = true;
        r.TimeLapseSeconds = 0;
    });
    // Time-lapse as the start-up sequence tells it that both timers are armed.
    struct StartedLink : TimeLapseLink {
        std::function<void()> started;
        void ResetTimeLapseWorkingValues() override {}
        void TimeLapseTick() override {}
        void TimeLapseFlasherTick() override {}
        bool TimeLapseWorking() const override { return false; }
        void TimeLapseButtonClick() override {}
        void TimeLapseStarted() override { started(); }
    } told;
    bool timersOnWhenTold = false;
    told.started = [&] {
        timersOnWhenTold = mainWindow->timeLapseTimer.Enabled() && mainWindow->timeLapseFlashTimer.Enabled();
        events << "TimeLapseStarted";
    };
    links.timeLapse = &told;
    devices = 1;
    Start();
    ASSERT_TRUE(WaitFor([&] { return events.contains("TimeLapseStarted"); }));
    EXPECT_EQ(mainWindow->timeLapseTimer.Interval(), 1000);
    EXPECT_TRUE(timersOnWhenTold);
}

TEST_F(MainWindowFixture, TimeLapseBindsTheButtonFlasherAndCaptionStatistics) {
    Start();
    PictureStore pictures(*store);
    CaptionChoices choices;
    PictureCaptions captions(store->Record(), choices);
    StationTimeLapse timeLapse(*mainWindow, *store, links, pictures, captions);
    links.timeLapse = &timeLapse;

    mainWindow->timeLapseButton->click(); // no camera runs
    EXPECT_EQ(messages, QStringList({TimeLapse::kStartCameraText}));

    timeLapse.Controller().Values().floorMB = -100000000; // far below any drive's free space
    mainWindow->diskControlBox->setChecked(true);
    links.timeLapse->TimeLapseFlasherTick();
    EXPECT_TRUE(mainWindow->surveillanceBox->title().startsWith("Remaining MB`s "));

    mainWindow->timeLapseTimer.SetInterval(4000);
    mainWindow->timeLapseTimer.SetEnabled(true);
    timeLapse.Controller().Values().floorMB = 1234;
    const CaptionTimeLapse seen = captions.Hooks().timeLapse();
    EXPECT_TRUE(seen.enabled);
    EXPECT_EQ(seen.intervalMs, 4000);
    EXPECT_EQ(seen.reserveMB, 1234);
    mainWindow->timeLapseTimer.SetEnabled(false);
}

TEST(StationTimeLapse, StationSavesAPictureAboutEveryTwoSeconds) {
    TestSupport::StationCopy station;
    ASSERT_TRUE(station.Copied());
    {
        SettingsStore store(platform::ProgramFolder(station.Folder()), station.Executable(),
                            "/no-desktop");
        store.FirstRunInit();
        ASSERT_TRUE(store.LoadSettings());
        SettingsRecord& r = store.Record();
        r.AutoStart1 = true;
        r.HotZone1 = true;
        r.StartTimeLapseAtStart = true;
        r.TimeLapseSeconds = 2;
        ASSERT_TRUE(store.WriteSettingsFile());
    }
    station.Start();
    const QString cam1 = station.File("cam1/");
    const bool three = WaitFor([&] { return Pictures(cam1).size() >= 3; }, 60000);
    const QFileInfoList pictures = Pictures(cam1);
    station.Stop();
    ASSERT_TRUE(three) << station.Output().toStdString();
    // Two intervals at least lie between the first and the third: no burst.
    const qint64 spanMs = pictures[0].lastModified().msecsTo(pictures[2].lastModified());
    EXPECT_GE(spanMs, 3500) << spanMs;
    EXPECT_TRUE(Pictures(station.File("cam2/")).isEmpty());
}
