// The built station, run as its own process with auto-start on and a damaged file beside it:
// the damage is told on stderr and the cameras start with nobody there to press anything.
#include "StationProcessRun.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::WriteAll;
using namespace StationProcessRun;

TEST(StationDamagedFiles, AnUnattendedStartTellsTheDamageAndStartsItsCamera) {
    const struct {
        QString file;
        std::function<QByteArray(const QByteArray& before)> damage;
    } cases[] = {
        {"ETR0511.dat", [](const QByteArray& before) { return before.left(1500); }},
        {"dX250307.dat",
         [](const QByteArray&) {
             QByteArray noise(1000, '\0');
             QRandomGenerator random(250307);
             for (char& byte : noise)
                 byte = char(random.bounded(256));
             return noise;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        TestSupport::TempProgramFolder folder;
        const QString exe = CopyStation(folder);
        ASSERT_FALSE(exe.isEmpty()) << BuiltStation().toStdString();
        ASSERT_TRUE(WriteMotionSettings(folder.path(), exe, [](SettingsRecord&, EmailSettingsRecord& mail) {
            mail.SmtpHost = "mail.example.org";
        }));
        const QByteArray damaged = c.damage(ReadAll(folder.file(c.file)));
        ASSERT_TRUE(WriteAll(folder.file(c.file), damaged));

        const Outcome run = RunAndTerminate(exe, {}, QStringLiteral("The start-up sequence has run: camera 1 on"),
                                            {"TORVEK_TEST_CAMERAS=1"});
        EXPECT_EQ(run.failure, QString());
        EXPECT_TRUE(run.output.contains(folder.file(c.file) + " was damaged. It has been kept as " +
                                        folder.file(c.file) + ".bad"))
            << run.output.toStdString();
        EXPECT_EQ(ReadAll(folder.file(c.file + ".bad")), damaged);
    }
}
