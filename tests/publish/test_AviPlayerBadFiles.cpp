// AVI files that yield no picture are told by name and the player closes: never a black
// full-screen window waiting for Esc, never a close as if the film had played.
#include "core/MessageBox.h"
#include "platform/AviWriter.h"
#include "publish/Taviplayerform.h"
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
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"empty.avi", Film(dir.file("empty.avi"), 0)},
        {"index.avi", pastTheEnd},
        {"deeper.avi", deeper},
        {"damaged.avi", good.left(12) + QByteArray(3000, '\x5A')},
    };

    Taviplayerform form;
    QSignalSpy closed(&form, &Taviplayerform::Closed);
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
    }
    SetMessageBoxHandler([](const QString& text) { std::fprintf(stderr, "[message box] %s\n", qPrintable(text)); });
}
