#include "platform/InstallerSystem.h"

#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>

namespace platform {

namespace {

bool Failed(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

const QFileDevice::Permissions kExecutable = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                             QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;

} // namespace

ShellInstallerSystem::ShellInstallerSystem(std::function<QStringList()> captureDevices)
    : captureDevices_(std::move(captureDevices)) {}

QList<InstallBase> ShellInstallerSystem::Bases() {
    QList<InstallBase> bases;
    const QString home = QDir::homePath();
    bases << InstallBase{home, QStorageInfo(home).isValid() ? std::optional<qint64>(QStorageInfo(home).bytesAvailable())
                                                           : std::nullopt};
    const QStringList skippedTypes{"tmpfs", "devtmpfs", "proc", "sysfs", "overlay", "squashfs", "ramfs"};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || volume.isReadOnly())
            continue;
        if (skippedTypes.contains(QString::fromLatin1(volume.fileSystemType())))
            continue;
        const QString root = volume.rootPath();
        if (root == home || !QFileInfo(root).isWritable())
            continue;
        bases << InstallBase{root == "/" ? QString() : root, volume.bytesAvailable()};
    }
    return bases;
}

QString ShellInstallerSystem::DesktopFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

bool ShellInstallerSystem::SameVolume(const QString& a, const QString& b) {
    const QStorageInfo first(a.isEmpty() ? QStringLiteral("/") : a);
    const QStorageInfo second(b.isEmpty() ? QStringLiteral("/") : b);
    return first.isValid() && second.isValid() && first.device() == second.device();
}

bool ShellInstallerSystem::Exists(const QString& path) { return QFileInfo::exists(path); }

QString ShellInstallerSystem::CanonicalPath(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

bool ShellInstallerSystem::IsSymLink(const QString& path) { return QFileInfo(path).isSymLink(); }

bool ShellInstallerSystem::MakeFolder(const QString& path, QString* error) {
    if (QDir().mkpath(path))
        return true;
    return Failed(error, QStringLiteral("The folder %1 could not be created.").arg(path));
}

bool ShellInstallerSystem::RemoveFile(const QString& path, QString* error) {
    QFile file(path);
    if (file.remove())
        return true;
    return Failed(error, QStringLiteral("%1 could not be deleted: %2").arg(path, file.errorString()));
}

bool ShellInstallerSystem::CopyProgram(const QString& from, const QString& to, QString* error) {
    if (QFileInfo::exists(to))
        return Failed(error, QStringLiteral("%1 exists already.").arg(to));
    QFile source(from);
    if (!source.copy(to))
        return Failed(error, QStringLiteral("%1 could not be copied to %2: %3").arg(from, to, source.errorString()));
    QFile::setPermissions(to, kExecutable);
    return true;
}

bool ShellInstallerSystem::WriteDesktopEntry(const QString& path, const QString& text, QString* error) {
    if (!WriteWholeFile(path, text.toUtf8(), error))
        return false;
    QFile::setPermissions(path, kExecutable);
    return true;
}

bool ShellInstallerSystem::MoveToTrash(const QString& path, QString* error) {
    // Without the data folder Qt would trash into ./files and still report success.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QDir().mkpath(data))
        return Failed(error, QStringLiteral("There is no data folder for the trash."));
    QString inTrash;
    if (QFile::moveToTrash(path, &inTrash) && !QFileInfo::exists(path))
        return true;
    return Failed(error, QStringLiteral("%1 could not be moved to the trash.").arg(path));
}

bool ShellInstallerSystem::StartProgram(const QString& executable, const QString& folder) {
    return QProcess::startDetached(executable, {}, folder);
}

bool ShellInstallerSystem::AskYesNo(const QString& question) {
    return QMessageBox::question(questionParent_, QStringLiteral("TORVEK Install"), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

} // namespace platform
