#pragma once
// Typed record files: a file of fixed-size records addressed by record number, and the
// atomic write every record file of the station goes through.
#include <QByteArray>
#include <QString>

namespace platform {

enum class RecordReadResult {
    Ok,      // the record was read
    Missing, // no such file
    Short,   // the file ends before the record does
    Failed,  // the file exists but could not be read
};

// Reads record `recordNumber` (0-based) of `recordSize` bytes into `record`.
RecordReadResult ReadRecord(const QString& path, int recordSize, int recordNumber,
                            QByteArray& record, QString* error = nullptr);

// WriteWholeFile with the data synced to disk before the rename: a crash or a full disk
// never leaves a half-written file, and a failure leaves the old file as it was. With
// ownerOnly the file is readable and writable by its owner alone (0600) from the moment it
// appears.
bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr,
                         bool ownerOnly = false);

// Writes a typed file that holds `recordNumber` zero-filled records followed by `record`.
bool WriteRecordFile(const QString& path, int recordNumber, const QByteArray& record,
                     QString* error = nullptr, bool ownerOnly = false);

// Moves a damaged file aside as `<path>.bad` (replacing an older one) so nothing overwrites it.
bool KeepDamagedFile(const QString& path, QString* error = nullptr);

} // namespace platform
