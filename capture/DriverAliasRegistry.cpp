#include "capture/DriverAliasRegistry.h"

#include "core/SettingsStore.h"

#include <QFile>

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

// True only once the bytes reached the file: a full disk shows at the flush, not the write.
bool WriteRecordAt(QFile& file, qint64 index, const DriverAliasRecord& record) {
    return file.seek(index * kRecordSize) && file.write(record.Encode()) == kRecordSize &&
           file.flush();
}

DriverAliasRecord NewRecord(const QString& name, const QString& alias, const QString& status) {
    DriverAliasRecord record;
    record.DriverName = name;
    record.DriverAlias = alias;
    record.DriverStatus = status;
    return record;
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

bool DriverAliasRegistry::CreateFile(const QStringList& devices) const {
    QByteArray data;
    for (int i = 0; i < devices.size(); ++i)
        data += NewRecord(devices[i], QStringLiteral("Cam %1").arg(i + 1), kStatusNew).Encode();
    QFile file(filePath_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    return file.write(data) == data.size() && file.flush();
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
        if (!QFile::exists(filePath_) && !CreateFile(devices))
            break;
        QList<DriverAliasRecord> records;
        if (!ReadRecords(records))
            break; // unreadable: keep the file as it is
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
    if (index <= -1 || index >= rows_.size())
        return;
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly) ||
        !file.seek(qint64(index) * kRecordSize))
        return;
    QByteArray bytes = file.read(kRecordSize);
    if (bytes.size() != kRecordSize)
        return;
    DriverAliasRecord record = DriverAliasRecord::Decode(bytes);
    QString name, status, oldAlias;
    SplitDriverLine(rows_[index], name, status, oldAlias);
    record.DriverName = name;
    record.DriverAlias = alias;
    record.DriverStatus = status;
    if (!WriteRecordAt(file, index, record))
        return;
    file.close();

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
    QString name, oldStatus, alias;
    SplitDriverLine(rows_[index], name, oldStatus, alias);
    rows_[index] = FormatDriverLine(name, alias, status);
    emit RowsChanged();
}

void DriverAliasRegistry::RefreshDriverStatus() {
    if (rows_.isEmpty())
        return;
    const QStringList devices = choices_.CameraList();
    QStringList deviceKeys;
    for (const QString& device : devices)
        deviceKeys << DriverKey(device);

    QFile file(filePath_);
    QList<DriverAliasRecord> records;
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly) || !ReadWholeRecords(file, records))
        return;
    for (const DriverAliasRecord& record : records) {
        const QString name = TrimBlanks(record.DriverName);
        const int row = RowOfDevice(name);
        if (row >= 0)
            SetDriverStatus(row, deviceKeys.contains(name) ? kStatusConnected : kStatusNotFound);
    }
    qint64 next = records.size();
    for (const QString& device : devices) {
        if (device.isEmpty() || RowOfDevice(device) >= 0)
            continue;
        DriverAliasRecord record =
            NewRecord(device, QStringLiteral("Cam %1").arg(rows_.size() + 1), kStatusConnected);
        if (!WriteRecordAt(file, next, record))
            return;
        ++next;
        rows_ << FormatDriverLine(DriverAliasRecord::Decode(record.Encode()));
        emit RowsChanged();
        SetDriverStatus(rows_.size() - 1, kStatusNewConnected);
    }
    file.close();

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
