// A shutdown request that arrives inside a modal window ends the station for good, and the
// start-up sequence runs without anybody at the screen.
#include "TzonesFixture.h"

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

class StationShutdownTest : public TzonesFixture {
protected:
    // The station ended once and, after everything in hand has run, nothing was switched
    // on, started, restarted or written after the shutdown's save.
    void ExpectEndedForGood() {
        Settle();
        EXPECT_EQ(terminated, 1);
        EXPECT_TRUE(zones->IsShuttingDown());
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
    zones->Panel3->setText("ON");
    camera2.previewing = true;
    zones->samplerate->setValue(650);
    fakes.onSetupScreen = [this] { zones->ShutDown(); };
    zones->Button7->click();
    ExpectEndedForGood();
    EXPECT_FALSE(events.contains("StartOwnExecutable"));
    EXPECT_EQ(FileRecord().SampleRateMs, 650); // the shutdown's own save
    // And a restart asked for later is refused.
    EXPECT_FALSE(zones->RestartProgram());
    EXPECT_FALSE(events.contains("StartOwnExecutable"));
}

TEST_F(StationShutdownTest, InsideTheDamagedFileMessageAtStartUpBeforeTheLoopRuns) {
    WriteSettings([](SettingsRecord& r) { r.AutoStart1 = true; });
    ASSERT_TRUE(WriteAll(folder.file("X290607.dat"), QByteArray()));
    devices = 1;
    SetMessageBoxHandler([this](const QString& text) {
        messages << text;
        zones->ShutDown(); // while the box is open
    });
    Create();
    zones->show();
    ExpectEndedForGood();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.value(0).contains("damaged")) << messages.value(0).toStdString();
    EXPECT_TRUE(flags.StartupGuard); // no activation ran
    EXPECT_FALSE(zones->PlaceOntrayTimer.Enabled());
    EXPECT_TRUE(QFileInfo::exists(folder.file("X290607.dat.bad")));
    EXPECT_EQ(ReadAll(folder.file("X290607.dat")).size(), 5408);
}

TEST_F(StationShutdownTest, InsideAZoneWindowOpenedByAim) {
    devices = 1;
    Start();
    camera1.previewing = true;
    zones->Panel2->setText("ON");
    form2->onShowModal = [this] { zones->ShutDown(); };
    zones->Button9->click();
    ExpectEndedForGood();
    EXPECT_FALSE(TransferBusy::IsBusy());
}

TEST_F(StationShutdownTest, InsideTheRecordingQuestion) {
    devices = 1;
    Start();
    camera1.previewing = true;
    zones->Panel2->setText("ON");
    fakes.saveFileName = [this](const QString&, const QString&, const QString&) {
        zones->ShutDown();
        return folder.file("door.avi");
    };
    zones->StartCapture11->trigger();
    ExpectEndedForGood();
    EXPECT_FALSE(camera1.capturing || zones->RecordingActive || zones->StartCapture11->isChecked());
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
        if (on && !zones->IsShuttingDown())
            zones->ShutDown(); // the camera's connect waits in a loop of its own
    };
    Start();
    ASSERT_TRUE(WaitFor([this] { return terminated > 0; }));
    ExpectEndedForGood();
    EXPECT_TRUE(events.filter("cam2").isEmpty()) << events.join(",").toStdString();
    EXPECT_FALSE(zones->MotionTime.Enabled() || zones->TimeLapseTimer.Enabled());
    EXPECT_EQ(zones->Panel2->text(), Tzones::kOffText);
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
    ASSERT_TRUE(WaitFor([this] { return !zones->PlaceOntrayTimer.Enabled() && !messages.isEmpty(); }));
    Settle(300);
    EXPECT_EQ(messagesWhenCamera2Started, 0); // nothing waited for an OK
    EXPECT_EQ(messages, QStringList{Tzones::kCameraFailedText});
    EXPECT_EQ(zones->Panel2->text(), Tzones::kOffText);
    EXPECT_EQ(zones->Panel3->text(), Tzones::kOnText);
    EXPECT_TRUE(zones->MotionTime.Enabled());
    // Attended again: the camera buttons' messages are the message box's.
    messages.clear();
    zones->Panel2->click();
    EXPECT_EQ(messages, QStringList{Tzones::kCameraFailedText});
}

TEST_F(StationShutdownTest, StartMotionAtStartWithoutACameraLeavesSurveillanceOffAndSaysSoOnce) {
    WriteSettings([](SettingsRecord& r) {
        r.AutoStart1 = true; // no device: nothing starts
        r.StartMotionAtStart = true;
    });
    Start();
    ASSERT_TRUE(WaitFor([this] { return !zones->PlaceOntrayTimer.Enabled(); }));
    Settle(600);
    EXPECT_EQ(messages, QStringList{Tzones::kStartErrorText});
    EXPECT_FALSE(zones->MotionTime.Enabled());
}

TEST_F(StationShutdownTest, AHideAndShowOfTheProgramKeepsItsGeometryAndToolBar) {
    Start();
    events.clear();
    const QRect compact(814, 623, 200, 115);
    zones->setGeometry(compact);
    zones->maintoolbar->show();
    {
        Tzones::ProgramShowScope quiet(*zones);
        zones->hide();
        zones->show();
    }
    Settle(600); // past the activation that follows a show
    EXPECT_EQ(zones->geometry(), compact);
    EXPECT_FALSE(zones->maintoolbar->isHidden());
    EXPECT_TRUE(events.isEmpty()) << events.join(",").toStdString(); // the tray icon untouched

    // A show of the user's (back from the tray) still runs the show and activation.
    zones->hide();
    zones->show();
    ASSERT_TRUE(WaitFor([this] { return events.contains("AddTrayIcon"); }));
    EXPECT_EQ(zones->size(), QSize(1024, 768));
}
