// The tray icon, the menus and the set-up panel on the real main window, with a fake tray.
#include "MainWindowFixture.h"

#include "app/NetworkPanel.h"
#include "app/StationAlerts.h"
#include "app/StationTray.h"
#include "capture/CaptureModes.h"
#include "capture/VideoCapture.h"
#include "core/PictureStore.h"
#include "platform/TrayIcon.h"
#include "publish/AlertsTab.h"

#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTest>

using TestSupport::WaitFor;

namespace {

class FakeTrayIcon : public platform::TrayIcon {
public:
    bool available = true, shown = false;
    QStringList calls;
    bool IsAvailable() const override { return available; }
    void Show() override {
        shown = true;
        calls << "Show";
    }
    void Hide() override {
        shown = false;
        calls << "Hide";
    }
    bool IsShown() const override { return shown; }
};

// The FTP window as the buttons and menus see it.
struct FakeFtp : FtpLink {
    bool connected = false, visible = false;
    QStringList calls;
    void LoadFtpSettings() override {}
    void FtpConnect() override {}
    bool IsFtpConnected() const override { return connected; }
    void FtpDisconnect() override {}
    void MarkFtpCommandTime() override {}
    void EnableFtpDialUpPause() override {}
    bool FtpWindowVisible() const override { return visible; }
    void ShowFtpWindow(bool byUser) override {
        visible = true;
        calls << QStringLiteral("Show byUser=%1").arg(byUser);
    }
    void HideFtpWindow() override {
        visible = false;
        calls << "Hide";
    }
};

template <typename Base>
class TrayFixture : public Base {
protected:
    FakeTrayIcon icon;
    // The desktop's own tray icon, for the tests that use it instead of the fake.
    std::unique_ptr<platform::SystemTrayIcon> desktopIcon;
    FakeFtp ftp;
    std::unique_ptr<PictureStore> pictures;
    std::unique_ptr<StationAlerts> alerts;
    std::unique_ptr<StationTray> tray;

    void StartTray(const std::function<void(SettingsRecord&)>& edit = {}) {
        if (edit)
            this->WriteSettings(edit);
        this->links.ftp = &ftp;
        pictures = std::make_unique<PictureStore>(*this->store);
        alerts = std::make_unique<StationAlerts>(*this->store, this->links, *pictures, this->flags);
        this->links.alerts = alerts.get();
        this->Create();
        alerts->BindMainWindow(*this->mainWindow);
        tray = desktopIcon ? std::make_unique<StationTray>(*this->mainWindow, *desktopIcon)
                           : std::make_unique<StationTray>(*this->mainWindow, icon);
        tray->placeStatusPanel = [this] { this->events << "PlaceStatusPanel"; };
        tray->refreshDrivers = [this] { this->events << "RefreshDrivers"; };
        this->links.tray = tray.get();
        this->mainWindow->show();
        ASSERT_TRUE(WaitFor([this] { return !this->flags.StartupGuard; }));
        this->mainWindow->clockTimer.SetEnabled(false);
    }

    void TearDown() override {
        this->mainWindow.reset();
        tray.reset();
        alerts.reset();
        pictures.reset();
        Base::TearDown();
    }

    QStringList ShownPages() const {
        QStringList shown;
        MainWindow& z = *this->mainWindow;
        for (QWidget* page : {z.driverListPage, z.autoStartPage, static_cast<QWidget*>(z.alertsPage),
                              z.screenPage, z.advancedPage, z.phoneSettingsPage, static_cast<QWidget*>(z.remoteAccessPage)})
            if (!page->isHidden())
                shown << page->objectName();
        return shown;
    }
};

using StationTrayTest = TrayFixture<MainWindowFixture>;
using StationTrayCameraTest = TrayFixture<CameraStationFixture>;

} // namespace

TEST_F(StationTrayTest, HideGoesToTheTrayAndShowBringsTheWindowBack) {
    StartTray();
    // Until the window has been to the tray, no icon.
    EXPECT_FALSE(icon.shown);
    QTest::mouseClick(mainWindow->hideButton, Qt::LeftButton);
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_TRUE(icon.shown);

    // A click opens the tray menu (its items are the tray rules' matter).
    icon.clicked();
    ASSERT_TRUE(mainWindow->trayMenu->isVisible());
    mainWindow->trayMenu->hide();

    // "Show": the show removes the icon, the activation that follows puts it back.
    icon.calls.clear();
    tray->showWindowAction->trigger();
    EXPECT_TRUE(mainWindow->isVisible());
    ASSERT_TRUE(WaitFor([this] { return icon.calls == QStringList{"Hide", "Show"}; })) << icon.calls.join(",").toStdString();
    EXPECT_FALSE(mainWindow->isMinimized());
}

TEST_F(StationTrayTest, WithoutATrayHideMinimisesAndTheStartUpDoesToo) {
    icon.available = false;
    devices = 1;
    StartTray([](SettingsRecord& r) {
        r.AutoStart1 = true;
        r.PlaceOnTray = true;
    });
    // The start-up sequence puts the window "on the tray" 1 s after the show.
    ASSERT_TRUE(WaitFor([this] { return mainWindow->isMinimized(); }, 5000));
    EXPECT_TRUE(mainWindow->isVisible());
    EXPECT_FALSE(icon.shown);

    mainWindow->setWindowState(Qt::WindowNoState);
    QTest::mouseClick(mainWindow->hideButton, Qt::LeftButton);
    EXPECT_TRUE(mainWindow->isMinimized());
    EXPECT_TRUE(mainWindow->isVisible());
    EXPECT_TRUE(icon.calls.filter("Show").isEmpty());
}

// The offscreen desktop has no tray, as openbox alone has none.
TEST_F(StationTrayTest, OnADesktopWithoutATrayHideMinimisesAndSaysWhyOnce) {
    desktopIcon = std::make_unique<platform::SystemTrayIcon>(StationIcon(), QStringLiteral("TORVEK"));
    ASSERT_FALSE(desktopIcon->IsAvailable());
    StartTray();
    for (int time = 0; time < 2; ++time) {
        mainWindow->setWindowState(Qt::WindowNoState);
        QTest::mouseClick(mainWindow->hideButton, Qt::LeftButton);
        EXPECT_TRUE(mainWindow->isVisible() && mainWindow->isMinimized()) << time;
        EXPECT_FALSE(desktopIcon->IsShown());
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(messages, QStringList{StationTray::kNoTrayText});
}

TEST_F(StationTrayTest, SetupOpensTheStoredTabAndATabChangeShowsItsPage) {
    devices = 2;
    StartTray([](SettingsRecord& r) { r.SetupTabIndex = 1; });
    camera1.previewing = true;
    events.clear();
    QTest::mouseClick(mainWindow->setupButton, Qt::LeftButton);
    EXPECT_TRUE(mainWindow->setupPanel->isVisible());
    EXPECT_EQ(events.filter("PlaceStatusPanel").size(), 1);
    EXPECT_EQ(events.filter("RefreshDrivers").size(), 1);
    EXPECT_EQ(ShownPages(), QStringList{"autoStartPage"});
    // The default cameras follow the camera lists, and so do the locations.
    mainWindow->cam2List->setCurrentIndex(1);
    QTest::mouseClick(mainWindow->setupButton, Qt::LeftButton);
    QTest::mouseClick(mainWindow->setupButton, Qt::LeftButton);
    EXPECT_EQ(mainWindow->DefaultCam1->currentIndex(), mainWindow->cam1List->currentIndex());
    EXPECT_EQ(mainWindow->DefaultCam2->currentIndex(), 1);
    EXPECT_EQ(mainWindow->Location2->text(), "camera 1");

    mainWindow->setupTabs->setCurrentIndex(4);
    EXPECT_EQ(ShownPages(), QStringList{"advancedPage"});
    mainWindow->setupTabs->setCurrentIndex(2);

    // "Setup" again closes the panel without storing.
    QTest::mouseClick(mainWindow->setupButton, Qt::LeftButton);
    EXPECT_FALSE(mainWindow->setupPanel->isVisible());
    EXPECT_EQ(FileRecord().SetupTabIndex, 1);

    camera1.previewing = false;
    camera2.previewing = true;
    QTest::mouseClick(mainWindow->setupButton, Qt::LeftButton);
    EXPECT_EQ(ShownPages(), QStringList{"alertsPage"});
    QTest::mouseClick(mainWindow->setupHideButton, Qt::LeftButton);
    EXPECT_EQ(FileRecord().SetupTabIndex, 2);
}

TEST_F(StationTrayTest, HideEmptiesTheAlertQueueAndStoresTheMailEdits) {
    StartTray();
    pictures->EAlertBuffer() << "1000001host.jpg" << "2000002host.jpg";
    QTest::mouseClick(mainWindow->setupButton, Qt::LeftButton);
    mainWindow->smtpEdit->setText("  mail.example.org  ");
    QTest::mouseClick(mainWindow->setupHideButton, Qt::LeftButton);
    EXPECT_FALSE(mainWindow->setupPanel->isVisible());
    EXPECT_TRUE(pictures->EAlertBuffer().isEmpty());
    auto reader = MakeStore();
    ASSERT_TRUE(reader->LoadAlertSettingsFile());
    EXPECT_EQ(reader->EmailRecord().SmtpHost, "mail.example.org");
}

TEST_F(StationTrayTest, TheChosenDefaultCamerasReachTheCameraListsAndTheFile) {
    devices = 3;
    StartTray();
    QTest::mouseClick(mainWindow->setupButton, Qt::LeftButton);
    mainWindow->DefaultCam1->setCurrentIndex(2);
    mainWindow->DefaultCam2->setCurrentIndex(0);
    QTest::mouseClick(mainWindow->setupHideButton, Qt::LeftButton);
    EXPECT_EQ(QList<int>({mainWindow->cam1List->currentIndex(), mainWindow->cam2List->currentIndex(), mainWindow->DriverIndex1,
                          mainWindow->DriverIndex2}),
              QList<int>({2, 0, 2, 0}));
    const SettingsRecord file = FileRecord();
    EXPECT_EQ(QList<int>({file.DefaultCam1Index, file.DefaultCam2Index}), QList<int>({2, 0}));
}

TEST_F(StationTrayTest, ARestartSavesWhatWasTypedInThePanelFirst) {
    StartTray();
    QTest::mouseClick(mainWindow->setupButton, Qt::LeftButton);
    mainWindow->setupTabs->setCurrentIndex(2);
    mainWindow->smtpEdit->setText(" mail.example.org:2525 ");
    mainWindow->alertEmailEdit->setText("watch@example.org");
    mainWindow->greenChannelBox->setChecked(false);
    restartSucceeds = true;
    EXPECT_TRUE(mainWindow->RestartProgram());
    EXPECT_EQ(events.filter("StartOwnExecutable").size(), 1);

    auto reader = MakeStore();
    ASSERT_TRUE(reader->LoadSettings());
    ASSERT_TRUE(reader->LoadAlertSettingsFile());
    EXPECT_EQ(reader->EmailRecord().SmtpHost, "mail.example.org:2525");
    EXPECT_EQ(reader->Record().AlertEmail, "watch@example.org");
    EXPECT_FALSE(reader->Record().ScanGreen);
    EXPECT_EQ(reader->Record().SetupTabIndex, 2);
}

TEST_F(StationTrayCameraTest, ScreenTabListsTheRunningCamerasModesAndAChoiceIsSetAndStored) {
    InstallCameras(1);
    StartTray([](SettingsRecord& r) { r.AviReady1 = true; });
    QTest::mouseClick(mainWindow->camera1Button, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([this] { return mainWindow->CameraPreviews(1); }, kWait));
    QTest::mouseClick(mainWindow->setupButton, Qt::LeftButton);
    mainWindow->setupTabs->setCurrentIndex(3);
    VideoCapture* cap = mainWindow->Cap(1)->cap;
    const int count = cap->VideoModeCount();
    ASSERT_GT(count, 1);
    ASSERT_EQ(mainWindow->videoMode1Combo->count(), count);
    EXPECT_EQ(mainWindow->videoMode1Combo->currentIndex(), -1); // nothing chosen yet
    EXPECT_EQ(mainWindow->videoMode2Combo->count(), 0);        // camera 2 is off
    VideoMode second;
    cap->GetVideoMode(1, second);

    mainWindow->videoMode1Combo->setCurrentIndex(1);
    emit mainWindow->videoMode1Combo->activated(1);
    EXPECT_FALSE(FileRecord().AviReady1);
    VideoMode current;
    cap->GetCurrentVideoMode(current);
    EXPECT_EQ(DescribeVideoMode(current), DescribeVideoMode(second));
    ASSERT_TRUE(FramesArrive(1));

    QTest::mouseClick(mainWindow->setupHideButton, Qt::LeftButton);
    EXPECT_EQ(FileRecord().VideoMode1, DescribeVideoMode(second));
}
