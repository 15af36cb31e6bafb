#include "capture/DriverAliasRegistry.h"

#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "platform/RecordFile.h"
#include "platform/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace {

constexpr int kRecordSize = DriverAliasRecord::Size;

// Reads every whole record from an open file; a partial record at the end is left alone.
bool ReadWholeRecords(QFile& file, QList<DriverAliasRecord>& records) {
    records.clear();
    const qint64 count = file.size() / kRecordSize;
    if (!file.seek(0))
        return false;
    for (qint64 i = 0; i < count; ++i) {
        QByteArray bytes = file.read(kRecordSize);
        if (bytes.size() != kRecordSize)
            return false;
        records << DriverAliasRecord::Decode(bytes);
    }
    return true;
}

DriverAliasRecord NewRecord(const QString& name, const QString& alias, const QString& status) {
    DriverAliasRecord record;
    record.DriverName = name;
    record.DriverAlias = alias;
    record.DriverStatus = status;
    return record;
}

// The list line with its status replaced.
QString WithStatus(const QString& row, const QString& status) {
    QString name, oldStatus, alias;
    SplitDriverLine(row, name, oldStatus, alias);
    return FormatDriverLine(name, alias, status);
}

QString NameOfRow(const QString& row) {
    QString name, status, alias;
    SplitDriverLine(row, name, status, alias);
    return name;
}

} // namespace

DriverAliasRegistry::DriverAliasRegistry(const platform::ProgramFolder& folder, SettingsStore& store,
                                         CameraChoiceControls& choices, QObject* parent)
    : QObject(parent), filePath_(folder.File(kFileName)), store_(store), choices_(choices) {}

void DriverAliasRegistry::SelectRow(int row) {
    if (row < -1 || row >= rows_.size() || row == selectedRow_)
        return;
    selectedRow_ = row;
    emit SelectedRowChanged(row);
}

bool DriverAliasRegistry::ReadRecords(QList<DriverAliasRecord>& records) const {
    records.clear();
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return ReadWholeRecords(file, records);
}

bool DriverAliasRegistry::ReadRecord(int index, DriverAliasRecord& record) const {
    if (index < 0)
        return false;
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(qint64(index) * kRecordSize))
        return false;
    QByteArray bytes = file.read(kRecordSize);
    if (bytes.size() != kRecordSize)
        return false;
    record = DriverAliasRecord::Decode(bytes);
    return true;
}

DriverAliasRegistry::FileState DriverAliasRegistry::ReadFile(QList<DriverAliasRecord>& records,
                                                             QString* error) const {
    records.clear();
    const QFileInfo info(filePath_);
    if (!info.exists() && !info.isSymLink())
        return FileState::Missing;
    QFile file(filePath_);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = info.isDir() ? QStringLiteral("it is a folder") : file.errorString();
        return FileState::Failed;
    }
    if (!ReadWholeRecords(file, records)) {
        if (error)
            *error = file.errorString();
        return FileState::Failed;
    }
    return file.size() % kRecordSize == 0 ? FileState::Ok : FileState::Damaged;
}

void DriverAliasRegistry::ReportProblem(const QString& text) {
    if (problemShown_)
        return;
    problemShown_ = true;
    ShowNoticeBox(text); // read at start-up: nobody may be there to press OK
}

bool DriverAliasRegistry::WriteRecords(const QList<DriverAliasRecord>& records) {
    QByteArray data;
    data.reserve(qsizetype(records.size()) * kRecordSize);
    for (const DriverAliasRecord& record : records)
        data += record.Encode();
    QString error;
    if (!platform::WriteWholeFile(filePath_, data, &error)) {
        // One message per run of failures: every start and every refresh writes again.
        if (!writeFailureShown_)
            ShowNoticeBox(QStringLiteral("The camera driver list could not be saved to %1: %2").arg(filePath_, error));
        writeFailureShown_ = true;
        return false;
    }
    writeFailureShown_ = false;
    return true;
}

DriverAliasRegistry::FileState DriverAliasRegistry::ReadForChange(QList<DriverAliasRecord>& records) {
    QString error;
    FileState state = ReadFile(records, &error);
    if (state == FileState::Damaged)
        state = SetDamagedFileAside(records) ? FileState::Ok : FileState::Failed;
    else if (state == FileState::Failed)
        ReportProblem(QStringLiteral("The camera driver list %1 could not be read (%2). It will not be overwritten.")
                          .arg(filePath_, error));
    return state;
}

// A partial record at the end: the damaged file is kept as it is, beside the whole records
// read from it, which go on.
bool DriverAliasRegistry::SetDamagedFileAside(const QList<DriverAliasRecord>& records) {
    QString error;
    if (!platform::KeepDamagedFile(filePath_, &error)) {
        ReportProblem(QStringLiteral("The camera driver list %1 is damaged and could not be set aside (%2). It "
                                     "will not be overwritten.")
                          .arg(filePath_, error));
        return false;
    }
    ReportProblem(QStringLiteral("The camera driver list %1 was damaged. It has been kept as %1.bad and the "
                                 "%2 whole records in it are used.")
                      .arg(filePath_)
                      .arg(records.size()));
    // A failed write is said by WriteRecords; the records read still show.
    if (!records.isEmpty())
        WriteRecords(records);
    return true;
}

bool DriverAliasRegistry::CreateFile(const QStringList& devices, QList<DriverAliasRecord>& records) {
    records.clear();
    // Kept as the file holds them (cut, characters replaced), as a reading would give them.
    for (int i = 0; i < devices.size(); ++i)
        records << DriverAliasRecord::Decode(
            NewRecord(devices[i], QStringLiteral("Cam %1").arg(i + 1), kStatusNew).Encode());
    if (!WriteRecords(records)) {
        records.clear();
        return false;
    }
    return true;
}

void DriverAliasRegistry::SetRows(const QStringList& rows, int selected) {
    rows_ = rows;
    selectedRow_ = selected;
    emit RowsChanged();
    emit SelectedRowChanged(selected);
}

void DriverAliasRegistry::LoadDriverList() {
    const QStringList devices = choices_.CameraList();
    QStringList rows;
    for (bool rebuilt = false;; rebuilt = true) {
        QList<DriverAliasRecord> records;
        const FileState state = ReadForChange(records);
        if (state == FileState::Failed)
            break; // unreadable: keep the file as it is
        if (state == FileState::Missing && !CreateFile(devices, records))
            break;
        for (const DriverAliasRecord& record : records)
            rows << FormatDriverLine(record);
        if (!records.isEmpty() || devices.isEmpty() || rebuilt)
            break;
        // No record while devices exist: make the file again, once.
        QFile::remove(filePath_);
    }
    SetRows(rows, rows.isEmpty() ? -1 : 0);
}

void DriverAliasRegistry::ResetDriverList() {
    QFile::remove(filePath_);
    LoadDriverList();
}

void DriverAliasRegistry::SaveDriverAlias(const QString& alias, int index) {
    if (index <= -1)
        return;
    UpdateDriverAlias(alias, index);
    store_.WriteSettingsFile();
}

void DriverAliasRegistry::UpdateDriverAlias(const QString& alias, int index) {
    if (index <= -1 || index >= rows_.size() || !QFileInfo(filePath_).isFile())
        return;
    QList<DriverAliasRecord> records;
    if (ReadForChange(records) != FileState::Ok || index >= records.size())
        return;
    DriverAliasRecord& record = records[index];
    QString name, status, oldAlias;
    SplitDriverLine(rows_[index], name, status, oldAlias);
    record.DriverName = name;
    record.DriverAlias = alias;
    record.DriverStatus = status;
    if (!WriteRecords(records))
        return;

    // Read back through the codec so the row shows what the file holds.
    rows_[index] = FormatDriverLine(DriverAliasRecord::Decode(record.Encode()));
    emit RowsChanged();
    for (int camera = 1; camera <= 2; ++camera)
        TakeAliasForCamera(camera, index, alias);
}

// The camera whose chosen device is both its default and the device of this row takes the
// new alias as its shown name and location name.
void DriverAliasRegistry::TakeAliasForCamera(int camera, int row, const QString& alias) {
    const int chosen = choices_.CameraIndex(camera);
    const QStringList devices = choices_.CameraList();
    if (chosen < 0 || chosen >= devices.size() || choices_.DefaultIndex(camera) != chosen)
        return;
    if (RowOfDevice(devices[chosen]) != row)
        return;
    choices_.SetCameraText(camera, alias);
    QString& locationName = camera == 1 ? store_.Record().Cam1Name : store_.Record().Cam2Name;
    locationName = alias.left(DriverAliasRecord::StringCapacity);
}

void DriverAliasRegistry::SetDriverStatus(int index, const QString& status) {
    if (index < 0 || index >= rows_.size())
        return;
    rows_[index] = WithStatus(rows_[index], status);
    emit RowsChanged();
}

void DriverAliasRegistry::RefreshDriverStatus() {
    if (rows_.isEmpty() || !QFileInfo(filePath_).isFile())
        return;
    const QStringList devices = choices_.CameraList();
    QSet<QString> deviceKeys;
    for (const QString& device : devices)
        deviceKeys.insert(DriverKey(device));

    QList<DriverAliasRecord> records;
    if (ReadForChange(records) != FileState::Ok)
        return;
    // One look-up table and one list update, so a long driver history costs linear time.
    QHash<QString, int> rowOfName;
    for (int row = int(rows_.size()) - 1; row >= 0; --row)
        rowOfName.insert(NameOfRow(rows_[row]), row);
    for (const DriverAliasRecord& record : records) {
        const QString name = TrimBlanks(record.DriverName);
        const int row = rowOfName.value(name, -1);
        if (row >= 0)
            rows_[row] = WithStatus(rows_[row], deviceKeys.contains(name) ? kStatusConnected : kStatusNotFound);
    }
    QStringList newRows;
    const qsizetype known = records.size();
    for (const QString& device : devices) {
        const QString key = DriverKey(device);
        if (device.isEmpty() || rowOfName.contains(key))
            continue;
        const DriverAliasRecord record = NewRecord(
            device, QStringLiteral("Cam %1").arg(rows_.size() + newRows.size() + 1), kStatusConnected);
        records << record;
        rowOfName.insert(key, int(rows_.size() + newRows.size()));
        newRows << WithStatus(FormatDriverLine(DriverAliasRecord::Decode(record.Encode())), kStatusNewConnected);
    }
    const bool stored = records.size() == known || WriteRecords(records);
    if (stored)
        rows_ << newRows;
    emit RowsChanged();
    if (!stored)
        return;

    store_.WriteSettingsFile();

    for (int camera = 1; camera <= 2; ++camera) {
        const int chosen = choices_.CameraIndex(camera);
        if (chosen < 0 || chosen >= devices.size())
            continue;
        choices_.SetDefaultIndex(camera, chosen);
        choices_.SetLocationText(camera, GetDriverAlias(devices[chosen]));
        QString& locationName = camera == 1 ? store_.Record().Cam1Name : store_.Record().Cam2Name;
        locationName = choices_.LocationText(camera).left(DriverAliasRecord::StringCapacity);
    }
}

int DriverAliasRegistry::RowOfDevice(const QString& name) const {
    const QString key = DriverKey(name);
    for (int row = 0; row < rows_.size(); ++row)
        if (NameOfRow(rows_[row]) == key)
            return row;
    return -1;
}

QString DriverAliasRegistry::GetDriverAlias(const QString& name) const {
    const int row = RowOfDevice(name);
    if (row < 0)
        return name;
    QString rowName, status, alias;
    SplitDriverLine(rows_[row], rowName, status, alias);
    return alias;
}

int DriverAliasRegistry::FindDriverRecordByDevice(int n) const {
    const QStringList devices = choices_.CameraList();
    if (n < 0 || n >= devices.size())
        return -1;
    QList<DriverAliasRecord> records;
    if (!ReadRecords(records))
        return -1;
    const QString key = DriverKey(devices[n]);
    for (int i = 0; i < records.size(); ++i)
        if (TrimBlanks(records[i].DriverName) == key)
            return i + 1;
    const QString alias = GetDriverAlias(devices[n]);
    for (int i = int(records.size()) - 1; i >= 0; --i)
        if (TrimBlanks(records[i].DriverAlias) == alias)
            return i + 1;
    return -1;
}
