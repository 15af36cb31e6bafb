// AVI files that yield no picture, or announce or hold pictures larger than a camera's, are
// told by name and the player closes: never a black full-screen window waiting for Esc, never
// a close as if the film had played.
#include "core/MessageBox.h"
#include "platform/AviWriter.h"
#include "publish/AviPlayerWindow.h"
#include "support/AviReadback.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

QByteArray Film(const QString& path, int frames) {
    platform::AviWriter writer;
    if (!writer.Open(path, 32, 24, platform::AviCodec::Dib, 90, 10))
        return {};
    for (int i = 0; i < frames; ++i)
        writer.AddFrame(PatternPicture(32, 24, i));
    return writer.Finish() ? ReadAll(path) : QByteArray();
}

void Put32(QByteArray& bytes, qint64 at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}

// A motion JPEG film whose header says 32 x 24 while its pictures are larger than a camera's.
QByteArray WiderThanItsHeader(const QString& path) {
    platform::AviWriter writer;
    QByteArray wide;
    if (!writer.Open(path, 32, 24, platform::AviCodec::MotionJpeg, 90, 10) ||
        !platform::AviWriter::EncodeFrame(PatternPicture(8200, 16, 1), platform::AviCodec::MotionJpeg, 90, &wide))
        return {};
    for (int i = 0; i < 3; ++i)
        writer.AddEncodedFrame(wide);
    return writer.Finish() ? ReadAll(path) : QByteArray();
}

} // namespace

TEST(AviPlayerBadFiles, AFileWithoutAPictureIsToldByNameAndThePlayerCloses) {
    TempProgramFolder dir;
    const QByteArray good = Film(dir.file("good.avi"), 10);
    RiffChunk riff;
    QString why;
    ASSERT_TRUE(ParseRiff(good, &riff, &why)) << why.toStdString();
    const RiffChunk* strf = riff.Find("strf");
    const RiffChunk* idx1 = riff.Find("idx1");
    ASSERT_TRUE(strf && idx1);

    QByteArray pastTheEnd = good;
    for (quint32 entry = 0; entry < idx1->Size / 16; ++entry)
        Put32(pastTheEnd, idx1->DataOffset() + 16 * entry + 8, quint32(good.size()) + 4096 * (entry + 1));
    QByteArray deeper = good; // a 32-bit picture header over the 24-bit pictures
    deeper[strf->DataOffset() + 14] = 32;
    QByteArray huge = good; // a header announcing pictures no camera delivers
    for (qint64 at : {riff.Find("avih")->DataOffset() + 32, strf->DataOffset() + 4})
        for (int side = 0; side < 2; ++side)
            Put32(huge, at + 4 * side, 30000);
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"empty.avi", Film(dir.file("empty.avi"), 0)},
        {"index.avi", pastTheEnd},
        {"deeper.avi", deeper},
        {"damaged.avi", good.left(12) + QByteArray(3000, '\x5A')},
        {"huge.avi", huge},
        {"wide.avi", WiderThanItsHeader(dir.file("wide.avi"))},
    };

    AviPlayerWindow form;
    QSignalSpy closed(&form, &AviPlayerWindow::Closed);
    QStringList messages;
    SetMessageBoxHandler([&](const QString& text) { messages << text; });
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        ASSERT_FALSE(f.bytes.isEmpty());
        ASSERT_TRUE(WriteAll(dir.file(f.name), f.bytes));
        messages.clear();
        closed.clear();
        form.PlayAviFile(dir.file(f.name));
        // The player's own time-out for the first picture is 5 s.
        ASSERT_TRUE(WaitFor([&] { return !messages.isEmpty(); }, 30000));
        EXPECT_FALSE(form.isVisible());
        EXPECT_FALSE(form.IsPlaying());
        EXPECT_EQ(form.Player().FramesShown(), 0u);
        ASSERT_EQ(messages.size(), 1) << messages.join('|').toStdString();
        EXPECT_TRUE(messages.first().contains(dir.file(f.name) + " cannot be played")) << messages.first().toStdString();
        EXPECT_LE(closed.count(), 1);
        EXPECT_TRUE(form.Player().CurrentFrame().isNull());
    }
    // A header that announces too much is told before the window shows or anything decodes.
    messages.clear();
    form.PlayAviFile(dir.file("huge.avi"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains("huge.avi cannot be played: its pictures are 30000 x 30000"))
        << messages.first().toStdString();
    EXPECT_FALSE(form.isVisible() || form.IsPlaying());
    SetMessageBoxHandler([](const QString& text) { std::fprintf(stderr, "[message box] %s\n", qPrintable(text)); });
}
