#pragma once
// Record strings are raw 8-bit bytes shown through the Windows-1252 table. Every byte maps
// to exactly one character (the five unassigned bytes to the C1 controls of the same code),
// so any byte string, scrambled passwords included, survives bytes -> QString -> bytes.
#include <QByteArray>
#include <QString>

namespace platform {

// The character that one Windows-1252 byte stands for.
QChar AnsiByteToChar(quint8 byte);

// The byte for a character, or -1 when Windows-1252 has no byte for it.
int CharToAnsiByte(QChar ch);

QString FromAnsi(const QByteArray& bytes);
QString FromAnsi(const char* data, qsizetype size);

// Characters without a Windows-1252 byte become '?'.
QByteArray ToAnsi(const QString& text);

} // namespace platform
