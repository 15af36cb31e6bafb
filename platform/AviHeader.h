#pragma once
// What an AVI file's header announces of its pictures, checked before anything decodes them:
// a damaged or hostile header must not make the player ask for gigabytes.
#include <QByteArray>
#include <QString>

namespace platform {

// No camera delivers pictures wider or higher than this.
constexpr int kMaxPictureSide = 8192;

// Why the pictures that head (the first bytes of a file of fileSize bytes) announces cannot
// be played: a side above kMaxPictureSide, or an uncompressed picture larger than the whole
// file. Empty when they can, and for bytes that are not the start of an AVI file (the player
// tells those itself).
QString AviPictureRefusal(const QByteArray& head, qint64 fileSize);

} // namespace platform
