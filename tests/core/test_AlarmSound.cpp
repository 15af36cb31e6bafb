#include "core/AlarmSound.h"

#include "support/TestSupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

TEST(AlarmSound, ChoosesCameraWavThenTheBellThenNothing) {
    TempProgramFolder dir;
    AlarmSound alarm{platform::ProgramFolder(dir.path())};
    alarm.SetFallbackSound(dir.file("bell.oga"));
    EXPECT_EQ(alarm.AlarmSoundFile(), "");
    EXPECT_FALSE(alarm.PlayAlarmSound());
    ASSERT_TRUE(WriteAll(dir.file("bell.oga"), "x"));
    EXPECT_EQ(alarm.AlarmSoundFile(), dir.file("bell.oga"));
    ASSERT_TRUE(WriteAll(dir.file("camera.wav"), "x"));
    EXPECT_EQ(alarm.AlarmSoundFile(), dir.file("camera.wav"));
}

TEST(AlarmSound, PlaysToItsEndWithoutASoundCardOnlyWhileTheBoxIsTicked) {
    TempProgramFolder dir;
    ASSERT_TRUE(WriteAll(dir.file("camera.wav"), TestSupport::ToneWav(250)));
    AlarmSound alarm{platform::ProgramFolder(dir.path())};
    alarm.Player().SetAudioSinkFactory("fakesink");
    bool ticked = false;
    alarm.SetAlarmTickedHook([&] { return ticked; });
    EXPECT_FALSE(alarm.PlayAlarmSound());
    EXPECT_FALSE(alarm.Player().IsPlaying());

    ticked = true;
    QSignalSpy finished(&alarm.Player(), &platform::SoundPlayer::Finished);
    // The call comes back while the sound plays; its end arrives later through the event loop.
    ASSERT_TRUE(alarm.PlayAlarmSound());
    EXPECT_TRUE(alarm.Player().IsPlaying() && finished.isEmpty());
    ASSERT_TRUE(TestSupport::WaitFor([&] { return finished.count() > 0; }));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
}
