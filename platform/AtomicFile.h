#pragma once
// Whole-file writes that a reader never sees half done: the data goes to a temporary
// file beside the target, which is then renamed over it.
#include <QByteArray>
#include <QString>

namespace platform {

// Writes data as the file at path. On failure nothing is left at path that was not
// there before (an older file stays untouched), the temporary is removed, and
// *error (when given) says why in plain words.
bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);

} // namespace platform
