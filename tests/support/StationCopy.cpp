#include "support/StationCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace TestSupport {

StationCopy::StationCopy() {
    // Test programs live in build/tests/<folder>/, the station in build/app/.
    const QString built = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../../app/torvek");
    exe_ = folder_.file("torvek");
    copied_ = QFile::copy(built, exe_);
}

void StationCopy::Start(const QProcessEnvironment& extra) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TORVEK_TEST_CAMERAS", "1");
    env.insert(extra);
    process_.setProcessEnvironment(env);
    process_.setWorkingDirectory(QDir::tempPath());
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(exe_);
    process_.waitForStarted(10000);
}

void StationCopy::Stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(30000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

} // namespace TestSupport
