// The built station, run as its own process on a test-pattern camera, connects to a local
// stand-in of the online picture service and posts each motion picture there.
#include "StationProcessRun.h"
#include "support/ServerProcess.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using TestSupport::ServerProcess;
using TestSupport::WaitFor;
using namespace StationProcessRun;

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
    const QString exe = CopyStation(folder);
    ASSERT_FALSE(exe.isEmpty());
    const QString log = folder.file("requests.jsonl");
    ServerProcess server;
    ASSERT_TRUE(server.Start("gallery_server.py", {"--log", log, "--gallery", "g/test"})) << server.Output().toStdString();

    ASSERT_TRUE(WriteMotionSettings(folder.path(), exe, [](SettingsRecord& r, auto&) {
        r.PhoneAutoConnect = true;
        r.PhoneNumber = "5551234";
        r.PhoneCode = "code";
        r.PhonePictureSize = "150";
    }));
    const QStringList environment{
        "TORVEK_TEST_CAMERAS=1",
        QString("TORVEK_GALLERY_URL=http://127.0.0.1:%1").arg(server.Port())};
    const auto uploaded = [&] {
        ASSERT_TRUE(WaitFor([&] { return RequestPaths(log).size() >= 3; }, 90000));
    };
    EXPECT_EQ(
        RunAndTerminate(exe, {}, "The station is ready", environment, 30000, uploaded).failure,
        QString());
    const QStringList paths = RequestPaths(log);
    ASSERT_GE(paths.size(), 3) << paths.join(" ").toStdString();
    EXPECT_EQ(paths.count("/torvek/auth.php"), 1);
    EXPECT_EQ(paths.first(), "/torvek/auth.php");
    for (int i = 1; i < paths.size(); ++i)
        EXPECT_EQ(paths[i], "/torvek/upload/g/test/");
    // The scaled scratch copies are gone once posted.
    EXPECT_TRUE(QDir(folder.file("temp/z4")).entryList({"*.jpg"}, QDir::Files).isEmpty());
}

TEST(StationGallery, AFailedAutoConnectAtStartUpIsToldOnceAndTheCamerasRun) {
    TestSupport::TempProgramFolder folder;
    const QString exe = CopyStation(folder);
    ASSERT_FALSE(exe.isEmpty());
    const QString log = folder.file("requests.jsonl");
    ServerProcess server;
    // The authorisation's answer never ends: past the reply limit the login fails.
    ASSERT_TRUE(server.Start("gallery_server.py", {"--log", log, "--mode", "endless"})) << server.Output().toStdString();
    ASSERT_TRUE(WriteMotionSettings(folder.path(), exe, [](SettingsRecord& r, auto&) {
        r.AutoStart2 = true;
        r.PhoneAutoConnect = true;
        r.PhoneNumber = "5551234";
        r.PhoneCode = "code";
    }));
    const QString told = "The picture service could not be connected: The service's reply is longer than 1024 KB. "
                         "Surveillance goes on.";
    const Outcome run = RunAndTerminate(
        exe, {}, told, {"TORVEK_TEST_CAMERAS=2", QString("TORVEK_GALLERY_URL=http://127.0.0.1:%1").arg(server.Port())});
    EXPECT_EQ(run.failure, QString());
    EXPECT_EQ(run.output.count(told), 1) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("The start-up sequence has run: camera 1 on, camera 2 on")) << run.output.toStdString();
    EXPECT_EQ(RequestPaths(log), QStringList{"/torvek/auth.php"});
}
