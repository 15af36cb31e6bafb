#pragma once
// The installer and uninstaller: copies the program to <base>/torvek (or one copy per camera
// to <base>/cam<N>/torcam<N>) with a desktop entry, starts the copy, and moves the install
// folder to the trash. An install base stands for a drive: the home folder first, then the
// writable mounted volumes. Works on the system through InstallerSystem, so it is tested in
// temporary folders without a window.
#include "platform/InstallerSystem.h"

#include <QString>
#include <QStringList>
#include <functional>

// What the window shows; the installer keeps it and the window paints it.
struct InstallerView {
    QString heading;
    QString targetDriveText = QStringLiteral("Select A Target Drive");
    QString installLocation;
    QString iconPath;
    bool installEnabled = true;
    bool runEnabled = false;
    bool visible = true;
    // Says so when the payload the install copies from is missing (empty otherwise).
    QString payloadNote;
};

class Installer {
public:
    // programFolder: the running program's folder ('/' at the end); executable: its file.
    Installer(platform::InstallerSystem& system, QString programFolder, QString executable);

    static inline const QString kWelcome = QStringLiteral(
        "TORVEK Security Video Surveillance Software INSTALL/UNINSTALL \rWelcome to the world of TORVEK ");

    const InstallerView& View() const { return view_; }
    QList<platform::InstallBase> Bases() { return system_.Bases(); }
    const QString& TargetDrive() const { return targetDrive_; }
    const QString& ProgressDots() const { return progressDots_; }

    void FormActivate();
    // The base chosen in the drive list (DriveComboChange).
    void DriveComboChange(const QString& base);
    void UpdateInstallPaths();
    void CheckTargetDrive();
    QStringList FillCameraList();
    void InstallClick();
    void InstallActionClick();
    void RunItButtonClick();
    void UninstallButtonClick();
    bool DeleteFolderToRecycleBin(const QString& path);
    void DotsTimerTick();
    // Exit: deletes Drivers.dat of the program folder when present; the caller closes.
    void ExitButtonClick();

    QString InstallFolder() const { return targetDrive_ + QStringLiteral("/torvek"); }
    QString InstalledProgram() const { return InstallFolder() + QStringLiteral("/torvek"); }
    QString DesktopEntry() const;
    QString Payload() const { return programFolder_ + QStringLiteral("bin/torvek"); }

    // Set while the uninstall's move runs (the window animates the dots meanwhile).
    bool dotsTimerEnabled = false;
    // Hides the window before the completion message.
    std::function<void()> hideWindow;
    // Paints the view now: the uninstall's heading and dots show while the move runs.
    std::function<void()> viewChanged;

private:
    bool WriteEntry(const QString& entryPath, const QString& program, const QString& folder, const QString& name,
                    QString* error);
    void Fail(const QString& reason);
    // Why an install folder that is a symbolic link is refused; empty when it is none.
    QString LinkedFolderReason(const QString& folder);
    bool MoveWhilePainting(const QString& folder);
    // Starts the installed copy, unless it is the station running this installer.
    void StartInstalled();

    platform::InstallerSystem& system_;
    QString programFolder_;
    QString executable_;
    QString targetDrive_;
    QString progressDots_;
    InstallerView view_;
    QString lastTrashError_;
};

// The desktop entry's text for a program in its folder.
QString DesktopEntryText(const QString& name, const QString& program, const QString& folder);

// What a start on a folder where a station runs says.
QString AlreadyRunningText(const QString& folder);
