#include "platform/RecordFile.h"

#include "platform/WholeFile.h"

#include <QFile>
#include <QFileInfo>

namespace platform {

RecordReadResult ReadRecord(const QString& path, int recordSize, int recordNumber,
                            QByteArray& record, QString* error) {
    QFileInfo info(path);
    if (!info.exists()) return RecordReadResult::Missing;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return RecordReadResult::Failed;
    }
    const qint64 start = qint64(recordSize) * recordNumber;
    if (file.size() < start + recordSize) return RecordReadResult::Short;
    if (!file.seek(start)) {
        if (error) *error = file.errorString();
        return RecordReadResult::Failed;
    }
    QByteArray data = file.read(recordSize);
    if (data.size() != recordSize) {
        if (error) *error = file.errorString();
        return data.size() < 0 ? RecordReadResult::Failed : RecordReadResult::Short;
    }
    record = data;
    return RecordReadResult::Ok;
}

bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error, bool ownerOnly) {
    return WriteWholeFile(path, data, error, FileSync::Durable,
                          ownerOnly ? FileAccess::OwnerOnly : FileAccess::AsBefore);
}

bool WriteRecordFile(const QString& path, int recordNumber, const QByteArray& record,
                     QString* error, bool ownerOnly) {
    QByteArray data(qsizetype(record.size()) * recordNumber, '\0');
    data.append(record);
    return WriteFileAtomically(path, data, error, ownerOnly);
}

bool KeepDamagedFile(const QString& path, QString* error) {
    const QString bad = path + ".bad";
    if (QFileInfo::exists(bad) && !QFile::remove(bad)) {
        if (error) *error = QStringLiteral("cannot replace %1").arg(bad);
        return false;
    }
    QFile file(path);
    if (!file.rename(bad)) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace platform
