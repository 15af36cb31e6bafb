#include "app/InstallerHandOff.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool CleanUpInstallerHandOff(const QString& handOffFile, const QString& ownExecutable) {
    QFile file(handOffFile);
    if (!file.exists() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QString folder = QString::fromLocal8Bit(file.readLine()).trimmed();
    file.close();
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder) || !QFileInfo(folder).isDir())
        return false;

    const QFileInfo target(platform::JoinPath(folder, QStringLiteral("torvek")));
    if (!target.exists() || !target.isFile())
        return false;
    const QString ownCanonical = QFileInfo(ownExecutable).canonicalFilePath();
    if (ownCanonical.isEmpty() || target.canonicalFilePath() == ownCanonical)
        return false;

    if (!QFile::remove(target.absoluteFilePath()))
        return false;
    return QFile::remove(handOffFile);
}
