#include "MainWindowFixture.h"
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

TEST_F(MainWindowFixture, CreationWritesNothingAndHoldsTheScreenSaverUntilDestruction) {
    Create();
    EXPECT_EQ(screenSaver, QList<bool>{false});
    EXPECT_TRUE(flags.StartupGuard && flags.ApplyingSettings && flags.FirstShowPending);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    // The colour boxes are not judged while starting up.
    for (QCheckBox* box : {mainWindow->redChannelBox, mainWindow->greenChannelBox, mainWindow->blueChannelBox})
        box->setChecked(false);
    mainWindow->ReadColourChannelBoxes();
    EXPECT_TRUE(messages.isEmpty() && store->Record().ScanRed);

    EXPECT_TRUE(mainWindow->clockTimer.Enabled() && !mainWindow->motionTimer.Enabled() && !mainWindow->startupSequenceTimer.Enabled());

    mainWindow.reset();
    EXPECT_EQ(screenSaver, (QList<bool>{false, true}));
}

TEST_F(MainWindowFixture, StartupSequenceRunsOnceInOrder) {
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
    EXPECT_FALSE(mainWindow->startupSequenceTimer.Enabled() || flags.PendingAutoStart1 || flags.PendingAutoStart2 ||
                 flags.FtpUnattended);
    EXPECT_EQ(mainWindow->timeLapseTimer.Interval(), 5000);
    EXPECT_TRUE(mainWindow->timeLapseTimer.Enabled() && mainWindow->timeLapseFlashTimer.Enabled() &&
                mainWindow->motionTimer.Enabled() && mainWindow->arrangeTimer.Enabled());
}

TEST_F(MainWindowFixture, NothingStartsWithoutAutoStartOrTray) {
    WriteSettings([](SettingsRecord& r) {
        r.NotifyActive = true;
        r.FtpAutoConnect = true;
        r.StartMotionAtStart = true;
        r.StartTimeLapseAtStart = true;
    });
    devices = 2;
    Start();
    EXPECT_FALSE(mainWindow->startupSequenceTimer.Enabled() || mainWindow->motionTimer.Enabled() ||
                 mainWindow->timeLapseTimer.Enabled());
    EXPECT_FALSE(store->Record().NotifyActive || mainWindow->alertsActiveBox->isChecked());
    EXPECT_TRUE(events.filter(QRegularExpression("Ftp|cam|Tray$")).isEmpty()) << events.join(",").toStdString();
}

TEST_F(MainWindowFixture, AutoStart2WithOneDeviceStartsNoCamera) {
    WriteSettings([](SettingsRecord& r) { r.AutoStart2 = true; });
    devices = 1;
    Start();
    events.clear();
    ASSERT_TRUE(WaitFor([&] { return !mainWindow->startupSequenceTimer.Enabled(); }));
    EXPECT_TRUE(events.filter("cam").isEmpty()) << events.join(",").toStdString();
    // Surveillance is brought into line with the cameras: none runs.
    ASSERT_TRUE(WaitFor([&] { return !messages.isEmpty(); }));
    EXPECT_EQ(messages, QStringList{MainWindow::kStartErrorText});
    EXPECT_FALSE(flags.PendingAutoStart2 || mainWindow->arrangeTimer.Enabled());
}

TEST_F(MainWindowFixture, ShutdownSavesDeletesBuffersAndSwitchesCamerasOffInOrder) {
    devices = 2;
    Start();
    fakes.accessAllowed = false;
    mainWindow->exitAction->trigger(); // the lock refuses
    EXPECT_FALSE(mainWindow->IsShuttingDown());
    fakes.accessAllowed = true;
    fakes.ftpConnected = true;
    camera1.previewing = camera2.previewing = true;
    mainWindow->camera1Button->setText("ON");
    mainWindow->camera2Button->setText("ON");
    ASSERT_TRUE(WriteAll(folder.file("a.kmx"), "x"));
    ASSERT_TRUE(WriteAll(folder.file("B.KMX"), "x"));
    ASSERT_TRUE(WriteAll(folder.file("keep.txt"), "x"));
    mainWindow->sampleRateSlider->setValue(650);
    events.clear();

    QStringList seenWhenOff;
    camera1.onConnect = [&](bool) {
        seenWhenOff << QString::number(FileRecord().SampleRateMs)
                    << QString::number(QFileInfo::exists(folder.file("a.kmx")));
    };
    mainWindow->closeButton->click();
    EXPECT_EQ(events.filter(QRegularExpression("Ftp|Connect|Pause|Terminate")),
              (QStringList{"FtpDisconnect", "cam1 Connect 0 0", "Pause 500", "cam2 Connect 0 0", "Pause 500",
                           "Terminate"}));
    EXPECT_TRUE(mainWindow->camera1Button->text() == "OFF" && mainWindow->camera2Button->text() == "OFF");
    // Settings were saved and buffers deleted before the cameras went off.
    EXPECT_EQ(seenWhenOff.mid(0, 2), (QStringList{"650", "0"}));
    EXPECT_TRUE(mainWindow->pleaseWaitPanel->isVisible() && mainWindow->pleaseWaitPanel->text() == "Please wait...");
    EXPECT_FALSE(QFileInfo::exists(folder.file("B.KMX")));
    EXPECT_TRUE(QFileInfo::exists(folder.file("keep.txt")));

    // Only once.
    mainWindow->CloseActionClick();
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(platform::NetCall::Accepting()); // transfers still in flight were ended
    EXPECT_EQ(FileRecord().SampleRateMs, 650);
}

TEST_F(MainWindowFixture, EarlySettingsWriteDoesNotWipeTheFile) {
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
    mainWindow->ShutDown(); // and gathered back from the controls
    for (const SettingsRecord& r : {FileRecord(), store->Record()}) {
        EXPECT_TRUE(r.AutoStart1);
        EXPECT_EQ(r.SampleRateMs, 650);
        EXPECT_EQ(QStringList({r.FtpHost, r.FtpUser, r.FtpPassword, r.FtpRemoteDir}),
                  QStringList({"ftp.example.org", "bob", "hunter2", "/pics"}));
    }
}

TEST_F(MainWindowFixture, RestartSavesTheSettingsFirstAndStartsOurExecutableOrSaysWhyNot) {
    Start();
    mainWindow->sampleRateSlider->setValue(650);
    restartSucceeds = false;
    events.clear();
    EXPECT_FALSE(mainWindow->RestartProgram());
    EXPECT_EQ(messages, QStringList{"TORVEK could not be restarted: no such file"});
    // Saved before the new copy was asked to start, whatever became of it.
    EXPECT_EQ(FileRecord().SampleRateMs, 650);
    mainWindow->sampleRateSlider->setValue(600);
    restartSucceeds = true;
    EXPECT_TRUE(mainWindow->RestartProgram());
    EXPECT_EQ(events, (QStringList{"StartOwnExecutable", "StartOwnExecutable", "Terminate"}));
    EXPECT_EQ(FileRecord().SampleRateMs, 600);
}

TEST_F(MainWindowFixture, ShutdownBeforeTheFirstActivationSavesTheRecordAsLoaded) {
    WriteSettings([](SettingsRecord& r) {
        r.SetupTabIndex = 3;
        r.AlertFormat = 2;
    });
    Create();
    mainWindow->show();
    ASSERT_TRUE(flags.StartupGuard); // shown, not yet activated
    mainWindow->ShutDown();
    EXPECT_EQ(FileRecord().SetupTabIndex, 3);
    EXPECT_EQ(FileRecord().AlertFormat, 2);
}

TEST_F(MainWindowFixture, PleaseWaitStandsInTheMiddleOfTheWindowAtEachSwitchAndAtShutdown) {
    devices = 1;
    Start();
    // Where the panel stands, against the window's middle, while camera 1 is switched on.
    QList<QPoint> offCentre;
    camera1.onConnect = [&](bool) {
        if (mainWindow->pleaseWaitPanel->isVisible())
            offCentre << mainWindow->pleaseWaitPanel->geometry().center() - mainWindow->rect().center();
    };
    for (const QSize size : {QSize(1000, 700), QSize(641, 479)}) {
        mainWindow->resize(size);
        ASSERT_EQ(mainWindow->size(), size);
        const qsizetype seen = offCentre.size();
        mainWindow->camera1Button->click(); // on
        EXPECT_GT(offCentre.size(), seen);
        mainWindow->camera1Button->click(); // off
    }
    mainWindow->camera1Button->click();
    mainWindow->resize(800, 600);
    mainWindow->CloseActionClick(); // the panel stays up to the end
    ASSERT_TRUE(mainWindow->pleaseWaitPanel->isVisible());
    offCentre << mainWindow->pleaseWaitPanel->geometry().center() - mainWindow->rect().center();
    EXPECT_EQ(offCentre, QList<QPoint>(offCentre.size(), QPoint(0, 0)));
}
