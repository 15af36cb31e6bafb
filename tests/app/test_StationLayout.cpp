// The layout on the real main window: fake cameras (TzonesFixture) and, at the end, a test
// camera. The window's full-screen state is recorded rather than asked of the platform.
#include "TzonesFixture.h"

#include "app/Tmagna.h"
#include "app/StationLayout.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QWindow>

using TestSupport::ReadAll;
using TestSupport::WaitFor;

class LayoutFixture : public TzonesFixture {
protected:
    QList<bool> fullScreenStates;
    std::unique_ptr<StationLayout> layout;
    RecordingPictureLog pictureLog{events};

    void SetUp() override {
        TzonesFixture::SetUp();
        links.pictureLog = &pictureLog;
    }

    void TearDown() override {
        TzonesFixture::TearDown();
        layout.reset();
    }

    void CreateLaidOut() {
        Create();
        layout = std::make_unique<StationLayout>(*zones, [this](QWidget&, bool full) { fullScreenStates << full; });
        links.layout = layout.get();
    }

    void StartLaidOut() {
        CreateLaidOut();
        zones->show();
        ASSERT_TRUE(WaitFor([this] { return !flags.StartupGuard; }));
        QCoreApplication::processEvents();
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(zones->windowHandle(), Qt::Key(key), modifiers);
    }

    bool ToolbarShown() const { return !zones->maintoolbar->isHidden(); }
};

TEST_F(LayoutFixture, FullViewRelayoutAndTimer3) {
    CreateLaidOut();
    camera1.previewing = true;
    zones->maintoolbar->show();
    zones->maintoolbar->move(0, 631);
    layout->RestoreFullView();
    EXPECT_EQ(fullScreenStates.value(fullScreenStates.size() - 1), true);
    EXPECT_EQ(zones->GroupBox1->height(), 631); // the tool bar's top

    // The relayout timer runs once and puts the tool bar at the bottom, the cameras above it.
    zones->maintoolbar->show();
    zones->restlye.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return !zones->restlye.Enabled(); }));
    EXPECT_EQ(zones->maintoolbar->geometry().bottom(), 767);
    EXPECT_LT(zones->GroupBox1->geometry().bottom(), zones->maintoolbar->y());
    EXPECT_EQ(zones->cam1panel->size(), zones->GroupBox1->size());

    camera2.previewing = true;
    zones->Timer3.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return !zones->Timer3.Enabled(); }, 3000));
    EXPECT_FALSE(zones->Cam2Panel->isHidden());
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
    zones->maintoolbar->hide();
    zones->focusEdit->setFocus();
    Press(Qt::Key_A);
    EXPECT_FALSE(ToolbarShown());
    Press(Qt::Key_Escape); // Esc then only restores the full view and the tool bar
    EXPECT_TRUE(ToolbarShown());
    zones->maintoolbar->hide();
    zones->setFocus();
    Press(Qt::Key_A);
    EXPECT_TRUE(ToolbarShown());

    Press(Qt::Key_Escape);
    EXPECT_FALSE(ToolbarShown());

    // The set-up panel goes with Esc.
    zones->Panel1->show();
    Press(Qt::Key_Escape);
    EXPECT_TRUE(zones->Panel1->isHidden());
    EXPECT_FALSE(ToolbarShown());

    // Cycling shown: a key stops it and reconnects camera 1.
    zones->cycleIMAGE->show();
    zones->Timer4.SetEnabled(true);
    zones->DriverIndex1 = 0;
    events.clear();
    Press(Qt::Key_Escape);
    EXPECT_TRUE(zones->cycleIMAGE->isHidden());
    EXPECT_FALSE(zones->Timer4.Enabled());
    EXPECT_TRUE(ToolbarShown());
    EXPECT_TRUE(events.contains("cam1 Connect 1 0")) << events.join("; ").toStdString();
    EXPECT_EQ(terminated, 0);
}

TEST_F(LayoutFixture, WithoutACameraTheViewCommandsRefuseAndEscEndsWithoutSaving) {
    StartLaidOut();
    const QRect before = zones->geometry();
    layout->MakeSmall1Click();
    layout->HideToolBar1Click();
    EXPECT_EQ(messages, (QStringList{StationLayout::kViewingVideoText, StationLayout::kHideToolbarText}));
    EXPECT_EQ(zones->geometry(), before);
    EXPECT_TRUE(ToolbarShown());
    EXPECT_FALSE(layout->SmallViewActive);
    layout->Button5Click();
    EXPECT_EQ(messages.last(), Tzones::kStartCameraText);

    Press(Qt::Key_Minus, Qt::KeypadModifier);
    Press(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(zones->geometry(), before);
    EXPECT_TRUE(ToolbarShown());

    // Changed in the window but never saved: Esc leaves the file as it was.
    zones->alarm->setChecked(!zones->alarm->isChecked());
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
    EXPECT_TRUE(zones->IsShuttingDown());
    zones.reset();
    EXPECT_EQ(screenSaver.last(), true); // the window's end still ran
    EXPECT_EQ(ReadAll(folder.file("X290607.dat")), settings);
}

// The real window with a test camera: the panel shows the camera's picture area.
TEST_F(CameraStationFixture, LayoutPlacesARunningCameraPanel) {
    InstallCameras(1);
    Create();
    StationLayout stationLayout(*zones, [](QWidget&, bool) {});
    links.layout = &stationLayout;
    // Whatever ends the test, the window goes before its layout.
    struct WindowFirst {
        std::unique_ptr<Tzones>& zones;
        ~WindowFirst() { zones.reset(); }
    } windowFirst{zones};
    zones->show();
    ASSERT_TRUE(WaitFor([this] { return !flags.StartupGuard; }));
    zones->Panel2->click();
    ASSERT_TRUE(WaitFor([&] { return zones->CameraPreviews(1); }, kWait));
    ASSERT_TRUE(FramesArrive(1));
    stationLayout.RestoreFullView();
    EXPECT_FALSE(zones->cam1panel->isHidden());
    EXPECT_EQ(zones->cam1panel->size(), zones->GroupBox1->size());
    EXPECT_EQ(zones->GroupBox1->height(), zones->maintoolbar->y());

    // The screen-saver view hides the tool bar.
    stationLayout.ScreenSaver1Click();
    EXPECT_TRUE(zones->maintoolbar->isHidden());
}
