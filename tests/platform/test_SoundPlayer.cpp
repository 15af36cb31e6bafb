#include "platform/SoundPlayer.h"

#include "support/TestSupport.h"

#include <QDataStream>
#include <QSignalSpy>
#include <cmath>
#include <gtest/gtest.h>

using platform::SoundPlayer;
using TestSupport::TempProgramFolder;
using TestSupport::WaitFor;
using TestSupport::WriteAll;

namespace {

// A mono 16-bit PCM WAV of a tone lasting the given milliseconds.
QByteArray ToneWav(int milliseconds) {
    const int rate = 8000;
    const int samples = rate * milliseconds / 1000;
    QByteArray pcm;
    QDataStream out(&pcm, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    for (int i = 0; i < samples; ++i)
        out << static_cast<qint16>(8000 * std::sin(i * 2 * M_PI * 440 / rate));
    QByteArray wav;
    QDataStream w(&wav, QIODevice::WriteOnly);
    w.setByteOrder(QDataStream::LittleEndian);
    w.writeRawData("RIFF", 4);
    w << static_cast<quint32>(36 + pcm.size());
    w.writeRawData("WAVEfmt ", 8);
    w << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2) << quint16(2)
      << quint16(16);
    w.writeRawData("data", 4);
    w << static_cast<quint32>(pcm.size());
    wav.append(pcm);
    return wav;
}

} // namespace

TEST(SoundPlayer, PlaysToTheEndWithoutASoundCardAndReturnsAtOnce) {
    TempProgramFolder dir;
    ASSERT_TRUE(WriteAll(dir.file("camera.wav"), ToneWav(300)));
    SoundPlayer player;
    player.SetAudioSinkFactory("fakesink");
    QSignalSpy finished(&player, &SoundPlayer::Finished);

    ASSERT_TRUE(player.Play(dir.file("camera.wav")));
    // The call came back while the sound still plays: the end arrives through the event loop.
    EXPECT_TRUE(player.IsPlaying());
    EXPECT_EQ(finished.count(), 0);

    ASSERT_TRUE(WaitFor([&] { return finished.count() > 0; }));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_FALSE(player.IsPlaying());
}

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
