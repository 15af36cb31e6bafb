#include "TzonesFixture.h"

#include <QLineEdit>
#include <QPointer>
#include <stdexcept>

TEST_F(CommandsFixture, RecordingAsksForANameAndNeverShowsOneThatDoesNotRun) {
    camera2.previewing = true;
    QStringList asked;
    QString answer; // cancelled
    fakes.saveFileName = [&](const QString& title, const QString& filter, const QString& name) {
        asked << title << filter << name;
        return answer;
    };
    zones->StartCapture21->trigger();
    EXPECT_EQ(asked, (QStringList{"Save Video 2", "AVI files (*.avi)|*.avi", "V1070509"}));
    EXPECT_FALSE(zones->RecordingActive || zones->StartCapture21->isChecked());

    answer = folder.file("clip.mpg");
    camera2.startSucceeds = false;
    zones->StartCapture21->trigger();
    EXPECT_EQ(camera2.recordFileName, folder.file("clip.avi"));
    EXPECT_EQ(messages, QStringList{"Please Plug in Camera 2"});
    EXPECT_FALSE(zones->RecordingActive || zones->StartCapture21->isChecked());

    camera2.startSucceeds = true;
    zones->StartCapture21->trigger();
    EXPECT_TRUE(zones->RecordingActive && zones->StartCapture21->isChecked());
    asked.clear();
    zones->StartCapture21->trigger(); // already recording: nothing
    EXPECT_TRUE(asked.isEmpty());

    // Camera 1 is off and will not come on.
    zones->StartCapture11Click();
    EXPECT_EQ(messages.last(), "Please switch on Camera 1");
    EXPECT_TRUE(events.contains("Pause 500"));
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(CommandsFixture, AimHonoursAViewSwitchRequestAndAlwaysReleasesTransfers) {
    zones->SetViewSwitchRequest(1);
    zones->AimCamera1(); // camera off: no message, the request stays for its reader
    EXPECT_EQ(zones->ViewSwitchRequest(), 1);
    zones->AimCamera2(); // camera 2 clears it
    EXPECT_EQ(zones->ViewSwitchRequest(), 0);
    EXPECT_TRUE(messages.isEmpty());

    camera1.previewing = true;
    events.clear();
    zones->Button9->click();
    EXPECT_EQ(events, QStringList{"ZoneWindow 1 busy=1"});
    EXPECT_TRUE(zones->MotionTime.Enabled() && zones->hot1->isChecked() && form2->TargetTicked());
    EXPECT_EQ(FileRecord().Cam1Name, store->Record().Cam1Name); // the choice was stored
    EXPECT_FALSE(TransferBusy::IsBusy());

    camera2.previewing = true;
    events.clear();
    form1->onShowModal = [] { throw std::runtime_error("zone window"); };
    EXPECT_THROW(zones->AimCamera2(), std::runtime_error);
    EXPECT_EQ(events, QStringList{"ZoneWindow 2 busy=1"});
    EXPECT_FALSE(TransferBusy::IsBusy());
}

TEST_F(CommandsFixture, CameraSetupFreesBothFramesBeforeTheRestartAndSurvivesAFailedOne) {
    devices = 3;
    zones->FillCameraLists();
    zones->cam2List->setCurrentIndex(2);
    camera2.previewing = true;
    fakes.ftpConnected = true;
    zones->Button7Click();
    EXPECT_EQ(messages, QStringList{"You must close FTP to use this!"});
    fakes.ftpConnected = false;

    // Not restarted: the station carries on with fresh frames and surveillance shown off.
    restartSucceeds = false;
    zones->MotionTime.SetEnabled(true);
    zones->CameraSetupAndRestart(1);
    EXPECT_EQ(terminated, 0);
    EXPECT_TRUE(zones->VideoCap1 && zones->VideoCap2);
    EXPECT_FALSE(zones->MotionTime.Enabled());

    restartSucceeds = true;
    camera2.previewing = true;
    events.clear();
    QPointer<QWidget> frame1 = zones->VideoCap1;
    zones->Button7->click();
    EXPECT_EQ(events, (QStringList{"cam2 Connect 0 0", "SetupScreen 2 2 frames freed", "StartOwnExecutable",
                                   "Terminate"}));
    EXPECT_EQ(zones->Panel3->text(), "OFF");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame1.isNull());

    // The process ends now: a shutdown request after the restart does nothing more.
    fakes.ftpConnected = true;
    events.clear();
    zones->ShutDown();
    EXPECT_EQ(terminated, 1);
    EXPECT_TRUE(events.isEmpty()) << events.join(",").toStdString();
}

TEST_F(CommandsFixture, TakePicSavesTheRightCameraWithItsCaptions) {
    fakes.pictureTotal = 42;
    zones->alarm->setChecked(true);
    zones->Button23->click(); // camera 2 off
    camera2.previewing = true;
    zones->Button23->click();
    EXPECT_EQ(events, (QStringList{"Save 2 32", "PlayAlarmSound"}));
}

TEST_F(CommandsFixture, CycleShowsEachDeviceInTurnAndStopPauses) {
    devices = 1;
    zones->FillCameraLists();
    zones->Cycle->trigger();
    EXPECT_EQ(messages, QStringList{"You must have more than One cameras to use Cycle"});

    devices = 3;
    zones->FillCameraLists();
    zones->MotionTime.SetEnabled(true);
    zones->CycleClick();
    EXPECT_FALSE(zones->MotionTime.Enabled());
    EXPECT_TRUE(zones->Timer4.Enabled() && !zones->cycleIMAGE->isHidden());
    events.clear();
    QStringList captions;
    for (int tick = 0; tick < 4; ++tick) {
        zones->Timer4Timer();
        captions << zones->cycleIMAGE->text();
    }
    EXPECT_EQ(captions, (QStringList{"camera 0", "camera 1", "camera 2", "camera 0"}));
    EXPECT_EQ(events.last(), "cam1 Connect 1 0"); // the device the strip names

    zones->Button17->click();
    EXPECT_FALSE(zones->Timer4.Enabled());
    zones->Timer4Timer();
    EXPECT_EQ(zones->cycleIMAGE->text(), "camera 0"); // carries on where it stopped
    zones->seconds->setText("0");
    EXPECT_EQ(zones->Timer4.Interval(), 10000);
}
