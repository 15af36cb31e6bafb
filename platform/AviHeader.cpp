#include "platform/AviHeader.h"

#include <QList>
#include <QtEndian>
#include <cstdlib>

namespace platform {

namespace {

struct Chunk {
    QByteArray id;
    qint64 data = 0; // offset of its data
    qint64 size = 0;
};

// The chunks between from and to; a chunk running past the bytes at hand ends the walk.
QList<Chunk> Chunks(const QByteArray& bytes, qint64 from, qint64 to) {
    QList<Chunk> chunks;
    to = std::min<qint64>(to, bytes.size());
    while (from + 8 <= to) {
        Chunk chunk{bytes.mid(from, 4), from + 8, qFromLittleEndian<quint32>(bytes.constData() + from + 4)};
        chunks << chunk;
        from = chunk.data + chunk.size + (chunk.size & 1);
    }
    return chunks;
}

bool IsList(const QByteArray& bytes, const Chunk& chunk, const char* type) {
    return chunk.id == "LIST" && chunk.size >= 4 && chunk.data + 4 <= bytes.size() && bytes.mid(chunk.data, 4) == type;
}

qint64 Int32At(const QByteArray& bytes, qint64 at) {
    return qFromLittleEndian<qint32>(bytes.constData() + at);
}

// A video stream's BITMAPINFOHEADER (a negative height is a top-down picture).
QString FormatRefusal(const QByteArray& bytes, const Chunk& strf, qint64 fileSize) {
    if (strf.size < 20 || strf.data + 20 > bytes.size())
        return {};
    const qint64 width = std::llabs(Int32At(bytes, strf.data + 4));
    const qint64 height = std::llabs(Int32At(bytes, strf.data + 8));
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        return QStringLiteral("its pictures are %1 x %2, more than %3 in a side").arg(width).arg(height).arg(kMaxPictureSide);
    const qint64 bits = qFromLittleEndian<quint16>(bytes.constData() + strf.data + 14);
    const quint32 compression = qFromLittleEndian<quint32>(bytes.constData() + strf.data + 16);
    const bool uncompressed = compression == 0 || compression == 3 || compression == 0x20424944; // BI_RGB, BI_BITFIELDS, "DIB "
    if (uncompressed && (width * bits + 31) / 32 * 4 * height > fileSize)
        return QStringLiteral("a picture of %1 x %2 needs more bytes than the whole file holds").arg(width).arg(height);
    return {};
}

} // namespace

QString AviPictureRefusal(const QByteArray& head, qint64 fileSize) {
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "AVI ")
        return {};
    for (const Chunk& top : Chunks(head, 12, head.size())) {
        if (!IsList(head, top, "hdrl"))
            continue;
        // The pictures are decoded as each video stream's format says (the main header's
        // size plays no part).
        for (const Chunk& part : Chunks(head, top.data + 4, top.data + top.size)) {
            if (!IsList(head, part, "strl"))
                continue;
            bool video = false;
            for (const Chunk& stream : Chunks(head, part.data + 4, part.data + part.size)) {
                if (stream.id == "strh" && stream.size >= 4 && stream.data + 4 <= head.size())
                    video = head.mid(stream.data, 4) == "vids";
                else if (stream.id == "strf" && video)
                    if (QString refusal = FormatRefusal(head, stream, fileSize); !refusal.isEmpty())
                        return refusal;
            }
        }
    }
    return {};
}

} // namespace platform
