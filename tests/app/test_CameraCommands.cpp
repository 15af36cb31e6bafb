#include "MainWindowFixture.h"

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
    mainWindow->recordCamera2Action->trigger();
    EXPECT_EQ(asked, (QStringList{"Save Video 2", "AVI files (*.avi)|*.avi", "V1070509"}));
    EXPECT_FALSE(mainWindow->RecordingActive || mainWindow->recordCamera2Action->isChecked());

    answer = folder.file("clip.mpg");
    camera2.startSucceeds = false;
    mainWindow->recordCamera2Action->trigger();
    EXPECT_EQ(camera2.recordFileName, folder.file("clip.avi"));
    EXPECT_EQ(messages, QStringList{"Please Plug in Camera 2"});
    EXPECT_FALSE(mainWindow->RecordingActive || mainWindow->recordCamera2Action->isChecked());

    camera2.startSucceeds = true;
    mainWindow->recordCamera2Action->trigger();
    EXPECT_TRUE(mainWindow->RecordingActive && mainWindow->recordCamera2Action->isChecked());
    asked.clear();
    mainWindow->recordCamera2Action->trigger(); // already recording: nothing
    EXPECT_TRUE(asked.isEmpty());

    // Camera 1 is off and will not come on.
    mainWindow->RecordCamera1ActionClick();
    EXPECT_EQ(messages.last(), "Please switch on Camera 1");
    EXPECT_TRUE(events.contains("Pause 500"));
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(CommandsFixture, AimHonoursAViewSwitchRequestAndAlwaysReleasesTransfers) {
    mainWindow->SetViewSwitchRequest(1);
    mainWindow->AimCamera1(); // camera off: no message, the request stays for its reader
    EXPECT_EQ(mainWindow->ViewSwitchRequest(), 1);
    mainWindow->AimCamera2(); // camera 2 clears it
    EXPECT_EQ(mainWindow->ViewSwitchRequest(), 0);
    EXPECT_TRUE(messages.isEmpty());

    camera1.previewing = true;
    events.clear();
    mainWindow->aim1Button->click();
    EXPECT_EQ(events, QStringList{"ZoneWindow 1 busy=1"});
    EXPECT_TRUE(mainWindow->motionTimer.Enabled() && mainWindow->hotZone1Box->isChecked() && camera1ZoneWindow->TargetTicked());
    EXPECT_EQ(FileRecord().Cam1Name, store->Record().Cam1Name); // the choice was stored
    EXPECT_FALSE(TransferBusy::IsBusy());

    camera2.previewing = true;
    events.clear();
    camera2ZoneWindow->onShowModal = [] { throw std::runtime_error("zone window"); };
    EXPECT_THROW(mainWindow->AimCamera2(), std::runtime_error);
    EXPECT_EQ(events, QStringList{"ZoneWindow 2 busy=1"});
    EXPECT_FALSE(TransferBusy::IsBusy());
}

TEST_F(CommandsFixture, CameraSetupFreesBothFramesBeforeTheRestartAndSurvivesAFailedOne) {
    devices = 3;
    mainWindow->FillCameraLists();
    mainWindow->cam2List->setCurrentIndex(2);
    camera2.previewing = true;
    fakes.ftpConnected = true;
    mainWindow->Camera2SetupButtonClick();
    EXPECT_EQ(messages, QStringList{"You must close FTP to use this!"});
    fakes.ftpConnected = false;

    // Not restarted: the station carries on with fresh frames and surveillance shown off.
    restartSucceeds = false;
    mainWindow->motionTimer.SetEnabled(true);
    mainWindow->CameraSetupAndRestart(1);
    EXPECT_EQ(terminated, 0);
    EXPECT_TRUE(mainWindow->cameraFrame1 && mainWindow->cameraFrame2);
    EXPECT_FALSE(mainWindow->motionTimer.Enabled());

    restartSucceeds = true;
    camera2.previewing = true;
    events.clear();
    QPointer<QWidget> frame1 = mainWindow->cameraFrame1;
    mainWindow->camera2SetupButton->click();
    EXPECT_EQ(events, (QStringList{"cam2 Connect 0 0", "SetupScreen 2 2 frames freed", "StartOwnExecutable",
                                   "Terminate"}));
    EXPECT_EQ(mainWindow->camera2Button->text(), "OFF");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame1.isNull());

    // The process ends now: a shutdown request after the restart does nothing more.
    fakes.ftpConnected = true;
    events.clear();
    mainWindow->ShutDown();
    EXPECT_EQ(terminated, 1);
    EXPECT_TRUE(events.isEmpty()) << events.join(",").toStdString();
}

TEST_F(CommandsFixture, TakePicSavesTheRightCameraWithItsCaptions) {
    fakes.pictureTotal = 42;
    mainWindow->soundAlarmBox->setChecked(true);
    mainWindow->takePicture2Button->click(); // camera 2 off
    camera2.previewing = true;
    mainWindow->takePicture2Button->click();
    EXPECT_EQ(events, (QStringList{"Save 2 32", "PlayAlarmSound"}));
}

TEST_F(CommandsFixture, CycleShowsEachDeviceInTurnAndStopPauses) {
    devices = 1;
    mainWindow->FillCameraLists();
    mainWindow->cycleAction->trigger();
    EXPECT_EQ(messages, QStringList{"You must have more than One cameras to use Cycle"});

    devices = 3;
    mainWindow->FillCameraLists();
    mainWindow->motionTimer.SetEnabled(true);
    mainWindow->CycleActionClick();
    EXPECT_FALSE(mainWindow->motionTimer.Enabled());
    EXPECT_TRUE(mainWindow->cycleTimer.Enabled() && !mainWindow->cycleLabel->isHidden());
    events.clear();
    QStringList captions;
    for (int tick = 0; tick < 4; ++tick) {
        mainWindow->CycleTimerTick();
        captions << mainWindow->cycleLabel->text();
    }
    EXPECT_EQ(captions, (QStringList{"camera 0", "camera 1", "camera 2", "camera 0"}));
    EXPECT_EQ(events.last(), "cam1 Connect 1 0"); // the device the strip names

    mainWindow->cycleStopButton->click();
    EXPECT_FALSE(mainWindow->cycleTimer.Enabled());
    mainWindow->CycleTimerTick();
    EXPECT_EQ(mainWindow->cycleLabel->text(), "camera 0"); // carries on where it stopped
    mainWindow->cycleSecondsEdit->setText("0");
    EXPECT_EQ(mainWindow->cycleTimer.Interval(), 10000);
}
