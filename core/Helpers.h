#pragma once
// Small string, number and file helpers shared by every subsystem.
#include "platform/ProgramFolder.h"

#include <QString>
#include <QtGlobal>

// Removes leading and trailing characters at or below the blank (controls included), the
// way record strings are trimmed; unlike QString::trimmed it keeps U+00A0 and U+0085,
// which are ordinary Windows-1252 bytes in a record.
QString TrimText(const QString& s);

// Tolerant text to number: empty or malformed text gives 0. The text is read as a decimal
// number (leading blanks allowed, nothing may trail) and rounded half to even; numbers
// beyond the 32-bit range saturate.
qint32 SafeStrToInt(const QString& s);

// Substrings with forgiving bounds. MidStr's start is 1-based.
QString LeftStr(const QString& s, int count);
QString RightStr(const QString& s, int count);
QString MidStr(const QString& s, int start, int count);

// Replaces every occurrence of `from`, ignoring letter case.
QString ReplaceAllText(const QString& s, const QString& from, const QString& to);

// True for a usable address. On refusal `message` says why ("Invalid Email Address" unless
// it already held a text); with banFreeMail, the three free-mail providers are refused.
bool ValidateEmailAddress(const QString& address, QString& message, bool banFreeMail);

// The caption/note date format for an index 0..6; empty for any other index.
QString DateFormatByIndex(int index);

// The computer's name without blanks, full stops, @, $, #, '/' and control characters (NUL
// among them); "unkmown" when nothing is left.
QString GetCleanComputerName();
QString CleanComputerName(const QString& name);

// A 10-minute slot 0..144 as "HH:MM" (144 gives 24:00).
QString SlotToTimeText(int slot);

// <program folder>CAM<n>.DAT, the capture settings of driver record n.
QString CameraDataFileName(const platform::ProgramFolder& folder, int n);

// Size in bytes of an existing file, 0 when there is none (saturates at the 32-bit limit).
qint32 GetFileSizeOf(const QString& path);

// "C:" gives 3: the code of the first character of the trimmed text minus 64; 0 when empty.
int DriveLetterToNumber(const QString& drive);
