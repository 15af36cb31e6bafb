// The tray icon, the menus and the set-up panel on the real main window, with a fake tray.
#include "TzonesFixture.h"

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
        alerts->BindMainWindow(*this->zones);
        tray = desktopIcon ? std::make_unique<StationTray>(*this->zones, *desktopIcon)
                           : std::make_unique<StationTray>(*this->zones, icon);
        tray->placeStatusPanel = [this] { this->events << "PlaceStatusPanel"; };
        tray->refreshDrivers = [this] { this->events << "RefreshDrivers"; };
        this->links.tray = tray.get();
        this->zones->show();
        ASSERT_TRUE(WaitFor([this] { return !this->flags.StartupGuard; }));
        this->zones->Timerclock.SetEnabled(false);
    }

    void TearDown() override {
        this->zones.reset();
        tray.reset();
        alerts.reset();
        pictures.reset();
        Base::TearDown();
    }

    QStringList ShownPages() const {
        QStringList shown;
        Tzones& z = *this->zones;
        for (QWidget* page : {z.DriverStatusPanel, z.autostartpanel, static_cast<QWidget*>(z.AlertsPanel),
                              z.ScreenResPanel, z.Advanced, z.phonesettings, static_cast<QWidget*>(z.RemoteAccess)})
            if (!page->isHidden())
                shown << page->objectName();
        return shown;
    }
};

using StationTrayTest = TrayFixture<TzonesFixture>;
using StationTrayCameraTest = TrayFixture<CameraStationFixture>;

} // namespace

TEST_F(StationTrayTest, HideGoesToTheTrayAndShowBringsTheWindowBack) {
    StartTray();
    // Until the window has been to the tray, no icon.
    EXPECT_FALSE(icon.shown);
    QTest::mouseClick(zones->Button29, Qt::LeftButton);
    EXPECT_FALSE(zones->isVisible());
    EXPECT_TRUE(icon.shown);

    // A click opens the tray menu (its items are the tray rules' matter).
    icon.clicked();
    ASSERT_TRUE(zones->PopupMenu2->isVisible());
    zones->PopupMenu2->hide();

    // "Show": the show removes the icon, the activation that follows puts it back.
    icon.calls.clear();
    tray->Show1->trigger();
    EXPECT_TRUE(zones->isVisible());
    ASSERT_TRUE(WaitFor([this] { return icon.calls == QStringList{"Hide", "Show"}; })) << icon.calls.join(",").toStdString();
    EXPECT_FALSE(zones->isMinimized());
}

TEST_F(StationTrayTest, WithoutATrayHideMinimisesAndTheStartUpDoesToo) {
    icon.available = false;
    devices = 1;
    StartTray([](SettingsRecord& r) {
        r.AutoStart1 = true;
        r.PlaceOnTray = true;
    });
    // The start-up sequence puts the window "on the tray" 1 s after the show.
    ASSERT_TRUE(WaitFor([this] { return zones->isMinimized(); }, 5000));
    EXPECT_TRUE(zones->isVisible());
    EXPECT_FALSE(icon.shown);

    zones->setWindowState(Qt::WindowNoState);
    QTest::mouseClick(zones->Button29, Qt::LeftButton);
    EXPECT_TRUE(zones->isMinimized());
    EXPECT_TRUE(zones->isVisible());
    EXPECT_TRUE(icon.calls.filter("Show").isEmpty());
}

// The offscreen desktop has no tray, as openbox alone has none.
TEST_F(StationTrayTest, OnADesktopWithoutATrayHideMinimisesAndSaysWhyOnce) {
    desktopIcon = std::make_unique<platform::SystemTrayIcon>(StationIcon(), QStringLiteral("TORVEK"));
    ASSERT_FALSE(desktopIcon->IsAvailable());
    StartTray();
    for (int time = 0; time < 2; ++time) {
        zones->setWindowState(Qt::WindowNoState);
        QTest::mouseClick(zones->Button29, Qt::LeftButton);
        EXPECT_TRUE(zones->isVisible() && zones->isMinimized()) << time;
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
    QTest::mouseClick(zones->Button24, Qt::LeftButton);
    EXPECT_TRUE(zones->Panel1->isVisible());
    EXPECT_EQ(events.filter("PlaceStatusPanel").size(), 1);
    EXPECT_EQ(events.filter("RefreshDrivers").size(), 1);
    EXPECT_EQ(ShownPages(), QStringList{"autostartpanel"});
    // The default cameras follow the camera lists, and so do the locations.
    zones->cam2List->setCurrentIndex(1);
    QTest::mouseClick(zones->Button24, Qt::LeftButton);
    QTest::mouseClick(zones->Button24, Qt::LeftButton);
    EXPECT_EQ(zones->DefaultCam1->currentIndex(), zones->cam1List->currentIndex());
    EXPECT_EQ(zones->DefaultCam2->currentIndex(), 1);
    EXPECT_EQ(zones->Location2->text(), "camera 1");

    zones->TabControl1->setCurrentIndex(4);
    EXPECT_EQ(ShownPages(), QStringList{"Advanced"});
    zones->TabControl1->setCurrentIndex(2);

    // "Setup" again closes the panel without storing.
    QTest::mouseClick(zones->Button24, Qt::LeftButton);
    EXPECT_FALSE(zones->Panel1->isVisible());
    EXPECT_EQ(FileRecord().SetupTabIndex, 1);

    camera1.previewing = false;
    camera2.previewing = true;
    QTest::mouseClick(zones->Button24, Qt::LeftButton);
    EXPECT_EQ(ShownPages(), QStringList{"AlertsPanel"});
    QTest::mouseClick(zones->Button11, Qt::LeftButton);
    EXPECT_EQ(FileRecord().SetupTabIndex, 2);
}

TEST_F(StationTrayTest, HideEmptiesTheAlertQueueAndStoresTheMailEdits) {
    StartTray();
    pictures->EAlertBuffer() << "1000001host.jpg" << "2000002host.jpg";
    QTest::mouseClick(zones->Button24, Qt::LeftButton);
    zones->smtpEdit->setText("  mail.example.org  ");
    QTest::mouseClick(zones->Button11, Qt::LeftButton);
    EXPECT_FALSE(zones->Panel1->isVisible());
    EXPECT_TRUE(pictures->EAlertBuffer().isEmpty());
    auto reader = MakeStore();
    ASSERT_TRUE(reader->LoadAlertSettingsFile());
    EXPECT_EQ(reader->EmailRecord().SmtpHost, "mail.example.org");
}

TEST_F(StationTrayTest, TheChosenDefaultCamerasReachTheCameraListsAndTheFile) {
    devices = 3;
    StartTray();
    QTest::mouseClick(zones->Button24, Qt::LeftButton);
    zones->DefaultCam1->setCurrentIndex(2);
    zones->DefaultCam2->setCurrentIndex(0);
    QTest::mouseClick(zones->Button11, Qt::LeftButton);
    EXPECT_EQ(QList<int>({zones->cam1List->currentIndex(), zones->cam2List->currentIndex(), zones->DriverIndex1,
                          zones->DriverIndex2}),
              QList<int>({2, 0, 2, 0}));
    const SettingsRecord file = FileRecord();
    EXPECT_EQ(QList<int>({file.DefaultCam1Index, file.DefaultCam2Index}), QList<int>({2, 0}));
}

TEST_F(StationTrayTest, ARestartSavesWhatWasTypedInThePanelFirst) {
    StartTray();
    QTest::mouseClick(zones->Button24, Qt::LeftButton);
    zones->TabControl1->setCurrentIndex(2);
    zones->smtpEdit->setText(" mail.example.org:2525 ");
    zones->AlertEmail->setText("watch@example.org");
    zones->RGBGreen->setChecked(false);
    restartSucceeds = true;
    EXPECT_TRUE(zones->RestartProgram());
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
    QTest::mouseClick(zones->Panel2, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([this] { return zones->CameraPreviews(1); }, kWait));
    QTest::mouseClick(zones->Button24, Qt::LeftButton);
    zones->TabControl1->setCurrentIndex(3);
    TVideoCapture* cap = zones->Cap(1)->cap;
    const int count = cap->VideoModeCount();
    ASSERT_GT(count, 1);
    ASSERT_EQ(zones->Vmodes->count(), count);
    EXPECT_EQ(zones->Vmodes->currentIndex(), -1); // nothing chosen yet
    EXPECT_EQ(zones->VModes2->count(), 0);        // camera 2 is off
    TVideoMode second;
    cap->GetVideoMode(1, second);

    zones->Vmodes->setCurrentIndex(1);
    emit zones->Vmodes->activated(1);
    EXPECT_FALSE(FileRecord().AviReady1);
    TVideoMode current;
    cap->GetCurrentVideoMode(current);
    EXPECT_EQ(DescribeVideoMode(current), DescribeVideoMode(second));
    ASSERT_TRUE(FramesArrive(1));

    QTest::mouseClick(zones->Button11, Qt::LeftButton);
    EXPECT_EQ(FileRecord().VideoMode1, DescribeVideoMode(second));
}
