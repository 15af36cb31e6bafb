#include "platform/SoundPlayer.h"

#include "support/TestSupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using platform::SoundPlayer;
using TestSupport::TempProgramFolder;
using TestSupport::ToneWav;
using TestSupport::WaitFor;
using TestSupport::WriteAll;

// Bad files end with an error, never a hang; playing again starts over with a single end.
TEST(SoundPlayer, BadFilesEndQuietlyAndPlayingAgainEndsOnce) {
    TempProgramFolder dir;
    SoundPlayer player;
    player.SetAudioSinkFactory("fakesink");
    QSignalSpy finished(&player, &SoundPlayer::Finished);
    EXPECT_FALSE(player.Play(dir.file("missing.wav")));
    EXPECT_FALSE(player.IsPlaying());
    ASSERT_TRUE(WriteAll(dir.file("broken.wav"), QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24)));
    if (player.Play(dir.file("broken.wav"))) {
        ASSERT_TRUE(WaitFor([&] { return finished.count() > 0; }));
        EXPECT_FALSE(finished.takeFirst().at(0).toBool());
    }
    EXPECT_FALSE(player.IsPlaying());

    ASSERT_TRUE(WriteAll(dir.file("a.wav"), ToneWav(200)));
    ASSERT_TRUE(player.Play(dir.file("a.wav")));
    ASSERT_TRUE(player.Play(dir.file("a.wav")));
    ASSERT_TRUE(WaitFor([&] { return finished.count() > 0; }));
    WaitFor([] { return false; }, 300); // a stale end of the first play must be ignored
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(finished.at(0).at(0).toBool());
}
