// A shutdown request that arrives inside a modal window ends the station for good, and the
// start-up sequence runs without anybody at the screen.
#include "MainWindowFixture.h"

#include <QFileInfo>
#include <QRegularExpression>

using TestSupport::ReadAll;
using TestSupport::WaitFor;
using TestSupport::WriteAll;

namespace {

// Lets timers (the activation fallback, the start-up sequence) and posted messages run.
void Settle(int ms = 1500) {
    WaitFor([] { return false; }, ms);
}

} // namespace

class StationShutdownTest : public MainWindowFixture {
protected:
    // The station ended once and, after everything in hand has run, nothing was switched
    // on, started, restarted or written after the shutdown's save.
    void ExpectEndedForGood() {
        Settle();
        EXPECT_EQ(terminated, 1);
        EXPECT_TRUE(mainWindow->IsShuttingDown());
        const QStringList after = events.mid(events.indexOf("Terminate") + 1);
        EXPECT_TRUE(after.filter(QRegularExpression("Connect 1|StartOwnExecutable|MinimizeToTray|Ftp|ZoneWindow"))
                        .isEmpty())
            << after.join(",").toStdString();
        EXPECT_EQ(SettingsFiles(), filesAtTerminate);
        EXPECT_FALSE(camera1.previewing || camera2.previewing);
    }
};

TEST_F(StationShutdownTest, InsideTheCameraSetupScreenNoSecondStationStarts) {
    devices = 2;
    Start();
    mainWindow->camera2Button->setText("ON");
    camera2.previewing = true;
    mainWindow->sampleRateSlider->setValue(650);
    fakes.onSetupScreen = [this] { mainWindow->ShutDown(); };
    mainWindow->camera2SetupButton->click();
    ExpectEndedForGood();
    EXPECT_FALSE(events.contains("StartOwnExecutable"));
    EXPECT_EQ(FileRecord().SampleRateMs, 650); // the shutdown's own save
    // And a restart asked for later is refused.
    EXPECT_FALSE(mainWindow->RestartProgram());
    EXPECT_FALSE(events.contains("StartOwnExecutable"));
}

TEST_F(StationShutdownTest, InsideTheDamagedFileMessageAtStartUpBeforeTheLoopRuns) {
    WriteSettings([](SettingsRecord& r) { r.AutoStart1 = true; });
    ASSERT_TRUE(WriteAll(folder.file("X290607.dat"), QByteArray()));
    devices = 1;
    SetMessageBoxHandler([this](const QString& text) {
        messages << text;
        mainWindow->ShutDown(); // while the box is open
    });
    Create();
    mainWindow->show();
    ExpectEndedForGood();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.value(0).contains("damaged")) << messages.value(0).toStdString();
    EXPECT_TRUE(flags.StartupGuard); // no activation ran
    EXPECT_FALSE(mainWindow->startupSequenceTimer.Enabled());
    EXPECT_TRUE(QFileInfo::exists(folder.file("X290607.dat.bad")));
    EXPECT_EQ(ReadAll(folder.file("X290607.dat")).size(), 5408);
}

TEST_F(StationShutdownTest, InsideAZoneWindowOpenedByAim) {
    devices = 1;
    Start();
    camera1.previewing = true;
    mainWindow->camera1Button->setText("ON");
    camera1ZoneWindow->onShowModal = [this] { mainWindow->ShutDown(); };
    mainWindow->aim1Button->click();
    ExpectEndedForGood();
    EXPECT_FALSE(TransferBusy::IsBusy());
}

TEST_F(StationShutdownTest, InsideTheRecordingQuestion) {
    devices = 1;
    Start();
    camera1.previewing = true;
    mainWindow->camera1Button->setText("ON");
    fakes.saveFileName = [this](const QString&, const QString&, const QString&) {
        mainWindow->ShutDown();
        return folder.file("door.avi");
    };
    mainWindow->recordCamera1Action->trigger();
    ExpectEndedForGood();
    EXPECT_FALSE(camera1.capturing || mainWindow->RecordingActive || mainWindow->recordCamera1Action->isChecked());
}

TEST_F(StationShutdownTest, InsideACameraStartOfTheStartUpSequence) {
    WriteSettings([](SettingsRecord& r) {
        r.AutoStart1 = r.AutoStart2 = true;
        r.PlaceOnTray = true;
        r.StartTimeLapseAtStart = true;
        r.StartMotionAtStart = true;
    });
    devices = 2;
    camera1.onConnect = [this](bool on) {
        if (on && !mainWindow->IsShuttingDown())
            mainWindow->ShutDown(); // the camera's connect waits in a loop of its own
    };
    Start();
    ASSERT_TRUE(WaitFor([this] { return terminated > 0; }));
    ExpectEndedForGood();
    EXPECT_TRUE(events.filter("cam2").isEmpty()) << events.join(",").toStdString();
    EXPECT_FALSE(mainWindow->motionTimer.Enabled() || mainWindow->timeLapseTimer.Enabled());
    EXPECT_EQ(mainWindow->camera1Button->text(), MainWindow::kOffText);
    // The user's auto-start choice is what the shutdown saved.
    EXPECT_TRUE(FileRecord().AutoStart1 && FileRecord().AutoStart2);
}

TEST_F(StationShutdownTest, UnattendedStartUpGoesOnPastAFailedCamera) {
    WriteSettings([](SettingsRecord& r) {
        r.AutoStart1 = r.AutoStart2 = true;
        r.StartMotionAtStart = true;
    });
    devices = 2;
    camera1.connects = false; // unplugged
    int messagesWhenCamera2Started = -1;
    camera2.onConnect = [&](bool on) {
        if (on)
            messagesWhenCamera2Started = int(messages.size());
    };
    Start();
    ASSERT_TRUE(WaitFor([this] { return !mainWindow->startupSequenceTimer.Enabled() && !messages.isEmpty(); }));
    Settle(300);
    EXPECT_EQ(messagesWhenCamera2Started, 0); // nothing waited for an OK
    EXPECT_EQ(messages, QStringList{MainWindow::kCameraFailedText});
    EXPECT_EQ(mainWindow->camera1Button->text(), MainWindow::kOffText);
    EXPECT_EQ(mainWindow->camera2Button->text(), MainWindow::kOnText);
    EXPECT_TRUE(mainWindow->motionTimer.Enabled());
    // Attended again: the camera buttons' messages are the message box's.
    messages.clear();
    mainWindow->camera1Button->click();
    EXPECT_EQ(messages, QStringList{MainWindow::kCameraFailedText});
}

TEST_F(StationShutdownTest, StartMotionAtStartWithoutACameraLeavesSurveillanceOffAndSaysSoOnce) {
    WriteSettings([](SettingsRecord& r) {
        r.AutoStart1 = true; // no device: nothing starts
        r.StartMotionAtStart = true;
    });
    Start();
    ASSERT_TRUE(WaitFor([this] { return !mainWindow->startupSequenceTimer.Enabled(); }));
    Settle(600);
    EXPECT_EQ(messages, QStringList{MainWindow::kStartErrorText});
    EXPECT_FALSE(mainWindow->motionTimer.Enabled());
}

TEST_F(StationShutdownTest, AHideAndShowOfTheProgramKeepsItsGeometryAndToolBar) {
    Start();
    events.clear();
    const QRect compact(814, 623, 200, 115);
    mainWindow->setGeometry(compact);
    mainWindow->mainToolbar->show();
    {
        MainWindow::ProgramShowScope quiet(*mainWindow);
        mainWindow->hide();
        mainWindow->show();
    }
    Settle(600); // past the activation that follows a show
    EXPECT_EQ(mainWindow->geometry(), compact);
    EXPECT_FALSE(mainWindow->mainToolbar->isHidden());
    EXPECT_TRUE(events.isEmpty()) << events.join(",").toStdString(); // the tray icon untouched

    // A show of the user's (back from the tray) still runs the show and activation.
    mainWindow->hide();
    mainWindow->show();
    ASSERT_TRUE(WaitFor([this] { return events.contains("AddTrayIcon"); }));
    EXPECT_EQ(mainWindow->size(), QSize(1024, 768));
}
