// The pictures an AVI header announces are checked before anything decodes them.
#include "platform/AviHeader.h"
#include "platform/AviWriter.h"
#include "support/AviReadback.h"
#include "support/TestSupport.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

QByteArray Film(const TempProgramFolder& dir, platform::AviCodec codec) {
    platform::AviWriter writer;
    const QString path = dir.file(codec == platform::AviCodec::Dib ? "dib.avi" : "mjpeg.avi");
    if (!writer.Open(path, 32, 24, codec, 90, 10))
        return {};
    for (int i = 0; i < 3; ++i)
        writer.AddFrame(PatternPicture(32, 24, i));
    return writer.Finish() ? ReadAll(path) : QByteArray();
}

// The file with its stream format's picture size replaced.
QByteArray Announcing(QByteArray file, qint32 width, qint32 height) {
    RiffChunk riff;
    QString why;
    if (!ParseRiff(file, &riff, &why))
        return {};
    const qint64 format = riff.Find("strf")->DataOffset();
    qToLittleEndian(width, file.data() + format + 4);
    qToLittleEndian(height, file.data() + format + 8);
    return file;
}

} // namespace

TEST(AviHeader, PicturesLargerThanACamerasOrThanTheFileAreRefused) {
    TempProgramFolder dir;
    const QByteArray dib = Film(dir, platform::AviCodec::Dib);
    const QByteArray mjpeg = Film(dir, platform::AviCodec::MotionJpeg);
    ASSERT_FALSE(dib.isEmpty() || mjpeg.isEmpty());
    const struct {
        const char* name;
        QByteArray bytes;
        const char* refusal; // empty: playable as far as the header goes
    } cases[] = {
        {"as written", dib, ""},
        {"motion JPEG as written", mjpeg, ""},
        {"30000 x 30000", Announcing(dib, 30000, 30000), "its pictures are 30000 x 30000, more than 8192"},
        {"too wide", Announcing(mjpeg, 8193, 24), "8193 x 24"},
        {"too high, top-down", Announcing(mjpeg, 24, -8193), "24 x 8193"},
        {"largest side", Announcing(mjpeg, 8192, 8192), ""},
        {"uncompressed larger than the file", Announcing(dib, 4000, 4000), "needs more bytes than the whole file"},
        {"compressed, larger than the file when decoded", Announcing(mjpeg, 4000, 4000), ""},
        {"not an AVI", QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16), ""},
        {"cut before the stream format", Announcing(dib, 30000, 30000).left(170), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.bytes.isEmpty());
        const QString refusal = platform::AviPictureRefusal(c.bytes, c.bytes.size());
        if (*c.refusal == '\0')
            EXPECT_EQ(refusal, "");
        else
            EXPECT_TRUE(refusal.contains(c.refusal)) << refusal.toStdString();
    }
}
