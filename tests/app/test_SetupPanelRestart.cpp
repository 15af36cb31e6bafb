// Options set in the set-up panel survive a restart: the station runs as its own process
// (with a script of the panel), is ended with SIGTERM and started again.
#include "core/SettingsStore.h"
#include "platform/ProgramFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>

using TestSupport::WaitFor;

namespace {

QString ScriptedStation() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/app_setup_panel_station");
}

bool CatchesSigterm(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    return false;
}

struct StationRun {
    QString failure; // empty: ended by itself with exit code 0 after SIGTERM
    QString output;
};

// Starts the station with the script's role, waits for `ready` on its output and ends it
// with SIGTERM.
StationRun RunAndTerminate(const QString& exe, const QString& role, const QString& ready) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("TORVEK_TEST_CAMERAS");
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QDir::tempPath());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(exe, {role});
    QByteArray output;
    const auto said = [&] {
        output += process.readAll();
        return output.contains(ready.toUtf8());
    };
    StationRun run;
    if (!process.waitForStarted(10000) || !WaitFor([&] { return CatchesSigterm(process.processId()); }, 20000) ||
        !WaitFor(said, 40000)) {
        process.kill();
        process.waitForFinished(5000);
        run.failure = "did not get ready: " + QString::fromLocal8Bit(output + process.readAll());
        return run;
    }
    process.terminate();
    const bool ended = process.waitForFinished(30000);
    if (!ended)
        process.kill();
    output += process.readAll();
    run.output = QString::fromLocal8Bit(output);
    if (!ended || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        run.failure = QStringLiteral("did not end cleanly (ended %1, code %2): ").arg(ended).arg(process.exitCode()) +
                      run.output;
    return run;
}

QMap<QString, QString> Controls(const QString& output) {
    QMap<QString, QString> controls;
    static const QRegularExpression line(QStringLiteral("^control (\\w+)=(.*)$"), QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(output); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        controls[m.captured(1)] = m.captured(2);
    }
    return controls;
}

} // namespace

TEST(SetupPanelRestart, OptionsSetInThePanelAreInTheFilesAndBackInTheControls) {
    const QString built = ScriptedStation();
    ASSERT_TRUE(QFileInfo(built).isExecutable()) << built.toStdString();
    TestSupport::TempProgramFolder folder;
    const QString exe = folder.file("torvek");
    ASSERT_TRUE(QFile::copy(built, exe));

    const StationRun set = RunAndTerminate(exe, "set", "options set");
    ASSERT_EQ(set.failure, QString());
    EXPECT_FALSE(set.output.contains("[message box]")) << set.output.toStdString();

    SettingsStore files(platform::ProgramFolder(folder.path()), folder.path() + "torvek", QString());
    ASSERT_TRUE(files.LoadSettings());
    ASSERT_TRUE(files.LoadAlertSettingsFile());
    const SettingsRecord& r = files.Record();
    EXPECT_TRUE(r.AutoStart1);
    EXPECT_TRUE(r.PlaceOnTray);
    EXPECT_EQ(r.SampleRateMs, 650);
    EXPECT_EQ(r.ColorThreshold, 8); // sensitivity 9
    EXPECT_FALSE(r.ScanGreen);
    EXPECT_TRUE(r.ScanRed && r.ScanBlue);
    EXPECT_FALSE(r.DialUp);
    EXPECT_FALSE(r.DiskControl);
    EXPECT_TRUE(r.SoundAlarm);
    EXPECT_EQ(r.SetupTabIndex, 4);
    EXPECT_EQ(r.AlertEmail, "bob@example.org");
    EXPECT_EQ(r.SiteLocation, "Barn");
    const EmailSettingsRecord& mail = files.EmailRecord();
    EXPECT_EQ(mail.SmtpHost, "mail.example.org");
    EXPECT_EQ(mail.SmtpUser, "alice");
    EXPECT_EQ(mail.ReplyAddress, "alice@example.org");
    EXPECT_FALSE(mail.SmtpPassword.isEmpty());
    EXPECT_NE(mail.SmtpPassword, "pa55word"); // scrambled on disk
    EXPECT_FALSE(TestSupport::ReadAll(folder.file("ETR0511.dat")).contains("pa55word"));

    // The second start puts the window "on the tray": with no tray here, it is minimised.
    const StationRun shown = RunAndTerminate(exe, "show", "controls end");
    ASSERT_EQ(shown.failure, QString());
    const QMap<QString, QString> c = Controls(shown.output);
    const std::pair<const char*, const char*> expected[] = {
        {"AutoStart1", "1"},     {"placeonsystray", "1"}, {"smtpEdit", "mail.example.org"},
        {"UserEdit", "alice"},   {"PassEdit", "pa55word"}, {"ReplyEmailAddressText", "alice@example.org"},
        {"AlertEmail", "bob@example.org"}, {"siteLocation", "Barn"}, {"samplerate", "650"},
        {"MotionTime", "650"},   {"mastersent", "9"},     {"lablee", "Master Sensitivity 9"},
        {"RGBGreen", "0"},       {"Broadband", "1"},      {"diskcontrol", "0"},
        {"alarm", "1"},          {"TabControl1", "4"},    {"minimized", "1"},
        {"visible", "1"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(c.value(QString::fromLatin1(name)), QString::fromLatin1(value)) << name;
}
