#pragma once
// Reading AVI files back in tests: our own walk over the RIFF chunks, and GStreamer's view
// of the same file (discoverer, avidemux) as an independent reader.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

namespace TestSupport {

struct RiffChunk {
    QByteArray Id;       // "RIFF", "LIST" or the chunk's own id
    QByteArray ListType; // "AVI ", "hdrl", ... for RIFF and LIST
    qint64 Offset = 0;   // of the chunk header in the file
    quint32 Size = 0;    // as the header says
    QList<RiffChunk> Children;

    // The first child (searching depth first) with this id or list type.
    const RiffChunk* Find(const QByteArray& idOrType) const;
    qint64 DataOffset() const { return Offset + 8; }
};

// Walks the whole file; false with a reason when a size runs past its parent, a chunk
// starts at an odd offset, or bytes are left over.
bool ParseRiff(const QByteArray& file, RiffChunk* root, QString* why);

quint32 Le32(const QByteArray& data, qint64 offset);

// A picture file with a distinct pattern per number (JPEG at quality 95).
QImage PatternPicture(int width, int height, int number);
bool WritePatternJpeg(const QString& path, int width, int height, int number);
// An uncompressed 32 x 24 film of pattern pictures at 10 frames a second.
bool WritePatternFilm(const QString& path, int frames);

// GStreamer's discoverer on the file: duration in seconds and the first video stream's size.
bool DiscoverVideo(const QString& path, double* seconds, int* width, int* height, QString* why);

// filesrc ! avidemux ! decodebin ! videoconvert ! RGB: the decoded pictures.
bool DecodeFrames(const QString& path, QList<QImage>* pictures, QString* why);

} // namespace TestSupport
