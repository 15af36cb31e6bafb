// The station end to end: a test camera switched on, surveillance on, captioned pictures with
// notes saved into cam1/ while the ball crosses the zone, none while the scene stands still.
#include "TzonesFixture.h"

#include "app/StationMotion.h"
#include "core/CaptionChoices.h"
#include "core/PictureCaption.h"

#include <QDir>
#include <QPushButton>

using TestSupport::WaitFor;

class StationMotionTest : public CameraStationFixture {
protected:
    CaptionChoices choices;
    std::unique_ptr<PictureCaptions> captions;
    std::unique_ptr<StationMotion> motion;
    int ticks = 0;

    void TearDown() override {
        if (zones)
            zones->MotionTime.SetEnabled(false);
        TtorCap::SetCaptionPainter({});
        CameraStationFixture::TearDown();
        motion.reset();
        captions.reset();
    }

    void StartWatching(const QString& pattern) {
        platform::TestCameraSpec camera;
        camera.Name = QStringLiteral("TORVEK Test Camera 1");
        camera.Pattern = pattern;
        camera.Sizes = {QSize(320, 240)};
        platform::InstallTestCameras({camera});
        ClearDeviceLists();
        WriteSettings([](SettingsRecord& r) {
            r.Zone1Left = 60;
            r.Zone1Top = 40;
            r.Zone1Size = 160;
            r.Sensitivity1 = r.Sensitivity2 = 150;
            r.SampleRateMs = 200;
            r.SoundAlarm = false;
        });
        Create();
        captions = std::make_unique<PictureCaptions>(store->Record(), choices);
        TtorCap::SetCaptionPainter([this](platform::PictureCanvas& image, int cameraNumber) {
            captions->DrawPictureCaption(image, cameraNumber);
        });
        BindCameraSwitching(*zones, hooks);
        motion = std::make_unique<StationMotion>(*zones, *store, hooks, *captions, choices);
        const auto tick = hooks.MotionTick;
        hooks.MotionTick = [this, tick] {
            ++ticks;
            tick();
        };
        zones->show();
        ASSERT_TRUE(WaitFor([this] { return !flags.StartupGuard; }));
        zones->alarm->setChecked(false);
        zones->Panel2->click();
        ASSERT_TRUE(zones->IsPreviewing(1));
        ASSERT_TRUE(FramesArrive(1));
        zones->Panel4->click();
        ASSERT_TRUE(zones->MotionTime.Enabled());
    }

    QStringList Pictures() const {
        return QDir(folder.file("cam1")).entryList({"*.jpg"}, QDir::Files, QDir::Name);
    }
};

TEST_F(StationMotionTest, MovingBallIsSavedWithItsNote) {
    StartWatching(QStringLiteral("ball"));
    ASSERT_TRUE(WaitFor([this] { return !Pictures().isEmpty(); }, kWait)) << "ticks " << ticks;
    const QString picture = Pictures().first();
    EXPECT_TRUE(QFileInfo::exists(folder.file("cam1/" + QFileInfo(picture).completeBaseName() + ".txt")));
    EXPECT_TRUE(QFileInfo::exists(folder.file("cam1/counter.txt")));
    EXPECT_EQ(QImage(folder.file("cam1/" + picture)).size(), QSize(320, 240));
    EXPECT_TRUE(zones->MotionTime.Enabled());
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    // While the set-up panel shows, its motion count shows the detector's text.
    zones->Panel1->show();
    EXPECT_TRUE(WaitFor([this] { return zones->Errors1->text().startsWith("MO "); }, kWait))
        << zones->Errors1->text().toStdString();
    EXPECT_EQ(zones->Errors2->text(), "00000");
}

TEST_F(StationMotionTest, StillSceneSavesNothing) {
    StartWatching(QStringLiteral("smpte"));
    ASSERT_TRUE(WaitFor([this] { return ticks >= 15; }, kWait));
    EXPECT_TRUE(Pictures().isEmpty()) << Pictures().join(",").toStdString();
    EXPECT_TRUE(zones->MotionTime.Enabled());
}
