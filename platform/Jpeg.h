#pragma once
// JPEG through libjpeg (6b API). libjpeg's fatal errors are caught inside these calls: a bad
// picture gives false and a message, never an exit or an exception.
#include <QByteArray>
#include <QImage>
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

} // namespace platform
