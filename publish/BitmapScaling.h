#pragma once
// Bitmap scaling and bitmap-to-JPEG for the online picture service and the picture log.
#include <QImage>
#include <QString>

// a * b / c rounded to the nearest integer, halves away from zero, in 64 bits; -1 when c is 0
// (the result the station has always used for its fixed-point steps).
int MulDiv(int a, int b, int c);

// Bilinear scaling of a 24-bit picture into target's size, in 16.16 fixed point. Equal sizes
// copy. target is (re)made as RGB888 of its own size; a null target or source does nothing.
void SmoothResizeBitmap(const QImage& source, QImage& target);

// libjpeg's own default quality, used where the station saves "at the encoder's default".
inline constexpr int kDefaultJpegQuality = 75;

// Encodes at the default quality and writes the file atomically; false (with *error) on failure.
bool SaveBitmapAsJpeg(const QImage& bitmap, const QString& fileName, QString* error = nullptr);
