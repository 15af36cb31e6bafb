#include "platform/MailMessage.h"

#include <QRandomGenerator>
#include <QTimeZone>

namespace platform {

namespace {

bool IsControl(char16_t c) { return c < 0x20 || c == 0x7f || (c >= 0x80 && c < 0xa0); }

QString WithoutControls(const QString& text) {
    QString clean;
    for (QChar c : text)
        if (!IsControl(c.unicode())) clean += c;
    return clean;
}

// Base64 encoded words of at most 75 characters, cut between whole characters.
QByteArray EncodedWords(const QString& text) {
    static const QByteArray kPrefix = "=?UTF-8?B?";
    static const QByteArray kSuffix = "?=";
    constexpr int kMaxRawBytes = 45; // 60 base64 characters + 12 of frame
    QList<QByteArray> words;
    QByteArray chunk;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QByteArray bytes = text.mid(i, width).toUtf8();
        if (chunk.size() + bytes.size() > kMaxRawBytes) {
            words << kPrefix + chunk.toBase64() + kSuffix;
            chunk.clear();
        }
        chunk += bytes;
        i += width;
    }
    if (!chunk.isEmpty()) words << kPrefix + chunk.toBase64() + kSuffix;
    return words.join(' ');
}

} // namespace

QStringList SplitAddressList(const QString& list) {
    QStringList out;
    for (const QString& item : list.split(u','))
        if (const QString address = item.trimmed(); !address.isEmpty()) out << address;
    return out;
}

bool IsSendableAddress(const QString& address, QString* why) {
    auto refuse = [&](const QString& reason) {
        if (why) *why = reason;
        return false;
    };
    if (address.isEmpty()) return refuse(QStringLiteral("The e-mail address is empty."));
    static const QString kForbidden = QStringLiteral("<>()[],;:\"\\ ");
    for (QChar c : address) {
        if (IsControl(c.unicode()) || c.unicode() > 0x7e || kForbidden.contains(c))
            return refuse(QStringLiteral("The e-mail address \"%1\" holds a character that "
                                         "cannot be sent.")
                              .arg(WithoutControls(address)));
    }
    const qsizetype at = address.indexOf(u'@');
    if (at <= 0 || at == address.size() - 1 || address.indexOf(u'@', at + 1) >= 0)
        return refuse(QStringLiteral("\"%1\" is not an e-mail address.").arg(address));
    return true;
}

QString MailContentId(const QString& name) {
    QString id;
    for (const char byte : name.toUtf8()) {
        const auto c = static_cast<unsigned char>(byte);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
            c == '-' || c == '_')
            id += QChar(c);
        else
            id += QStringLiteral("=%1").arg(uint(c), 2, 16, QChar(u'0')).toUpper();
    }
    return id;
}

QByteArray EncodeHeaderText(const QString& text) {
    const QString clean = WithoutControls(text);
    bool ascii = true;
    for (QChar c : clean) ascii &= c.unicode() < 0x80;
    if (ascii) return clean.toLatin1();
    return EncodedWords(clean);
}

QByteArray FormatMailDate(const QDateTime& when) {
    static const char* const kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDateTime local = when.isValid() ? when : QDateTime::currentDateTime();
    const QDate d = local.date();
    const QTime t = local.time();
    const int offsetMinutes = local.offsetFromUtc() / 60;
    const int absMinutes = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    return QStringLiteral("%1, %2 %3 %4 %5:%6:%7 %8%9%10")
        .arg(QLatin1String(kDays[d.dayOfWeek() - 1]))
        .arg(d.day(), 2, 10, QChar(u'0'))
        .arg(QLatin1String(kMonths[d.month() - 1]))
        .arg(d.year(), 4, 10, QChar(u'0'))
        .arg(t.hour(), 2, 10, QChar(u'0'))
        .arg(t.minute(), 2, 10, QChar(u'0'))
        .arg(t.second(), 2, 10, QChar(u'0'))
        .arg(QChar(offsetMinutes < 0 ? u'-' : u'+'))
        .arg(absMinutes / 60, 2, 10, QChar(u'0'))
        .arg(absMinutes % 60, 2, 10, QChar(u'0'))
        .toLatin1();
}

QByteArray MakeMessageId(const QString& from, const QDateTime& when) {
    QString domain = from.mid(from.indexOf(u'@') + 1);
    if (from.indexOf(u'@') < 0 || !IsSendableAddress(QStringLiteral("x@") + domain))
        domain = QStringLiteral("torvek.invalid");
    const qint64 stamp = (when.isValid() ? when : QDateTime::currentDateTime()).toMSecsSinceEpoch();
    const quint64 random = QRandomGenerator::global()->generate64();
    return QStringLiteral("<%1.%2@%3>")
        .arg(stamp, 0, 36)
        .arg(random, 0, 36)
        .arg(domain)
        .toLatin1();
}

QList<QByteArray> MailHeaderLines(const MailMessage& message, QString* error) {
    QString why;
    if (!IsSendableAddress(message.from, &why)) {
        if (error) *error = QStringLiteral("Sender: ") + why;
        return {};
    }
    if (message.recipients.isEmpty()) {
        if (error) *error = QStringLiteral("The mail has no recipient.");
        return {};
    }
    for (const QString& to : message.recipients) {
        if (!IsSendableAddress(to, &why)) {
            if (error) *error = QStringLiteral("Recipient: ") + why;
            return {};
        }
    }
    return {
        "From: " + message.from.toLatin1(),
        "To: " + message.recipients.join(QStringLiteral(", ")).toLatin1(),
        "Subject: " + EncodeHeaderText(message.subject),
        "Date: " + FormatMailDate(message.date),
        "Message-ID: " + MakeMessageId(message.from, message.date),
    };
}

} // namespace platform
