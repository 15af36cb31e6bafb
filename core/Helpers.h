#pragma once
// Small string, number and file helpers shared by every subsystem.
#include <QString>

// Removes leading and trailing characters at or below the blank (controls included), the
// way record strings are trimmed; unlike QString::trimmed it keeps U+00A0 and U+0085,
// which are ordinary Windows-1252 bytes in a record.
QString TrimText(const QString& s);
