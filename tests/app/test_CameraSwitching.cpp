// Switching cameras on and off from the main window, the camera lists and surveillance on/off,
// on test-pattern cameras.
#include "CameraStationFixture.h"

#include "app/CameraListRules.h"
#include "app/StationCommands.h"
#include "capture/CaptureModes.h"
#include "capture/DriverListDelegates.h"
#include "capture/VideoCapture.h"
#include "platform/PictureCanvas.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

using TestSupport::WaitFor;

TEST(CameraListRules, MotionCounterText) {
    EXPECT_EQ(MotionCounterText(123456), "MO 23456");
    EXPECT_EQ(MotionCounterText(123), "MO 00123");
    EXPECT_EQ(MotionCounterText(-4321), "MO 04321");
    EXPECT_EQ(MotionCounterText(-2147483648LL), "MO 83648");
}

TEST_F(CameraStationFixture, FillCameraListsFollowsTheDevices) {
    WriteSettings([](SettingsRecord& r) {
        r.DefaultCam1Index = 2;
        r.DefaultCam2Index = 9; // no such device
    });
    InstallCameras(0);
    StartStation();
    EXPECT_EQ(zones->cam1List->currentText(), "Not Installed");
    EXPECT_EQ(zones->cam2List->currentText(), "Not Installed");
    EXPECT_FALSE(zones->CamerasPresent);
    EXPECT_EQ(zones->DriverIndex1, Tzones::kNoDriver);
    EXPECT_EQ(zones->DriverIndex2, Tzones::kNoDriver);

    InstallCameras(1);
    zones->FillCameraLists();
    EXPECT_TRUE(zones->CamerasPresent);
    EXPECT_EQ(zones->cam1List->currentIndex(), 0);
    EXPECT_EQ(zones->cam2List->currentIndex(), 0);
    EXPECT_EQ(zones->cam1List->currentText(), "TORVEK Test Camera 1");
    EXPECT_EQ(zones->cam2List->currentText(), "TORVEK Test Camera 1");
    EXPECT_EQ(zones->DriverIndex1, 0);
    EXPECT_EQ(zones->DriverIndex2, 0);

    InstallCameras(3);
    zones->FillCameraLists();
    for (QComboBox* list : {zones->cam1List, zones->cam2List, zones->DefaultCam1, zones->DefaultCam2})
        EXPECT_EQ(list->count(), 3) << list->objectName().toStdString();
    EXPECT_EQ(zones->cam1List->currentIndex(), 2);
    EXPECT_EQ(zones->cam2List->currentIndex(), 1);
    EXPECT_EQ(zones->DriverIndex1, 2);
    EXPECT_EQ(zones->DriverIndex2, 1);
    EXPECT_EQ(zones->cam1List->currentText(), "TORVEK Test Camera 3 (JPEG)");
    EXPECT_EQ(zones->DefaultCam1->currentIndex(), 2);
    EXPECT_EQ(zones->DefaultCam2->currentIndex(), 1);

    // The choice is stored with the device's alias as the camera's location.
    hooks.DriverAlias = [](const QString& name) { return "alias of " + name; };
    zones->StoreCameraChoice();
    EXPECT_EQ(zones->Location2->text(), "alias of TORVEK Test Camera 2");
    SettingsRecord saved = FileRecord();
    EXPECT_EQ(saved.Cam1Name, "alias of TORVEK Test Camera 3 (JPEG)");
    EXPECT_EQ(saved.Cam2Name, "alias of TORVEK Test Camera 2");
}

TEST_F(CameraStationFixture, Camera1SwitchesOnAndOffWithAFreshFrame) {
    InstallCameras(1);
    StartStation();
    EXPECT_EQ(zones->Panel2->text(), "Off/On");

    zones->Panel2->click();
    EXPECT_TRUE(ButtonIsOn(1));
    EXPECT_TRUE(zones->Panel2->isEnabled());
    EXPECT_TRUE(zones->IsPreviewing(1));
    EXPECT_TRUE(zones->hot1->isChecked());
    EXPECT_EQ(FileRecord().Cam1Name, "TORVEK Test Camera 1");
    ASSERT_TRUE(FramesArrive(1));
    EXPECT_FALSE(zones->Cap(1)->ImageBitmap().Image().isNull());
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    // The camera-1 list paints the device in use in yellow.
    auto* painter = qobject_cast<CameraAliasDelegate*>(zones->cam1List->itemDelegate());
    ASSERT_NE(painter, nullptr);
    EXPECT_EQ(painter->ActiveRow(), 0);

    QPointer<TtorCap> old = zones->Cap(1);
    zones->Panel2->click();
    EXPECT_TRUE(ButtonIsOff(1));
    EXPECT_FALSE(zones->IsPreviewing(1));
    EXPECT_EQ(zones->DriverIndex1, Tzones::kNoDriver);
    ASSERT_NE(zones->Cap(1), nullptr);
    EXPECT_NE(zones->Cap(1), old.data());
    EXPECT_EQ(zones->Cap(1)->CameraNumber, 1);
    EXPECT_FALSE(zones->hot1->isChecked());
    EXPECT_EQ(painter->ActiveRow(), -1);
    // A frame still on its way to the old view reaches nobody, and the old view goes.
    ASSERT_FALSE(old.isNull());
    const int heard = grabbed[1];
    emit old->cap->OnBitmapGrabbed(TCapturedBitmap(QImage(32, 24, QImage::Format_RGB888)));
    EXPECT_EQ(grabbed[1], heard);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());

    // On again: the device the list shows, although the index was dropped.
    zones->Panel2->click();
    EXPECT_TRUE(ButtonIsOn(1));
    EXPECT_EQ(zones->DriverIndex1, 0);
    EXPECT_TRUE(FramesArrive(1));
}

TEST_F(CameraStationFixture, Camera2ButtonCases) {
    InstallCameras(0);
    StartStation();
    zones->Panel3->click();
    EXPECT_EQ(messages, QStringList{"Camera Not Installed."});
    // Camera 1's button without a device does nothing and stays usable.
    zones->Panel2->click();
    EXPECT_TRUE(zones->Panel2->isEnabled());
    EXPECT_FALSE(zones->pleaseWaitPanel->isVisible());
    EXPECT_EQ(zones->Panel2->text(), "Off/On");
    EXPECT_EQ(messages.size(), 1);

    // Both lists on one device: camera 2's button starts camera 1.
    InstallCameras(2);
    zones->FillCameraLists();
    zones->cam2List->setCurrentIndex(0);
    zones->Panel3->click();
    EXPECT_TRUE(ButtonIsOn(1));
    EXPECT_EQ(zones->Panel3->text(), "Off/On");
    EXPECT_FALSE(zones->IsPreviewing(2));

    // A user's pick in cam2List while camera 2 is off chooses its device.
    zones->cam2List->setCurrentIndex(1);
    emit zones->cam2List->activated(1);
    EXPECT_EQ(zones->DriverIndex2, 1);
    EXPECT_EQ(zones->SelectedCameraName(2), "TORVEK Test Camera 2"); // no source yet: the selection
    pauses.clear();
    zones->Panel3->click();
    EXPECT_TRUE(ButtonIsOn(2));
    EXPECT_TRUE(ButtonIsOn(1));
    EXPECT_EQ(pauses, QList<int>{Tzones::kCamera2SettleMs});
    EXPECT_TRUE(FramesArrive(2));
    EXPECT_TRUE(FramesArrive(1));
    // The name follows the device camera 2 runs on, not a later selection.
    zones->cam2List->setCurrentIndex(0);
    EXPECT_EQ(zones->SelectedCameraName(2), "TORVEK Test Camera 2");

    // Camera 2 off keeps its driver index.
    zones->cam2List->setCurrentIndex(1);
    zones->Panel3->click();
    EXPECT_TRUE(ButtonIsOff(2));
    EXPECT_EQ(zones->DriverIndex2, 1);
    EXPECT_TRUE(zones->IsPreviewing(1));
}

TEST_F(CameraStationFixture, FailedConnectIsReported) {
    InstallCameras(1);
    StartStation();
    platform::SetTestCameraPlugged(0, false);
    zones->Panel2->click();
    EXPECT_TRUE(messages.contains(Tzones::kCameraFailedText)) << messages.join("|").toStdString();
    EXPECT_TRUE(ButtonIsOff(1));
    EXPECT_TRUE(zones->Panel2->isEnabled());
    EXPECT_FALSE(zones->pleaseWaitPanel->isVisible());
    EXPECT_FALSE(zones->hot1->isChecked());
}

TEST_F(CameraStationFixture, SurveillanceButton) {
    InstallCameras(1);
    bool allowed = true;
    StartStation();
    StationCommands commands(*zones, hooks);
    hooks.AccessAllowed = [&] { return allowed; };

    zones->Panel4->click();
    EXPECT_EQ(messages, QStringList{"Please start a Camera to use this feature."});
    EXPECT_FALSE(zones->MotionTime.Enabled());

    zones->Panel2->click();
    ASSERT_TRUE(zones->IsPreviewing(1));
    zones->Showw->setChecked(false);
    zones->LogAllowed->setChecked(false);
    store->Record().Sensitivity1 = 49; // would fire on noise
    events.clear();
    zones->Panel4->click();
    EXPECT_TRUE(zones->MotionTime.Enabled());
    EXPECT_EQ(store->Record().Sensitivity1, 1500);
    EXPECT_EQ(form2->Sensitivity->text(), "1500");
    EXPECT_EQ(FontColour(zones->Panel4), ControlColours::kRed);
    EXPECT_EQ(zones->Panel4->text(), "Motion");
    EXPECT_TRUE(zones->LogAllowed->isChecked());
    EXPECT_TRUE(events.contains("MarkFtpCommandTime"));

    // A wrong lock password keeps surveillance on.
    allowed = false;
    zones->Panel4->click();
    EXPECT_TRUE(zones->MotionTime.Enabled());
    EXPECT_EQ(FontColour(zones->Panel4), ControlColours::kRed);

    // So does a running recording, with its message.
    allowed = true;
    zones->RecordingActive = true;
    zones->Panel4->click();
    EXPECT_TRUE(zones->MotionTime.Enabled());
    EXPECT_EQ(messages.last(), "Please stop recording first.");
    zones->RecordingActive = false;

    zones->Panel4->click();
    EXPECT_FALSE(zones->MotionTime.Enabled());
    EXPECT_EQ(FontColour(zones->Panel4), ControlColours::kBlack);

    // Aim starts surveillance, but not past a running recording.
    hooks.ShowZoneWindowModal = [](int) {};
    zones->RecordingActive = true;
    zones->AimCamera1();
    EXPECT_FALSE(zones->MotionTime.Enabled());
    zones->RecordingActive = false;

    // Switching the last camera off ends surveillance.
    zones->Panel4->click();
    ASSERT_TRUE(zones->MotionTime.Enabled());
    zones->Panel2->click();
    EXPECT_FALSE(zones->MotionTime.Enabled());
    EXPECT_EQ(FontColour(zones->Panel4), ControlColours::kBlack);
    EXPECT_EQ(zones->StartStopSurveillance(), false);
    EXPECT_EQ(messages.last(), Tzones::kStartErrorText);
}

TEST_F(CameraStationFixture, AutoStartSelectsTheSavedVideoMode) {
    InstallCameras(1);
    // The modes the camera offers, and the one it starts in by itself.
    QString chosen;
    {
        TtorCap probe{platform::ProgramFolder(folder.path())};
        probe.CameraNumber = 1;
        VideoSourceNames(true);
        ASSERT_TRUE(probe.ConnectCamera(true, 0));
        TVideoMode current;
        probe.cap->GetCurrentVideoMode(current);
        for (int i = 0; i < probe.cap->VideoModeCount() && chosen.isEmpty(); ++i) {
            TVideoMode mode;
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
    ASSERT_TRUE(WaitFor([this] { return zones->Panel2->text() == Tzones::kOnText; }));
    ASSERT_TRUE(zones->IsPreviewing(1));
    TVideoMode running;
    zones->Cap(1)->cap->GetCurrentVideoMode(running);
    EXPECT_EQ(DescribeVideoMode(running), chosen);
    EXPECT_TRUE(FramesArrive(1));
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
}

TEST_F(CameraStationFixture, MotionCounterIsDrawnWhereTheCaptionLeavesRoom) {
    InstallCameras(0);
    StartStation();
    store->Record().CaptionFontSize = 10;
    const auto firstRedRow = [this](bool topRight) {
        store->Record().CaptionTopRight = topRight;
        platform::PictureCanvas picture(QImage(200, 80, QImage::Format_RGB888));
        picture.Image().fill(Qt::black);
        zones->DrawMotionCounter(picture, 123456);
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                if (picture.Image().pixelColor(x, y) == QColor(Qt::red))
                    return y;
        return -1;
    };
    const int top = firstRedRow(true);
    EXPECT_GE(top, 5);
    EXPECT_GT(firstRedRow(false), top + 5);
}

TEST_F(CameraStationFixture, FrameClicksReachTheWindowOnce) {
    InstallCameras(1);
    StartStation();
    StationCommands commands(*zones, hooks);
    int pictures = 0;
    hooks.SaveMotionPicture = [&](const QImage&, int) { ++pictures; };
    const auto mouse = [this](QEvent::Type type) {
        QWidget* frame = zones->VideoCap1;
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
    zones->resize(1024, 768);
    zones->Panel2->click();
    ASSERT_TRUE(zones->IsPreviewing(1));
    // A click with the tool bar hidden only brings it back; with it shown, one picture.
    zones->maintoolbar->hide();
    mouse(QEvent::MouseButtonRelease);
    EXPECT_FALSE(zones->maintoolbar->isHidden());
    EXPECT_EQ(pictures, 0);
    mouse(QEvent::MouseButtonRelease);
    EXPECT_EQ(pictures, 1);

    // The frame made at a switch-off is wired the same way.
    zones->Panel2->click();
    ASSERT_TRUE(ButtonIsOff(1));
    zones->maintoolbar->hide();
    mouse(QEvent::MouseButtonDblClick);
    EXPECT_FALSE(zones->maintoolbar->isHidden());
}

TEST_F(CameraStationFixture, ShutdownSwitchesRunningCamerasOff) {
    InstallCameras(2);
    StartStation();
    zones->cam2List->setCurrentIndex(1);
    zones->Panel2->click();
    zones->Panel3->click();
    ASSERT_TRUE(ButtonIsOn(1) && ButtonIsOn(2));
    zones->ShutDown();
    EXPECT_TRUE(ButtonIsOff(1));
    EXPECT_TRUE(ButtonIsOff(2));
    EXPECT_FALSE(zones->IsPreviewing(1) || zones->IsPreviewing(2));
    EXPECT_EQ(terminated, 1);
}
