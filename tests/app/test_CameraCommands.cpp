#include "CommandsFixture.h"

#include <QPointer>
#include <stdexcept>


// ---------------------------------------------------------------- recording

TEST_F(CommandsFixture, RecordingGoesToTheChosenAviAndStopCaptureEndsIt) {
    CreateWindow();
    camera1.previewing = true;
    QStringList asked;
    hooks.AskSaveFileName = [&](const QString& title, const QString& filter, const QString& name) {
        asked << title << filter << name;
        return folder.file("evening.mpg");
    };

    zones->StartCapture11->trigger();
    EXPECT_EQ(asked, (QStringList{"Save Video 1", "AVI files (*.avi)|*.avi", "V1070509"}));
    EXPECT_EQ(camera1.recordFileName, folder.file("evening.avi"));
    EXPECT_TRUE(camera1.capturing);
    EXPECT_TRUE(zones->RecordingActive);
    EXPECT_TRUE(zones->StartCapture11->isChecked());
    EXPECT_FALSE(zones->StopCapture1->isChecked());

    // A second start while recording asks nothing and changes nothing.
    asked.clear();
    events.clear();
    zones->StartCapture11->trigger();
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(events.isEmpty()) << events.join("; ").toStdString();
    EXPECT_TRUE(zones->StartCapture11->isChecked());

    zones->Timer3.SetEnabled(true);
    zones->StopCapture1->trigger();
    EXPECT_FALSE(camera1.capturing);
    EXPECT_TRUE(events.contains("cam1 StopRecording"));
    EXPECT_FALSE(zones->RecordingActive);
    EXPECT_FALSE(zones->StartCapture11->isChecked());
    EXPECT_TRUE(zones->StopCapture1->isChecked());
    EXPECT_FALSE(zones->Timer3.Enabled());
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
}

TEST_F(CommandsFixture, CancelledDialogOrFailedStartRecordsNothing) {
    CreateWindow();
    camera2.previewing = true;
    QString answer; // cancelled
    hooks.AskSaveFileName = [&](const QString& title, const QString&, const QString& name) {
        EXPECT_EQ(title, "Save Video 2");
        EXPECT_EQ(name, "V1070509"); // camera 2 suggests "V1" too
        return answer;
    };
    zones->StartCapture21->trigger();
    EXPECT_FALSE(events.join(";").contains("StartRecording"));
    EXPECT_FALSE(zones->RecordingActive);
    EXPECT_FALSE(zones->StartCapture21->isChecked());
    EXPECT_TRUE(messages.isEmpty());

    answer = folder.file("clip");
    camera2.startSucceeds = false;
    zones->StartCapture21->trigger();
    EXPECT_TRUE(events.contains("cam2 StartRecording " + folder.file("clip.avi")));
    EXPECT_EQ(messages, QStringList{"Please Plug in Camera 2"});
    EXPECT_FALSE(zones->RecordingActive);
    EXPECT_FALSE(zones->StartCapture21->isChecked());
}

TEST_F(CommandsFixture, RecordingSwitchesAnOffCameraOnOrSaysItWillNot) {
    CreateWindow();
    int dialogs = 0;
    hooks.AskSaveFileName = [&](const QString&, const QString&, const QString&) {
        ++dialogs;
        return folder.file("a.avi");
    };
    zones->StartCapture11Click();
    EXPECT_EQ(events, (QStringList{"StartStopSurveillance", "StartCamera1", "Pause 500"}));
    EXPECT_EQ(messages, QStringList{"Please switch on Camera 1"});
    EXPECT_EQ(dialogs, 0);

    // The camera comes on; with the time-lapse running but its flasher stopped the
    // surveillance state is left alone.
    events.clear();
    messages.clear();
    hooks.TimeLapseWorking = [] { return true; };
    hooks.StartCamera1 = [&] {
        events << "StartCamera1";
        camera1.previewing = true;
    };
    zones->StartCapture11Click();
    EXPECT_EQ(events.mid(0, 2), (QStringList{"StartCamera1", "Pause 500"}));
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(camera1.capturing);
    EXPECT_TRUE(messages.isEmpty());
}

// ---------------------------------------------------------------- aim

TEST_F(CommandsFixture, AimWithTheCameraOffHonoursAViewSwitchRequest) {
    CreateWindow();
    zones->ViewSwitchRequest = 1;
    zones->AimCamera1();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(zones->ViewSwitchRequest, 1);
    zones->AimCamera2();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(zones->ViewSwitchRequest, 0);

    zones->AimCamera1();
    EXPECT_EQ(messages, QStringList{Tzones::kStartCameraText});
    EXPECT_EQ(events, (QStringList{"StoreCameraChoice", "StoreCameraChoice", "StoreCameraChoice"}));
}

TEST_F(CommandsFixture, AimOpensTheZoneWindowWithTransfersHeldAndSurveillanceOn) {
    Start();
    ASSERT_TRUE(QFile::remove(folder.file("X290607.dat")));
    events.clear();
    camera1.previewing = true;
    zones->ViewSwitchRequest = 1;
    zones->maintoolbar->hide();
    zones->Button9->click();
    EXPECT_EQ(events, (QStringList{"StoreCameraChoice", "ArrangeCameraPanels", "StartStopSurveillance",
                                   "TickZoneTarget 1", "TransferBusy 1", "ZoneWindow 1", "TransferBusy 0"}));
    EXPECT_TRUE(zones->hot1->isChecked());
    EXPECT_TRUE(zones->MotionTime.Enabled());
    EXPECT_EQ(zones->ViewSwitchRequest, 0);
    EXPECT_FALSE(zones->maintoolbar->isHidden());
    EXPECT_TRUE(QFileInfo::exists(folder.file("X290607.dat"))); // camera 1 saves the settings

    // Surveillance already on is not started again.
    events.clear();
    zones->AimCamera1();
    EXPECT_FALSE(events.contains("StartStopSurveillance"));
}

TEST_F(CommandsFixture, AimClearsTheBusyFlagWhenTheZoneWindowFails) {
    CreateWindow();
    camera2.previewing = true;
    hooks.ShowZoneWindowModal = [&](int) { throw std::runtime_error("zone window"); };
    EXPECT_THROW(zones->AimCamera2(), std::runtime_error);
    EXPECT_EQ(events.filter("TransferBusy"), (QStringList{"TransferBusy 1", "TransferBusy 0"}));
    EXPECT_TRUE(zones->Hot2->isChecked());
}

// ---------------------------------------------------------------- camera set-up

TEST_F(CommandsFixture, CameraSetupFreesBothFramesBeforeTheRestart) {
    CreateWindow();
    FillLists(3);
    zones->cam2List->setCurrentIndex(2);
    camera1.previewing = camera2.previewing = true;
    zones->MotionTime.SetEnabled(true);
    zones->TimeLapseTimer.SetEnabled(true);
    QPointer<QWidget> frame1 = zones->VideoCap1;
    QPointer<QWidget> frame2 = zones->VideoCap2;
    bool framesGoneAtSetup = false;
    hooks.OpenSetupScreen = [&](int index, int camera) {
        events << QStringLiteral("OpenSetupScreen %1 %2").arg(index).arg(camera);
        framesGoneAtSetup = !zones->VideoCap1 && !zones->VideoCap2;
    };

    zones->Button7->click();
    EXPECT_EQ(events, (QStringList{"SwitchCameraOff 1", "cam1 Connect 0 0", "SwitchCameraOff 2",
                                   "cam2 Connect 0 0", "SuspendCameraQueries 1", "OpenSetupScreen 2 2",
                                   "StartOwnExecutable", "Terminate"}));
    EXPECT_TRUE(framesGoneAtSetup);
    EXPECT_FALSE(zones->MotionTime.Enabled() || zones->TimeLapseTimer.Enabled());
    EXPECT_EQ(zones->Panel2->text(), "OFF");
    EXPECT_EQ(zones->Panel3->text(), "OFF");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame1.isNull() && frame2.isNull());
}

TEST_F(CommandsFixture, CameraSetupRefusedWhileFtpIsConnectedAndSurvivesAFailedRestart) {
    CreateWindow();
    camera2.previewing = true;
    hooks.IsFtpConnected = [] { return true; };
    zones->MotionTime.SetEnabled(true);
    zones->Button7Click();
    EXPECT_EQ(messages, QStringList{"You must close FTP to use this!"});
    EXPECT_TRUE(zones->MotionTime.Enabled());
    EXPECT_TRUE(events.isEmpty());

    camera2.previewing = false;
    messages.clear();
    zones->Button7Click();
    EXPECT_EQ(messages, QStringList{Tzones::kStartCameraText});

    hooks.IsFtpConnected = [] { return false; };
    restartSucceeds = false;
    messages.clear();
    zones->CameraSetupAndRestart(1);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(events.filter("SuspendCameraQueries"),
              (QStringList{"SuspendCameraQueries 1", "SuspendCameraQueries 0"}));
    ASSERT_NE(zones->VideoCap1, nullptr);
    ASSERT_NE(zones->VideoCap2, nullptr);
    EXPECT_EQ(terminated, 0);
}

// ---------------------------------------------------------------- pictures and views

TEST_F(CommandsFixture, TakePicSavesTheRightCameraWithItsCaptions) {
    CreateWindow();
    hooks.FormatLastImageCaption = [](int camera) { return QStringLiteral("last of %1").arg(camera); };
    hooks.PictureCountTotal = [] { return qint32(42); };
    zones->Button23->click(); // camera 2 is off
    EXPECT_TRUE(events.isEmpty());

    camera2.previewing = true;
    camera2.frame = QImage(64, 48, QImage::Format_RGB888);
    zones->alarm->setChecked(true);
    zones->Button23->click();
    EXPECT_EQ(events, (QStringList{"SaveMotionPicture 2 64x48", "PlayAlarmSound"}));
    EXPECT_EQ(zones->GroupBox1->title(), "last of 2");
    EXPECT_EQ(zones->CameraGroupBox->title(), "000043");

    events.clear();
    camera1.previewing = true;
    zones->alarm->setChecked(false);
    zones->FullToolbarLayout = 0;
    zones->TakePicture1();
    EXPECT_EQ(events, QStringList{"SaveMotionPicture 1 32x24"});
    EXPECT_EQ(zones->CameraGroupBox->title(), "last of 1");
}

TEST_F(CommandsFixture, ViewClickRestoresAHiddenToolbarOrTakesAPicture) {
    CreateWindow();
    camera1.previewing = true;
    zones->resize(1024, 768);
    zones->GroupBox1->resize(1000, 500);
    zones->maintoolbar->hide();
    zones->restlye.SetEnabled(true);

    zones->VideoCap1Click();
    EXPECT_EQ(events, QStringList{"RestoreFullView"});
    EXPECT_FALSE(zones->maintoolbar->isHidden());
    EXPECT_FALSE(zones->restlye.Enabled());
    EXPECT_EQ(zones->VideoCap1->height(), 498);
    EXPECT_EQ(zones->VideoCap2->height(), 498);

    events.clear();
    zones->VideoCap1Click(); // wide window, tool bar shown: the click is a picture
    EXPECT_EQ(events, QStringList{"SaveMotionPicture 1 32x24"});

    events.clear();
    zones->resize(300, 768);
    zones->maintoolbar->hide();
    zones->VideoCap2Click(); // camera 2 is off: no picture either way
    EXPECT_EQ(events, QStringList{"RestoreFullView"});
}

TEST_F(CommandsFixture, ViewsBoxNeedsBothCameras) {
    CreateWindow();
    FillLists(1);
    camera1.previewing = true;
    zones->GroupBox4->hide();
    zones->Button20->click();
    EXPECT_EQ(messages, QStringList{"You must start both cameras to use Views."});
    EXPECT_FALSE(zones->Button25->isEnabled());
    EXPECT_TRUE(zones->GroupBox4->isHidden());

    camera2.previewing = true;
    zones->Button20Click();
    EXPECT_FALSE(zones->GroupBox4->isHidden());
    zones->Button21->click();
    EXPECT_TRUE(zones->GroupBox4->isHidden());
}

// ---------------------------------------------------------------- cycling

TEST_F(CommandsFixture, CycleShowsEachDeviceInTurnAndStopsWithTheText) {
    CreateWindow();
    FillLists(1);
    zones->Cycle->trigger();
    EXPECT_EQ(messages, QStringList{"You must have more than One cameras to use Cycle"});
    EXPECT_FALSE(zones->Button26->isEnabled());
    EXPECT_FALSE(zones->Timer4.Enabled());

    FillLists(3);
    messages.clear();
    camera1.previewing = camera2.previewing = true;
    zones->Panel2->setText("ON");
    zones->MotionTime.SetEnabled(true);
    zones->CycleClick();
    EXPECT_EQ(events, (QStringList{"cam1 Connect 0 0", "cam2 Connect 0 0", "cam1 Connect 0 0"}));
    EXPECT_FALSE(zones->MotionTime.Enabled());
    EXPECT_EQ(zones->Panel2->text(), "OFF");
    EXPECT_EQ(zones->Panel3->text(), "OFF");
    EXPECT_FALSE(zones->cycleIMAGE->isHidden());
    EXPECT_TRUE(zones->maintoolbar->isHidden());
    EXPECT_TRUE(zones->Timer4.Enabled());

    events.clear();
    QStringList captions;
    for (int tick = 0; tick < 4; ++tick) {
        zones->Timer4Timer();
        captions << zones->cycleIMAGE->text();
    }
    EXPECT_EQ(events, (QStringList{"cam1 Connect 1 0", "cam1 Connect 1 1", "cam1 Connect 1 2", "cam1 Connect 1 0"}));
    EXPECT_EQ(captions, (QStringList{"camera 0", "camera 1", "camera 2", "camera 0"}));
    EXPECT_TRUE(zones->Timer4.Enabled());

    zones->Button17->click();
    EXPECT_EQ(zones->cycleIMAGE->text(), "Stopped Press Cycle to continue");
    EXPECT_FALSE(zones->Timer4.Enabled());
    EXPECT_EQ(zones->CyclePosition, 2); // wrapped below 0: the next tick shows camera 0 again
    zones->Timer4Timer();
    EXPECT_EQ(zones->cycleIMAGE->text(), "camera 0");

    events.clear();
    zones->Button18->click();
    EXPECT_TRUE(zones->cycleIMAGE->isHidden());
    EXPECT_FALSE(zones->maintoolbar->isHidden());
    EXPECT_FALSE(zones->Timer4.Enabled());
    EXPECT_EQ(events, QStringList{"cam1 Connect 0 0"});
}

TEST_F(CommandsFixture, CycleEndsARunningRecordingFirst) {
    CreateWindow();
    FillLists(2);
    camera1.previewing = true;
    hooks.AskSaveFileName = [&](const QString&, const QString&, const QString&) { return folder.file("r.avi"); };
    zones->StartCapture11Click();
    ASSERT_TRUE(zones->RecordingActive);
    zones->CycleClick();
    EXPECT_FALSE(zones->RecordingActive);
    EXPECT_TRUE(events.contains("cam1 StopRecording"));
}

TEST_F(CommandsFixture, SecondsSetTheCycleInterval) {
    CreateWindow();
    zones->seconds->setText("7");
    EXPECT_EQ(zones->Timer4.Interval(), 7000);
    for (const char* text : {"0", "", "soon"}) {
        zones->seconds->setText(text);
        EXPECT_EQ(zones->Timer4.Interval(), 10000) << text;
    }
    zones->Button14->click();
    EXPECT_EQ(events, QStringList{"ShowHelp 0"});
    EXPECT_FALSE(zones->maintoolbar->isHidden());
}
