#pragma once
// Parsing of an FTP server's detailed directory listing (the reply to LIST): Unix
// "ls -l" lines and DOS/IIS lines ("12-06-26  08:34PM  <DIR>  name").
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

struct FtpEntry {
    QString name;
    qint64 size = 0;
    bool isDirectory = false;
    QDateTime modified; // local time; invalid when the line gave none
};

// One listing line; false for lines that name no entry ("total 12", blank, unknown form).
// Unix lines that give a time instead of a year take the year that puts the date no more
// than a day after `today` (a listing cannot show a file from the future).
bool ParseFtpListLine(const QString& line, const QDate& today, FtpEntry* entry);

// The entries of a whole listing, in order; "." and ".." are left out.
QList<FtpEntry> ParseFtpListing(const QStringList& lines, const QDate& today);

// The listing text split into lines (CR LF or LF), the last empty line dropped.
QStringList SplitListingText(const QByteArray& text);

} // namespace platform
