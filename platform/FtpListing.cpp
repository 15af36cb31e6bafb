#include "platform/FtpListing.h"

#include "platform/Ansi.h"

#include <QRegularExpression>

namespace platform {

namespace {

int MonthOf(const QString& name) {
    static const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                          "jul", "aug", "sep", "oct", "nov", "dec"};
    const QString lower = name.toLower();
    for (int i = 0; i < 12; ++i)
        if (lower == QLatin1String(kMonths[i]))
            return i + 1;
    return 0;
}

// "drwxr-xr-x 2 user group 4096 Dec  6 12:34 name" (the link count, user and group may be
// missing on some servers; the size is the number right before the month).
bool ParseUnixLine(const QString& line, const QDate& today, FtpEntry* entry) {
    static const QRegularExpression kUnix(
        QStringLiteral("^([-dlbcps])[-rwxsStTl+@.]{9,10}\\s+(?:.*?\\s+)?(\\d+)\\s+"
                       "([A-Za-z]{3})\\s+(\\d{1,2})\\s+(\\d{1,2}:\\d{2}|\\d{4})\\s(.+)$"));
    const QRegularExpressionMatch m = kUnix.match(line);
    if (!m.hasMatch())
        return false;
    const int month = MonthOf(m.captured(3));
    const int day = m.captured(4).toInt();
    if (month == 0)
        return false;
    QString name = m.captured(6);
    // The time or year column is right-aligned: a year is followed by one blank and the
    // name, a time by one blank too; further blanks belong to the name.
    const QChar type = m.captured(1).at(0);
    if (type == 'l') {
        const qsizetype arrow = name.indexOf(QLatin1String(" -> "));
        if (arrow >= 0)
            name = name.left(arrow);
    }
    if (name.isEmpty())
        return false;

    QDateTime modified;
    const QString timeOrYear = m.captured(5);
    if (timeOrYear.contains(':')) {
        const QTime time = QTime::fromString(timeOrYear.rightJustified(5, '0'), QStringLiteral("HH:mm"));
        int year = today.isValid() ? today.year() : QDate::currentDate().year();
        QDate date(year, month, day);
        if (today.isValid() && date.isValid() && date > today.addDays(1))
            date = QDate(year - 1, month, day);
        modified = QDateTime(date, time);
    } else {
        modified = QDateTime(QDate(timeOrYear.toInt(), month, day), QTime(0, 0));
    }

    entry->name = name;
    entry->size = m.captured(2).toLongLong();
    entry->isDirectory = type == 'd';
    entry->modified = modified;
    return true;
}

// "12-06-26  08:34PM       <DIR>          folder" or "... 1234 file.jpg".
bool ParseDosLine(const QString& line, FtpEntry* entry) {
    static const QRegularExpression kDos(
        QStringLiteral("^(\\d{2})-(\\d{2})-(\\d{2,4})\\s+(\\d{1,2}):(\\d{2})\\s*([AaPp][Mm])?\\s+"
                       "(<DIR>|\\d+)\\s+(.+)$"));
    const QRegularExpressionMatch m = kDos.match(line);
    if (!m.hasMatch())
        return false;
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += year < 70 ? 2000 : 1900;
    int hour = m.captured(4).toInt();
    const QString half = m.captured(6).toUpper();
    if (half == QLatin1String("PM") && hour < 12)
        hour += 12;
    else if (half == QLatin1String("AM") && hour == 12)
        hour = 0;
    const QDate date(year, m.captured(1).toInt(), m.captured(2).toInt());
    const QTime time(hour, m.captured(5).toInt());
    if (!date.isValid() || !time.isValid())
        return false;
    entry->name = m.captured(8);
    entry->isDirectory = m.captured(7) == QLatin1String("<DIR>");
    entry->size = entry->isDirectory ? 0 : m.captured(7).toLongLong();
    entry->modified = QDateTime(date, time);
    return true;
}

} // namespace

bool ParseFtpListLine(const QString& rawLine, const QDate& today, FtpEntry* entry) {
    QString line = rawLine;
    while (line.endsWith('\r') || line.endsWith('\n'))
        line.chop(1);
    if (line.trimmed().isEmpty() || line.startsWith(QLatin1String("total"), Qt::CaseInsensitive))
        return false;
    FtpEntry parsed;
    if (!ParseUnixLine(line, today, &parsed) && !ParseDosLine(line, &parsed))
        return false;
    *entry = parsed;
    return true;
}

QList<FtpEntry> ParseFtpListing(const QStringList& lines, const QDate& today) {
    QList<FtpEntry> entries;
    for (const QString& line : lines) {
        FtpEntry entry;
        if (ParseFtpListLine(line, today, &entry) && entry.name != QLatin1String(".") &&
            entry.name != QLatin1String(".."))
            entries.append(entry);
    }
    return entries;
}

QStringList SplitListingText(const QByteArray& text) {
    QStringList lines = FromAnsi(text).split('\n');
    for (QString& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace platform
