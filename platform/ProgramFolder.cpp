#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return name;
    QString left = folder;
    while (left.size() > 1 && left.endsWith('/'))
        left.chop(1);
    QString right = name;
    while (right.startsWith('/'))
        right.remove(0, 1);
    if (right.isEmpty())
        return left == "/" ? left : left + '/';
    return left == "/" ? left + right : left + '/' + right;
}

QString WithTrailingSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith('/'))
        return folder;
    return folder + '/';
}

ProgramFolder::ProgramFolder(const QString& root) : root_(WithTrailingSlash(root)) {}

ProgramFolder ProgramFolder::FromApplication() {
    QString exe = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    if (exe.isEmpty())
        return ProgramFolder(QCoreApplication::applicationDirPath());
    return ProgramFolder(QFileInfo(exe).absolutePath());
}

} // namespace platform
