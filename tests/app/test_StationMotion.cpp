// The station end to end: a test camera switched on, surveillance on, captioned pictures with
// notes saved into cam1/ while the ball crosses the zone, none while the scene stands still.
#include "MainWindowFixture.h"

#include "app/StationLayout.h"
#include "app/StationMagnifiers.h"
#include "app/StationMotion.h"
#include "app/Magnifier.h"
#include "capture/CameraHealth.h"
#include "capture/CameraView.h"
#include "capture/VideoCapture.h"
#include "platform/MediaPipeline.h"
#include "core/CaptionChoices.h"
#include "core/PictureCaption.h"
#include "core/PictureNames.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QPushButton>

using TestSupport::WaitFor;

class StationMotionTest : public CameraStationFixture {
protected:
    CaptionChoices choices;
    std::unique_ptr<PictureCaptions> captions;
    std::unique_ptr<StationMotion> motion;
    int ticks = 0;

    // The station's motion link, counting motionTimer's ticks.
    struct Ticking : MotionLink {
        StationMotionTest& test;
        explicit Ticking(StationMotionTest& test) : test(test) {}
        MotionLink& real() { return *test.motion; }
        void SaveMotionPicture(const QImage& p, int c) override { real().SaveMotionPicture(p, c); }
        QString FormatLastImageCaption(int c) const override { return test.motion->FormatLastImageCaption(c); }
        qint32 PictureCountTotal() const override { return test.motion->PictureCountTotal(); }
        void PlayAlarmSound() override { real().PlayAlarmSound(); }
        void ResetPictureCounts() override { real().ResetPictureCounts(); }
        void SetPictureNamePart(const QString& part) override { real().SetPictureNamePart(part); }
        void MotionTick() override {
            ++test.ticks;
            real().MotionTick();
        }
        void ResetMotionDetector() override { real().ResetMotionDetector(); }
        void CheckMotionZone(int c) override { real().CheckMotionZone(c); }
    } ticking{*this};

    void TearDown() override {
        if (mainWindow)
            mainWindow->motionTimer.SetEnabled(false);
        if (captions)
            UnbindCameraPictures(*captions);
        CameraStationFixture::TearDown();
        layout.reset();
        motion.reset();
        captions.reset();
    }

    std::unique_ptr<StationLayout> layout;

    // With the layout, the camera pictures show as the user sees them. With two cameras both
    // run; `beforeShow` may tune the window's parts.
    void StartWatching(const QString& pattern, bool laidOut = false, int cameras = 1,
                       const std::function<void()>& beforeShow = {}) {
        QList<platform::TestCameraSpec> specs;
        for (int i = 1; i <= cameras; ++i) {
            platform::TestCameraSpec camera;
            camera.Name = QStringLiteral("TORVEK Test Camera %1").arg(i);
            camera.Pattern = pattern;
            camera.Sizes = {QSize(320, 240)};
            specs << camera;
        }
        platform::InstallTestCameras(specs);
        ClearDeviceLists();
        WriteSettings([](SettingsRecord& r) {
            r.Zone1Left = r.Zone2Left = 60;
            r.Zone1Top = r.Zone2Top = 40;
            r.Zone1Size = r.Zone2Size = 160;
            r.Sensitivity1 = r.Sensitivity2 = 150;
            r.SampleRateMs = 200;
            r.SoundAlarm = false;
        });
        captions = std::make_unique<PictureCaptions>(store->Record(), choices);
        Create();
        BindCameraPictures(*mainWindow, *captions);
        if (laidOut) {
            layout = std::make_unique<StationLayout>(*mainWindow, [](QWidget&, bool) {});
            links.layout = layout.get();
            layout->RestoreFullView();
        }
        motion = std::make_unique<StationMotion>(*store, *captions, choices);
        links.motion = &ticking;
        motion->BindMainWindow(*mainWindow);
        if (beforeShow)
            beforeShow();
        mainWindow->show();
        ASSERT_TRUE(WaitFor([this] { return !flags.StartupGuard; }));
        mainWindow->soundAlarmBox->setChecked(false);
        mainWindow->cam1List->setCurrentIndex(0);
        mainWindow->camera1Button->click();
        if (cameras == 2) {
            mainWindow->cam2List->setCurrentIndex(1);
            mainWindow->camera2Button->click();
            ASSERT_TRUE(mainWindow->CameraPreviews(2));
        }
        ASSERT_TRUE(mainWindow->CameraPreviews(1));
        ASSERT_TRUE(FramesArrive(1));
        if (!mainWindow->motionTimer.Enabled())
            mainWindow->surveillanceButton->click();
        ASSERT_TRUE(mainWindow->motionTimer.Enabled());
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
    EXPECT_TRUE(mainWindow->motionTimer.Enabled());
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    // While the set-up panel shows, its motion count shows the detector's text.
    mainWindow->setupPanel->show();
    EXPECT_TRUE(WaitFor([this] { return mainWindow->motionCount1Label->text().startsWith("MO "); }, kWait))
        << mainWindow->motionCount1Label->text().toStdString();
    EXPECT_EQ(mainWindow->motionCount2Label->text(), "MO 00000"); // set at activation
}

TEST_F(StationMotionTest, AComputerNameHoldingASlashStillGivesPicturesInTheCameraFolder) {
    computerName = [] { return QStringLiteral("../pics/\x01") + QChar(0) + "cam"; };
    StartWatching(QStringLiteral("ball"));
    ASSERT_TRUE(WaitFor([this] { return Pictures().size() >= 2; }, kWait)) << "ticks " << ticks;
    for (const QString& picture : Pictures()) {
        EXPECT_TRUE(QRegularExpression("^\\d{6}picsca\\.jpg$").match(picture).hasMatch()) << picture.toStdString();
        EXPECT_TRUE(QFileInfo::exists(folder.file("cam1/" + NoteFileNameFor(picture))));
    }
    // Nothing went anywhere else.
    QStringList elsewhere;
    for (QDirIterator it(folder.path(), {"*.jpg", "*.txt"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        if (QFileInfo(path).absolutePath() != QFileInfo(folder.file("cam1")).absoluteFilePath())
            elsewhere << path;
    }
    EXPECT_TRUE(elsewhere.isEmpty()) << elsewhere.join(' ').toStdString();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
}

TEST_F(StationMotionTest, AMotionPictureLeavesTheBareNumberInTheCamerasBox) {
    StartWatching(QStringLiteral("ball"), true);
    ASSERT_EQ(mainWindow->FullToolbarLayout, 1);
    ASSERT_TRUE(WaitFor([this] { return !Pictures().isEmpty(); }, kWait)) << "ticks " << ticks;
    EXPECT_TRUE(QRegularExpression("^\\d{6}$").match(mainWindow->cameraBox->title()).hasMatch())
        << mainWindow->cameraBox->title().toStdString();
}

TEST_F(StationMotionTest, AHiddenWindowDrawsNothingWhileMotionPicturesAreStillSaved) {
    StartWatching(QStringLiteral("ball"), true);
    Magnifier& shown = *mainWindow->magnifier1;
    ASSERT_TRUE(WaitFor([&] { return shown.Paints() >= 3; }, kWait));
    // The live picture carries its caption as an overlay, not painted into the frame.
    EXPECT_FALSE(shown.CaptionOverlay().IsEmpty());
    EXPECT_EQ(shown.CaptionedPicture().size(), shown.Picture().size());

    mainWindow->hide(); // as the tray hides it
    QCoreApplication::processEvents();
    const quint64 paints = shown.Paints();
    platform::MediaCapturePipeline& pipeline = *mainWindow->Cap(1)->cap->Pipeline();
    const quint64 rendered = pipeline.FramesRendered(), copied = pipeline.FramesCopied();
    const int saved = Pictures().size();
    ASSERT_TRUE(WaitFor([&] { return Pictures().size() >= saved + 2; }, kWait)) << "ticks " << ticks;
    EXPECT_EQ(shown.Paints(), paints);
    // Nobody watching, only a few of the frames are converted and copied.
    const quint64 newRendered = pipeline.FramesRendered() - rendered;
    const quint64 newCopied = pipeline.FramesCopied() - copied;
    EXPECT_GE(newRendered, 10u);
    EXPECT_LT(newCopied * 2, newRendered) << newCopied << " of " << newRendered;
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
}

TEST_F(StationMotionTest, StillSceneSavesNothing) {
    StartWatching(QStringLiteral("smpte"));
    ASSERT_TRUE(WaitFor([this] { return ticks >= 15; }, kWait));
    EXPECT_TRUE(Pictures().isEmpty()) << Pictures().join(",").toStdString();
    EXPECT_TRUE(mainWindow->motionTimer.Enabled());
}

TEST_F(StationMotionTest, AnUnpluggedCameraIsShownLostAndComesBackWhileTheOtherGoesOn) {
    CameraHealth* health = nullptr;
    StartWatching(QStringLiteral("ball"), false, 2, [&] {
        health = mainWindow->findChild<CameraHealth*>(QStringLiteral("CameraHealth"));
        ASSERT_NE(health, nullptr);
        health->FirstDelayMs = 200;
        health->MaxDelayMs = 400;
    });
    ASSERT_NE(health, nullptr);
    const auto pictures = [this](int cam) {
        return QDir(folder.file(QStringLiteral("cam%1").arg(cam))).entryList({"*.jpg"}, QDir::Files).size();
    };
    ASSERT_TRUE(WaitFor([&] { return pictures(1) > 0 && pictures(2) > 0; }, kWait));
    messages.clear();

    platform::SetTestCameraPlugged(0, false);
    ASSERT_TRUE(WaitFor([&] { return mainWindow->camera1Button->text() == CameraHealth::kLostText; }, kWait));
    EXPECT_FALSE(mainWindow->CameraPreviews(1));
    ASSERT_TRUE(WaitFor([&] { return messages.size() == 1; }, kWait));
    EXPECT_TRUE(messages.first().startsWith("The camera 1 (TORVEK Test Camera 1) is lost")) << messages.first().toStdString();
    // Surveillance goes on with camera 2, and attempts on camera 1 fail quietly meanwhile.
    const int before2 = pictures(2);
    ASSERT_TRUE(WaitFor([&] { return pictures(2) > before2 + 2 && health->Attempts(1) >= 2; }, kWait));
    EXPECT_TRUE(mainWindow->motionTimer.Enabled());
    EXPECT_EQ(messages.size(), 1);

    // Plugged in again: it comes back by itself, and surveillance covers it again.
    platform::SetTestCameraPlugged(0, true);
    ASSERT_TRUE(WaitFor([&] { return mainWindow->camera1Button->text() == MainWindow::kOnText; }, kWait));
    EXPECT_TRUE(mainWindow->CameraPreviews(1) && mainWindow->hotZone1Box->isChecked());
    ASSERT_TRUE(WaitFor([&] { return messages.size() == 2; }, kWait));
    EXPECT_EQ(messages.last(), CameraHealth::BackText("1 (TORVEK Test Camera 1)"));
    const int before1 = pictures(1);
    EXPECT_TRUE(WaitFor([&] { return pictures(1) > before1; }, kWait));
}
