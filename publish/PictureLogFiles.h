#pragma once
// The picture log's files: the pictures of a folder, their notes, what may be shown, the
// position caption, the time texts of the list, and the quarter turn of a picture.
#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>

// The folder's "*.jpg" files (letter case ignored) in name order.
QStringList ListLogPictures(const QString& folder);

// The note beside a picture: its path less the last 4 characters, plus ".txt".
QString PictureNotePath(const QString& picturePath);

// Pictures under this size are listed but never shown (a picture cut short while written).
inline constexpr qint64 kSmallestShownPicture = 101;
bool IsShowablePicture(const QString& picturePath);

// "Cam 1 000003 of 000012"; row -1 or an empty list gives "Cam 1 000000 of 000000".
QString LogCounterCaption(int camera, int row, int count);

// The time mode's two texts of a file's modification time: "HH:MM:SS" and "DDD-DD-MMM  ".
QString LogRowTimeText(const QDateTime& when);
QString LogRowDateText(const QDateTime& when);

// A note as the station writes it (Windows-1252, CRLF lines) and back.
QString ReadNoteText(const QString& notePath, bool* ok = nullptr);
bool WriteNoteText(const QString& notePath, const QString& text, QString* error = nullptr);

// A quarter turn clockwise: old pixel (x, y) lands at (H - 1 - y, x), H the old height.
QImage RotateBitmap90(const QImage& bitmap);

// Decodes the picture, turns it a quarter clockwise and writes it back as JPEG to the same
// path in one step; on failure the file is as it was and *error says why.
bool RotatePictureFile(const QString& picturePath, QString* error = nullptr);

// The picture save dialog's name: the extension is ".jpg" whatever was typed.
QString WithJpgExtension(const QString& fileName);
