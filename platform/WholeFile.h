#pragma once
// Whole-file writes that a reader never sees half done: the data goes to a temporary
// file beside the target, which is then renamed over it. Unlike the record files' write it
// does not wait for the disk to flush: pictures arrive several times a second.
#include <QByteArray>
#include <QString>

namespace platform {

// Writes data as the file at path. On failure nothing is left at path that was not
// there before (an older file stays untouched), the temporary is removed, and
// *error (when given) says why in plain words.
bool WriteWholeFile(const QString& path, const QByteArray& data, QString* error = nullptr);

} // namespace platform
