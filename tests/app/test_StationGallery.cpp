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

// A copied station with auto-connect to a loopback service started with `serverArgs`, and
// camera 1 (and what `more` sets) at start.
struct GalleryStation {
    bool Prepare(const QStringList& serverArgs, const std::function<void(SettingsRecord&)>& more = {}) {
        exe = CopyStation(folder);
        if (exe.isEmpty() || !server.Start("gallery_server.py", QStringList{"--log", log} + serverArgs))
            return false;
        return WriteMotionSettings(folder.path(), exe, [&](SettingsRecord& r, auto&) {
            r.PhoneAutoConnect = true;
            r.PhoneNumber = "5551234";
            r.PhoneCode = "code";
            r.PhonePictureSize = "150";
            if (more)
                more(r);
        });
    }
    QStringList Environment(int cameras) const {
        return {QString("TORVEK_TEST_CAMERAS=%1").arg(cameras),
                QString("TORVEK_GALLERY_URL=http://127.0.0.1:%1").arg(server.Port())};
    }
    TestSupport::TempProgramFolder folder;
    QString exe;
    const QString log = folder.file("requests.jsonl");
    ServerProcess server;
};

} // namespace

TEST(StationGallery, MotionPicturesArePostedToTheServiceAfterOneAuthorisation) {
    GalleryStation station;
    ASSERT_TRUE(station.Prepare({"--gallery", "g/test"})) << station.server.Output().toStdString();
    const QString& log = station.log;
    const QStringList environment = station.Environment(1);
    const auto uploaded = [&] {
        ASSERT_TRUE(WaitFor([&] { return RequestPaths(log).size() >= 3; }, 90000));
    };
    EXPECT_EQ(
        RunAndTerminate(station.exe, {}, "The station is ready", environment, 30000, uploaded).failure,
        QString());
    const QStringList paths = RequestPaths(log);
    ASSERT_GE(paths.size(), 3) << paths.join(" ").toStdString();
    EXPECT_EQ(paths.count("/torvek/auth.php"), 1);
    EXPECT_EQ(paths.first(), "/torvek/auth.php");
    for (int i = 1; i < paths.size(); ++i)
        EXPECT_EQ(paths[i], "/torvek/upload/g/test/");
    // The scaled scratch copies are gone once posted.
    EXPECT_TRUE(QDir(station.folder.file("temp/z4")).entryList({"*.jpg"}, QDir::Files).isEmpty());
}

TEST(StationGallery, AFailedAutoConnectAtStartUpIsToldOnceAndTheCamerasRun) {
    GalleryStation station;
    // The authorisation's answer never ends: past the reply limit the login fails.
    ASSERT_TRUE(station.Prepare({"--mode", "endless"}, [](SettingsRecord& r) { r.AutoStart2 = true; }))
        << station.server.Output().toStdString();
    const QString told = "The picture service could not be connected: The service's reply is longer than 1024 KB. "
                         "Surveillance goes on.";
    const Outcome run = RunAndTerminate(station.exe, {}, told, station.Environment(2));
    EXPECT_EQ(run.failure, QString());
    EXPECT_EQ(run.output.count(told), 1) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("The start-up sequence has run: camera 1 on, camera 2 on")) << run.output.toStdString();
    EXPECT_EQ(RequestPaths(station.log), QStringList{"/torvek/auth.php"});
}
