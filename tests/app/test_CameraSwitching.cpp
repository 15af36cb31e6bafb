// Switching cameras on and off from the main window, the camera lists and surveillance on/off,
// on test-pattern cameras.
#include "MainWindowFixture.h"

#include "app/CameraListRules.h"
#include "capture/CameraHealth.h"
#include "capture/CaptureModes.h"
#include "capture/DriverListDelegates.h"
#include "capture/VideoCapture.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <QMouseEvent>

using TestSupport::WaitFor;

TEST_F(CameraStationFixture, FillCameraListsFollowsTheDevices) {
    WriteSettings([](SettingsRecord& r) {
        r.DefaultCam1Index = 2;
        r.DefaultCam2Index = 9; // no such device
    });
    // Lists' texts, selected rows and driver indexes for 0, 1 and 3 devices.
    const auto state = [this] {
        return QStringList{mainWindow->cam1List->currentText(), mainWindow->cam2List->currentText(),
                           QString::number(mainWindow->cam1List->currentIndex()), QString::number(mainWindow->cam2List->currentIndex()),
                           QString::number(mainWindow->DriverIndex1), QString::number(mainWindow->DriverIndex2),
                           QString::number(mainWindow->CamerasPresent)};
    };
    InstallCameras(0);
    StartStation();
    EXPECT_EQ(state(), (QStringList{"Not Installed", "Not Installed", "-1", "-1", "-1", "-1", "0"}));

    InstallCameras(1);
    mainWindow->FillCameraLists();
    EXPECT_EQ(state(), (QStringList{"TORVEK Test Camera 1", "TORVEK Test Camera 1", "0", "0", "0", "0", "1"}));

    InstallCameras(3);
    mainWindow->FillCameraLists();
    EXPECT_EQ(state(), (QStringList{"TORVEK Test Camera 3 (JPEG)", "TORVEK Test Camera 2", "2", "1", "2", "1", "1"}));
    EXPECT_EQ(mainWindow->DefaultCam1->currentIndex(), 2);
    EXPECT_EQ(mainWindow->DefaultCam2->currentIndex(), 1);

    // The choice is stored with the device's alias as the camera's location.
    fakes.alias = [](const QString& name) { return "alias of " + name; };
    mainWindow->StoreCameraChoice();
    EXPECT_EQ(mainWindow->Location2->text(), "alias of TORVEK Test Camera 2");
    EXPECT_EQ(FileRecord().Cam1Name, "alias of TORVEK Test Camera 3 (JPEG)");
    EXPECT_EQ(FileRecord().Cam2Name, "alias of TORVEK Test Camera 2");
}

TEST_F(CameraStationFixture, Camera1SwitchesOnAndOffWithAFreshFrame) {
    InstallCameras(1);
    StartStation();

    mainWindow->camera1Button->click();
    EXPECT_TRUE(ButtonIsOn(1) && mainWindow->camera1Button->isEnabled() && mainWindow->CameraPreviews(1) && mainWindow->hotZone1Box->isChecked());
    EXPECT_EQ(FileRecord().Cam1Name, "TORVEK Test Camera 1");
    ASSERT_TRUE(FramesArrive(1));
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();

    QPointer<CameraView> old = mainWindow->Cap(1);
    mainWindow->camera1Button->click();
    EXPECT_TRUE(ButtonIsOff(1));
    EXPECT_FALSE(mainWindow->CameraPreviews(1) || mainWindow->hotZone1Box->isChecked());
    EXPECT_EQ(mainWindow->DriverIndex1, MainWindow::kNoDriver);
    ASSERT_NE(mainWindow->Cap(1), nullptr);
    EXPECT_NE(mainWindow->Cap(1), old.data());
    // A frame still on its way to the old view reaches nobody, and the old view goes.
    ASSERT_FALSE(old.isNull());
    const int heard = grabbed[1];
    emit old->cap->OnPictureGrabbed(QImage(32, 24, QImage::Format_RGB32));
    EXPECT_EQ(grabbed[1], heard);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());

    // On again: the device the list shows, although the index was dropped.
    mainWindow->camera1Button->click();
    EXPECT_TRUE(ButtonIsOn(1));
    EXPECT_EQ(mainWindow->DriverIndex1, 0);
    EXPECT_TRUE(FramesArrive(1));
}

TEST_F(CameraStationFixture, Camera2ButtonCases) {
    InstallCameras(0);
    StartStation();
    mainWindow->camera2Button->click();
    EXPECT_EQ(messages, QStringList{"Camera Not Installed."});
    // Camera 1's button without a device does nothing and stays usable.
    mainWindow->camera1Button->click();
    EXPECT_TRUE(mainWindow->camera1Button->isEnabled() && !mainWindow->pleaseWaitPanel->isVisible());
    EXPECT_EQ(messages.size(), 1);

    // Both lists on one device: camera 2's button starts camera 1.
    InstallCameras(2);
    mainWindow->FillCameraLists();
    mainWindow->cam2List->setCurrentIndex(0);
    mainWindow->camera2Button->click();
    EXPECT_TRUE(ButtonIsOn(1));
    EXPECT_FALSE(mainWindow->CameraPreviews(2));

    // A user's pick in cam2List while camera 2 is off chooses its device.
    mainWindow->cam2List->setCurrentIndex(1);
    emit mainWindow->cam2List->activated(1);
    EXPECT_EQ(mainWindow->DriverIndex2, 1);
    EXPECT_EQ(mainWindow->SelectedCameraName(2), "TORVEK Test Camera 2"); // no source yet: the selection
    pauses.clear();
    mainWindow->camera2Button->click();
    EXPECT_TRUE(ButtonIsOn(2) && ButtonIsOn(1));
    EXPECT_EQ(pauses, QList<int>{MainWindow::kCamera2SettleMs});
    EXPECT_TRUE(FramesArrive(2) && FramesArrive(1));
    // The name follows the device camera 2 runs on, not a later selection.
    mainWindow->cam2List->setCurrentIndex(0);
    EXPECT_EQ(mainWindow->SelectedCameraName(2), "TORVEK Test Camera 2");
    // Each list shows every device by its alias and marks the device its camera runs on.
    fakes.alias = [](const QString& name) { return "Alias of " + name.right(1); };
    for (QComboBox* list : {mainWindow->cam1List, mainWindow->cam2List}) {
        const auto* rows = qobject_cast<CameraAliasDelegate*>(list->itemDelegate());
        ASSERT_NE(rows, nullptr) << list->objectName().toStdString();
        EXPECT_EQ(rows->displayText(list->itemText(0), QLocale()), "Alias of 1");
        EXPECT_EQ(rows->displayText(list->itemText(1), QLocale()), "Alias of 2");
        EXPECT_EQ(rows->ActiveRow(), list == mainWindow->cam1List ? 0 : 1);
    }

    // Camera 2 off keeps its driver index.
    mainWindow->cam2List->setCurrentIndex(1);
    mainWindow->camera2Button->click();
    EXPECT_TRUE(ButtonIsOff(2));
    EXPECT_EQ(mainWindow->DriverIndex2, 1);
    EXPECT_TRUE(mainWindow->CameraPreviews(1));
}

TEST_F(CameraStationFixture, FailedConnectIsReported) {
    InstallCameras(1);
    StartStation();
    platform::SetTestCameraPlugged(0, false);
    mainWindow->camera1Button->click();
    EXPECT_TRUE(messages.contains(MainWindow::kCameraFailedText)) << messages.join("|").toStdString();
    EXPECT_TRUE(ButtonIsOff(1) && mainWindow->camera1Button->isEnabled());
    EXPECT_FALSE(mainWindow->pleaseWaitPanel->isVisible() || mainWindow->hotZone1Box->isChecked());
}

TEST_F(CameraStationFixture, SurveillanceButton) {
    InstallCameras(1);
    StartStation();
    mainWindow->surveillanceButton->click();
    EXPECT_EQ(messages, QStringList{"Please start a Camera to use this feature."});
    EXPECT_FALSE(mainWindow->motionTimer.Enabled());

    mainWindow->camera1Button->click();
    ASSERT_TRUE(mainWindow->CameraPreviews(1));
    mainWindow->showOnMotionBox->setChecked(false);
    mainWindow->logBox->setChecked(false);
    store->Record().Sensitivity1 = 49; // would fire on noise
    mainWindow->surveillanceButton->click();
    ASSERT_TRUE(mainWindow->motionTimer.Enabled());
    EXPECT_EQ(camera1ZoneWindow->ZoneValues().sensitivityCombo, "1500");
    EXPECT_TRUE(mainWindow->logBox->isChecked() && events.contains("MarkFtpCommandTime"));

    // A wrong lock password, or a running recording (with its message), keeps it on.
    for (bool recording : {false, true}) {
        fakes.accessAllowed = recording;
        mainWindow->RecordingActive = recording;
        mainWindow->surveillanceButton->click();
        EXPECT_TRUE(mainWindow->motionTimer.Enabled()) << recording;
    }
    EXPECT_EQ(messages.last(), "Please stop recording first.");
    mainWindow->RecordingActive = false;

    // Aim starts surveillance, but not past a running recording.
    mainWindow->surveillanceButton->click();
    ASSERT_FALSE(mainWindow->motionTimer.Enabled());
    for (bool recording : {true, false}) {
        mainWindow->RecordingActive = recording;
        mainWindow->AimCamera1();
        EXPECT_EQ(mainWindow->motionTimer.Enabled(), !recording) << recording;
    }

    // Switching the last camera off ends surveillance.
    mainWindow->camera1Button->click();
    EXPECT_FALSE(mainWindow->motionTimer.Enabled());
    EXPECT_FALSE(mainWindow->StartStopSurveillance());
    EXPECT_EQ(messages.last(), MainWindow::kStartErrorText);
}

TEST_F(CameraStationFixture, AutoStartSelectsTheSavedVideoMode) {
    InstallCameras(1);
    // The modes the camera offers, and the one it starts in by itself.
    QString chosen;
    {
        CameraView probe{platform::ProgramFolder(folder.path())};
        probe.CameraNumber = 1;
        VideoSourceNames(true);
        ASSERT_TRUE(probe.ConnectCamera(true, 0));
        VideoMode current;
        probe.cap->GetCurrentVideoMode(current);
        for (int i = 0; i < probe.cap->VideoModeCount() && chosen.isEmpty(); ++i) {
            VideoMode mode;
            probe.cap->GetVideoMode(i, mode);
            if (!IsSameVideoMode(mode, current))
                chosen = DescribeVideoMode(mode);
        }
        probe.ConnectCamera(false, 0);
    }
    ASSERT_FALSE(chosen.isEmpty());
    WriteSettings([&](SettingsRecord& r) {
        r.AutoStart1 = true;
        r.VideoMode1 = chosen + "  ";
    });
    StartStation();
    ASSERT_TRUE(WaitFor([this] { return mainWindow->camera1Button->text() == MainWindow::kOnText; }));
    VideoMode running;
    mainWindow->Cap(1)->cap->GetCurrentVideoMode(running);
    EXPECT_EQ(DescribeVideoMode(running), chosen);
    EXPECT_TRUE(FramesArrive(1) && messages.isEmpty()) << messages.join("|").toStdString();
}

TEST_F(CameraStationFixture, FrameClicksReachTheWindowOnce) {
    InstallCameras(1);
    StartStation();
    const auto pictures = [this] { return events.filter("Save 1").size(); };
    const auto mouse = [this](QEvent::Type type) {
        QWidget* frame = mainWindow->cameraFrame1;
        frame->resize(400, 300);
        QPointF at(-1, -1); // a point of the frame itself, outside its picture and panels
        for (int y = 0; y < frame->height() && at.x() < 0; y += 4)
            for (int x = 0; x < frame->width() && at.x() < 0; x += 4)
                if (!frame->childAt(x, y))
                    at = QPointF(x, y);
        ASSERT_GE(at.x(), 0);
        QMouseEvent event(type, at, frame->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &event);
    };
    mainWindow->resize(1024, 768);
    mainWindow->camera1Button->click();
    ASSERT_TRUE(mainWindow->CameraPreviews(1));
    // A click with the tool bar hidden only brings it back; with it shown, one picture.
    mainWindow->mainToolbar->hide();
    mouse(QEvent::MouseButtonRelease);
    EXPECT_FALSE(mainWindow->mainToolbar->isHidden());
    EXPECT_EQ(pictures(), 0);
    mouse(QEvent::MouseButtonRelease);
    EXPECT_EQ(pictures(), 1);
    // A double click as the mouse makes it: one picture, as one click then a double click.
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease})
        mouse(type);
    EXPECT_EQ(pictures(), 2);
    mouse(QEvent::MouseButtonPress);
    mouse(QEvent::MouseButtonRelease);
    EXPECT_EQ(pictures(), 3);

    // The frame made at a switch-off is wired the same way.
    mainWindow->camera1Button->click();
    ASSERT_TRUE(ButtonIsOff(1));
    mainWindow->mainToolbar->hide();
    mouse(QEvent::MouseButtonDblClick);
    EXPECT_FALSE(mainWindow->mainToolbar->isHidden());
}

TEST_F(CameraStationFixture, SwitchingACameraOnLooksAtTheDevicesOnce) {
    InstallCameras(2);
    StartStation();
    const auto count = [] {
        QList<int> counts;
        for (auto c : {platform::MediaCategory::VideoInput, platform::MediaCategory::AudioInput,
                       platform::MediaCategory::VideoCompressor, platform::MediaCategory::AudioCompressor})
            counts << platform::MediaEnumerationCount(c);
        return counts;
    };
    const QList<int> before = count();
    mainWindow->camera1Button->click();
    ASSERT_TRUE(ButtonIsOn(1));
    const QList<int> after = count();
    for (int i = 0; i < 4; ++i)
        EXPECT_LE(after[i] - before[i], 1) << "category " << i;
}

TEST_F(CameraStationFixture, ALostCameraSwitchedOffWhileAnAttemptWaitsForItsFirstFrame) {
    InstallCameras(1);
    StartStation();
    auto* health = mainWindow->findChild<CameraHealth*>(QStringLiteral("CameraHealth"));
    ASSERT_NE(health, nullptr);
    health->FirstDelayMs = 100;
    mainWindow->camera1Button->click();
    ASSERT_TRUE(ButtonIsOn(1));
    mainWindow->Cap(1)->cap->StallTimeoutMs = 500;
    mainWindow->Cap(1)->cap->FirstFrameTimeoutMs = 4000;

    // The camera hangs: it is lost, and the attempt finds it sending nothing.
    platform::SetTestCameraStalled(0, true);
    ASSERT_TRUE(WaitFor([&] { return mainWindow->camera1Button->text() == CameraHealth::kLostText; }, kWait));
    // The user switches it off while that attempt waits: its view goes from under it.
    QPointer<CameraView> old = mainWindow->Cap(1);
    QTimer watch;
    bool clicked = false;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!clicked && health->Attempts(1) >= 1) {
            clicked = true;
            mainWindow->camera1Button->click();
        }
    });
    watch.start(20);
    ASSERT_TRUE(WaitFor([&] { return clicked && old.isNull(); }, kWait));
    watch.stop();
    EXPECT_EQ(mainWindow->camera1Button->text(), MainWindow::kOffText);
    EXPECT_FALSE(mainWindow->CameraPreviews(1));
    const int attempts = health->Attempts(1);
    platform::SetTestCameraStalled(0, false);
    QElapsedTimer quiet;
    quiet.start();
    WaitFor([&] { return quiet.elapsed() > 600; }, 5000);
    EXPECT_EQ(health->Attempts(1), attempts);
    EXPECT_EQ(mainWindow->camera1Button->text(), MainWindow::kOffText);
}

TEST_F(CameraStationFixture, ALostCameraEndsTheRecordingState) {
    InstallCameras(1);
    StartStation();
    mainWindow->camera1Button->click();
    ASSERT_TRUE(ButtonIsOn(1));
    CameraView* view = mainWindow->Cap(1);
    view->SetRecordFileName(folder.file("lost.avi"));
    const quint64 before = view->cap->FramesRendered();
    ASSERT_TRUE(view->StartRecording());
    mainWindow->RecordingActive = true;
    mainWindow->recordCamera1Action->setChecked(true);
    mainWindow->recordingLabel->show();
    // Frames reach the file before the camera goes (its preallocated size alone says nothing).
    ASSERT_TRUE(WaitFor([&] {
        return view->cap->FramesRendered() >= before + 10 && QFileInfo(folder.file("lost.avi")).size() > 300000;
    }, kWait));

    platform::SetTestCameraPlugged(0, false);
    ASSERT_TRUE(WaitFor([&] { return mainWindow->camera1Button->text() == CameraHealth::kLostText; }, kWait));
    EXPECT_FALSE(mainWindow->RecordingActive || mainWindow->recordCamera1Action->isChecked() || mainWindow->recordingLabel->isVisible());
    EXPECT_FALSE(view->IsCapturing());
    EXPECT_GT(QFileInfo(folder.file("lost.avi")).size(), 0);

    // Shutdown switches the lost camera off as well: nothing reconnects it meanwhile.
    mainWindow->ShutDown();
    EXPECT_EQ(mainWindow->camera1Button->text(), MainWindow::kOffText);
    EXPECT_EQ(terminated, 1);
}

TEST_F(CameraStationFixture, TheSavedModeIsSelectedOnceWhenTwoModesShareItsDescription) {
    platform::TestCameraSpec camera;
    camera.Name = QStringLiteral("TORVEK Test Camera 1");
    camera.Format = QStringLiteral("NV12,NV21"); // both described as "<w>x<h>x12b"
    platform::InstallTestCameras({camera});
    ClearDeviceLists();
    StartStation();
    mainWindow->camera1Button->click();
    ASSERT_TRUE(ButtonIsOn(1));
    VideoCapture* cap = mainWindow->Cap(1)->cap;
    ASSERT_GE(cap->VideoModeCount(), 4);
    store->Record().VideoMode1 = QStringLiteral("640x480x12b");
    int modeChanges = 0;
    QObject::connect(cap, &VideoCapture::OnChangeVCapMode, [&] { ++modeChanges; });
    mainWindow->SelectSavedVideoMode(1);
    EXPECT_EQ(modeChanges, 1); // not torn down and started again for the second match
    EXPECT_TRUE(mainWindow->CameraPreviews(1));
    VideoMode mode;
    cap->GetCurrentVideoMode(mode);
    EXPECT_EQ(DescribeVideoMode(mode), "640x480x12b");
}
