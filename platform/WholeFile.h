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

// Replaces the content of a small file (a counter line) by one write at its start, then
// cuts it to the new length. It never reads empty or half-written: the first line is
// either the old or the new one, and a full disk cannot stop it (no new block is needed).
// Only for data that fits one disk sector.
bool RewriteSmallFile(const QString& path, const QByteArray& data, QString* error = nullptr);

} // namespace platform
