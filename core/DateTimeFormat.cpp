#include "core/DateTimeFormat.h"

#include <cmath>

namespace {

QChar Upper(QChar c) {
    return (c >= u'a' && c <= u'z') ? QChar(c.unicode() - 32) : c;
}

bool IsLetter(QChar c) {
    const QChar u = Upper(c);
    return u >= u'A' && u <= u'Z';
}

// Matches `word` at `pos` without regard to case.
bool MatchesAt(const QString& text, qsizetype pos, QLatin1String word) {
    if (pos + word.size() > text.size()) return false;
    for (qsizetype i = 0; i < word.size(); ++i)
        if (Upper(text[pos + i]) != QChar(word[i])) return false;
    return true;
}

QString Number(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QChar(u'0'));
}

// One letter gives the bare number, two or more give two digits.
QString Digits(int value, qsizetype count) {
    return count == 1 ? QString::number(value) : Number(value, 2);
}

// Three letters name a day or month short, four or more in full.
QLocale::FormatType NameFormat(qsizetype count) {
    return count == 3 ? QLocale::ShortFormat : QLocale::LongFormat;
}

} // namespace

QString FormatDateTime(const QString& pattern, const QDateTime& when, const QLocale& locale) {
    const QDate date = when.date();
    const QTime time = when.time();
    bool twelveHour = false;
    for (qsizetype i = 0; i < pattern.size(); ++i)
        twelveHour |= MatchesAt(pattern, i, QLatin1String("AM/PM"));

    QString out;
    QChar lastLetter;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype end = pattern.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            out += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (MatchesAt(pattern, i, QLatin1String("AM/PM"))) {
            QString marker = time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            if (pattern[i].isLower()) marker = marker.toLower();
            out += marker;
            i += 5;
            lastLetter = u'A';
            continue;
        }
        if (!IsLetter(c)) {
            out += c;
            ++i;
            continue;
        }
        QChar letter = Upper(c);
        qsizetype count = 1;
        while (i + count < pattern.size() && Upper(pattern[i + count]) == letter)
            ++count;
        if (letter == u'M' && lastLetter == u'H') letter = u'N';
        switch (letter.unicode()) {
        case u'D':
            out += count <= 2 ? Digits(date.day(), count)
                              : locale.dayName(date.dayOfWeek(), NameFormat(count));
            break;
        case u'M':
            out += count <= 2 ? Digits(date.month(), count)
                              : locale.monthName(date.month(), NameFormat(count));
            break;
        case u'Y':
            out += count <= 2 ? Number(date.year() % 100, 2) : Number(date.year(), 4);
            break;
        case u'H': {
            int hour = time.hour();
            if (twelveHour) {
                hour %= 12;
                if (hour == 0) hour = 12;
            }
            out += Digits(hour, count);
            break;
        }
        case u'N':
            out += Digits(time.minute(), count);
            break;
        case u'S':
            out += Digits(time.second(), count);
            break;
        default:
            out += pattern.mid(i, count);
            break;
        }
        lastLetter = letter;
        i += count;
    }
    return out;
}

namespace {
const QDate kDayZero(1899, 12, 30);
}

double DateTimeToDays(const QDateTime& when) {
    const qint64 days = kDayZero.daysTo(when.date());
    return double(days) + when.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime DaysToDateTime(double days) {
    const double whole = std::floor(days);
    const int msecs = int(std::llround((days - whole) * 86400000.0));
    return QDateTime(kDayZero.addDays(qint64(whole)), QTime::fromMSecsSinceStartOfDay(qMin(msecs, 86399999)));
}
