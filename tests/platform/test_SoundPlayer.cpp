#include "platform/SoundPlayer.h"

#include "support/TestSupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using platform::SoundPlayer;
using TestSupport::TempProgramFolder;
using TestSupport::ToneWav;
using TestSupport::WaitFor;
using TestSupport::WriteAll;

TEST(SoundPlayer, BadFilesEndQuietly) {
    TempProgramFolder dir;
    SoundPlayer player;
    player.SetAudioSinkFactory("fakesink");
    QSignalSpy finished(&player, &SoundPlayer::Finished);

    EXPECT_FALSE(player.Play(dir.file("missing.wav")));
    EXPECT_FALSE(player.IsPlaying());

    // Not a sound at all: the play ends with an error, never a hang or a crash.
    ASSERT_TRUE(WriteAll(dir.file("broken.wav"), QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24)));
    if (player.Play(dir.file("broken.wav"))) {
        ASSERT_TRUE(WaitFor([&] { return finished.count() > 0; }));
        EXPECT_FALSE(finished.at(0).at(0).toBool());
    }
    EXPECT_FALSE(player.IsPlaying());
}

TEST(SoundPlayer, PlayingAgainStartsOverWithOneEnd) {
    TempProgramFolder dir;
    ASSERT_TRUE(WriteAll(dir.file("a.wav"), ToneWav(200)));
    SoundPlayer player;
    player.SetAudioSinkFactory("fakesink");
    QSignalSpy finished(&player, &SoundPlayer::Finished);

    ASSERT_TRUE(player.Play(dir.file("a.wav")));
    ASSERT_TRUE(player.Play(dir.file("a.wav")));
    ASSERT_TRUE(WaitFor([&] { return finished.count() > 0; }));
    // Let any stale message of the first play arrive; it must be ignored.
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(finished.at(0).at(0).toBool());
}
