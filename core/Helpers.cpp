#include "core/Helpers.h"

#include "platform/Rounding.h"
#include "platform/SystemInfo.h"

#include <QFileInfo>
#include <cmath>

QString TrimText(const QString& s) {
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && s.at(first).unicode() <= u' ')
        ++first;
    while (last > first && s.at(last - 1).unicode() <= u' ')
        --last;
    return s.mid(first, last - first);
}

namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Strict decimal number: [sign] digits [. digits] [e [sign] digits], at least one digit
// in the mantissa. Returns false on anything else.
bool ParseStrictNumber(const QString& text, double& value) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    qsizetype digits = 0;
    while (i < n && IsDigit(text[i]))
        ++i, ++digits;
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && IsDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
        qsizetype expDigits = 0;
        while (i < n && IsDigit(text[i]))
            ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != n) return false;
    bool ok = false;
    value = text.toDouble(&ok); // C locale: '.' is the decimal separator
    return ok && std::isfinite(value);
}

} // namespace

qint32 SafeStrToInt(const QString& s) {
    qsizetype start = 0;
    while (start < s.size() && s.at(start).unicode() <= u' ')
        ++start;
    double value = 0;
    if (!ParseStrictNumber(s.mid(start), value)) return 0;
    return platform::SaturateInt32(platform::RoundHalfEven(value));
}

QString LeftStr(const QString& s, int count) {
    if (count <= 0) return {};
    return s.left(count);
}

QString RightStr(const QString& s, int count) {
    if (count <= 0) return {};
    return s.right(count);
}

QString MidStr(const QString& s, int start, int count) {
    if (start < 1) start = 1;
    if (count <= 0 || start > s.size()) return {};
    return s.mid(start - 1, count);
}

QString ReplaceAllText(const QString& s, const QString& from, const QString& to) {
    if (from.isEmpty()) return s;
    QString result = s;
    return result.replace(from, to, Qt::CaseInsensitive);
}

bool ValidateEmailAddress(const QString& address, QString& message, bool banFreeMail) {
    const QString text = TrimText(address);
    bool valid = !text.isEmpty() && text.contains(u'.') && text.contains(u'@') &&
                 !text.contains(u'"') && !text.contains(u'\\');
    if (valid) {
        const qsizetype at = text.indexOf(u'@');
        const QString local = text.left(at);
        const QString domain = text.mid(at + 1);
        if (banFreeMail &&
            (domain.contains(QLatin1String("hotmail")) || domain.contains(QLatin1String("yahoo")) ||
             domain.contains(QLatin1String("gmail.com")))) {
            QString upper = domain;
            for (QChar& c : upper)
                if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
            message = upper + QStringLiteral(" emails not allowed");
            return false;
        }
        valid = !TrimText(local).isEmpty() && !TrimText(domain).isEmpty() && !domain.contains(u'@');
    }
    if (!valid && message.isEmpty()) message = QStringLiteral("Invalid Email Address");
    return valid;
}

QString DateFormatByIndex(int index) {
    switch (index) {
    case 0:
        return QStringLiteral("\"d/m/y\" dd/mm/yy hh:mm:ss");
    case 1:
        return QStringLiteral("\"m/d/y\" mm/dd/yy hh:mm:ss");
    case 2:
        return QStringLiteral("\"d/m/y\" dd/mm/yy hh:mm:ss AM/PM");
    case 3:
        return QStringLiteral("\"m/d/y\" mm/dd/yy hh:mm:ss AM/PM");
    case 4:
    case 5:
        return QStringLiteral("ddd mmm d-yyyy-hh:mm:ss AM/PM");
    case 6:
        return QStringLiteral("ddd mmm d-yyyy-hh:mm:ss");
    default:
        return {};
    }
}

QString CleanComputerName(const QString& name) {
    QString clean = TrimText(name);
    for (const char* removed : {" ", ".", "@", "$", "#"})
        clean = ReplaceAllText(clean, QLatin1String(removed), QString());
    // Picture file names carry it: nothing a file name cannot hold (a '/' would point every
    // save into another folder), and no control character.
    clean.removeIf([](QChar c) { return c == u'/' || c.category() == QChar::Other_Control; });
    return clean.isEmpty() ? QStringLiteral("unkmown") : clean;
}

QString GetCleanComputerName() {
    return CleanComputerName(platform::ComputerName());
}

QString SlotToTimeText(int slot) {
    const int minutes = (slot * 10) % 60;
    const int hours = (slot * 10 - minutes) / 60;
    return QStringLiteral("%1:%2").arg(hours, 2, 10, QChar(u'0')).arg(minutes, 2, 10, QChar(u'0'));
}

QString CameraDataFileName(const platform::ProgramFolder& folder, int n) {
    return folder.File(QStringLiteral("CAM%1.DAT").arg(n));
}

qint32 GetFileSizeOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) return 0;
    return platform::SaturateInt32(info.size());
}

int DriveLetterToNumber(const QString& drive) {
    const QString text = TrimText(drive);
    if (text.isEmpty()) return 0;
    return text.at(0).unicode() - 64;
}
