#include "TzonesFixture.h"
#include "platform/NetCall.h"

#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSlider>

using TestSupport::ReadAll;
using TestSupport::WaitFor;
using TestSupport::WriteAll;

namespace {
constexpr int kRecordStart = 2704; // record 1 of the settings file
}

TEST_F(TzonesFixture, CreationWritesNothingAndHoldsTheScreenSaverUntilDestruction) {
    Create();
    EXPECT_EQ(screenSaver, QList<bool>{false});
    EXPECT_TRUE(flags.StartupGuard && flags.ApplyingSettings && flags.FirstShowPending);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    // The colour boxes are not judged while starting up.
    for (QCheckBox* box : {zones->RGBred, zones->RGBGreen, zones->RGBBlue})
        box->setChecked(false);
    zones->ReadColourChannelBoxes();
    EXPECT_TRUE(messages.isEmpty() && store->Record().ScanRed);

    EXPECT_TRUE(zones->Timerclock.Enabled() && !zones->MotionTime.Enabled() && !zones->PlaceOntrayTimer.Enabled());

    zones.reset();
    EXPECT_EQ(screenSaver, (QList<bool>{false, true}));
}

TEST_F(TzonesFixture, StartupSequenceRunsOnceInOrder) {
    WriteSettings([](SettingsRecord& r) {
        r.AutoStart1 = r.AutoStart2 = true;
        r.PlaceOnTray = true;
        r.FtpAutoConnect = true;
        r.StartTimeLapseAtStart = true;
        r.StartMotionAtStart = true;
        r.TimeLapseSeconds = 5;
    });
    devices = 2;
    QByteArray flagsOnDiskWhileStarting;
    camera1.onConnect = [&](bool on) {
        if (on)
            flagsOnDiskWhileStarting = ReadAll(folder.file("X290607.dat")).mid(kRecordStart + 804, 2);
    };
    Start();
    events.clear();

    // The FTP connection follows the start-up, so a slow server holds up nothing.
    ASSERT_TRUE(WaitFor([&] { return events.contains("MinimizeToTray") && events.last().startsWith("FtpConnect"); }));
    EXPECT_EQ(events.filter(QRegularExpression("^(?!Pause)")),
              (QStringList{"LoadFtpSettings", "cam1 Connect 0 1", "cam1 Connect 1 0", "cam2 Connect 0 0",
                           "cam2 Connect 1 0", "MinimizeToTray", "FtpConnect unattended=1"}));
    EXPECT_EQ(flagsOnDiskWhileStarting, QByteArray(2, '\1')); // a kill now keeps auto-start
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    EXPECT_TRUE(FileRecord().AutoStart1 && FileRecord().AutoStart2);
    EXPECT_TRUE(store->Record().AutoStart1 && store->Record().AutoStart2);
    EXPECT_FALSE(zones->PlaceOntrayTimer.Enabled() || flags.PendingAutoStart1 || flags.PendingAutoStart2 ||
                 flags.FtpUnattended);
    EXPECT_EQ(zones->TimeLapseTimer.Interval(), 5000);
    EXPECT_TRUE(zones->TimeLapseTimer.Enabled() && zones->timeLaspeFlasher.Enabled() &&
                zones->MotionTime.Enabled() && zones->Timer3.Enabled());
}

TEST_F(TzonesFixture, NothingStartsWithoutAutoStartOrTray) {
    WriteSettings([](SettingsRecord& r) {
        r.NotifyActive = true;
        r.FtpAutoConnect = true;
        r.StartMotionAtStart = true;
        r.StartTimeLapseAtStart = true;
    });
    devices = 2;
    Start();
    EXPECT_FALSE(zones->PlaceOntrayTimer.Enabled() || zones->MotionTime.Enabled() ||
                 zones->TimeLapseTimer.Enabled());
    EXPECT_FALSE(store->Record().NotifyActive || zones->NotifyActive->isChecked());
    EXPECT_TRUE(events.filter(QRegularExpression("Ftp|cam|Tray$")).isEmpty()) << events.join(",").toStdString();
}

TEST_F(TzonesFixture, AutoStart2WithOneDeviceStartsNoCamera) {
    WriteSettings([](SettingsRecord& r) { r.AutoStart2 = true; });
    devices = 1;
    Start();
    events.clear();
    ASSERT_TRUE(WaitFor([&] { return !zones->PlaceOntrayTimer.Enabled(); }));
    EXPECT_TRUE(events.filter("cam").isEmpty()) << events.join(",").toStdString();
    // Surveillance is brought into line with the cameras: none runs.
    ASSERT_TRUE(WaitFor([&] { return !messages.isEmpty(); }));
    EXPECT_EQ(messages, QStringList{Tzones::kStartErrorText});
    EXPECT_FALSE(flags.PendingAutoStart2 || zones->Timer3.Enabled());
}

TEST_F(TzonesFixture, ShutdownSavesDeletesBuffersAndSwitchesCamerasOffInOrder) {
    devices = 2;
    Start();
    fakes.accessAllowed = false;
    zones->Exit1->trigger(); // the lock refuses
    EXPECT_FALSE(zones->IsShuttingDown());
    fakes.accessAllowed = true;
    fakes.ftpConnected = true;
    camera1.previewing = camera2.previewing = true;
    zones->Panel2->setText("ON");
    zones->Panel3->setText("ON");
    ASSERT_TRUE(WriteAll(folder.file("a.kmx"), "x"));
    ASSERT_TRUE(WriteAll(folder.file("B.KMX"), "x"));
    ASSERT_TRUE(WriteAll(folder.file("keep.txt"), "x"));
    zones->samplerate->setValue(650);
    events.clear();

    QStringList seenWhenOff;
    camera1.onConnect = [&](bool) {
        seenWhenOff << QString::number(FileRecord().SampleRateMs)
                    << QString::number(QFileInfo::exists(folder.file("a.kmx")));
    };
    zones->Button28->click();
    EXPECT_EQ(events.filter(QRegularExpression("Ftp|Connect|Pause|Terminate")),
              (QStringList{"FtpDisconnect", "cam1 Connect 0 0", "Pause 500", "cam2 Connect 0 0", "Pause 500",
                           "Terminate"}));
    EXPECT_TRUE(zones->Panel2->text() == "OFF" && zones->Panel3->text() == "OFF");
    // Settings were saved and buffers deleted before the cameras went off.
    EXPECT_EQ(seenWhenOff.mid(0, 2), (QStringList{"650", "0"}));
    EXPECT_TRUE(zones->pleaseWaitPanel->isVisible() && zones->pleaseWaitPanel->text() == "Please wait...");
    EXPECT_FALSE(QFileInfo::exists(folder.file("B.KMX")));
    EXPECT_TRUE(QFileInfo::exists(folder.file("keep.txt")));

    // Only once.
    zones->Close1Click();
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(platform::NetCall::Accepting()); // transfers still in flight were ended
    EXPECT_EQ(FileRecord().SampleRateMs, 650);
}

TEST_F(TzonesFixture, EarlySettingsWriteDoesNotWipeTheFile) {
    WriteSettings([](SettingsRecord& r) {
        r.AutoStart1 = true;
        r.SampleRateMs = 650;
        r.FtpHost = "ftp.example.org";
        r.FtpUser = "bob";
        r.FtpPassword = "hunter2";
        r.FtpRemoteDir = "/pics";
    });
    // The driver list refresh writes the settings file before they are loaded.
    fakes.onRefreshDriverStatus = [&] { store->WriteSettingsFile(); };
    Start();
    zones->ShutDown(); // and gathered back from the controls
    for (const SettingsRecord& r : {FileRecord(), store->Record()}) {
        EXPECT_TRUE(r.AutoStart1);
        EXPECT_EQ(r.SampleRateMs, 650);
        EXPECT_EQ(QStringList({r.FtpHost, r.FtpUser, r.FtpPassword, r.FtpRemoteDir}),
                  QStringList({"ftp.example.org", "bob", "hunter2", "/pics"}));
    }
}

TEST_F(TzonesFixture, RestartSavesTheSettingsFirstAndStartsOurExecutableOrSaysWhyNot) {
    Start();
    zones->samplerate->setValue(650);
    restartSucceeds = false;
    events.clear();
    EXPECT_FALSE(zones->RestartProgram());
    EXPECT_EQ(messages, QStringList{"TORVEK could not be restarted: no such file"});
    // Saved before the new copy was asked to start, whatever became of it.
    EXPECT_EQ(FileRecord().SampleRateMs, 650);
    zones->samplerate->setValue(600);
    restartSucceeds = true;
    EXPECT_TRUE(zones->RestartProgram());
    EXPECT_EQ(events, (QStringList{"StartOwnExecutable", "StartOwnExecutable", "Terminate"}));
    EXPECT_EQ(FileRecord().SampleRateMs, 600);
}

TEST_F(TzonesFixture, ShutdownBeforeTheFirstActivationSavesTheRecordAsLoaded) {
    WriteSettings([](SettingsRecord& r) {
        r.SetupTabIndex = 3;
        r.AlertFormat = 2;
    });
    Create();
    zones->show();
    ASSERT_TRUE(flags.StartupGuard); // shown, not yet activated
    zones->ShutDown();
    EXPECT_EQ(FileRecord().SetupTabIndex, 3);
    EXPECT_EQ(FileRecord().AlertFormat, 2);
}

TEST_F(TzonesFixture, PleaseWaitStandsInTheMiddleOfTheWindowAtEachSwitchAndAtShutdown) {
    devices = 1;
    Start();
    // Where the panel stands, against the window's middle, while camera 1 is switched on.
    QList<QPoint> offCentre;
    camera1.onConnect = [&](bool) {
        if (zones->pleaseWaitPanel->isVisible())
            offCentre << zones->pleaseWaitPanel->geometry().center() - zones->rect().center();
    };
    for (const QSize size : {QSize(1000, 700), QSize(641, 479)}) {
        zones->resize(size);
        ASSERT_EQ(zones->size(), size);
        const qsizetype seen = offCentre.size();
        zones->Panel2->click(); // on
        EXPECT_GT(offCentre.size(), seen);
        zones->Panel2->click(); // off
    }
    zones->Panel2->click();
    zones->resize(800, 600);
    zones->Close1Click(); // the panel stays up to the end
    ASSERT_TRUE(zones->pleaseWaitPanel->isVisible());
    offCentre << zones->pleaseWaitPanel->geometry().center() - zones->rect().center();
    EXPECT_EQ(offCentre, QList<QPoint>(offCentre.size(), QPoint(0, 0)));
}
