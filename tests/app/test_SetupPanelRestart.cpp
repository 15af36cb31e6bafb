// Options set in the set-up panel survive a restart: the station runs as its own process
// (with a script of the panel), is ended with SIGTERM and started again.
#include "core/SettingsStore.h"
#include "platform/ProgramFolder.h"
#include "StationProcessRun.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace StationProcessRun;

namespace {

QString ScriptedStation() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/app_setup_panel_station");
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
    TestSupport::TempProgramFolder folder;
    const QString exe = CopyStation(folder, ScriptedStation());
    ASSERT_FALSE(exe.isEmpty()) << ScriptedStation().toStdString();

    const Outcome set = RunAndTerminate(exe, {"set"}, "options set");
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
    const Outcome shown = RunAndTerminate(exe, {"show"}, "controls end");
    ASSERT_EQ(shown.failure, QString());
    const QMap<QString, QString> c = Controls(shown.output);
    const std::pair<const char*, const char*> expected[] = {
        {"AutoStart1", "1"},     {"placeOnTrayBox", "1"}, {"smtpEdit", "mail.example.org"},
        {"smtpUserEdit", "alice"},   {"smtpPasswordEdit", "pa55word"}, {"replyAddressEdit", "alice@example.org"},
        {"alertEmailEdit", "bob@example.org"}, {"siteLocationEdit", "Barn"}, {"sampleRateSlider", "650"},
        {"motionTimer", "650"},   {"masterSensitivitySlider", "9"},     {"masterSensitivityLabel", "Master Sensitivity 9"},
        {"greenChannelBox", "0"},       {"broadbandButton", "1"},      {"diskControlBox", "0"},
        {"soundAlarmBox", "1"},          {"setupTabs", "4"},    {"minimized", "1"},
        {"visible", "1"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(c.value(QString::fromLatin1(name)), QString::fromLatin1(value)) << name;
}
