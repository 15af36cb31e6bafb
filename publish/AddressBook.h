#pragma once
// The address book kzwo0511.bin: remembered report recipients, one Windows-1252 line each
// with CR LF line ends, in the order they were first used.
#include <QString>
#include <QStringList>

namespace AddressBook {

inline const QString kFileName = QStringLiteral("kzwo0511.bin");

enum class AddResult {
    Added,
    AlreadyThere, // the same address but for A-Z letter case and surrounding blanks
    Failed,       // the file could not be read or written; it is left as it was
};

// The lines as stored (untrimmed). No file is an empty book; false (with *error) when the
// file exists but cannot be read.
bool Read(const QString& path, QStringList& lines, QString* error = nullptr);

// The lines in the order the recipient list shows them: alphabetical, ignoring case.
QStringList Sorted(QStringList lines);
// Where a new item goes in a list kept in that order.
qsizetype SortedPosition(const QStringList& items, const QString& item);

// Appends the address as passed, on a line of its own, unless the book already has it.
// The whole file is rewritten atomically.
AddResult Add(const QString& path, const QString& address, QString* error = nullptr);

} // namespace AddressBook
