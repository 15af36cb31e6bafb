// The layout on the real main window: fake cameras (MainWindowFixture) and, at the end, a test
// camera. The window's full-screen state is recorded rather than asked of the platform.
#include "MainWindowFixture.h"

#include "app/Magnifier.h"
#include "app/StationLayout.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QWindow>

using TestSupport::ReadAll;
using TestSupport::WaitFor;

class LayoutFixture : public MainWindowFixture {
protected:
    QList<bool> fullScreenStates;
    std::unique_ptr<StationLayout> layout;
    RecordingPictureLog pictureLog{events};

    void SetUp() override {
        MainWindowFixture::SetUp();
        links.pictureLog = &pictureLog;
    }

    void TearDown() override {
        MainWindowFixture::TearDown();
        layout.reset();
    }

    void CreateLaidOut() {
        Create();
        layout = std::make_unique<StationLayout>(*mainWindow, [this](QWidget&, bool full) { fullScreenStates << full; });
        links.layout = layout.get();
    }

    void StartLaidOut() {
        CreateLaidOut();
        mainWindow->show();
        ASSERT_TRUE(WaitFor([this] { return !flags.StartupGuard; }));
        QCoreApplication::processEvents();
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(mainWindow->windowHandle(), Qt::Key(key), modifiers);
    }

    bool ToolbarShown() const { return !mainWindow->mainToolbar->isHidden(); }
};

TEST_F(LayoutFixture, FullViewRelayoutAndArrangeTimer) {
    CreateLaidOut();
    camera1.previewing = true;
    mainWindow->mainToolbar->show();
    mainWindow->mainToolbar->move(0, 631);
    layout->RestoreFullView();
    EXPECT_EQ(fullScreenStates.value(fullScreenStates.size() - 1), true);
    EXPECT_EQ(mainWindow->cameraAreaBox->height(), 631); // the tool bar's top

    // The relayout timer runs once and puts the tool bar at the bottom, the cameras above it.
    mainWindow->mainToolbar->show();
    mainWindow->relayoutTimer.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return !mainWindow->relayoutTimer.Enabled(); }));
    EXPECT_EQ(mainWindow->mainToolbar->geometry().bottom(), 767);
    EXPECT_LT(mainWindow->cameraAreaBox->geometry().bottom(), mainWindow->mainToolbar->y());
    EXPECT_EQ(mainWindow->camera1Panel->size(), mainWindow->cameraAreaBox->size());

    camera2.previewing = true;
    mainWindow->arrangeTimer.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return !mainWindow->arrangeTimer.Enabled(); }, 3000));
    EXPECT_FALSE(mainWindow->camera2Panel->isHidden());
}

TEST_F(LayoutFixture, KeysWithCamerasRunningInTheirOrder) {
    StartLaidOut();
    fakes.pictureTotal = 5 + 7;
    camera1.previewing = true;
    ASSERT_TRUE(ToolbarShown());
    Press(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_FALSE(ToolbarShown());
    Press(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_TRUE(layout->IsCompactView());
    // The compact window is low: minus goes back to the full view.
    Press(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_FALSE(layout->IsCompactView());

    Press(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_TRUE(ToolbarShown());

    // Any key brings a hidden tool bar back, unless the focus keeper has the focus.
    mainWindow->mainToolbar->hide();
    mainWindow->focusEdit->setFocus();
    Press(Qt::Key_A);
    EXPECT_FALSE(ToolbarShown());
    Press(Qt::Key_Escape); // Esc then only restores the full view and the tool bar
    EXPECT_TRUE(ToolbarShown());
    mainWindow->mainToolbar->hide();
    mainWindow->setFocus();
    Press(Qt::Key_A);
    EXPECT_TRUE(ToolbarShown());

    Press(Qt::Key_Escape);
    EXPECT_FALSE(ToolbarShown());

    // The set-up panel goes with Esc.
    mainWindow->setupPanel->show();
    Press(Qt::Key_Escape);
    EXPECT_TRUE(mainWindow->setupPanel->isHidden());
    EXPECT_FALSE(ToolbarShown());

    // Cycling shown: a key stops it and reconnects camera 1.
    mainWindow->cycleLabel->show();
    mainWindow->cycleTimer.SetEnabled(true);
    mainWindow->DriverIndex1 = 0;
    events.clear();
    Press(Qt::Key_Escape);
    EXPECT_TRUE(mainWindow->cycleLabel->isHidden());
    EXPECT_FALSE(mainWindow->cycleTimer.Enabled());
    EXPECT_TRUE(ToolbarShown());
    EXPECT_TRUE(events.contains("cam1 Connect 1 0")) << events.join("; ").toStdString();
    EXPECT_EQ(terminated, 0);
}

TEST_F(LayoutFixture, WithoutACameraTheViewCommandsRefuseAndEscEndsWithoutSaving) {
    StartLaidOut();
    const QRect before = mainWindow->geometry();
    layout->MakeSmallActionClick();
    layout->HideToolbarActionClick();
    EXPECT_EQ(messages, (QStringList{StationLayout::kViewingVideoText, StationLayout::kHideToolbarText}));
    EXPECT_EQ(mainWindow->geometry(), before);
    EXPECT_TRUE(ToolbarShown());
    EXPECT_FALSE(layout->SmallViewActive);
    layout->Camera1SetupButtonClick();
    EXPECT_EQ(messages.last(), MainWindow::kStartCameraText);

    Press(Qt::Key_Minus, Qt::KeypadModifier);
    Press(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(mainWindow->geometry(), before);
    EXPECT_TRUE(ToolbarShown());

    // Changed in the window but never saved: Esc leaves the file as it was.
    mainWindow->soundAlarmBox->setChecked(!mainWindow->soundAlarmBox->isChecked());
    TestSupport::WriteAll(folder.file("buffer.kmx"), "x");
    const QByteArray settings = ReadAll(folder.file("X290607.dat"));
    ASSERT_EQ(settings.size(), 5408);
    fakes.ftpConnected = true;
    events.clear();
    Press(Qt::Key_Escape);
    EXPECT_EQ(terminated, 1);
    EXPECT_EQ(events, (QStringList{"FtpDisconnect", "Terminate"}));
    EXPECT_EQ(ReadAll(folder.file("X290607.dat")), settings);
    EXPECT_TRUE(QFileInfo::exists(folder.file("buffer.kmx")));
    EXPECT_TRUE(mainWindow->IsShuttingDown());
    mainWindow.reset();
    EXPECT_EQ(screenSaver.last(), true); // the window's end still ran
    EXPECT_EQ(ReadAll(folder.file("X290607.dat")), settings);
}

// The real window with a test camera: the panel shows the camera's picture area.
TEST_F(CameraStationFixture, LayoutPlacesARunningCameraPanel) {
    InstallCameras(1);
    Create();
    StationLayout stationLayout(*mainWindow, [](QWidget&, bool) {});
    links.layout = &stationLayout;
    // Whatever ends the test, the window goes before its layout.
    struct WindowFirst {
        std::unique_ptr<MainWindow>& mainWindow;
        ~WindowFirst() { mainWindow.reset(); }
    } windowFirst{mainWindow};
    mainWindow->show();
    ASSERT_TRUE(WaitFor([this] { return !flags.StartupGuard; }));
    mainWindow->camera1Button->click();
    ASSERT_TRUE(WaitFor([&] { return mainWindow->CameraPreviews(1); }, kWait));
    ASSERT_TRUE(FramesArrive(1));
    stationLayout.RestoreFullView();
    EXPECT_FALSE(mainWindow->camera1Panel->isHidden());
    EXPECT_EQ(mainWindow->camera1Panel->size(), mainWindow->cameraAreaBox->size());
    EXPECT_EQ(mainWindow->cameraAreaBox->height(), mainWindow->mainToolbar->y());

    // The screen-saver view hides the tool bar.
    stationLayout.ScreenSaverActionClick();
    EXPECT_TRUE(mainWindow->mainToolbar->isHidden());
}
