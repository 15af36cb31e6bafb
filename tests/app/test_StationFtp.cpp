// The built station, run as its own process on a test-pattern camera, connects to an FTP
// server the test starts and sends its motion pictures there.
#include "StationProcessRun.h"
#include "support/ServerProcess.h"
#include "support/StationCopy.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::ServerProcess;
using TestSupport::WaitFor;

namespace {

QStringList Pictures(const QString& folder) { return QDir(folder).entryList({"*.jpg"}, QDir::Files, QDir::Name); }

// The station copied into an empty folder with one test camera and an FTP server beside it.
class StationRun : public TestSupport::StationCopy {
public:
    StationRun() {
        home_ = Folder() + "ftphome";
        QDir().mkpath(home_);
        serving_ = server_.Start("ftp_server.py", {"--user", "cam", "--password", "pw", "--home", home_});
    }
    ~StationRun() { Stop(); } // the station ends before its server does

    bool Ready() const { return Copied() && serving_; }
    QString Home() const { return home_; }

    // Settings as a user leaves them: the server, Auto Connect, motion pictures from camera 1,
    // a ring of three pictures and the picture log page.
    bool WriteSettings(const QString& password) {
        return StationProcessRun::WriteMotionSettings(
            Folder(), Executable(), [&](SettingsRecord& r, auto&) {
                r.FtpHost = QString("127.0.0.1:%1").arg(server_.Port());
                r.FtpUser = "cam";
                r.FtpPassword = password;
                r.FtpAutoConnect = true;
                r.FtpRecycle = true;
                r.FtpExportDisabled = false;
                r.FtpExportAs = false;
                r.FtpMaxImages = 3;
                r.FtpCreateImageLog = true;
                r.FtpDialUp = false;
            });
    }

    std::string Text() { return Output().toStdString(); }

private:
    QString home_;
    bool serving_ = false;
    ServerProcess server_;
};

} // namespace

TEST(StationFtp, AutoConnectedStationSendsItsMotionPicturesAndThePage) {
    StationRun run;
    ASSERT_TRUE(run.Ready());
    ASSERT_TRUE(run.WriteSettings("pw"));
    run.Start();
    // The server writes the page in place: a copy is taken once it is whole.
    QByteArray page;
    const bool arrived = WaitFor(
        [&] {
            page = ReadAll(run.Home() + "/imagelog.htm");
            return QFileInfo::exists(run.Home() + "/netcam100001.jpg") && page.endsWith("</HTML>\r\n");
        },
        120000);
    ASSERT_TRUE(arrived) << run.Text();
    EXPECT_TRUE(run.Running());
    run.Stop();
    const QStringList sent = Pictures(run.Home());
    for (const QString& name : sent)
        EXPECT_TRUE(QStringList({"netcam100001.jpg", "netcam100002.jpg", "netcam100003.jpg"}).contains(name));
    EXPECT_TRUE(page.startsWith("<HTML><Title>WebCam Pics from"));
    EXPECT_TRUE(page.contains("<IMG src=netcam1000"));
    EXPECT_TRUE(page.contains("N.o. "));
    EXPECT_FALSE(Pictures(run.File("cam1")).isEmpty());
}

TEST(StationFtp, WrongPasswordStillStartsTheCameraAndSavesPictures) {
    StationRun run;
    ASSERT_TRUE(run.Ready());
    ASSERT_TRUE(run.WriteSettings("wrong"));
    run.Start();
    ASSERT_TRUE(WaitFor([&] { return Pictures(run.File("cam1")).size() >= 2; }, 60000)) << run.Text();
    EXPECT_TRUE(run.Running());
    run.Stop();
    EXPECT_TRUE(Pictures(run.Home()).isEmpty());
}
