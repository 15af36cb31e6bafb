#pragma once
// Holds the station's settings record and the mail settings record and moves them between
// memory and their files in the program folder (X290607.dat, ETR0511.dat).
#include "core/EmailSettingsRecord.h"
#include "core/SettingsRecord.h"
#include "platform/ProgramFolder.h"

#include <QString>

class SettingsStore {
public:
    static inline const QString kSettingsFileName = QStringLiteral("X290607.dat");
    static inline const QString kEmailFileName = QStringLiteral("ETR0511.dat");

    // executablePath: the running program, whose name tells whether it is the installer;
    // desktopFolder: the user's desktop. Running as the installer or from a desktop
    // folder never writes the settings.
    SettingsStore(platform::ProgramFolder folder, QString executablePath, QString desktopFolder);
    // The running executable and the user's desktop folder.
    explicit SettingsStore(platform::ProgramFolder folder);

    SettingsRecord& Record() { return record_; }
    const SettingsRecord& Record() const { return record_; }
    EmailSettingsRecord& EmailRecord() { return email_; }
    const EmailSettingsRecord& EmailRecord() const { return email_; }

    const platform::ProgramFolder& Folder() const { return folder_; }
    QString SettingsFilePath() const { return folder_.File(kSettingsFileName); }
    QString EmailFilePath() const { return folder_.File(kEmailFileName); }

    // The camera picture folders in use (camera 1 or 2): trimmed copies of
    // Cam1Folder/Cam2Folder, set by loading and by MakeCameraFolders.
    QString CameraFolder(int camera) const;
    void SetCameraFolder(int camera, const QString& folder);

    // The main window's font, which the caption font defaults to.
    void SetMainWindowFont(const QString& family, int pointSize);

    // The executable's name contains SETUP (any case): the installer is running.
    bool IsRunningAsSetup() const;
    // Installer, desktop folder or no program folder: the settings file is not written.
    bool IsWriteSkipped() const;
    // True once this process has loaded the record or laid down its defaults; until then
    // nothing writes the settings file, so a half-initialised record never replaces it.
    bool IsRecordReady() const { return recordReady_; }

    // After the shutdown's save nothing writes either file any more: a caller that comes
    // back from a modal window afterwards cannot undo or outdate that save.
    void StopWriting() { writingStopped_ = true; }
    // Writes the mail settings file, then the settings file (FtpPassword scrambled in the
    // file only). True when both files were written; false when skipped or failed.
    bool WriteSettingsFile();
    // The entry every other part uses to save.
    bool SaveSettings();
    // Reads the settings file if present, blanks camera folders that no longer exist,
    // unscrambles FtpPassword. False when the file exists but could not be used.
    bool LoadSettings();
    // Fills the defaults, only when the settings file does not exist. True when it acted.
    bool SetDefaultSettings();
    // Points both camera folders at <program folder>cam1/ and cam2/ and creates them.
    bool MakeCameraFolders();
    // First-run set-up: camera folders, and the default settings file when there is none.
    void FirstRunInit();
    void UnscrambleStoredPassword();

    // ETR0511.dat: record 1 written unchanged / read into the mail record. No file on
    // loading leaves the record as it is.
    bool SaveAlertSettingsFile();
    bool LoadAlertSettingsFile();

private:
    void LayDownDefaults();
    bool ReportWriteFailure(const QString& path, const QString& error);

    platform::ProgramFolder folder_;
    QString executablePath_;
    QString desktopFolder_;
    QString fontFamily_;
    int fontPointSize_ = 0;
    SettingsRecord record_;
    EmailSettingsRecord email_;
    QString cameraFolder_[2];
    bool recordReady_ = false;
    bool writingStopped_ = false;
    bool emailUnreadable_ = false;
    bool writeFailureShown_ = false;
};
