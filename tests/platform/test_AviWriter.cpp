#include "platform/AviWriter.h"
#include "platform/Jpeg.h"
#include "support/AviReadback.h"
#include "support/TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace platform;
using namespace TestSupport;

namespace {

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

bool WriteAvi(const QString& path, AviCodec codec, const QList<QImage>& frames, int quality = 90) {
    AviWriter writer;
    if (!writer.Open(path, frames.first().width(), frames.first().height(), codec, quality, 10))
        return false;
    for (const QImage& frame : frames)
        if (writer.AddFrame(frame) != AviWriter::AddResult::Written)
            return false;
    return writer.Finish();
}

QList<QImage> Pictures(int count, int width, int height) {
    QList<QImage> list;
    for (int i = 0; i < count; ++i)
        list.append(PatternPicture(width, height, i));
    return list;
}

// Checks the parts every file of ours shares and returns the parsed tree.
RiffChunk CheckLayout(const QByteArray& file, const char* handler, const char* chunkId,
                      int frames, int width, int height) {
    RiffChunk root;
    QString why;
    EXPECT_TRUE(ParseRiff(file, &root, &why)) << why.toStdString();
    EXPECT_EQ(root.Children.size(), 1);
    if (root.Children.isEmpty())
        return root;
    const RiffChunk& riff = root.Children.first();
    EXPECT_EQ(riff.Id, "RIFF");
    EXPECT_EQ(riff.ListType, "AVI ");
    EXPECT_EQ(qint64(riff.Size), file.size() - 8);
    QList<QByteArray> order;
    for (const RiffChunk& c : riff.Children)
        order.append(c.ListType.isEmpty() ? c.Id : c.ListType);
    EXPECT_EQ(order, (QList<QByteArray>{"hdrl", "movi", "idx1"}));

    if (!root.Find("avih") || !root.Find("strh") || !root.Find("strf")) {
        ADD_FAILURE() << "a header is missing";
        return root;
    }
    // The fields a reader needs, by their offset in each header.
    const auto fields32 = [&](const char* id, std::initializer_list<int> offsets) {
        QList<quint32> values;
        for (int at : offsets)
            values << Le32(file, root.Find(id)->DataOffset() + at);
        return values;
    };
    const quint32 imageSize = quint32(AviWriter::DibImageSize(width, height));
    const quint32 n = quint32(frames), w = quint32(width), h = quint32(height);
    // avih: microseconds per frame, has-index flag, frames, streams, buffer size, size.
    EXPECT_EQ(root.Find("avih")->Size, 56u);
    EXPECT_EQ(fields32("avih", {0, 12, 16, 24, 28, 32, 36}),
              (QList<quint32>{100000, 0x10, n, 1, imageSize, w, h}));
    EXPECT_GT(fields32("avih", {4}).first(), 0u); // max bytes per second
    // strh: type, handler, scale and rate, length, buffer size, then the frame rectangle.
    const qint64 s = root.Find("strh")->DataOffset();
    EXPECT_EQ(root.Find("strh")->Size, 56u);
    EXPECT_EQ(file.mid(s, 8), QByteArray("vids") + handler);
    EXPECT_EQ(fields32("strh", {20, 24, 32, 36, 8, 12, 16, 28, 40, 44}),
              (QList<quint32>{1, 10, n, imageSize, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(fields32("strh", {48, 52}), (QList<quint32>{0, w | (h << 16)}));
    // strf: a 24-bit BITMAPINFOHEADER, uncompressed or MJPG.
    EXPECT_EQ(root.Find("strf")->Size, 40u);
    const quint32 compression = QByteArray(chunkId) == "00db" ? 0u : Le32("MJPG", 0);
    EXPECT_EQ(fields32("strf", {0, 4, 8, 12, 16, 20}),
              (QList<quint32>{40, w, h, 1 | (24 << 16), compression, imageSize}));

    // movi holds only frame chunks; idx1 names each of them, in order, by its offset from
    // the movi list's type field.
    const RiffChunk* movi = root.Find("movi");
    const RiffChunk* idx1 = root.Find("idx1");
    EXPECT_TRUE(movi && idx1);
    if (!movi || !idx1)
        return root;
    EXPECT_EQ(movi->Children.size(), frames);
    EXPECT_EQ(idx1->Size, quint32(16 * frames));
    for (int i = 0; i < movi->Children.size() && i < frames; ++i) {
        const RiffChunk& chunk = movi->Children[i];
        EXPECT_EQ(chunk.Id, chunkId);
        const qint64 e = idx1->DataOffset() + 16 * i;
        EXPECT_EQ(file.mid(e, 4), chunkId);
        EXPECT_EQ(Le32(file, e + 4), 0x10u); // key frame
        EXPECT_EQ(movi->Offset + 8 + Le32(file, e + 8), chunk.Offset);
        EXPECT_EQ(Le32(file, e + 12), chunk.Size);
    }
    return root;
}

} // namespace

TEST(AviWriter, DibFileHasTheHeadersIndexAndBottomUpPaddedRows) {
    TempProgramFolder dir;
    const QString path = dir.file("clip.avi");
    // 66 pixels: 198 bytes a row, padded to 200.
    const QList<QImage> frames = Pictures(3, 66, 20);
    ASSERT_TRUE(WriteAvi(path, AviCodec::Dib, frames));
    const QByteArray file = ReadAll(path);
    const RiffChunk root = CheckLayout(file, "DIB ", "00db", 3, 66, 20);
    ASSERT_TRUE(root.Find("movi"));
    EXPECT_EQ(Le32(file, root.Find("avih")->DataOffset() + 4), 200u * 20 * 10);

    const RiffChunk& second = root.Find("movi")->Children[1];
    ASSERT_EQ(second.Size, 200u * 20);
    const QByteArray data = file.mid(second.DataOffset(), second.Size);
    // First stored row is the picture's bottom row, blue first; the pad bytes are zero.
    for (int row = 0; row < 20; ++row) {
        const uchar* src = frames[1].constScanLine(19 - row);
        for (int x = 0; x < 66; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(uchar(data[row * 200 + x * 3 + c]), src[x * 3 + 2 - c])
                    << "row " << row << " x " << x;
        EXPECT_EQ(data[row * 200 + 198], '\0');
        EXPECT_EQ(data[row * 200 + 199], '\0');
    }
    EXPECT_EQ(FilesIn(dir.path()), QStringList{"clip.avi"});
}

TEST(AviWriter, MotionJpegFramesArePaddedToEvenAndDecode) {
    TempProgramFolder dir;
    const QString path = dir.file("clip.avi");
    AviWriter writer;
    ASSERT_TRUE(writer.Open(path, 64, 48, AviCodec::MotionJpeg, 90, 10));
    QByteArray jpeg;
    ASSERT_TRUE(EncodeJpeg(PatternPicture(64, 48, 0), 90, &jpeg));
    // One odd and one even length, whatever libjpeg makes of the picture.
    const QByteArray odd = jpeg.size() % 2 ? jpeg : jpeg + '\0';
    const QByteArray even = jpeg.size() % 2 ? jpeg + '\0' : jpeg;
    ASSERT_EQ(writer.AddEncodedFrame(odd), AviWriter::AddResult::Written);
    ASSERT_EQ(writer.AddEncodedFrame(even), AviWriter::AddResult::Written);
    ASSERT_EQ(writer.AddFrame(PatternPicture(64, 48, 2)), AviWriter::AddResult::Written);
    ASSERT_TRUE(writer.Finish());

    const QByteArray file = ReadAll(path);
    const RiffChunk root = CheckLayout(file, "MJPG", "00dc", 3, 64, 48);
    const RiffChunk* movi = root.Find("movi");
    ASSERT_TRUE(movi);
    ASSERT_EQ(movi->Children.size(), 3);
    EXPECT_EQ(movi->Children[0].Size, quint32(odd.size()));
    EXPECT_EQ(file[movi->Children[0].DataOffset() + odd.size()], '\0'); // the pad byte
    EXPECT_EQ(movi->Children[1].Offset, movi->Children[0].DataOffset() + odd.size() + 1);
    const RiffChunk& third = movi->Children[2];
    QImage decoded;
    ASSERT_TRUE(DecodeJpeg(file.mid(third.DataOffset(), third.Size), &decoded));
    EXPECT_EQ(decoded.size(), QSize(64, 48));
    EXPECT_EQ(file.mid(third.DataOffset(), 2), QByteArray("\xFF\xD8"));
    // Baseline with the Huffman tables written in the frame itself.
    const QByteArray frame = file.mid(third.DataOffset(), third.Size);
    EXPECT_TRUE(frame.contains("\xFF\xC0"));
    EXPECT_TRUE(frame.contains("\xFF\xC4"));
}

TEST(AviWriter, SizeLimitStopsBeforeTheFrameThatWouldPassItAndLeavesAValidFile) {
    TempProgramFolder dir;
    const QString path = dir.file("limit.avi");
    const qint64 frameBytes = AviWriter::DibImageSize(16, 16); // 768
    // Room for the header, three frame chunks and an index of three entries, not four.
    const qint64 limit = kAviHeaderSize + 3 * (8 + frameBytes) + 8 + 3 * 16 + (8 + frameBytes) / 2;
    AviWriter writer;
    writer.SetSizeLimit(limit);
    ASSERT_TRUE(writer.Open(path, 16, 16, AviCodec::Dib, 90, 10));
    int written = 0;
    AviWriter::AddResult result = AviWriter::AddResult::Written;
    for (int i = 0; i < 10 && result == AviWriter::AddResult::Written; ++i) {
        result = writer.AddFrame(PatternPicture(16, 16, i));
        written += result == AviWriter::AddResult::Written;
    }
    EXPECT_EQ(result, AviWriter::AddResult::LimitReached);
    EXPECT_EQ(written, 3);
    ASSERT_TRUE(writer.Finish());
    const QByteArray file = ReadAll(path);
    EXPECT_LE(file.size(), limit);
    CheckLayout(file, "DIB ", "00db", 3, 16, 16);
    QList<QImage> frames;
    QString why;
    ASSERT_TRUE(DecodeFrames(path, &frames, &why)) << why.toStdString();
    EXPECT_EQ(frames.size(), 3);

    // Unless told otherwise, the limit is where the format's 32-bit sizes end.
    EXPECT_EQ(AviWriter().SizeLimit(), qint64(1) << 31);
}

TEST(AviWriter, FailedOrAbandonedWriteKeepsTheOlderFileAndLeavesNoTemporary) {
    TempProgramFolder dir;
    const QString path = dir.file("old.avi");
    ASSERT_TRUE(WriteAll(path, "an older file"));
    {
        AviWriter writer;
        ASSERT_TRUE(writer.Open(path, 16, 16, AviCodec::Dib, 90, 10));
        EXPECT_EQ(writer.AddFrame(PatternPicture(16, 16, 0)), AviWriter::AddResult::Written);
        EXPECT_EQ(writer.AddFrame(PatternPicture(17, 16, 0)), AviWriter::AddResult::WrongSize);
        EXPECT_EQ(writer.FrameCount(), 1);
        // Gone without Finish: as if the program stopped half way.
    }
    EXPECT_EQ(ReadAll(path), "an older file");
    EXPECT_EQ(FilesIn(dir.path()), QStringList{"old.avi"});

    AviWriter writer;
    QString why;
    EXPECT_FALSE(writer.Open(dir.file("no/such/folder.avi"), 16, 16, AviCodec::Dib, 90, 10, &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(writer.AddFrame(PatternPicture(16, 16, 0)), AviWriter::AddResult::Failed);
    EXPECT_FALSE(writer.Finish());
    EXPECT_FALSE(writer.Open(dir.file("zero.avi"), 0, 16, AviCodec::Dib, 90, 10));
    EXPECT_EQ(FilesIn(dir.path()), QStringList{"old.avi"});
}

TEST(AviWriter, GStreamerReadsThirtyFramesAsThreeSecondsAtThePictureSize) {
    TempProgramFolder dir;
    const QList<QImage> pictures = Pictures(30, 66, 48);
    for (AviCodec codec : {AviCodec::Dib, AviCodec::MotionJpeg}) {
        SCOPED_TRACE(codec == AviCodec::Dib ? "DIB" : "MJPG");
        const QString path = dir.file(codec == AviCodec::Dib ? "dib.avi" : "mjpg.avi");
        ASSERT_TRUE(WriteAvi(path, codec, pictures));
        double seconds = 0;
        int width = 0, height = 0;
        QString why;
        ASSERT_TRUE(DiscoverVideo(path, &seconds, &width, &height, &why)) << why.toStdString();
        EXPECT_NEAR(seconds, 3.0, 0.001);
        EXPECT_EQ(width, 66);
        EXPECT_EQ(height, 48);

        // Decoded by GStreamer, each frame is its picture with the rows the right way up.
        QList<QImage> decoded;
        ASSERT_TRUE(DecodeFrames(path, &decoded, &why)) << why.toStdString();
        ASSERT_EQ(decoded.size(), 30);
        if (codec == AviCodec::Dib) {
            EXPECT_EQ(decoded[7], pictures[7]);
            EXPECT_EQ(decoded[29], pictures[29]);
        } else {
            // Lossy: the band that tells the number sits in the right place.
            const QImage& frame = decoded[5];
            EXPECT_GT(qRed(frame.pixel(10, 5 * 48 / 8 + 2)), 200);
            EXPECT_LT(qRed(frame.pixel(10, 0 * 48 / 8 + 2)), 100);
        }
    }
}
