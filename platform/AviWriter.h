#pragma once
// Our own RIFF AVI 1.0 writer: one video stream, uncompressed DIB or Motion JPEG frames, all
// key frames, with an idx1 index. The file is written under a temporary name beside the
// target and renamed over it only when complete, so a failed or abandoned write leaves any
// older file of that name as it was. Not tied to a thread: one thread at a time may use it.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QVector>

#include <memory>

class QSaveFile;

namespace platform {

enum class AviCodec { Dib, MotionJpeg };

// AVI 1.0 keeps sizes in 32 bits; readers commonly take them as signed.
constexpr qint64 kAviSizeLimit = qint64(1) << 31;

// Fixed layout of what precedes the first frame chunk.
constexpr int kAviMoviListOffset = 212; // "LIST" of the movi list
constexpr int kAviMoviFourccOffset = 220; // idx1 offsets count from here
constexpr int kAviHeaderSize = 224;

class AviWriter {
public:
    enum class AddResult {
        Written,      // the frame is in the file
        LimitReached, // the frame would take the file past the size limit; not written
        WrongSize,    // the image is not the stream's size; not written
        Failed,       // encoding or writing failed; the writer is spent (Finish fails)
    };

    AviWriter();
    // Abandons an unfinished file: the temporary goes, the target is untouched.
    ~AviWriter();
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

    // The largest file Finish may leave, index included (tests pass small limits).
    void SetSizeLimit(qint64 bytes) { sizeLimit_ = bytes; }
    qint64 SizeLimit() const { return sizeLimit_; }

    // Starts the temporary file beside path. quality (1..100) only counts for Motion JPEG.
    bool Open(const QString& path, int width, int height, AviCodec codec, int quality,
              int framesPerSecond, QString* error = nullptr);
    bool IsOpen() const { return file_ != nullptr; }

    // Encodes the image (any format) as the next frame.
    AddResult AddFrame(const QImage& image, QString* error = nullptr);
    // Appends an already encoded frame (see EncodeFrame).
    AddResult AddEncodedFrame(const QByteArray& data, QString* error = nullptr);

    // Writes the index, fills in the sizes and renames the file over the target.
    bool Finish(QString* error = nullptr);
    // Drops the temporary file; the target stays as it was.
    void Abandon();

    int FrameCount() const { return int(index_.size()); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Bytes of one uncompressed frame (rows of 3 bytes a pixel, padded to 4 bytes).
    static qint64 DibImageSize(int width, int height);

    // The frame's bytes: bottom-up BGR rows padded to 4 bytes, or a baseline JPEG.
    static bool EncodeFrame(const QImage& image, AviCodec codec, int quality, QByteArray* out,
                            QString* error = nullptr);

private:
    struct IndexEntry {
        quint32 Offset;
        quint32 Size;
    };

    QByteArray HeaderBytes() const;
    bool Fail(QString* error, const QString& text);

    std::unique_ptr<QSaveFile> file_;
    QString path_;
    AviCodec codec_ = AviCodec::Dib;
    int quality_ = 90;
    int rate_ = 10;
    int width_ = 0;
    int height_ = 0;
    qint64 sizeLimit_ = kAviSizeLimit;
    qint64 fileSize_ = 0;
    quint32 largestFrame_ = 0;
    QVector<IndexEntry> index_;
};

} // namespace platform
