#include "app/SettingsCopy.h"
#include "core/PasswordScrambler.h"

#include <gtest/gtest.h>

using namespace SettingsCopy;

namespace {

OptionControlValues AppliedFrom(SettingsRecord& record) {
    OptionControlValues controls;
    ApplyToControls(record, EmailSettingsRecord(), controls);
    return controls;
}

QString Identity(const QString& s) { return s; }

} // namespace

TEST(SettingsCopy, SampleRateOutsideItsRangeShowsAndStores500) {
    const std::pair<qint16, int> cases[] = {{150, 500}, {800, 500}, {0, 500}, {-5, 500},
                                            {200, 200}, {400, 400}, {700, 700}};
    for (const auto& [stored, shown] : cases) {
        SettingsRecord record;
        record.SampleRateMs = stored;
        OptionControlValues controls = AppliedFrom(record);
        EXPECT_EQ(controls.sampleRateSlider, shown) << stored;
        GatherOptions(controls, record);
        EXPECT_EQ(record.SampleRateMs, shown) << stored;
    }
}

TEST(SettingsCopy, GuardedAlertFieldsKeepTheirValueOnBadText) {
    SettingsRecord record;
    record.AlertMaxImages = 7;
    record.AlertPeriodMinutes = 25;
    OptionControlValues controls = AppliedFrom(record);

    for (const char* bad : {"150", "100", "0", "-3", "", "abc"}) {
        controls.maxImagesCombo.text = bad;
        controls.minutesCombo.text = bad == QString("150") || bad == QString("100") ? "0" : bad;
        GatherOptions(controls, record);
        EXPECT_EQ(record.AlertMaxImages, 7) << bad;
        EXPECT_EQ(record.AlertPeriodMinutes, 25) << bad;
    }
    controls.maxImagesCombo.text = " 99 ";
    controls.minutesCombo.text = "100000"; // far above 16 bits: saturates instead of wrapping
    GatherOptions(controls, record);
    EXPECT_EQ(record.AlertMaxImages, 99);
    EXPECT_EQ(record.AlertPeriodMinutes, 32767);
}

TEST(SettingsCopy, ZoneEditsSensitivitiesAndBufferSizes) {
    SettingsRecord record;
    OptionControlValues controls = AppliedFrom(record);
    controls.zoneCam1 = {"11", "12", "0", "2500"};
    controls.zoneCam2 = {"21", "22", "abc", "4000"};
    controls.bufferSize1Edit = "";
    controls.bufferSize2Edit = "70000";
    GatherOptions(controls, record);
    EXPECT_EQ(QList<qint16>({record.Zone1Left, record.Zone1Top, record.Zone1Size, record.Sensitivity1}),
              QList<qint16>({11, 12, 50, 2500}));
    EXPECT_EQ(QList<qint16>({record.Zone2Left, record.Zone2Top, record.Zone2Size, record.Sensitivity2}),
              QList<qint16>({21, 22, 50, 4000}));
    EXPECT_EQ(record.BufferSize1, 0);
    EXPECT_EQ(record.BufferSize2, 32767);

    // A sensitivity below 100 resets both to 1500; 100 itself is kept.
    record.Sensitivity1 = 99;
    record.Sensitivity2 = 3000;
    EXPECT_TRUE(ApplyToControls(record, EmailSettingsRecord(), controls));
    EXPECT_EQ(record.Sensitivity2, 1500);

    record.Sensitivity1 = 100;
    record.Sensitivity2 = 2000;
    EXPECT_FALSE(ApplyToControls(record, EmailSettingsRecord(), controls));
    EXPECT_EQ(controls.zoneCam1.sensitivityCombo, "100");
    EXPECT_EQ(controls.zoneCam2.sensitivityCombo, "2000");
}

TEST(SettingsCopy, AtLeastOneColourChannelStaysOn) {
    SettingsRecord record;
    OptionControlValues controls;
    controls.redChannelBox = controls.greenChannelBox = controls.blueChannelBox = false;
    controls.masterSensitivitySlider = 10;
    EXPECT_FALSE(ReadColourChannels(controls, record));
    EXPECT_TRUE(record.ScanRed && record.ScanGreen && record.ScanBlue);
    EXPECT_EQ(record.ColorThreshold, 7);

    controls.redChannelBox = controls.blueChannelBox = false;
    EXPECT_TRUE(ReadColourChannels(controls, record));
    EXPECT_TRUE(!record.ScanRed && record.ScanGreen && !record.ScanBlue);

    // The slider shows 17 minus the threshold, within its range.
    record.ColorThreshold = 3;
    EXPECT_EQ(AppliedFrom(record).masterSensitivitySlider, 14);
    record.ColorThreshold = 40;
    EXPECT_EQ(AppliedFrom(record).masterSensitivitySlider, 2);
}

TEST(SettingsCopy, OptionsRoundTripThroughTheControls) {
    SettingsRecord record;
    record.StartMotionAtStart = true;
    record.StartTimeLapseAtStart = true;
    record.PlaceOnTray = true;
    record.AutoStart2 = true;
    record.DialUp = false;
    record.EmailLimit = 0;
    record.CaptionTransparent = false;
    record.CaptionTransparent2 = true; // the second copy is applied last
    record.SiteLocation = "  Barn  ";
    record.PhonePictureSize = "";
    record.CaptionsOff1 = true;

    OptionControlValues controls = AppliedFrom(record);
    EXPECT_TRUE(controls.startMotionAndTimerButton && !controls.startMotionButton && !controls.startTimerButton);
    EXPECT_TRUE(controls.transparentBox);
    EXPECT_EQ(QStringList({controls.siteLocationEdit, controls.emailLimitCombo}), QStringList({"Barn", "No Limit"}));

    SettingsRecord gathered = record;
    GatherOptions(controls, gathered);
    GatherCamerasAndCaptions(controls, gathered, Identity);
    EXPECT_TRUE(gathered.StartMotionAtStart && gathered.StartTimeLapseAtStart && gathered.PlaceOnTray &&
                gathered.AutoStart2 && gathered.CaptionTransparent && gathered.CaptionTransparent2);
    EXPECT_FALSE(gathered.DialUp || gathered.CaptionsOff1);
    EXPECT_EQ(gathered.EmailLimit, 0);
    EXPECT_EQ(gathered.SiteLocation, "Barn");
    // An empty phone picture size is read as "150", in the list too.
    EXPECT_EQ(gathered.PhonePictureSize, "150");
    EXPECT_EQ(controls.phoneSizeCombo.text, "150");

    // Only the motion choice.
    record.StartTimeLapseAtStart = false;
    controls = AppliedFrom(record);
    EXPECT_TRUE(controls.startMotionButton && !controls.startMotionAndTimerButton);
}

TEST(SettingsCopy, ListsAreTakenOnlyWhenARowIsSelected) {
    SettingsRecord record;
    record.VideoMode1 = "YUY2 640x480";
    record.Cam1Name = "Cam 1";
    record.DefaultCam1Index = 3; // beyond the list: not applied
    record.DefaultCam2Index = 1;
    OptionControlValues controls;
    controls.DefaultCam1.items = {"usb cam"};
    controls.DefaultCam2.items = {"usb cam", "porch"};
    ApplyToControls(record, EmailSettingsRecord(), controls);
    EXPECT_EQ(controls.videoMode1Combo.text, "YUY2 640x480");
    EXPECT_EQ(QList<int>({controls.DefaultCam1.index, controls.DefaultCam2.index}), QList<int>({-1, 1}));

    controls.videoMode1Combo.text = "typed text, no row";
    controls.alertFormatCombo = {"", -1, {"1 x 1", "2 x 2"}};
    record.AlertFormat = 4;
    GatherOptions(controls, record);
    GatherCamerasAndCaptions(controls, record, [](const QString& s) { return "alias of " + s; });
    EXPECT_EQ(QStringList({record.VideoMode1, record.Cam1Name, record.Cam2Name}),
              QStringList({"YUY2 640x480", "Cam 1", "alias of porch"}));
    EXPECT_EQ(QList<int>({record.AlertFormat, record.DefaultCam1Index, record.DefaultCam2Index}), QList<int>({4, 3, 1}));

    controls.videoMode1Combo = {"", 0, {"MJPG 1280x720"}};
    GatherOptions(controls, record);
    EXPECT_EQ(record.VideoMode1, "MJPG 1280x720");
}
