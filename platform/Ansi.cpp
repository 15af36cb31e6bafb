#include "platform/Ansi.h"

namespace platform {

namespace {

// 0x80..0x9F; the rest of the table equals Latin-1. Unassigned bytes keep their own code.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

} // namespace

QChar AnsiByteToChar(quint8 byte) {
    if (byte >= 0x80 && byte <= 0x9F) return QChar(kHighControls[byte - 0x80]);
    return QChar(char16_t(byte));
}

int CharToAnsiByte(QChar ch) {
    const char16_t code = ch.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return code;
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == code) return 0x80 + i;
    }
    return -1;
}

QString FromAnsi(const char* data, qsizetype size) {
    QString text;
    text.resize(size);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size; ++i)
        out[i] = AnsiByteToChar(static_cast<quint8>(data[i]));
    return text;
}

QString FromAnsi(const QByteArray& bytes) {
    return FromAnsi(bytes.constData(), bytes.size());
}

QByteArray ToAnsi(const QString& text) {
    QByteArray bytes;
    bytes.resize(text.size());
    char* out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = CharToAnsiByte(text.at(i));
        out[i] = static_cast<char>(b < 0 ? '?' : b);
    }
    return bytes;
}

} // namespace platform
