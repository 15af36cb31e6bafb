// Aiming camera 1's zone end to end: the real main window, a test camera, the detector, the
// zone window shown modally by Aim 1, the arrows, and the settings kept across a restart.
#include "TzonesFixture.h"

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
        if (zones)
            zones->MotionTime.SetEnabled(false);
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
        motion->BindMainWindow(*zones);
        BindZoneWindows(*form2, *form1, *zones, *links.layout, *motion);
        zones->show();
        ASSERT_TRUE(WaitFor([this] { return !flags.StartupGuard; }));
        zones->alarm->setChecked(false);
    }

    void Restart() {
        if (zones)
            zones->MotionTime.SetEnabled(false);
        zones.reset();
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
    zones->Panel2->click();
    ASSERT_TRUE(zones->CameraPreviews(1));
    ASSERT_TRUE(FramesArrive(1));

    bool modal = false, ticked = false, busy = false;
    QStringList lefts;
    form2->onShowModal = [&] {
        QTimer::singleShot(0, form2.get(), [&] {
            ASSERT_TRUE(WaitFor([&] { return form2->focus->hasFocus(); }, kWait));
            modal = form2->isModal() && form2->isVisible();
            ticked = form2->TargetTicked();
            busy = TransferBusy::IsBusy();
            QTest::keyClick(form2->focus, Qt::Key_Right);
            lefts << form2->CalLeft->text();
            QTest::keyClick(form2->focus, Qt::Key_Down);
            lefts << form2->calTop->text();
            form2->TrackBar1->setValue(120);
            form2->Sensitivity->setCurrentIndex(23); // 4800
            QTest::keyClick(form2->focus, Qt::Key_Escape);
        });
        form2->TForm2::ShowModal();
    };
    zones->AimCamera(1);

    EXPECT_TRUE(modal);
    EXPECT_TRUE(ticked);
    EXPECT_TRUE(busy);
    EXPECT_EQ(lefts, QStringList({"70", "50"}));
    EXPECT_FALSE(form2->isVisible());
    EXPECT_FALSE(form2->TargetTicked());
    EXPECT_FALSE(TransferBusy::IsBusy());

    // Aim 1 saved what the window set.
    const SettingsRecord saved = FileRecord();
    EXPECT_EQ(QList<qint16>({saved.Zone1Left, saved.Zone1Top, saved.Zone1Size, saved.Sensitivity1}),
              QList<qint16>({70, 50, 120, 4800}));

    // A restart shows them again, through the settings copy into the window.
    Restart();
    const ZoneEditValues shown = form2->ZoneValues();
    EXPECT_EQ(QStringList({shown.CalLeft, shown.calTop, shown.scales, shown.Sensitivity}),
              QStringList({"70", "50", "120", "4800"}));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}
