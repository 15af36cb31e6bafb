#pragma once
// The capture-driver alias registry: one record per video input device ever seen, kept in
// dX250307.dat in the program folder, and the driver list (driverStatusList) whose row k
// shows record k. Devices are known to the user by their aliases; the alias of each default
// camera is that camera's location name (Cam1Name / Cam2Name).
//
// The file is always written whole through the station's one file write, so a full disk or a
// kill never leaves it half written; a failed write ends the operation and is said once per
// run of failures. A damaged file (a partial record at its end) is kept as dX250307.dat.bad
// and the whole records read from it go on; an unreadable one is said once and left alone.
#include "capture/CameraChoiceControls.h"
#include "capture/DriverAliasRecord.h"
#include "platform/ProgramFolder.h"

#include <QList>
#include <QObject>
#include <QStringList>

class SettingsStore;

class DriverAliasRegistry : public QObject {
    Q_OBJECT
public:
    static inline const QString kFileName = QStringLiteral("dX250307.dat");
    static inline const QString kStatusNew = QStringLiteral("New Driver");
    static inline const QString kStatusConnected = QStringLiteral("Connected");
    static inline const QString kStatusNotFound = QStringLiteral("Not Found");
    static inline const QString kStatusNewConnected = QStringLiteral("New Driver Connected");

    DriverAliasRegistry(const platform::ProgramFolder& folder, SettingsStore& store,
                        CameraChoiceControls& choices, QObject* parent = nullptr);

    QString FilePath() const { return filePath_; }
    CameraChoiceControls& Choices() { return choices_; }

    // The driver list: one line per record (see FormatDriverLine), and its selected row.
    const QStringList& Rows() const { return rows_; }
    int SelectedRow() const { return selectedRow_; }
    void SelectRow(int row);

    // Creates the file from the camera list when missing (or when it holds no record while
    // devices exist, once per call) and fills the driver list from it.
    void LoadDriverList();
    // Deletes the file and loads the list again, which rebuilds it with "Cam 1", "Cam 2", ...
    void ResetDriverList();
    // UpdateDriverAlias, then the settings file is written. Index -1 does nothing.
    void SaveDriverAlias(const QString& alias, int index);
    // Rewrites record index with the new alias (name and status from its row). An index
    // without a row or record changes nothing.
    void UpdateDriverAlias(const QString& alias, int index);
    // Replaces the status of list row index; the file is not touched.
    void SetDriverStatus(int index, const QString& status);
    // Marks each stored driver "Connected" or "Not Found", appends devices seen for the first
    // time, writes the settings file and takes the aliases of the chosen cameras as their
    // location names. Nothing while the list is empty.
    void RefreshDriverStatus();

    // The alias of a device name, or the name itself when no row has it.
    QString GetDriverAlias(const QString& name) const;
    // 1-based record number of the driver of camera-list item n: the record with the
    // device's name, else the last record carrying the device's alias; -1 when none.
    int FindDriverRecordByDevice(int n) const;
    // The row whose name is this device's (trimmed names compared exactly), -1 when none.
    int RowOfDevice(const QString& name) const;
    // Reads record index (from 0); false when the file or the record is not there.
    bool ReadRecord(int index, DriverAliasRecord& record) const;

signals:
    void RowsChanged();
    void SelectedRowChanged(int row);

private:
    enum class FileState { Missing, Ok, Damaged, Failed };

    bool ReadRecords(QList<DriverAliasRecord>& records) const;
    FileState ReadFile(QList<DriverAliasRecord>& records, QString* error) const;
    // ReadFile for a change: a damaged file is set aside first; Failed is said once.
    FileState ReadForChange(QList<DriverAliasRecord>& records);
    bool SetDamagedFileAside(const QList<DriverAliasRecord>& records);
    bool WriteRecords(const QList<DriverAliasRecord>& records);
    bool CreateFile(const QStringList& devices, QList<DriverAliasRecord>& records);
    void ReportProblem(const QString& text);
    void SetRows(const QStringList& rows, int selected);
    void TakeAliasForCamera(int camera, int row, const QString& alias);

    QString filePath_;
    SettingsStore& store_;
    CameraChoiceControls& choices_;
    QStringList rows_;
    int selectedRow_ = -1;
    bool problemShown_ = false;
    bool writeFailureShown_ = false;
};
