// The station's windows where a user can find them: owned windows stay above their shown
// main window, messages above the window they concern, the set-up panel above the camera
// area after a return to the main window, and the tool bar's texts readable.
#include "MainWindowFixture.h"
#include "tests/app/RealMessageBox.h"

#include "app/NetworkPanel.h"
#include "app/StationLayout.h"
#include "platform/OwnedWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QApplication>
#include <QTest>
#include <QWindow>

namespace {

int Brightness(const QColor& colour) { return qGray(colour.rgb()); }

} // namespace

TEST(WindowsStayFound, OwnedWindowsStayAboveTheShownMainWindowAndMessagesAboveTheActiveOne) {
    QWidget main(nullptr, Qt::Window | Qt::FramelessWindowHint);
    QWidget owned(nullptr, Qt::Window | Qt::FramelessWindowHint);
    platform::KeepAboveOwner(&owned, &main);
    EXPECT_EQ(owned.windowType(), Qt::Dialog); // X11 names an owner for transient types only
    EXPECT_TRUE(owned.windowFlags().testFlag(Qt::FramelessWindowHint));
    main.show();
    owned.show();
    ASSERT_TRUE(owned.windowHandle());
    EXPECT_EQ(owned.windowHandle()->transientParent(), main.windowHandle());

    // With the main window in the tray the window stands on its own.
    owned.hide();
    main.hide();
    owned.show();
    EXPECT_EQ(owned.windowHandle()->transientParent(), nullptr);

    // A message while the owned window is active belongs to it; the box keeps no owner after.
    RealMessageBox realBox;
    owned.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owned));
    QWidget* boxOwner = nullptr;
    WhenTheBoxShows([&](MessageWindow* box) {
        boxOwner = box->parentWidget();
        EXPECT_FALSE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    });
    ShowMessageBox("No FTP Server");
    EXPECT_EQ(boxOwner, &owned);
    EXPECT_EQ(MessageWindow::Instance()->parentWidget(), nullptr);
}

class MainWindowFound : public MainWindowFixture {
protected:
    std::unique_ptr<StationLayout> layout;
    void TearDown() override {
        MainWindowFixture::TearDown();
        layout.reset();
    }
    void StartLaidOut() {
        Create();
        layout = std::make_unique<StationLayout>(*mainWindow, [](QWidget&, bool) {});
        links.layout = layout.get();
        mainWindow->show();
        ASSERT_TRUE(TestSupport::WaitFor([this] { return !flags.StartupGuard; }));
        ASSERT_TRUE(TestSupport::WaitFor([this] { return !mainWindow->relayoutTimer.Enabled(); }));
    }
};

TEST_F(MainWindowFound, SetupPanelStaysAboveTheCameraAreaAfterTheActivationThatFollowsAMessage) {
    StartLaidOut();
    // As "Setup" opens it.
    layout->PlaceStatusPanel();
    mainWindow->setupPanel->show();
    mainWindow->networkPanel->ShowNetworkPanel();
    // The return from a message box: the activation re-lays the window out by its timer.
    mainWindow->FormActivate();
    ASSERT_TRUE(mainWindow->relayoutTimer.Enabled());
    ASSERT_TRUE(TestSupport::WaitFor([this] { return !mainWindow->relayoutTimer.Enabled(); }));
    for (QWidget* panel : {static_cast<QWidget*>(mainWindow->setupPanel), static_cast<QWidget*>(mainWindow->networkPanel)}) {
        SCOPED_TRACE(panel->objectName().toStdString());
        ASSERT_TRUE(panel->isVisible());
        QWidget* top = mainWindow->childAt(panel->geometry().center());
        EXPECT_TRUE(top == panel || panel->isAncestorOf(top)) << (top ? top->objectName().toStdString() : "none");
    }
}

TEST_F(MainWindowFound, ToolbarTextsFitAndStandOutFromTheirBackground) {
    StartLaidOut();
    ASSERT_TRUE(mainWindow->mainToolbar->isVisible());
    for (QWidget* control : mainWindow->mainToolbar->findChildren<QWidget*>()) {
        if (!control->isVisible())
            continue;
        SCOPED_TRACE(control->objectName().toStdString());
        if (auto* label = qobject_cast<QLabel*>(control)) {
            const QPalette p = label->palette();
            EXPECT_GT(qAbs(Brightness(p.color(QPalette::WindowText)) - Brightness(p.color(QPalette::Window))), 90);
            EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->contentsRect().width())
                << label->text().toStdString();
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            const QPalette p = button->palette();
            EXPECT_GT(qAbs(Brightness(p.color(QPalette::ButtonText)) - Brightness(p.color(QPalette::Button))), 90)
                << button->text().toStdString();
        }
    }
}

class CameraListsReadable : public CameraStationFixture {
protected:
    std::unique_ptr<StationLayout> layout;
    void TearDown() override {
        CameraStationFixture::TearDown();
        layout.reset();
    }
};

// A camera list's text in the colour of its camera's state (and greyed while the lock holds)
// stands out from the list's background.
TEST_F(CameraListsReadable, ACameraListsTextStandsOutWhetherItsCameraIsOnOrOff) {
    InstallCameras(2);
    Create();
    layout = std::make_unique<StationLayout>(*mainWindow, [](QWidget&, bool) {});
    links.layout = layout.get();
    mainWindow->show();
    ASSERT_TRUE(TestSupport::WaitFor([this] { return !flags.StartupGuard; }));
    mainWindow->cam2List->setCurrentIndex(1);
    const auto readable = [](QComboBox* list, const char* when) {
        SCOPED_TRACE(list->objectName().toStdString() + " " + when);
        EXPECT_FALSE(list->lineEdit()->text().isEmpty());
        const QPalette p = list->lineEdit()->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Disabled})
            EXPECT_GT(qAbs(Brightness(p.color(group, QPalette::Text)) - Brightness(p.color(group, QPalette::Base))), 90)
                << group;
    };
    const struct {
        QComboBox* list;
        QPushButton* button;
    } cameras[] = {{mainWindow->cam1List, mainWindow->camera1Button}, {mainWindow->cam2List, mainWindow->camera2Button}};
    for (const auto& camera : cameras) {
        readable(camera.list, "before its camera ran");
        camera.button->click();
        ASSERT_TRUE(mainWindow->CameraPreviews(camera.list == mainWindow->cam1List ? 1 : 2));
        readable(camera.list, "camera on");
        camera.button->click();
        ASSERT_FALSE(mainWindow->CameraPreviews(camera.list == mainWindow->cam1List ? 1 : 2));
        readable(camera.list, "camera switched off");
    }
}
