// The alarm's sound when the program folder has no camera.wav: the bell, else the second sound.
#include "core/AlarmSound.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using TestSupport::TempProgramFolder;

TEST(AlarmSound, FallsBackToTheSecondSoundWhenTheBellIsMissing) {
    TempProgramFolder dir;
    AlarmSound alarm{platform::ProgramFolder(dir.path())};
    alarm.SetFallbackSounds({dir.file("bell.oga"), dir.file("complete.oga")});
    EXPECT_EQ(alarm.AlarmSoundFile(), "");
    ASSERT_TRUE(TestSupport::WriteAll(dir.file("complete.oga"), "x"));
    EXPECT_EQ(alarm.AlarmSoundFile(), dir.file("complete.oga"));
    ASSERT_TRUE(TestSupport::WriteAll(dir.file("bell.oga"), "x"));
    EXPECT_EQ(alarm.AlarmSoundFile(), dir.file("bell.oga"));
}
