#include "core/PasswordScrambler.h"

#include "platform/Ansi.h"

namespace {

constexpr quint32 kStartKey = 38561;
constexpr quint32 kMultiplier = 73096;
constexpr quint32 kAddend = 419;

// Both directions feed the scrambled byte back into the key, so each undoes the other.
QByteArray Run(const QByteArray& input, quint32 key, quint32 multiplier, quint32 addend,
               bool scrambling) {
    QByteArray output = input.left(255);
    for (qsizetype i = 0; i < output.size(); ++i) {
        const quint8 in = static_cast<quint8>(output[i]);
        const quint8 out = in ^ static_cast<quint8>((key >> 8) & 0xFF);
        output[i] = static_cast<char>(out);
        const quint8 feedback = scrambling ? out : in;
        key = (key + feedback) * multiplier + addend; // modulo 2^32 by unsigned wrap
    }
    return output;
}

} // namespace

QByteArray ScrambleBytes(const QByteArray& plain, quint32 startKey, quint32 multiplier,
                         quint32 addend) {
    return Run(plain, startKey, multiplier, addend, true);
}

QByteArray UnscrambleBytes(const QByteArray& scrambled, quint32 startKey, quint32 multiplier,
                           quint32 addend) {
    return Run(scrambled, startKey, multiplier, addend, false);
}

QString ScrambleString(const QString& text, quint32 startKey, quint32 multiplier, quint32 addend) {
    return platform::FromAnsi(ScrambleBytes(platform::ToAnsi(text), startKey, multiplier, addend));
}

QString UnscrambleString(const QString& text, quint32 startKey, quint32 multiplier,
                         quint32 addend) {
    return platform::FromAnsi(
        UnscrambleBytes(platform::ToAnsi(text), startKey, multiplier, addend));
}

QString ScramblePassword(const QString& text) {
    return ScrambleString(text, kStartKey, kMultiplier, kAddend);
}

QString UnscramblePassword(const QString& text) {
    return UnscrambleString(text, kStartKey, kMultiplier, kAddend);
}
