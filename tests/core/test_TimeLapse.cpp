#include "core/TimeLapse.h"

#include "core/DateTimeFormat.h"
#include "core/MessageBox.h"
#include "core/MotionDetector.h"
#include "core/PictureStore.h"
#include "core/SettingsStore.h"
#include "core/TransferBusy.h"
#include "platform/WinTimer.h"
#include "support/TestSupport.h"
#include "TimeLapseRig.h"

#include <QDir>
#include <QFileInfo>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <memory>

using TestSupport::TempProgramFolder;
using namespace timelapse;

namespace {

using namespace timelapse_test;

int PicturesOverTicks(Rig& rig, QDateTime from, const QDateTime& to, int stepSeconds) {
    int taken = 0;
    for (; from <= to; from = from.addSecs(stepSeconds)) {
        rig.now = from;
        const int before = rig.station.events.count("TakePic1");
        rig.lapse->TimeLapseTimerTick();
        const int pictures = rig.station.events.count("TakePic1") - before;
        EXPECT_LE(pictures, 1) << from.toString(Qt::ISODate).toStdString();
        taken += pictures;
    }
    return taken;
}

} // namespace

TEST(DailyTimeWindow, DayWindowOvernightWindowAndWholeDay) {
    // 08:00 (slot 48) to 17:00 (slot 102): the start itself is outside, the stop inside.
    EXPECT_FALSE(IsInWindow(true, 48, 102, At(8, 0)));
    EXPECT_TRUE(IsInWindow(true, 48, 102, At(8, 10)));
    EXPECT_TRUE(IsInWindow(true, 48, 102, At(17, 0)));
    EXPECT_FALSE(IsInWindow(true, 48, 102, At(17, 10)));
    EXPECT_TRUE(IsInWindow(false, 48, 102, At(17, 10)));
    // 22:00 (132) to 06:00 (36) runs overnight.
    EXPECT_TRUE(IsInWindow(true, 132, 36, At(23, 30)));
    EXPECT_TRUE(IsInWindow(true, 132, 36, At(3, 0)));
    EXPECT_FALSE(IsInWindow(true, 132, 36, At(12, 0)));
    // Stop 144 is "24:00": the window runs to the end of the day.
    EXPECT_TRUE(IsInWindow(true, 138, 144, At(23, 59)));
    EXPECT_FALSE(IsInWindow(true, 138, 144, At(0, 0)));
    // Start equal to stop is never inside.
    EXPECT_FALSE(IsInWindow(true, 60, 60, At(10, 5)));

    // Each camera has its own window flag.
    SettingsRecord record;
    record.TimeLapseStart2 = 48;
    record.TimeLapseStop2 = 102;
    record.TimeWindow2 = true;
    EXPECT_TRUE(IsInTimeLapseWindow(record, 1, At(20, 0)));
    EXPECT_FALSE(IsInTimeLapseWindow(record, 2, At(20, 0)));
}

TEST(TimeLapseEstimate, TextsForFixedSizesAndDisk) {
    EstimateInput in;
    in.intervalSeconds = 10;
    in.pictureSize[0] = 100000;
    in.pictureSize[1] = 50000;
    in.windowOn[0] = true; // 08:00-17:00: 54 slots
    in.startSlot[0] = 48;
    in.stopSlot[0] = 102;
    in.drive = *MakeDriveFigures(DiskBytes{50 * kGB, 100 * kGB});
    in.percent = 10;
    in.now = QDateTime(QDate(2026, 3, 4), QTime(12, 0), Qt::UTC);
    const Estimate e = ComputeEstimate(in);
    ASSERT_TRUE(e.complete);
    EXPECT_EQ(e.picsPerDay[0], "3240");
    EXPECT_EQ(e.picsPerDay[1], "8640");
    EXPECT_EQ(e.maxPics, "71583"); // 10 GB / 150000 B = 71582.79
    // 10 GB / (0.375 x 100000 + 50000) = 122713 ticks of 10 s.
    EXPECT_EQ(e.expires, FormatDateTime(kExpiryPattern, in.now.addSecs(1227130)));
    EXPECT_EQ(AllowedDiskFloorMB(in.drive, 10), 51200 - 10240);
}

TEST(TimeLapseEstimate, RoundsHalfToEvenAndStopsWithoutPictureSizes) {
    EstimateInput in;
    in.pictureSize[0] = 1000;
    in.windowOn[0] = true;
    in.startSlot[0] = 0;
    in.stopSlot[0] = 1; // 600 s a day
    in.drive = *MakeDriveFigures(DiskBytes{10 * kGB, 20 * kGB});
    in.intervalSeconds = 400; // 1.5
    EXPECT_EQ(ComputeEstimate(in).picsPerDay[0], "2");
    in.intervalSeconds = 240; // 2.5
    EXPECT_EQ(ComputeEstimate(in).picsPerDay[0], "2");
    in.intervalSeconds = 0; // counts as 1 s
    EXPECT_EQ(ComputeEstimate(in).picsPerDay[0], "600");
    EXPECT_EQ(ComputeEstimate(in).picsPerDay[1], "0");

    // Start equal to stop counts as the whole day; so does a disabled window.
    EXPECT_EQ(WindowSlots(true, 1000, 60, 60), 144);
    EXPECT_EQ(WindowSlots(false, 1000, 10, 20), 144);
    EXPECT_EQ(WindowSlots(true, 1000, 132, 36), 48);

    in.pictureSize[0] = 0;
    const Estimate none = ComputeEstimate(in);
    EXPECT_FALSE(none.complete);
    EXPECT_TRUE(none.maxPics.isEmpty() && none.expires.isEmpty());

    // A drive without a size has no figures; intervals stay within 1..32767 s.
    EXPECT_FALSE(MakeDriveFigures(DiskBytes{0, 0}));
    EXPECT_FALSE(MakeDriveFigures(std::nullopt));
    EXPECT_EQ(EffectiveInterval(-5), 1);
    EXPECT_EQ(EffectiveInterval(2147483647), 32767);
}

TEST(TimeLapseClock, WindowFollowsTheWallClockAcrossDaylightSaving) {
    const QTimeZone berlin("Europe/Berlin");
    ASSERT_TRUE(berlin.isValid());
    Rig rig;
    rig.Record().TimeWindow1 = true;
    // Spring: 02:00 CET jumps to 03:00 CEST. Window 01:00-03:00 wall clock.
    rig.Record().TimeLapseStart1 = 6;
    rig.Record().TimeLapseStop1 = 18;
    const QDateTime springFrom(QDate(2026, 3, 29), QTime(0, 30), Qt::UTC); // 01:30 CET
    EXPECT_EQ(PicturesOverTicks(rig, springFrom.toTimeZone(berlin), springFrom.addSecs(3600).toTimeZone(berlin), 60),
              31); // 01:30..01:59 and 03:00

    // Autumn: 03:00 CEST falls back to 02:00 CET; the hour 02:00-03:00 comes twice.
    rig.Record().TimeLapseStart1 = 12;
    rig.Record().TimeLapseStop1 = 18;
    const QDateTime autumnFrom(QDate(2026, 10, 25), QTime(0, 0), Qt::UTC); // 02:00 CEST
    EXPECT_EQ(PicturesOverTicks(rig, autumnFrom.toTimeZone(berlin), autumnFrom.addSecs(7200).toTimeZone(berlin), 60),
              119); // 02:01..02:59 twice and 03:00
}

TEST(TimeLapseClock, AClockSetBackNeitherRepeatsNorSkipsTicks) {
    Rig rig;
    rig.picture.SetEnabled(true);
    const int interval = rig.picture.Interval();
    for (int i = 0; i < 5; ++i) {
        rig.now = At(10, i);
        rig.lapse->TimeLapseTimerTick();
    }
    rig.now = At(9, 5); // set back an hour
    for (int i = 0; i < 5; ++i) {
        rig.now = rig.now.addSecs(2);
        rig.lapse->TimeLapseTimerTick();
    }
    EXPECT_EQ(rig.station.events.count("TakePic1"), 10);
    EXPECT_EQ(rig.Jpegs(1).size(), 10);
    EXPECT_EQ(rig.picture.Interval(), interval);
    EXPECT_TRUE(rig.picture.IsCounting());
}

TEST(TimeLapseButton, RefusesWithoutZoneCameraOrRoom) {
    Rig rig;
    rig.cameras.previewing[0] = false;
    rig.lapse->TimeLapseButtonClick();
    EXPECT_EQ(rig.messages, QStringList({TimeLapse::kStartCameraText}));
    EXPECT_EQ(rig.dialog.executed, 0);
    EXPECT_TRUE(rig.station.events.isEmpty());

    rig.cameras.previewing[0] = true;
    for (const std::optional<DiskBytes> disk :
         {std::optional<DiskBytes>(DiskBytes{1 * kGB, 100 * kGB}), std::optional<DiskBytes>(DiskBytes{0, 0}),
          std::optional<DiskBytes>()}) {
        rig.messages.clear();
        rig.station.events.clear();
        rig.disk = disk;
        rig.picture.SetEnabled(true);
        rig.flasher.SetEnabled(true);
        rig.station.surveillanceButtonColour = 99;
        rig.lapse->TimeLapseButtonClick();
        EXPECT_EQ(rig.messages, QStringList({TimeLapse::kNoRoomText}));
        EXPECT_EQ(rig.dialog.executed, 0);
        EXPECT_EQ(rig.station.surveillanceText, TimeLapse::kSurveillanceMethodText);
        EXPECT_FALSE(rig.picture.Enabled() || rig.flasher.Enabled() || rig.lapse->Working());
        EXPECT_EQ(rig.station.surveillanceButtonColour, TimeLapse::kBlack);
        EXPECT_EQ(rig.station.events, QStringList({"DialUpPause"}));
        EXPECT_FALSE(TransferBusy::IsBusy());
    }

    rig.disk = DiskBytes{50 * kGB, 100 * kGB};
    rig.messages.clear();
    rig.cameras.zone[0] = false;
    rig.lapse->TimeLapseButtonClick();
    EXPECT_EQ(rig.messages, QStringList({TimeLapse::kSelectZoneText}));
    EXPECT_FALSE(rig.picture.Enabled() || rig.flasher.Enabled());
}

TEST(TimeLapseButton, StartArmsTheTimersWithTheChosenValuesAndStopEndsIt) {
    Rig rig;
    rig.dialog.whileShown = [&] {
        rig.dialog.values.intervalText = "30";
        rig.dialog.values.percentLine = 4;
        rig.dialog.values.recycle = true;
    };
    rig.lapse->TimeLapseButtonClick();
    EXPECT_EQ(rig.dialog.percentCount, 49); // 50 % used
    EXPECT_TRUE(rig.messages.isEmpty());
    EXPECT_EQ(rig.lapse->Values().intervalSeconds, 30);
    EXPECT_EQ(rig.lapse->Values().percent, 5);
    EXPECT_TRUE(rig.Record().RecycleDiskSpace);
    EXPECT_EQ(rig.picture.Interval(), 30000);
    EXPECT_TRUE(rig.picture.Enabled() && rig.flasher.Enabled() && rig.lapse->Working());
    EXPECT_EQ(rig.lapse->Values().floorMB, 51200 - 5120);
    EXPECT_EQ(rig.dialog.allowable, "Available 46080");
    EXPECT_EQ(rig.lapse->Values().startTime, At(12, 0));
    // The sample picture of camera 1 was measured; camera 2 does not preview.
    EXPECT_GT(rig.lapse->Values().lastPictureSize[0], 0);
    EXPECT_EQ(rig.lapse->Values().lastPictureSize[1], 0);

    // An interval that reads 0 keeps the old one; an old one of 0 arms 1 s, never 0 ms.
    rig.lapse->Values().intervalSeconds = 0;
    rig.dialog.whileShown = [&] { rig.dialog.values.intervalText = "abc"; };
    rig.lapse->TimeLapseButtonClick();
    EXPECT_EQ(rig.picture.Interval(), 1000);
    // Beyond what the settings hold it stops at 32767 s, and the milliseconds never overflow.
    rig.dialog.whileShown = [&] { rig.dialog.values.intervalText = "99999999999"; };
    rig.lapse->TimeLapseButtonClick();
    EXPECT_EQ(rig.picture.Interval(), 32767000);

    rig.dialog.outcome = TimeLapseDialog::Outcome::Stop;
    rig.lapse->TimeLapseButtonClick();
    EXPECT_EQ(rig.station.surveillanceText, TimeLapse::kSurveillanceMethodText);
    EXPECT_FALSE(rig.picture.Enabled() || rig.flasher.Enabled() || rig.lapse->Working());
    EXPECT_EQ(rig.station.buttonColour, TimeLapse::kBlack);
}

TEST(TimeLapseButton, CloseRestoresIntervalPercentAndRecycle) {
    Rig rig;
    rig.lapse->Values().intervalSeconds = 7;
    rig.lapse->Values().percent = 20;
    rig.dialog.outcome = TimeLapseDialog::Outcome::Close;
    rig.dialog.whileShown = [&] {
        rig.dialog.values.intervalText = "30";
        rig.dialog.values.recycle = true;
        rig.lapse->PercentChosen(4);
        rig.lapse->SaveTimeLapseSettings(rig.dialog.values); // leaving the dialog saves
    };
    rig.lapse->TimeLapseButtonClick();
    EXPECT_EQ(rig.lapse->Values().intervalSeconds, 7);
    EXPECT_EQ(rig.lapse->Values().percent, 20);
    EXPECT_FALSE(rig.Record().RecycleDiskSpace);
    EXPECT_FALSE(rig.picture.Enabled());
    EXPECT_EQ(rig.station.events, QStringList({"DialUpPause"}));
    EXPECT_TRUE(rig.dialog.busyWhileShown);
    EXPECT_FALSE(TransferBusy::IsBusy());
    EXPECT_FALSE(rig.FileRecord().RecycleDiskSpace);
    EXPECT_EQ(rig.FileRecord().TimeLapseSeconds, 30);
}

TEST(TimeLapseFlasher, ShowsRemainingBlinksAndStopsAtTheReserve) {
    Rig rig;
    rig.lapse->Values().floorMB = 51200 - 3;
    rig.lapse->TimeLapseFlasherTimer();
    EXPECT_EQ(rig.station.surveillanceText, "Remaining MB`s 3");

    // Without the disk control box it only counts, below zero too.
    rig.station.diskControl = false;
    rig.lapse->Values().floorMB = 51200 + 5;
    rig.picture.SetEnabled(true);
    rig.lapse->TimeLapseFlasherTimer();
    EXPECT_EQ(rig.station.surveillanceText, "Remaining MB`s -5");
    EXPECT_TRUE(rig.picture.Enabled());

    rig.station.diskControl = true;
    rig.lapse->Values().floorMB = 51200;
    rig.flasher.SetEnabled(true);
    rig.motion.SetEnabled(true);
    rig.lapse->Values().active = true;
    rig.lapse->TimeLapseFlasherTimer();
    EXPECT_EQ(rig.station.events, QStringList({"Toggle"}));
    EXPECT_FALSE(rig.picture.Enabled() || rig.flasher.Enabled() || rig.motion.Enabled());
    EXPECT_FALSE(rig.lapse->Working());
    EXPECT_EQ(rig.station.surveillanceText, TimeLapse::kExpiredText);
    EXPECT_EQ(rig.station.surveillanceButtonColour, TimeLapse::kBlack);

    // A drive of size 0 shows nothing and stops nothing.
    rig.disk = DiskBytes{0, 0};
    rig.station.surveillanceText.clear();
    rig.picture.SetEnabled(true);
    rig.lapse->TimeLapseFlasherTimer();
    EXPECT_TRUE(rig.station.surveillanceText.isEmpty());
    EXPECT_TRUE(rig.picture.Enabled());
}

TEST(TimeLapseStartup, TakesTheStoredIntervalAndTheReserve) {
    Rig rig;
    rig.Record().TimeLapseSeconds = 0;
    rig.lapse->Values().percent = 40;
    rig.lapse->StartedAtStartup();
    EXPECT_EQ(rig.lapse->Values().intervalSeconds, 1);
    EXPECT_EQ(rig.lapse->Values().percent, 10);
    EXPECT_EQ(rig.lapse->Values().floorMB, 51200 - 10240);
    // The reserve then stops time-lapse when the share is used.
    rig.flasher.SetEnabled(true);
    rig.picture.SetEnabled(true);
    rig.disk = DiskBytes{40 * kGB, 100 * kGB};
    rig.lapse->TimeLapseFlasherTimer();
    EXPECT_EQ(rig.station.surveillanceText, TimeLapse::kExpiredText);
    EXPECT_FALSE(rig.picture.Enabled() || rig.flasher.Enabled());

    rig.lapse->Values().intervalSeconds = 0;
    rig.lapse->Values().active = true;
    rig.lapse->ResetWorkingValues();
    EXPECT_EQ(rig.lapse->Values().intervalSeconds, 2);
    EXPECT_EQ(rig.lapse->Values().percent, 10);
    EXPECT_FALSE(rig.lapse->Working());
}

TEST(TimeLapseTick, EachCameraByItsZoneButtonAndWindow) {
    Rig rig;
    rig.cameras.previewing[1] = true;
    rig.cameras.zone[1] = true;
    rig.lapse->TimeLapseTimerTick();
    EXPECT_EQ(rig.station.events, QStringList({"Captions 1", "TakePic1", "Captions 2"}));
    EXPECT_EQ(rig.Jpegs(1).size(), 1);
    EXPECT_EQ(rig.Jpegs(2).size(), 1);
    EXPECT_EQ(rig.lapse->Values().pictureCounter, 2);

    rig.station.events.clear();
    rig.station.camera1On = false;
    rig.Record().TimeWindow2 = true;
    rig.Record().TimeLapseStart2 = 48;
    rig.Record().TimeLapseStop2 = 102;
    rig.now = At(20, 0);
    rig.lapse->TimeLapseTimerTick();
    EXPECT_TRUE(rig.station.events.isEmpty());
    rig.now = At(10, 0);
    rig.cameras.zone[1] = false;
    rig.lapse->TimeLapseTimerTick();
    EXPECT_TRUE(rig.station.events.isEmpty());
}

TEST(TimeLapseSamples, SizeIsThatOfThePictureJustSaved) {
    Rig rig;
    rig.cameras.previewing[1] = true;
    // Names without prefix and numbers past 999999 do not sort by age.
    rig.pictures->SetPictureNamePrefix("");
    ASSERT_TRUE(TestSupport::WriteAll(rig.dir.path() + "cam1/counter.txt", "999999"));
    ASSERT_TRUE(TestSupport::WriteAll(rig.dir.path() + "cam2/zzz.jpg", QByteArray(100000, 'x')));
    rig.lapse->MeasureLastPictureSizes();
    const QString saved = rig.pictures->LastPicturePath();
    EXPECT_TRUE(saved.endsWith("cam2/Image1000001.jpg")) << saved.toStdString();
    EXPECT_EQ(rig.lapse->Values().lastPictureSize[1], QFileInfo(saved).size());
    EXPECT_EQ(rig.lapse->Values().lastPictureSize[0],
              QFileInfo(rig.dir.path() + "cam1/Image1000000.jpg").size());

    // A failed save gives 0.
    rig.pictures->Hooks().drawPictureCaption = [&](platform::PictureCanvas&, int camera) {
        QDir(rig.dir.path() + QString("cam%1/").arg(camera)).removeRecursively();
    };
    rig.lapse->MeasureLastPictureSizes();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(rig.lapse->Values().lastPictureSize[0] + rig.lapse->Values().lastPictureSize[1], 0);
}
