// The built station, run as its own process on a test-pattern camera, connects to a local
// stand-in of the online picture service and posts each motion picture there.
#include "StationProcessRun.h"
#include "core/SettingsStore.h"
#include "support/ServerProcess.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using TestSupport::ServerProcess;
using TestSupport::WaitFor;

namespace {

QStringList RequestPaths(const QString& log) {
    QStringList paths;
    for (const QByteArray& line : TestSupport::ReadAll(log).split('\n'))
        if (!line.isEmpty())
            paths << QJsonDocument::fromJson(line).object()["path"].toString();
    return paths;
}

} // namespace

TEST(StationGallery, MotionPicturesArePostedToTheServiceAfterOneAuthorisation) {
    TestSupport::TempProgramFolder folder;
    const QString exe = StationProcessRun::CopyStation(folder);
    ASSERT_FALSE(exe.isEmpty());
    const QString log = folder.file("requests.jsonl");
    ServerProcess server;
    ASSERT_TRUE(server.Start("gallery_server.py", {"--log", log, "--gallery", "g/test"})) << server.Output().toStdString();

    {
        SettingsStore store(platform::ProgramFolder(folder.path()), exe, "/no-desktop");
        store.FirstRunInit();
        ASSERT_TRUE(store.LoadSettings());
        SettingsRecord& r = store.Record();
        r.PhoneAutoConnect = true;
        r.PhoneNumber = "5551234";
        r.PhoneCode = "code";
        r.PhonePictureSize = "150";
        r.AutoStart1 = true;
        r.StartMotionAtStart = true;
        // The zone where the test camera's ball crosses it, at once.
        r.Zone1Left = 60;
        r.Zone1Top = 40;
        r.Zone1Size = 160;
        r.Sensitivity1 = 150;
        ASSERT_TRUE(store.WriteSettingsFile());
    }

    QProcess station;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TORVEK_TEST_CAMERAS", "1");
    env.insert("TORVEK_GALLERY_URL", QString("http://127.0.0.1:%1").arg(server.Port()));
    station.setProcessEnvironment(env);
    station.setProcessChannelMode(QProcess::MergedChannels);
    station.start(exe);
    ASSERT_TRUE(station.waitForStarted(10000));

    const bool uploaded = WaitFor([&] { return RequestPaths(log).size() >= 3; }, 90000);
    station.terminate();
    if (!station.waitForFinished(30000))
        station.kill();
    const QStringList paths = RequestPaths(log);
    ASSERT_TRUE(uploaded) << paths.join(" ").toStdString() << "\n" << station.readAll().toStdString();
    EXPECT_EQ(paths.count("/torvek/auth.php"), 1);
    EXPECT_EQ(paths.first(), "/torvek/auth.php");
    for (int i = 1; i < paths.size(); ++i)
        EXPECT_EQ(paths[i], "/torvek/upload/g/test/");
    // The scaled scratch copies are gone once posted.
    EXPECT_TRUE(QDir(folder.file("temp/z4")).entryList({"*.jpg"}, QDir::Files).isEmpty());
    EXPECT_EQ(station.exitCode(), 0);
}
