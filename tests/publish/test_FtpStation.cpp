// Pictures the picture store saves reach the FTP server through the station's FTP side.
#include "publish/FtpStation.h"
#include "support/QuietMainWindowLink.h"

#include "core/MessageBox.h"
#include "core/PictureStore.h"
#include "core/SettingsStore.h"
#include "core/StartupFlags.h"
#include "core/TransferBusy.h"
#include "support/ServerProcess.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::ServerProcess;
using TestSupport::TempProgramFolder;

namespace {

// Records what the FTP side asks of the main window.
struct MainWindow final : QuietMainWindowLink {
    QList<QColor> colours;
    bool motion = true, timeLapse = false;
    bool CameraPreviews(int) const override { return true; }
    bool StartStopSurveillance() override { return true; }
    bool SwitchSurveillance(bool) override { return true; }
    bool MotionTimeRunning() const override { return motion; }
    void SetMotionTimeRunning(bool on) override { motion = on; }
    bool TimeLapseTimerRunning() const override { return timeLapse; }
    void SetTimeLapseTimerRunning(bool on) override { timeLapse = on; }
    void SetCameraAreaColour(const QColor& colour) override { colours << colour; }
};

QImage Frame() {
    QImage image(64, 48, QImage::Format_RGB888);
    image.fill(Qt::darkGreen);
    return image;
}

} // namespace

TEST(FtpStation, SavedPicturesGoToTheServerInTheRing) {
    TempProgramFolder dir;
    SettingsStore settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop");
    settings.FirstRunInit();
    SettingsRecord& record = settings.Record();
    const QString home = dir.path() + "ftphome";
    QDir().mkpath(home);
    ServerProcess server;
    ASSERT_TRUE(server.Start("ftp_server.py", {"--user", "cam", "--password", "pw", "--home", home}));
    record.FtpHost = QString("127.0.0.1:%1").arg(server.Port());
    record.FtpUser = "cam";
    record.FtpPassword = "pw";
    record.FtpRecycle = true;
    record.FtpMaxImages = 2;
    record.FtpCreateImageLog = true;
    record.FtpDialUp = false;
    TransferBusy::Set(false);

    StartupFlags flags;
    flags.FtpUnattended = true;
    MainWindow mainWindow;
    FtpStation ftp(settings, flags, mainWindow);
    qint64 now = 0;
    ftp.Uploader().SetClock([&] { return now; });
    ftp.Uploader().Hooks().internetConnected = [] { return true; };
    PictureStore store(settings);
    store.SetPictureNamePrefix("HOST");
    store.Hooks().internetConnected = [] { return true; };
    store.SetUploadTarget(&ftp.UploadTarget());
    ftp.SetResetFtpRing([&] { store.ResetFtpRing(); });

    ftp.LoadFtpSettings();
    ftp.FtpConnect();
    ASSERT_TRUE(ftp.IsFtpConnected()) << ftp.Uploader().Log().Rows().join("\n").toStdString();
    // A picture within 11 s of the connect is not sent (its ring place is used up all the
    // same); later ones run round the ring of two.
    // The upload runs once the save has returned.
    const auto save = [&] {
        const bool saved = store.SaveMotionPicture(Frame(), 1);
        QCoreApplication::sendPostedEvents();
        return saved;
    };
    ASSERT_TRUE(save());
    for (int i = 0; i < 3; ++i) {
        now += 20000;
        ftp.Uploader().Timer1().SetEnabled(false);
        ASSERT_TRUE(save());
    }
    EXPECT_EQ(QDir(home).entryList(QDir::Files, QDir::Name),
              QStringList({"imagelog.htm", "netcam100001.jpg", "netcam100002.jpg"}));
    EXPECT_EQ(ReadAll(home + "/netcam100002.jpg"), ReadAll(store.LastPicturePath()));
    const QByteArray page = ReadAll(home + "/imagelog.htm");
    EXPECT_LT(page.indexOf("src=netcam100002.jpg"), page.indexOf("src=netcam100001.jpg"));
    EXPECT_TRUE(page.contains("N.o. 000004<BR>"));
    EXPECT_EQ(mainWindow.colours.first(), QColor(128, 0, 0));
    EXPECT_EQ(mainWindow.colours.last(), QColor(Qt::black));
    EXPECT_TRUE(mainWindow.motion);
    EXPECT_FALSE(TransferBusy::IsBusy());

    ftp.FtpDisconnect();
    EXPECT_FALSE(ftp.IsFtpConnected());
}
