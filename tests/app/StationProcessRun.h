#pragma once
// The built station run as its own process: where it is, when it can take SIGTERM, and one
// run from start to SIGTERM.
#include "core/SettingsStore.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <csignal>
#include <functional>

namespace StationProcessRun {

inline QString BuiltStation() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../../app/torvek");
}

// The program copied into the folder as "torvek"; empty when it cannot be.
inline QString CopyStation(const TestSupport::TempProgramFolder& folder, const QString& built = BuiltStation()) {
    const QString exe = folder.file("torvek");
    return QFileInfo(built).isExecutable() && QFile::copy(built, exe) ? exe : QString();
}

// True once the process has its own SIGTERM handler (so the signal is not fatal).
inline bool CatchesSigterm(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    return false;
}

// Camera 1 and motion surveillance at start, the zone where the test camera's ball crosses it
// at once, then what `more` sets; written as the settings and alert files in the folder.
inline bool
WriteMotionSettings(const QString& folder, const QString& exe,
                    const std::function<void(SettingsRecord&, EmailSettingsRecord&)>& more) {
    SettingsStore store(platform::ProgramFolder(folder), exe, "/no-desktop");
    store.FirstRunInit();
    if (!store.LoadSettings()) return false;
    store.LoadAlertSettingsFile(); // absent before a first run: the defaults
    SettingsRecord& r = store.Record();
    r.AutoStart1 = true;
    r.StartMotionAtStart = true;
    r.Zone1Left = 60;
    r.Zone1Top = 40;
    r.Zone1Size = 160;
    r.Sensitivity1 = 150;
    more(r, store.EmailRecord());
    return store.WriteSettingsFile() && store.SaveAlertSettingsFile();
}

struct Outcome {
    QString failure; // empty: ended by itself with exit code 0 after SIGTERM
    QString output;
};

// Starts exe with args and the extra environment (NAME=value; no test camera unless given
// there) and waits until it takes SIGTERM and has said `ready` on its output (empty: at once).
// Empty when it did; otherwise the failure, and the process is killed. The output read so far
// is added to `output`.
inline QString StartStation(QProcess& process, const QString& exe, const QStringList& args, const QString& ready,
                            const QStringList& environment, QByteArray& output) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("TORVEK_TEST_CAMERAS");
    for (const QString& entry : environment)
        env.insert(entry.section('=', 0, 0), entry.section('=', 1));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QDir::tempPath()); // not the program folder
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(exe, args);
    const auto said = [&] {
        output += process.readAll();
        return output.contains(ready.toUtf8());
    };
    if (process.waitForStarted(10000) &&
        TestSupport::WaitFor([&] { return CatchesSigterm(process.processId()); }, 20000) &&
        TestSupport::WaitFor(said, 40000))
        return QString();
    process.kill();
    process.waitForFinished(5000);
    return "did not get ready: " + QString::fromLocal8Bit(output + process.readAll());
}

// Starts the station as StartStation does and ends it with SIGTERM, allowing it `endMs` to
// end. `atReady` runs just before the signal.
inline Outcome RunAndTerminate(const QString& exe, const QStringList& args, const QString& ready,
                           const QStringList& environment = {}, int endMs = 30000,
                           const std::function<void()>& atReady = {}) {
    QProcess process;
    QByteArray output;
    Outcome run;
    run.failure = StartStation(process, exe, args, ready, environment, output);
    if (!run.failure.isEmpty())
        return run;
    if (atReady)
        atReady();
    process.terminate();
    const bool ended = process.waitForFinished(endMs);
    if (!ended) {
        process.kill();
        process.waitForFinished(5000);
    }
    run.output = QString::fromLocal8Bit(output + process.readAll());
    if (!ended || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        run.failure = QStringLiteral("did not end cleanly (ended %1, code %2): ").arg(ended).arg(process.exitCode()) +
                      run.output;
    return run;
}

} // namespace StationProcessRun
