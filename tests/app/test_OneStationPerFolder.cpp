// One station per program folder, with the built station as its own processes: a second start
// on a folder where one runs is refused and touches nothing, a station in another folder runs
// beside it, a killed station leaves the folder free, and a restart hands the folder over.
#include "StationProcessRun.h"
#include "platform/FolderClaim.h"

#include <QDirIterator>
#include <gtest/gtest.h>
#include <csignal>

using namespace StationProcessRun;
using TestSupport::WaitFor;

namespace {

const QString kReady = QStringLiteral("The station is ready");

// Every file and folder under the folder with its bytes and modification time.
QMap<QString, QString> Snapshot(const QString& folder) {
    QMap<QString, QString> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString when = entry.lastModified().toString(Qt::ISODateWithMs);
        files[entry.filePath()] = entry.isDir() ? when : when + ' ' + TestSupport::ReadAll(entry.filePath()).toHex();
    }
    return files;
}

QString AlreadyRunning(const QString& folder) {
    return QStringLiteral("TORVEK is already running from %1.").arg(QDir::cleanPath(folder));
}

// The ids of the running processes of the executable.
QList<qint64> RunningCopies(const QString& exe) {
    QList<qint64> ids;
    const QString wanted = QFileInfo(exe).canonicalFilePath();
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs))
        if (pid.toLongLong() > 0 && QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).canonicalFilePath() == wanted)
            ids << pid.toLongLong();
    return ids;
}

bool Claimed(const QString& folder) {
    platform::FolderClaim probe;
    return probe.Take(folder) == platform::FolderClaim::Result::Busy;
}

} // namespace

TEST(OneStationPerFolder, ASecondStartIsRefusedAndTouchesNothingWhileAnotherFolderRunsBeside) {
    TestSupport::TempProgramFolder folder, camera2Folder;
    const QString exe = CopyStation(folder);
    const QString camera2Exe = CopyStation(camera2Folder);
    ASSERT_FALSE(exe.isEmpty() || camera2Exe.isEmpty()) << BuiltStation().toStdString();

    const Outcome first = RunAndTerminate(exe, {}, kReady, {}, 30000, [&] {
        const QMap<QString, QString> before = Snapshot(folder.path());
        ASSERT_TRUE(before.contains(folder.file("X290607.dat")));
        QProcess second;
        QByteArray said;
        ASSERT_EQ(StartStation(second, exe, {}, AlreadyRunning(folder.path()), {}, said), QString());
        // The message is up and waits for OK; a request ends it.
        second.terminate();
        ASSERT_TRUE(second.waitForFinished(10000));
        EXPECT_EQ(second.exitCode(), 1);
        EXPECT_FALSE(said.contains(kReady.toUtf8()));
        EXPECT_EQ(Snapshot(folder.path()), before);

        // A copy in its own folder (one per camera) runs beside it.
        EXPECT_EQ(RunAndTerminate(camera2Exe, {}, kReady).failure, QString());
    });
    EXPECT_EQ(first.failure, QString());
}

TEST(OneStationPerFolder, AStationStartsNormallyAfterAKilledOne) {
    TestSupport::TempProgramFolder folder;
    const QString exe = CopyStation(folder);
    ASSERT_FALSE(exe.isEmpty()) << BuiltStation().toStdString();
    QProcess killed;
    QByteArray said;
    ASSERT_EQ(StartStation(killed, exe, {}, kReady, {}, said), QString());
    killed.kill(); // SIGKILL: nothing of its own runs
    ASSERT_TRUE(killed.waitForFinished(10000));
    const Outcome next = RunAndTerminate(exe, {}, kReady);
    EXPECT_EQ(next.failure, QString());
    EXPECT_FALSE(next.output.contains(AlreadyRunning(folder.path())));
}

// The set-up panel's restart starts the station again while this one still runs: the new
// copy gets the folder and runs.
TEST(OneStationPerFolder, ARestartedStationTakesTheFolderOver) {
    TestSupport::TempProgramFolder folder;
    const QString exe =
        CopyStation(folder, QDir::cleanPath(QCoreApplication::applicationDirPath() + "/app_setup_panel_station"));
    ASSERT_FALSE(exe.isEmpty());
    // Its output, and the new copy's after it, go to a file: the new copy outlives the pipe.
    TestSupport::TempProgramFolder logs;
    const QString log = logs.file("output.txt");
    QProcess restarting;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("TORVEK_TEST_CAMERAS");
    restarting.setProcessEnvironment(env);
    restarting.setProcessChannelMode(QProcess::MergedChannels);
    restarting.setStandardOutputFile(log);
    restarting.start(exe, {"restart"});
    ASSERT_TRUE(restarting.waitForFinished(60000));
    EXPECT_EQ(restarting.exitCode(), 0);
    EXPECT_TRUE(TestSupport::ReadAll(log).contains("restarting"));
    // The new copy got past its start: it holds the folder and has shown its controls.
    const QByteArray refused = AlreadyRunning(folder.path()).toUtf8();
    ASSERT_TRUE(WaitFor([&] {
        const QByteArray output = TestSupport::ReadAll(log);
        return output.contains("controls end") || output.contains(refused);
    }, 60000));
    EXPECT_FALSE(TestSupport::ReadAll(log).contains(refused)) << TestSupport::ReadAll(log).toStdString();
    EXPECT_TRUE(Claimed(folder.path()));
    const QList<qint64> copies = RunningCopies(exe);
    ASSERT_EQ(copies.size(), 1);
    ::kill(pid_t(copies.first()), SIGTERM);
    EXPECT_TRUE(WaitFor([&] { return RunningCopies(exe).isEmpty(); }, 30000));
    EXPECT_FALSE(Claimed(folder.path()));
}
