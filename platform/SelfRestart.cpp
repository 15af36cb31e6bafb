#include "platform/SelfRestart.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace platform {

bool StartOwnExecutableDetached(QString* errorText) {
    const QString exe = QCoreApplication::applicationFilePath();
    QProcess process;
    process.setProgram(exe);
    process.setWorkingDirectory(QFileInfo(exe).absolutePath());
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    if (errorText)
        *errorText = process.errorString();
    return false;
}

} // namespace platform
