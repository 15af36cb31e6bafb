// The built station, run as its own process on test-pattern cameras, against an FTP server
// and a picture service that stop answering: surveillance and start-up never wait on them,
// and a hang is told once. Evidence is counted against the servers' own events, never
// against the clock.
#include "StationProcessRun.h"
#include "support/ServerProcess.h"
#include "support/StationCopy.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>
#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::WaitFor;

namespace {

const QString kFtpHangTold = "does not answer. Surveillance goes on; uploads wait for the server.";
const QString kServiceFailureTold = "The picture service did not take ";
const QString kStartupDone = "The start-up sequence has run";

class HangRun : public TestSupport::StationCopy {
public:
    HangRun() : events_(File("events.txt")), requests_(File("requests.jsonl")) { QDir().mkpath(File("ftphome")); }
    ~HangRun() { Stop(); } // the station ends before its server does

    bool StartFtp(const QStringList& mode) {
        return server_.Start("ftp_server.py", QStringList{"--user", "cam", "--password", "pw", "--home",
                                                          File("ftphome"), "--events", events_} + mode);
    }
    bool StartService(const QString& mode, const QStringList& more = {}) {
        return server_.Start("gallery_server.py",
                             QStringList{"--log", requests_, "--mode", mode, "--events", events_} + more);
    }

    // Motion pictures from camera 1 (and 2, with the same zone), and what `more` sets.
    bool WriteSettings(const std::function<void(SettingsRecord&)>& more) {
        return StationProcessRun::WriteMotionSettings(Folder(), Executable(),
                                                      [&](SettingsRecord& r, auto&) {
                                                          r.Zone2Left = 60;
                                                          r.Zone2Top = 40;
                                                          r.Zone2Size = 160;
                                                          r.Sensitivity2 = 150;
                                                          more(r);
                                                      });
    }
    bool WriteFtpSettings() {
        return WriteSettings([this](SettingsRecord& r) {
            r.FtpHost = QString("127.0.0.1:%1").arg(server_.Port());
            r.FtpUser = "cam";
            r.FtpPassword = "pw";
            r.FtpAutoConnect = true;
            r.FtpRecycle = true;
            r.FtpExportDisabled = false;
            r.FtpExportAs = false;
            r.FtpMaxImages = 3;
            r.FtpCreateImageLog = false;
            r.FtpDialUp = false;
        });
    }
    bool WriteServiceSettings(bool twoCameras) {
        return WriteSettings([twoCameras](SettingsRecord& r) {
            r.PhoneAutoConnect = true;
            r.PhoneNumber = "5551234";
            r.PhoneCode = "code";
            r.PhonePictureSize = "100";
            r.AutoStart2 = twoCameras;
        });
    }
    void StartStation(int cameras = 1) {
        QProcessEnvironment env;
        env.insert("TORVEK_TEST_CAMERAS", QString::number(cameras));
        env.insert("TORVEK_GALLERY_URL", QString("http://127.0.0.1:%1").arg(server_.Port()));
        Start(env);
    }

    QString Said() { return said_ += Output(); }
    int Told(const QString& text) { return int(Said().count(text)); }
    QStringList Events() const { return QString::fromUtf8(ReadAll(events_)).split('\n', Qt::SkipEmptyParts); }
    int Pictures() const { return int(QDir(File("cam1")).entryList({"*.jpg"}, QDir::Files).size()); }
    int Sent() const { return int(QDir(File("ftphome")).entryList({"*.jpg"}, QDir::Files).size()); }
    QStringList Requests() const {
        QStringList paths;
        for (const QByteArray& line : ReadAll(requests_).split('\n'))
            if (!line.isEmpty())
                paths << QJsonDocument::fromJson(line).object()["path"].toString();
        return paths;
    }
    std::string Text() { return Said().toStdString() + "\nserver: " + Events().join(' ').toStdString(); }

private:
    QString events_, requests_, said_;
    TestSupport::ServerProcess server_;
};

} // namespace

TEST(StationNetworkHangs, FtpServerThatStopsAnsweringMidUploadNeitherBlindsTheStationNorGoesUntold) {
    HangRun run;
    ASSERT_TRUE(run.Copied());
    // The server logs the station in and lists, then leaves the first upload unanswered.
    ASSERT_TRUE(run.StartFtp({"--answer-stores", "0"}));
    ASSERT_TRUE(run.WriteFtpSettings());
    run.StartStation(1);

    ASSERT_TRUE(WaitFor([&] { return run.Events().contains("HANG"); }, 150000)) << run.Text();
    const int atHang = run.Pictures();
    // The station tells of the hang while the upload is still in flight, and saves pictures
    // all the while.
    ASSERT_TRUE(WaitFor([&] { return run.Told(kFtpHangTold) > 0 && run.Pictures() >= atHang + 3; }, 60000))
        << run.Text();
    EXPECT_FALSE(run.Events().contains("CLOSED")) << "the upload was given up on: " << run.Text();
    EXPECT_TRUE(run.Running());
    run.Stop();
    EXPECT_EQ(run.Told(kFtpHangTold), 1) << run.Text();
}

TEST(StationNetworkHangs, StartUpAndPicturesDoNotWaitOnAnFtpServerThatHangsAfterLogin) {
    HangRun run;
    ASSERT_TRUE(run.Copied());
    ASSERT_TRUE(run.StartFtp({"--hang-after-login"}));
    ASSERT_TRUE(run.WriteFtpSettings());
    run.StartStation();
    ASSERT_TRUE(WaitFor([&] { return run.Events().contains("HANG"); }, 120000)) << run.Text();
    // Both happen while the log-in's connection is still left unanswered.
    EXPECT_TRUE(WaitFor([&] { return run.Said().contains(kStartupDone) && run.Pictures() > 0; }, 60000))
        << run.Text();
    EXPECT_FALSE(run.Events().contains("CLOSED")) << run.Text();
    EXPECT_TRUE(run.Running());
}

TEST(StationNetworkHangs, ASilentPictureServiceHoldsUpNeitherStartUpNorPictures) {
    HangRun run;
    ASSERT_TRUE(run.Copied());
    ASSERT_TRUE(run.StartService("hang"));
    ASSERT_TRUE(run.WriteServiceSettings(true));
    run.StartStation(2);
    // Both cameras start and pictures are saved while the one connect for both waits on the
    // service; the station ends then, without waiting out the connect's time-out.
    ASSERT_TRUE(WaitFor([&] { return run.Requests().size() == 1; }, 120000)) << run.Text();
    const QString bothOn = kStartupDone + ": camera 1 on, camera 2 on";
    EXPECT_TRUE(WaitFor([&] { return run.Said().contains(bothOn) && run.Pictures() > 0; }, 60000)) << run.Text();
    EXPECT_TRUE(run.Events().isEmpty()) << "start-up or pictures waited for the connect: " << run.Text();
    EXPECT_EQ(run.Requests(), QStringList({"/torvek/auth.php"}));
    EXPECT_TRUE(run.Running());
}

TEST(StationNetworkHangs, PictureServiceThatNeverAnswersUploadsIsToldOnceWhilePicturesGoOn) {
    HangRun run;
    ASSERT_TRUE(run.Copied());
    // The first two uploads are dropped unanswered at once, the third is held open.
    ASSERT_TRUE(run.StartService("hang-uploads", {"--drop-uploads", "2"}));
    ASSERT_TRUE(run.WriteServiceSettings(false));
    run.StartStation();
    // One upload at a time: the third is sent only once both failures were handled.
    ASSERT_TRUE(WaitFor([&] { return run.Requests().size() >= 4; }, 120000)) << run.Text();
    const int atHang = run.Pictures();
    // Two uploads failed: told once. Pictures are saved while the third hangs.
    EXPECT_TRUE(WaitFor([&] { return run.Told(kServiceFailureTold) > 0 && run.Pictures() >= atHang + 3; }, 60000))
        << run.Text();
    EXPECT_TRUE(run.Events().isEmpty()) << "pictures waited for the upload: " << run.Text();
    EXPECT_TRUE(run.Running());
    run.Stop();
    EXPECT_EQ(run.Told(kServiceFailureTold), 1) << run.Text();
    EXPECT_TRUE(QDir(run.File("temp/z4")).entryList(QDir::Files).isEmpty());
}
