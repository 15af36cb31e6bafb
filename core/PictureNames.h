#pragma once
// Names and texts of the picture store: picture and note names from the shared counter,
// the note's lines, and the remote names of FTP uploads.
#include <QString>
#include <QStringList>

// The counter as at least six digits: 42 -> "000042", 1234567 -> "1234567".
QString FormatPictureNumber(qint64 number);

// The part of the cleaned computer name that picture names carry: its first six
// characters, trimmed by the record rule (characters at or below the blank).
QString PictureNamePart(const QString& namePrefix);

// "000042OFFICE.jpg" from the counter and the cleaned computer name; "Image000042.jpg" when
// its name part is empty.
QString PictureFileNameFor(qint64 number, const QString& namePrefix);

// The counter a picture or note name carries ("000042OFFICE.jpg", "Image000042.jpg"), or
// -1. With namePrefix, a name made from it yields only the counter's digits even when the
// name part itself begins with digits; other names are read by their leading digits.
qint64 PictureNumberOf(const QString& fileName, const QString& namePrefix = QString());

// The note beside a picture: the name less its extension, plus ".txt".
QString NoteFileNameFor(const QString& pictureName);

// The lines of a picture's note; blank site or camera names leave their line out.
QStringList PictureNoteLines(qint64 number, const QString& pictureName, const QString& siteLocation,
                             const QString& cameraName, const QString& capturedTime);

// The ring position after ring for a ring of maxImages remote pictures (1 .. maxImages).
int NextFtpRingPosition(int ring, int maxImages);

// "netcam100007.jpg" for the export name "netcam1" at ring position 7.
QString FtpRingRemoteName(const QString& exportName, int ring);

// The remote name of the "Export As" upload: the trimmed export name with ".jpg" added
// unless it already ends so; empty (nothing to upload) for a name of one character or less.
QString FtpExportAsRemoteName(const QString& exportName);

// True for a name the station gives its pictures: six or more digits and at most six more
// characters, or "Image" and six or more digits, then ".jpg" (letter case ignored). Only
// these are ever recycled or purged; other pictures in the folder belong to the user.
bool IsStationPictureName(const QString& fileName);
