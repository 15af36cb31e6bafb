#pragma once
// The installer leaves the folder of the copy that ran it in a hand-off file; the
// installed program deletes that copy's executable at its next show, then the file.
#include <QString>

// Acts only when the file's first line (trimmed) is an absolute folder, the executable
// "torvek" exists in it, and that executable is not the running one (Linux would let us
// delete ourselves). On success the hand-off file is deleted too. True when both were
// deleted; every failure leaves things as they were for the next try.
bool CleanUpInstallerHandOff(const QString& handOffFile, const QString& ownExecutable);
