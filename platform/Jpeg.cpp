#include "platform/Jpeg.h"

#include "platform/RecordFile.h"

#include <QFile>

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <new>

#include <jerror.h>
#include <jpeglib.h>

namespace platform {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return. We jump back to the
// routine that called libjpeg; the frames skipped are libjpeg's own C frames and callbacks
// that hold no C++ objects.
struct ErrorManager {
    jpeg_error_mgr pub; // first: libjpeg sees only this part
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (recoverable corrupt data) would go to stderr by default; the station has no
// console, so they are dropped and the picture is decoded as far as libjpeg can.
void OutputMessage(j_common_ptr) {}

void InstallErrorManager(ErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = OutputMessage;
    err.message[0] = '\0';
}

// Destination: a growing QByteArray.
struct MemoryDestination {
    jpeg_destination_mgr pub;
    QByteArray* buffer;
    qsizetype initialSize;
};

bool GrowBuffer(QByteArray& buffer, qsizetype size) {
    try {
        buffer.resize(size);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void InitDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<MemoryDestination*>(cinfo->dest);
    if (!GrowBuffer(*dest->buffer, dest->initialSize))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
    dest->pub.next_output_byte = reinterpret_cast<JOCTET*>(dest->buffer->data());
    dest->pub.free_in_buffer = static_cast<size_t>(dest->buffer->size());
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<MemoryDestination*>(cinfo->dest);
    const qsizetype used = dest->buffer->size();
    if (!GrowBuffer(*dest->buffer, used * 2))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 2);
    // The whole buffer counts as written when libjpeg calls this.
    dest->pub.next_output_byte = reinterpret_cast<JOCTET*>(dest->buffer->data()) + used;
    dest->pub.free_in_buffer = static_cast<size_t>(dest->buffer->size() - used);
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<MemoryDestination*>(cinfo->dest);
    dest->buffer->resize(dest->buffer->size() - static_cast<qsizetype>(dest->pub.free_in_buffer));
}

// Source: one memory block. Running past its end is an error, so a truncated picture
// fails instead of coming back with a grey lower part.
void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
    ERREXIT(cinfo, JERR_INPUT_EOF);
    return FALSE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0)
        return;
    jpeg_source_mgr* src = cinfo->src;
    if (static_cast<unsigned long>(count) > src->bytes_in_buffer)
        ERREXIT(cinfo, JERR_INPUT_EOF);
    src->next_input_byte += count;
    src->bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

// Larger pictures than this are refused rather than allocated (a damaged header can claim
// 65500 x 65500 pixels).
constexpr qint64 kMaxDecodedBytes = 256LL * 1024 * 1024;

struct EncodeContext {
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    MemoryDestination dest{};
};

// Only trivially destructible locals live in this frame: it is the target of the longjmp.
bool RunEncode(EncodeContext& c, const QImage& image, int quality) {
    c.cinfo.err = &c.err.pub;
    InstallErrorManager(c.err);
    if (setjmp(c.err.jump)) {
        jpeg_destroy_compress(&c.cinfo);
        return false;
    }
    jpeg_create_compress(&c.cinfo);
    c.dest.pub.init_destination = InitDestination;
    c.dest.pub.empty_output_buffer = EmptyOutputBuffer;
    c.dest.pub.term_destination = TermDestination;
    c.cinfo.dest = &c.dest.pub;

    c.cinfo.image_width = static_cast<JDIMENSION>(image.width());
    c.cinfo.image_height = static_cast<JDIMENSION>(image.height());
    c.cinfo.input_components = 3;
    c.cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c.cinfo);
    jpeg_set_quality(&c.cinfo, quality, TRUE);
    jpeg_start_compress(&c.cinfo, TRUE);
    while (c.cinfo.next_scanline < c.cinfo.image_height) {
        // libjpeg's API takes non-const rows but only reads them.
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(c.cinfo.next_scanline)));
        jpeg_write_scanlines(&c.cinfo, &row, 1);
    }
    jpeg_finish_compress(&c.cinfo);
    jpeg_destroy_compress(&c.cinfo);
    return true;
}

struct DecodeContext {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_source_mgr src{};
    QImage image;
    QString problem; // a failure found by our code rather than libjpeg
    QSize atLeast;   // when set, libjpeg scales down by 1/2, 1/4 or 1/8 while this still fits
};

bool RunDecode(DecodeContext& c, const QByteArray& data) {
    c.cinfo.err = &c.err.pub;
    InstallErrorManager(c.err);
    if (setjmp(c.err.jump)) {
        jpeg_destroy_decompress(&c.cinfo);
        return false;
    }
    jpeg_create_decompress(&c.cinfo);
    c.src.init_source = InitSource;
    c.src.fill_input_buffer = FillInputBuffer;
    c.src.skip_input_data = SkipInputData;
    c.src.resync_to_restart = jpeg_resync_to_restart;
    c.src.term_source = TermSource;
    c.src.next_input_byte = reinterpret_cast<const JOCTET*>(data.constData());
    c.src.bytes_in_buffer = static_cast<size_t>(data.size());
    c.cinfo.src = &c.src;

    jpeg_read_header(&c.cinfo, TRUE);
    c.cinfo.out_color_space = JCS_RGB; // greyscale pictures are expanded by libjpeg
    if (qint64(c.cinfo.image_width) * qint64(c.cinfo.image_height) * 3 > kMaxDecodedBytes) {
        c.problem = QStringLiteral("picture too large (%1 x %2)")
                        .arg(c.cinfo.image_width)
                        .arg(c.cinfo.image_height);
        jpeg_destroy_decompress(&c.cinfo);
        return false;
    }
    if (c.atLeast.isValid()) {
        for (unsigned denom = 8; denom > 1; denom /= 2) {
            if ((c.cinfo.image_width + denom - 1) / denom >= unsigned(c.atLeast.width()) &&
                (c.cinfo.image_height + denom - 1) / denom >= unsigned(c.atLeast.height())) {
                c.cinfo.scale_num = 1;
                c.cinfo.scale_denom = denom;
                break;
            }
        }
    }
    jpeg_start_decompress(&c.cinfo);
    if (c.cinfo.output_components != 3) {
        c.problem = QStringLiteral("unsupported colour layout");
        jpeg_destroy_decompress(&c.cinfo);
        return false;
    }
    c.image = QImage(static_cast<int>(c.cinfo.output_width), static_cast<int>(c.cinfo.output_height),
                     QImage::Format_RGB888);
    if (c.image.isNull()) {
        c.problem = QStringLiteral("out of memory");
        jpeg_destroy_decompress(&c.cinfo);
        return false;
    }
    while (c.cinfo.output_scanline < c.cinfo.output_height) {
        JSAMPROW row = c.image.scanLine(static_cast<int>(c.cinfo.output_scanline));
        jpeg_read_scanlines(&c.cinfo, &row, 1);
    }
    jpeg_finish_decompress(&c.cinfo);
    jpeg_destroy_decompress(&c.cinfo);
    return true;
}

void SetError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

} // namespace

bool EncodeJpeg(const QImage& image, int quality, QByteArray* out, QString* error) {
    out->clear();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
        SetError(error, QStringLiteral("JPEG: no picture to encode"));
        return false;
    }
    const QImage rgb = image.format() == QImage::Format_RGB888
                           ? image
                           : image.convertToFormat(QImage::Format_RGB888);
    EncodeContext c;
    c.dest.buffer = out;
    // Quality 100 pictures run to about half the raw size; the buffer doubles when needed.
    c.dest.initialSize = qMax<qsizetype>(16384, qsizetype(rgb.width()) * rgb.height() * 3 / 2);
    if (!RunEncode(c, rgb, qBound(0, quality, 100))) {
        out->clear();
        SetError(error, QStringLiteral("JPEG: ") + QString::fromLocal8Bit(c.err.message));
        return false;
    }
    return true;
}

bool SaveJpeg(const QImage& image, int quality, const QString& path, QString* error) {
    QByteArray data;
    if (!EncodeJpeg(image, quality, &data, error))
        return false;
    QString why;
    if (!WriteFileAtomically(path, data, &why)) {
        SetError(error, QStringLiteral("Cannot write %1: %2").arg(path, why));
        return false;
    }
    return true;
}

bool DecodeJpeg(const QByteArray& data, QImage* out, QString* error) {
    return DecodeJpegAtLeast(data, QSize(), out, error);
}

bool DecodeJpegAtLeast(const QByteArray& data, QSize atLeast, QImage* out, QString* error) {
    *out = QImage();
    if (data.isEmpty()) {
        SetError(error, QStringLiteral("JPEG: empty file"));
        return false;
    }
    DecodeContext c;
    c.atLeast = atLeast;
    if (!RunDecode(c, data)) {
        SetError(error, QStringLiteral("JPEG: ") +
                            (c.problem.isEmpty() ? QString::fromLocal8Bit(c.err.message) : c.problem));
        return false;
    }
    *out = c.image;
    return true;
}

bool LoadJpeg(const QString& path, QImage* out, QString* error) {
    return LoadJpegAtLeast(path, QSize(), out, error);
}

bool LoadJpegAtLeast(const QString& path, QSize atLeast, QImage* out, QString* error) {
    *out = QImage();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(error, QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    if (file.size() > kMaxDecodedBytes) {
        SetError(error, QStringLiteral("Cannot read %1: file too large").arg(path));
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        SetError(error, QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    if (!DecodeJpegAtLeast(data, atLeast, out, error)) {
        if (error)
            *error = path + QStringLiteral(": ") + *error;
        return false;
    }
    return true;
}

} // namespace platform
