// Aiming camera 1's zone end to end: the real main window, a test camera, the detector, the
// zone window shown modally by Aim 1, the arrows, and the settings kept across a restart.
#include "MainWindowFixture.h"

#include "app/StationMotion.h"
#include "core/CaptionChoices.h"
#include "core/PictureCaption.h"

#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>

using TestSupport::WaitFor;

class ZoneWindowAimTest : public CameraStationFixture {
protected:
    CaptionChoices choices;
    std::unique_ptr<PictureCaptions> captions;
    std::unique_ptr<StationMotion> motion;

    void TearDown() override {
        if (mainWindow)
            mainWindow->motionTimer.SetEnabled(false);
        CameraStationFixture::TearDown();
        motion.reset();
        captions.reset();
    }

    // The station as start-up makes it, on a black test camera.
    void StartStation() {
        Create();
        captions = std::make_unique<PictureCaptions>(store->Record(), choices);
        motion = std::make_unique<StationMotion>(*store, *captions, choices);
        links.motion = motion.get();
        motion->BindMainWindow(*mainWindow);
        BindZoneWindows(*camera1ZoneWindow, *camera2ZoneWindow, *mainWindow, *links.layout, *motion);
        mainWindow->show();
        ASSERT_TRUE(WaitFor([this] { return !flags.StartupGuard; }));
        mainWindow->soundAlarmBox->setChecked(false);
    }

    void Restart() {
        if (mainWindow)
            mainWindow->motionTimer.SetEnabled(false);
        mainWindow.reset();
        motion.reset();
        store = MakeStore();
        StartStation();
    }
};

TEST_F(ZoneWindowAimTest, Aim1MovesTheZoneWithTheArrowsAndKeepsItAcrossARestart) {
    platform::TestCameraSpec camera;
    camera.Name = QStringLiteral("TORVEK Test Camera 1");
    camera.Pattern = QStringLiteral("black");
    camera.Sizes = {QSize(320, 240)};
    platform::InstallTestCameras({camera});
    ClearDeviceLists();
    WriteSettings([](SettingsRecord& r) {
        r.Zone1Left = 60;
        r.Zone1Top = 40;
        r.Zone1Size = 100;
        r.Sensitivity1 = r.Sensitivity2 = 3000;
        r.SoundAlarm = false;
    });
    StartStation();
    mainWindow->camera1Button->click();
    ASSERT_TRUE(mainWindow->CameraPreviews(1));
    ASSERT_TRUE(FramesArrive(1));

    bool modal = false, ticked = false, busy = false;
    QStringList lefts;
    camera1ZoneWindow->onShowModal = [&] {
        QTimer::singleShot(0, camera1ZoneWindow.get(), [&] {
            ASSERT_TRUE(WaitFor([&] { return camera1ZoneWindow->keyFocusEdit->hasFocus(); }, kWait));
            modal = camera1ZoneWindow->isModal() && camera1ZoneWindow->isVisible();
            ticked = camera1ZoneWindow->TargetTicked();
            busy = TransferBusy::IsBusy();
            QTest::keyClick(camera1ZoneWindow->keyFocusEdit, Qt::Key_Right);
            lefts << camera1ZoneWindow->leftEdit->text();
            QTest::keyClick(camera1ZoneWindow->keyFocusEdit, Qt::Key_Down);
            lefts << camera1ZoneWindow->topEdit->text();
            camera1ZoneWindow->sizeTrackBar->setValue(120);
            camera1ZoneWindow->sensitivityCombo->setCurrentIndex(23); // 4800
            QTest::keyClick(camera1ZoneWindow->keyFocusEdit, Qt::Key_Escape);
        });
        camera1ZoneWindow->Camera1ZoneWindow::ShowModal();
    };
    mainWindow->AimCamera(1);

    EXPECT_TRUE(modal);
    EXPECT_TRUE(ticked);
    EXPECT_TRUE(busy);
    EXPECT_EQ(lefts, QStringList({"70", "50"}));
    EXPECT_FALSE(camera1ZoneWindow->isVisible());
    EXPECT_FALSE(camera1ZoneWindow->TargetTicked());
    EXPECT_FALSE(TransferBusy::IsBusy());

    // Aim 1 saved what the window set.
    const SettingsRecord saved = FileRecord();
    EXPECT_EQ(QList<qint16>({saved.Zone1Left, saved.Zone1Top, saved.Zone1Size, saved.Sensitivity1}),
              QList<qint16>({70, 50, 120, 4800}));

    // A restart shows them again, through the settings copy into the window.
    Restart();
    const ZoneEditValues shown = camera1ZoneWindow->ZoneValues();
    EXPECT_EQ(QStringList({shown.leftEdit, shown.topEdit, shown.sizeEdit, shown.sensitivityCombo}),
              QStringList({"70", "50", "120", "4800"}));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}
