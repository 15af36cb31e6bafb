// The built station ended with SIGTERM where nobody can answer and a server never answers:
// on a full disk, and while it waits for an SMTP server that says nothing.
#include "StationProcessRun.h"
#include "tests/support/SmallDisk.h"
#include "tests/support/SmtpSink.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::WaitFor;
using namespace StationProcessRun;

namespace {

const QString kReady = QStringLiteral("The station is ready");

// Lays down the station's files in the folder with a first run.
bool FirstRun(const QString& exe, const QString& folder, QString* why) {
    const auto laidDown = [&] { return QFileInfo::exists(folder + "/X290607.dat"); };
    const Outcome first = RunAndTerminate(exe, {}, kReady, {"TORVEK_TEST_CAMERAS=1"});
    *why = first.failure;
    return first.failure.isEmpty() && laidDown();
}

// True once the process holds an established TCP connection to 127.0.0.1:port.
bool ConnectedTo(qint64 pid, quint16 port) {
    QSet<QByteArray> inodes;
    QDirIterator fds(QStringLiteral("/proc/%1/fd").arg(pid), QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    while (fds.hasNext()) {
        const QString link = QFileInfo(fds.next()).symLinkTarget();
        if (link.contains("socket:["))
            inodes << link.section('[', 1).section(']', 0, 0).toLatin1();
    }
    QFile table(QStringLiteral("/proc/%1/net/tcp").arg(pid));
    if (!table.open(QIODevice::ReadOnly))
        return false;
    const QByteArray remote = "0100007F:" + QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() > 9 && f[2] == remote && f[3] == "01" && inodes.contains(f[9]))
            return true;
    }
    return false;
}

} // namespace

TEST(StationEnding, SigtermOnAFullDiskEndsTellingStderrAndKeepsTheSettingsFiles) {
    const QFileInfo built(BuiltStation());
    ASSERT_TRUE(built.isExecutable()) << built.filePath().toStdString();
    // Room for the program and its first files, then none at all.
    TestSupport::SmallDisk disk(int(built.size() / 1024) + 8192);
    if (!disk.IsMounted())
        GTEST_SKIP() << disk.WhyNot().toStdString();
    const QString exe = disk.file("torvek");
    ASSERT_TRUE(QFile::copy(built.filePath(), exe));
    QString why;
    ASSERT_TRUE(FirstRun(exe, disk.path(), &why)) << why.toStdString();
    const QByteArray settings = ReadAll(disk.file("X290607.dat"));
    const QByteArray mail = ReadAll(disk.file("ETR0511.dat"));

    // Within 25 s (far past the few the shutdown needs); before, a message box waited for ever.
    const Outcome run = RunAndTerminate(exe, {}, kReady, {"TORVEK_TEST_CAMERAS=1"}, 25000,
                                        [&] { ASSERT_TRUE(disk.Fill()); });
    EXPECT_EQ(run.failure, QString());
    EXPECT_EQ(ReadAll(disk.file("X290607.dat")), settings);
    EXPECT_EQ(ReadAll(disk.file("ETR0511.dat")), mail);
    // One line with the file and the reason.
    const QStringList told = run.output.split('\n').filter("could not be saved to " + disk.path());
    ASSERT_EQ(told.size(), 1) << run.output.toStdString();
    EXPECT_TRUE(told.first().contains("No space left on device")) << told.first().toStdString();
}

TEST(StationEnding, SigtermWhileASendWaitsOnAServerThatNeverAnswersEndsAtOnce) {
    TestSupport::SmtpSink sink;
    ASSERT_TRUE(sink.Start("hang")) << sink.Output().toStdString();
    TestSupport::TempProgramFolder folder;
    const QString exe = CopyStation(folder);
    ASSERT_FALSE(exe.isEmpty()) << BuiltStation().toStdString();
    QString why;
    ASSERT_TRUE(FirstRun(exe, folder.path(), &why)) << why.toStdString();
    // Motion alerts by mail from camera 1.
    ASSERT_TRUE(
        WriteMotionSettings(folder.path(), exe, [&](SettingsRecord& r, EmailSettingsRecord& mail) {
            r.NotifyActive = true;
            r.AlertPeriodMinutes = 0;
            r.AlertMaxImages = 1;
            r.EmailLimit = 0;
            r.DialUp = false;
            r.AlertEmail = "watch@example.org";
            mail.SmtpHost = QStringLiteral("127.0.0.1:%1").arg(sink.Port());
            mail.ReplyAddress = "station@example.org";
        }));
    QElapsedTimer took;
    const Outcome run = RunAndTerminate(exe, {}, kReady, {"TORVEK_TEST_CAMERAS=1"}, 30000, [&] {
        // The running station's pid: the newest process of that program.
        qint64 pid = 0;
        QDirIterator procs("/proc", QDir::Dirs | QDir::NoDotAndDotDot);
        while (procs.hasNext()) {
            const QString dir = procs.next();
            if (QFileInfo(dir + "/exe").symLinkTarget() == exe)
                pid = qMax(pid, QFileInfo(dir).fileName().toLongLong());
        }
        ASSERT_TRUE(WaitFor([&] { return ConnectedTo(pid, sink.Port()); }, 180000)) << "the station never sent";
        took.start();
    });
    const qint64 endedMs = took.elapsed();
    EXPECT_EQ(run.failure, QString());
    // Before, the goodbye to the server waited for its 60 s response time-out.
    EXPECT_LT(endedMs, 20000) << run.output.toStdString();
    std::fprintf(stderr, "ended %lld ms after SIGTERM\n", static_cast<long long>(endedMs));
}
