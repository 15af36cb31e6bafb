#include "platform/AviWriter.h"

#include "platform/Jpeg.h"
#include "platform/RecordCodec.h"

#include <QFileInfo>
#include <QSaveFile>

namespace platform {

namespace {

constexpr quint32 kHasIndex = 0x10;      // AVIF_HASINDEX
constexpr quint32 kKeyFrame = 0x10;      // AVIIF_KEYFRAME
constexpr int kAvihData = 32;            // the 56 bytes of avih
constexpr int kStrhData = 108;           // the 56 bytes of strh
constexpr int kStrfData = 172;           // the 40-byte BITMAPINFOHEADER
constexpr qint64 kMaxRiffBytes = 0xFFFFFFFFLL;

void Put4cc(QByteArray& image, int offset, const char* code) {
    for (int i = 0; i < 4; ++i)
        image[offset + i] = code[i];
}

void Put32(QByteArray& image, int offset, quint32 value) {
    RecordWriter(image).Int32(offset, qint32(value));
}

void Put16(QByteArray& image, int offset, quint16 value) {
    RecordWriter(image).Int16(offset, qint16(value));
}

QByteArray ChunkHeader(const char* id, quint32 size) {
    QByteArray header(8, '\0');
    Put4cc(header, 0, id);
    Put32(header, 4, size);
    return header;
}

void SetError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

} // namespace

AviWriter::AviWriter() = default;

AviWriter::~AviWriter() { Abandon(); }

qint64 AviWriter::DibImageSize(int width, int height) {
    return ((qint64(width) * 3 + 3) & ~qint64(3)) * height;
}

bool AviWriter::EncodeFrame(const QImage& image, AviCodec codec, int quality, QByteArray* out,
                            QString* error) {
    out->clear();
    if (image.isNull()) {
        SetError(error, QStringLiteral("no picture to write"));
        return false;
    }
    const QImage rgb = image.format() == QImage::Format_RGB888
                           ? image
                           : image.convertToFormat(QImage::Format_RGB888);
    if (codec == AviCodec::MotionJpeg)
        return EncodeJpeg(rgb, quality, out, error);

    const int width = rgb.width();
    const int height = rgb.height();
    const qsizetype stride = qsizetype((qint64(width) * 3 + 3) & ~qint64(3));
    out->resize(stride * height);
    uchar* dest = reinterpret_cast<uchar*>(out->data());
    // A DIB stores the bottom row first and each pixel as blue, green, red.
    for (int y = 0; y < height; ++y) {
        const uchar* src = rgb.constScanLine(height - 1 - y);
        uchar* row = dest + stride * y;
        for (int x = 0; x < width; ++x) {
            row[0] = src[2];
            row[1] = src[1];
            row[2] = src[0];
            row += 3;
            src += 3;
        }
        for (qsizetype pad = qsizetype(width) * 3; pad < stride; ++pad)
            dest[stride * y + pad] = 0;
    }
    return true;
}

QByteArray AviWriter::HeaderBytes() const {
    QByteArray h(kAviHeaderSize, '\0');
    const quint32 frames = quint32(index_.size());
    const quint32 imageSize = quint32(qMin(DibImageSize(width_, height_), kMaxRiffBytes));
    const qint64 total = fileSize_ + 8 + 16 * qint64(frames); // with the index
    const qint64 maxBytesPerSecond =
        qMin(qint64(codec_ == AviCodec::Dib ? imageSize : largestFrame_) * rate_, kMaxRiffBytes);

    Put4cc(h, 0, "RIFF");
    Put32(h, 4, quint32(qMin(total - 8, kMaxRiffBytes)));
    Put4cc(h, 8, "AVI ");
    Put4cc(h, 12, "LIST");
    Put32(h, 16, kAviMoviListOffset - 20);
    Put4cc(h, 20, "hdrl");

    Put4cc(h, 24, "avih");
    Put32(h, 28, 56);
    Put32(h, kAvihData + 0, quint32(1000000 / rate_));
    Put32(h, kAvihData + 4, quint32(maxBytesPerSecond));
    Put32(h, kAvihData + 12, kHasIndex);
    Put32(h, kAvihData + 16, frames);
    Put32(h, kAvihData + 24, 1);
    Put32(h, kAvihData + 28, imageSize);
    Put32(h, kAvihData + 32, quint32(width_));
    Put32(h, kAvihData + 36, quint32(height_));

    Put4cc(h, 88, "LIST");
    Put32(h, 92, kAviMoviListOffset - 96);
    Put4cc(h, 96, "strl");

    Put4cc(h, 100, "strh");
    Put32(h, 104, 56);
    Put4cc(h, kStrhData + 0, "vids");
    Put4cc(h, kStrhData + 4, codec_ == AviCodec::Dib ? "DIB " : "MJPG");
    Put32(h, kStrhData + 20, 1);              // scale
    Put32(h, kStrhData + 24, quint32(rate_)); // rate
    Put32(h, kStrhData + 32, frames);         // length
    Put32(h, kStrhData + 36, imageSize);      // suggested buffer
    Put16(h, kStrhData + 52, quint16(width_));
    Put16(h, kStrhData + 54, quint16(height_));

    Put4cc(h, 164, "strf");
    Put32(h, 168, 40);
    Put32(h, kStrfData + 0, 40);
    Put32(h, kStrfData + 4, quint32(width_));
    Put32(h, kStrfData + 8, quint32(height_)); // positive: bottom-up rows
    Put16(h, kStrfData + 12, 1);
    Put16(h, kStrfData + 14, 24);
    if (codec_ == AviCodec::MotionJpeg)
        Put4cc(h, kStrfData + 16, "MJPG");
    Put32(h, kStrfData + 20, imageSize);

    Put4cc(h, kAviMoviListOffset, "LIST");
    Put32(h, kAviMoviListOffset + 4, quint32(qMin(fileSize_ - kAviMoviFourccOffset, kMaxRiffBytes)));
    Put4cc(h, kAviMoviFourccOffset, "movi");
    return h;
}

bool AviWriter::Fail(QString* error, const QString& text) {
    SetError(error, text);
    Abandon();
    return false;
}

bool AviWriter::Open(const QString& path, int width, int height, AviCodec codec, int quality,
                     int framesPerSecond, QString* error) {
    Abandon();
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767 || framesPerSecond <= 0 ||
        DibImageSize(width, height) > kMaxRiffBytes / 2) {
        SetError(error, QStringLiteral("unsuitable picture size %1 x %2").arg(width).arg(height));
        return false;
    }
    path_ = path;
    codec_ = codec;
    quality_ = qBound(1, quality, 100);
    rate_ = framesPerSecond;
    width_ = width;
    height_ = height;
    fileSize_ = kAviHeaderSize;
    largestFrame_ = 0;
    index_.clear();

    file_ = std::make_unique<QSaveFile>(path);
    if (!file_->open(QIODevice::WriteOnly))
        return Fail(error, QStringLiteral("Cannot write %1: %2").arg(path, file_->errorString()));
    const QByteArray header = HeaderBytes();
    if (file_->write(header) != header.size())
        return Fail(error, QStringLiteral("Cannot write %1: %2").arg(path, file_->errorString()));
    return true;
}

AviWriter::AddResult AviWriter::AddFrame(const QImage& image, QString* error) {
    if (!file_) {
        SetError(error, QStringLiteral("no AVI file is open"));
        return AddResult::Failed;
    }
    if (image.width() != width_ || image.height() != height_) {
        SetError(error, QStringLiteral("picture of another size"));
        return AddResult::WrongSize;
    }
    QByteArray data;
    if (!EncodeFrame(image, codec_, quality_, &data, error)) {
        Abandon();
        return AddResult::Failed;
    }
    return AddEncodedFrame(data, error);
}

AviWriter::AddResult AviWriter::AddEncodedFrame(const QByteArray& data, QString* error) {
    if (!file_) {
        SetError(error, QStringLiteral("no AVI file is open"));
        return AddResult::Failed;
    }
    const qint64 padded = (data.size() + 1) & ~qint64(1);
    const qint64 after = fileSize_ + 8 + padded + 8 + 16 * (qint64(index_.size()) + 1);
    if (after > qMin(sizeLimit_, kMaxRiffBytes)) {
        SetError(error, QStringLiteral("the file would pass its size limit"));
        return AddResult::LimitReached;
    }
    const char* id = codec_ == AviCodec::Dib ? "00db" : "00dc";
    QByteArray chunk = ChunkHeader(id, quint32(data.size()));
    bool ok = file_->write(chunk) == chunk.size() && file_->write(data) == data.size();
    if (ok && padded != data.size())
        ok = file_->write("\0", 1) == 1;
    if (!ok) {
        Fail(error, QStringLiteral("Cannot write %1: %2").arg(path_, file_->errorString()));
        return AddResult::Failed;
    }
    index_.append({quint32(fileSize_ - kAviMoviFourccOffset), quint32(data.size())});
    fileSize_ += 8 + padded;
    largestFrame_ = qMax(largestFrame_, quint32(data.size()));
    return AddResult::Written;
}

bool AviWriter::Finish(QString* error) {
    if (!file_) {
        SetError(error, QStringLiteral("no AVI file is open"));
        return false;
    }
    const char* id = codec_ == AviCodec::Dib ? "00db" : "00dc";
    QByteArray idx = ChunkHeader("idx1", quint32(16 * index_.size()));
    idx.resize(8 + 16 * index_.size());
    for (qsizetype i = 0; i < index_.size(); ++i) {
        const int at = int(8 + 16 * i);
        Put4cc(idx, at, id);
        Put32(idx, at + 4, kKeyFrame);
        Put32(idx, at + 8, index_[i].Offset);
        Put32(idx, at + 12, index_[i].Size);
    }
    const QByteArray header = HeaderBytes();
    const QString why = QStringLiteral("Cannot write %1: ").arg(path_);
    if (file_->write(idx) != idx.size() || !file_->seek(0) ||
        file_->write(header) != header.size())
        return Fail(error, why + file_->errorString());
    if (!file_->commit()) {
        const QString reason = file_->errorString();
        file_.reset();
        SetError(error, why + reason);
        return false;
    }
    file_.reset();
    return true;
}

void AviWriter::Abandon() {
    if (!file_)
        return;
    file_->cancelWriting();
    file_.reset(); // QSaveFile removes its temporary file
}

} // namespace platform
