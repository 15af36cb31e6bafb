#include "app/Installer.h"

#include "core/MessageBox.h"
#include "platform/Rounding.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <atomic>
#include <thread>

namespace {

const QString kInstallFailed = QStringLiteral("INSTALL FAILED.");
const QString kInstallComplete = QStringLiteral("Install complete. An Icon has been placed on the desktop. ");

// A desktop entry's string value: backslash and control characters escaped.
QString EscapeEntryValue(const QString& value) {
    QString escaped;
    for (const QChar c : value) {
        if (c == '\\')
            escaped += QStringLiteral("\\\\");
        else if (c == '\n')
            escaped += QStringLiteral("\\n");
        else if (c == '\t')
            escaped += QStringLiteral("\\t");
        else if (c == '\r')
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    if (escaped.startsWith(' '))
        escaped.replace(0, 1, QStringLiteral("\\s"));
    return escaped;
}

// A desktop entry's Exec argument: quoted with its reserved characters escaped, '%' doubled
// (no field code), then escaped as any string value.
QString QuoteExecArgument(const QString& path) {
    QString quoted;
    for (const QChar c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
        if (c == '%')
            quoted += '%';
    }
    return EscapeEntryValue('"' + quoted + '"');
}

} // namespace

QString DesktopEntryText(const QString& name, const QString& program, const QString& folder) {
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\nPath=%3\nTerminal=false\n")
        .arg(EscapeEntryValue(name), QuoteExecArgument(program), EscapeEntryValue(folder));
}

Installer::Installer(platform::InstallerSystem& system, QString programFolder, QString executable)
    : system_(system), programFolder_(std::move(programFolder)), executable_(std::move(executable)) {
    const QList<platform::InstallBase> bases = system_.Bases();
    targetDrive_ = bases.isEmpty() ? QString() : bases.first().path;
    UpdateInstallPaths();
}

QString Installer::DesktopEntry() const { return system_.DesktopFolder() + QStringLiteral("/TORVEK.desktop"); }

void Installer::FormActivate() {
    view_.heading = kWelcome;
    view_.runEnabled = system_.Exists(InstalledProgram());
    view_.payloadNote = system_.Exists(Payload())
                            ? QString()
                            : QStringLiteral("The installation program %1 is missing beside this setup program: "
                                             "Install cannot copy TORVEK.")
                                  .arg(Payload());
    CheckTargetDrive();
}

void Installer::DriveComboChange(const QString& base) {
    targetDrive_ = base;
    UpdateInstallPaths();
    CheckTargetDrive();
}

void Installer::UpdateInstallPaths() {
    view_.installLocation = InstallFolder();
    view_.iconPath = DesktopEntry();
}

void Installer::CheckTargetDrive() {
    UpdateInstallPaths();
    std::optional<qint64> freeBytes;
    for (const platform::InstallBase& base : system_.Bases())
        if (base.path == targetDrive_)
            freeBytes = base.freeBytes;
    const qint64 freeMB = freeBytes ? platform::RoundHalfEven(double(qAbs(*freeBytes)) / 1048576.0) : 0;
    view_.installEnabled = freeMB >= 2;
    if (view_.installEnabled) {
        view_.targetDriveText = QStringLiteral("Ready to Install Free Megabytes ") + QString::number(freeMB);
    } else {
        view_.targetDriveText = targetDrive_ + QStringLiteral(" not allowed more Disk Space is needed.");
        if (system_.SameVolume(targetDrive_, programFolder_))
            view_.targetDriveText = QStringLiteral("Drive ") + targetDrive_ + QStringLiteral(" Not Allowed Install from CD");
    }
    UpdateInstallPaths();
}

QStringList Installer::FillCameraList() { return system_.CaptureDeviceNames(); }

void Installer::Fail(const QString& reason) {
    view_.targetDriveText.clear();
    ShowMessageBox(reason.isEmpty() ? kInstallFailed : kInstallFailed + QStringLiteral("\n") + reason);
}

QString Installer::LinkedFolderReason(const QString& folder) {
    if (!system_.IsSymLink(folder))
        return {};
    const QString target = system_.CanonicalPath(folder);
    return QStringLiteral("%1 is a symbolic link%2. Nothing is deleted or written through it: remove the link or "
                          "choose another drive.")
        .arg(folder, target.isEmpty() ? QString() : QStringLiteral(" to ") + target);
}

bool Installer::WriteEntry(const QString& entryPath, const QString& program, const QString& folder,
                           const QString& name, QString* error) {
    if (!system_.Exists(system_.DesktopFolder()) && !system_.MakeFolder(system_.DesktopFolder(), error))
        return false;
    return system_.WriteDesktopEntry(entryPath, DesktopEntryText(name, program, folder), error);
}

void Installer::InstallClick() {
    if (!system_.Exists(Payload())) {
        Fail(QStringLiteral("The installation program %1 is missing.").arg(Payload()));
        return;
    }
    QString error;
    const QString folder = InstallFolder();
    const QString program = InstalledProgram();
    // Through a link, the old program and settings of another folder would be deleted.
    if (const QString linked = LinkedFolderReason(folder); !linked.isEmpty())
        return Fail(linked);
    if (!system_.Exists(folder) && !system_.MakeFolder(folder, &error))
        return Fail(error);
    // Installed over itself: the running program is never deleted, nor its settings.
    const bool inPlace = system_.Exists(program) &&
                         system_.CanonicalPath(program) == system_.CanonicalPath(executable_);
    if (!inPlace) {
        for (const QString& old : {program, folder + QStringLiteral("/X290607.dat")})
            if (system_.Exists(old) && !system_.RemoveFile(old, &error))
                return Fail(error);
        if (!system_.CopyProgram(executable_, program, &error))
            return Fail(error);
    }
    if (!WriteEntry(DesktopEntry(), program, folder, QStringLiteral("TORVEK"), &error))
        return Fail(error);
    view_.visible = false;
    if (hideWindow)
        hideWindow();
    view_.targetDriveText.clear();
    ShowMessageBox(inPlace ? QStringLiteral("TORVEK is already in place in %1. An Icon has been placed on the desktop. ")
                                 .arg(folder)
                           : kInstallComplete);
    view_.runEnabled = system_.Exists(program);
}

void Installer::InstallActionClick() {
    if (!system_.AskYesNo(QStringLiteral("Install TORVEK now?")))
        return;
    const QStringList devices = FillCameraList();
    QString error;
    if (devices.size() > 1 && system_.AskYesNo(QStringLiteral("Install Multiple Single Cameras?"))) {
        if (!system_.Exists(Payload()))
            return;
        QStringList failed;
        for (int n = 1; n <= devices.size(); ++n) {
            const QString folder = targetDrive_ + QStringLiteral("/cam%1").arg(n);
            const QString program = folder + QStringLiteral("/torcam%1").arg(n);
            const QString entry = system_.DesktopFolder() + QStringLiteral("/cam%1.desktop").arg(n);
            if (const QString linked = LinkedFolderReason(folder); !linked.isEmpty()) {
                failed << QStringLiteral("cam%1: %2").arg(n).arg(linked);
                continue;
            }
            const bool ok = (system_.Exists(folder) || system_.MakeFolder(folder, &error)) &&
                            (system_.Exists(program) || system_.CopyProgram(Payload(), program, &error)) &&
                            WriteEntry(entry, program, folder, QStringLiteral("TORVEK cam%1").arg(n), &error);
            if (!ok)
                failed << QStringLiteral("cam%1: %2").arg(n).arg(error);
        }
        if (!failed.isEmpty())
            Fail(failed.join('\n'));
        view_.runEnabled = system_.Exists(InstalledProgram());
        return;
    }
    if (!system_.Exists(Payload())) {
        Fail(QStringLiteral("The installation program %1 is missing.").arg(Payload()));
        view_.runEnabled = system_.Exists(InstalledProgram());
        return;
    }
    const QString folder = InstallFolder();
    const QString program = InstalledProgram();
    if (const QString linked = LinkedFolderReason(folder); !linked.isEmpty()) {
        Fail(linked);
        view_.runEnabled = system_.Exists(program);
        return;
    }
    // An existing installation is kept as it is, never replaced.
    const bool existed = system_.Exists(program);
    const bool ok = (system_.Exists(folder) || system_.MakeFolder(folder, &error)) &&
                    (existed || system_.CopyProgram(Payload(), program, &error)) &&
                    WriteEntry(DesktopEntry(), program, folder, QStringLiteral("TORVEK"), &error);
    if (!ok) {
        Fail(error);
        view_.runEnabled = system_.Exists(program);
        return;
    }
    view_.visible = false;
    if (hideWindow)
        hideWindow();
    view_.targetDriveText.clear();
    ShowMessageBox(existed ? QStringLiteral("TORVEK was already installed in %1 and is kept as it is. An Icon has been "
                                            "placed on the desktop. ")
                                 .arg(folder)
                           : kInstallComplete);
    if (system_.AskYesNo(QStringLiteral("Start TORVEK now?")))
        StartInstalled();
    view_.runEnabled = system_.Exists(program);
}

void Installer::RunItButtonClick() {
    if (system_.Exists(InstalledProgram()))
        StartInstalled();
}

void Installer::StartInstalled() {
    // The station running this installer holds its folder: a copy started there would only
    // be refused, with its message under this window.
    const QString folder = InstallFolder();
    const QString installed = system_.CanonicalPath(folder);
    if (!installed.isEmpty() && installed == system_.CanonicalPath(programFolder_)) {
        ShowMessageBox(AlreadyRunningText(folder));
        return;
    }
    system_.StartProgram(InstalledProgram(), folder);
}

void Installer::UninstallButtonClick() {
    const QString folder = InstallFolder();
    const QString entry = DesktopEntry();
    const QString ownFolder = system_.CanonicalPath(programFolder_);
    const QString installed = system_.CanonicalPath(folder);
    // The running station's own folder is never moved away under it.
    const bool runsFromIt = !installed.isEmpty() &&
                            (ownFolder == installed || ownFolder.startsWith(installed + QLatin1Char('/')));
    if (entry != view_.iconPath || folder != view_.installLocation || runsFromIt) {
        ShowMessageBox(QStringLiteral("Something is wrong can not uninstall"));
        return;
    }
    if (!system_.Exists(folder)) {
        ShowMessageBox(QStringLiteral("TORVEK was not found."));
        return;
    }
    if (!system_.AskYesNo(QStringLiteral("Are you sure you want to uninstall TORVEK?")))
        return;
    QString error;
    if (system_.Exists(entry) && !system_.RemoveFile(entry, &error)) {
        ShowMessageBox(QStringLiteral("TORVEK could not be removed.\n") + error);
        return;
    }
    if (!folder.toUpper().contains(QStringLiteral("TORVEK")))
        return;
    view_.heading = QStringLiteral("Uninstall in Progress PLEASE WAIT!");
    view_.targetDriveText = QStringLiteral("Please Wait");
    dotsTimerEnabled = true;
    if (viewChanged)
        viewChanged();
    const bool removed = MoveWhilePainting(folder);
    dotsTimerEnabled = false;
    view_.targetDriveText.clear();
    ShowMessageBox(removed ? QStringLiteral("TORVEK has been removed!")
                           : QStringLiteral("TORVEK could not be removed.\n") + lastTrashError_);
    view_.heading = kWelcome;
    view_.runEnabled = system_.Exists(InstalledProgram());
}

bool Installer::DeleteFolderToRecycleBin(const QString& path) {
    lastTrashError_.clear();
    if (!path.toUpper().contains(QStringLiteral("TORVEK")))
        return false;
    return system_.MoveToTrash(path, &lastTrashError_);
}

bool Installer::MoveWhilePainting(const QString& folder) {
    // A move to another file system copies everything: the window keeps painting its dots
    // meanwhile, so the move runs beside the event loop.
    if (!QCoreApplication::instance())
        return DeleteFolderToRecycleBin(folder);
    std::atomic<bool> removed = false;
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    std::thread mover([&] {
        removed = DeleteFolderToRecycleBin(folder);
        QMetaObject::invokeMethod(QCoreApplication::instance(), [waiting] {
            if (waiting)
                waiting->quit();
        }, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    mover.join();
    return removed;
}

void Installer::DotsTimerTick() {
    progressDots_ += QLatin1Char('.');
    view_.targetDriveText += progressDots_;
    if (progressDots_ == QStringLiteral("...."))
        progressDots_ = QStringLiteral("Please wait.");
}

void Installer::ExitButtonClick() {
    const QString drivers = programFolder_ + QStringLiteral("Drivers.dat");
    QString error;
    if (system_.Exists(drivers))
        system_.RemoveFile(drivers, &error);
}

QString AlreadyRunningText(const QString& folder) {
    return QStringLiteral("TORVEK is already running from %1.").arg(QDir::cleanPath(folder));
}
