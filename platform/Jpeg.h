#pragma once
// JPEG through libjpeg (6b API). libjpeg's fatal errors are caught inside these calls: a bad
// picture gives false and a message, never an exit or an exception.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace platform {

// Encodes the image (any format; converted to RGB888 when needed) at quality 0..100 (clamped;
// 0 behaves as 1, as in libjpeg). On failure *out is left empty.
bool EncodeJpeg(const QImage& image, int quality, QByteArray* out, QString* error = nullptr);

// Encodes and writes the file in one step: the file appears only when complete, so a failed
// write (disk full, folder missing) leaves no truncated picture and any older file stays.
bool SaveJpeg(const QImage& image, int quality, const QString& path, QString* error = nullptr);

// Decodes a JPEG held in memory to an RGB888 image. Truncated or corrupt data fails cleanly:
// *out is left null.
bool DecodeJpeg(const QByteArray& data, QImage* out, QString* error = nullptr);

// Reads and decodes a JPEG file.
bool LoadJpeg(const QString& path, QImage* out, QString* error = nullptr);

// The same for a picture that is about to be shrunk: libjpeg decodes it at 1/2, 1/4 or 1/8
// of its size when the result is still at least atLeast in both directions, which is
// much cheaper than a full decode.
bool DecodeJpegAtLeast(const QByteArray& data, QSize atLeast, QImage* out,
                       QString* error = nullptr);
bool LoadJpegAtLeast(const QString& path, QSize atLeast, QImage* out, QString* error = nullptr);

} // namespace platform
