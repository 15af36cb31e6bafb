// The access lock on the real main window with test cameras: when it can be set, what it
// closes, and every way to stop surveillance, switch a camera, end the station, open the
// picture log, reach a window that holds settings, change a camera's device or open the
// installer while it is set.
#include "MainWindowFixture.h"

#include "app/NetworkPanel.h"
#include "app/StationLayout.h"
#include "app/StationTray.h"
#include "app/InstallerWindow.h"
#include "app/PasswordPrompt.h"
#include "platform/InstallerSystem.h"
#include "platform/TrayIcon.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

using TestSupport::WaitFor;

namespace {

class QuietTrayIcon : public platform::TrayIcon {
public:
    bool IsAvailable() const override { return true; }
    void Show() override {}
    void Hide() override {}
    bool IsShown() const override { return false; }
};

// Counts the times the picture log opens; hears the frames like the station's log.
struct CountingLog : QuietPictureLog {
    explicit CountingLog(QList<int>& grabbed) : grabbed(grabbed) {}
    QList<int>& grabbed;
    int opens = 0;
    void RunModal() override { ++opens; }
    void FrameGrabbed(int camera, const QImage& frame) override { grabbed[camera] += !frame.isNull(); }
};

} // namespace

class StationLockFixture : public CameraStationFixture {
protected:
    static constexpr const char* kPassword = "abc";
    CountingLog log{grabbed};
    QuietTrayIcon icon;
    platform::ShellInstallerSystem installerSystem{std::function<QStringList()>{}};
    std::unique_ptr<PasswordPrompt> prompt;
    std::unique_ptr<StationAccessLock> lock;
    std::unique_ptr<StationLayout> layout;
    std::unique_ptr<StationTray> tray;
    std::unique_ptr<InstallerWindow> installer;
    QString entry = kPassword;
    int prompts = 0;

    void SetUp() override {
        CameraStationFixture::SetUp();
        links.pictureLog = &log;
        prompt = std::make_unique<PasswordPrompt>(*store);
        prompt->SetModalRunner([this](PasswordPrompt& p) {
            ++prompts;
            EXPECT_TRUE(p.isVisible());
            p.passwordEdit->setText(entry);
            p.okButton->click();
        });
        lock = std::make_unique<StationAccessLock>(*prompt, [this] { return mainWindow->lockBox->isChecked(); });
        links.accessLock = lock.get();
    }

    void TearDown() override {
        mainWindow.reset();
        installer.reset();
        tray.reset();
        layout.reset();
        CameraStationFixture::TearDown();
        lock.reset();
        prompt.reset();
    }

    // The station as it is put together, with camera 1 on and surveillance running (two
    // test cameras: camera 2 on the second device, off).
    void StartWatching() {
        InstallCameras(2);
        Create();
        layout = std::make_unique<StationLayout>(*mainWindow);
        links.layout = layout.get();
        tray = std::make_unique<StationTray>(*mainWindow, icon);
        links.tray = tray.get();
        installer = std::make_unique<InstallerWindow>(installerSystem, folder.path(), folder.file("torvek"),
                                                   [this] { mainWindow->ShutDown(); });
        installer->endAllowed = [this] { return lock->AccessAllowed(); };
        links.installer = installer.get();
        mainWindow->show();
        ASSERT_TRUE(WaitFor([this] { return !flags.StartupGuard; }));
        store->Record().LockPassword = kPassword;
        mainWindow->cam2List->setCurrentIndex(1);
        mainWindow->showOnMotionBox->setChecked(false);
        mainWindow->logBox->setChecked(false);
        mainWindow->camera1Button->click();
        ASSERT_TRUE(mainWindow->CameraPreviews(1));
        mainWindow->surveillanceButton->click();
        ASSERT_TRUE(mainWindow->motionTimer.Enabled());
        ASSERT_EQ(prompts, 0);
    }

    void Lock() {
        entry = kPassword;
        mainWindow->lockBox->setChecked(true);
        ASSERT_TRUE(mainWindow->lockBox->isChecked());
        prompts = 0;
        messages.clear();
    }

    bool Ended() const { return mainWindow->IsShuttingDown() && terminated == 1; }
    // Whether every option control is enabled (true) or every one disabled (false).
    bool OptionControls(bool enabled) const {
        for (QWidget* w : std::initializer_list<QWidget*>{mainWindow->lockBox, mainWindow->hotZone1Box, mainWindow->hotZone2Box, mainWindow->showOnMotionBox,
                                                         mainWindow->logBox, mainWindow->aim1Button, mainWindow->aim2Button,
                                                         mainWindow->viewsSetupButton, mainWindow->setupButton, mainWindow->cam1List,
                                                         mainWindow->cam2List})
            if (w->isEnabled() != enabled)
                return false;
        return true;
    }
    QAction* MenuItem(const char* name) const {
        for (QMenu* menu : {mainWindow->windowMenu, mainWindow->trayMenu})
            if (auto* action = menu->findChild<QAction*>(QString::fromLatin1(name)))
                return action;
        ADD_FAILURE() << "no menu item " << name;
        return nullptr;
    }
};

TEST_F(StationLockFixture, LockNeedsSurveillanceRunning) {
    InstallCameras(1);
    StartStation();
    store->Record().LockPassword = kPassword;
    mainWindow->showOnMotionBox->setChecked(false);
    mainWindow->logBox->setChecked(false);
    // No camera, then a camera without surveillance: refused with the message, no prompt.
    for (bool cameraOn : {false, true}) {
        SCOPED_TRACE(cameraOn ? "camera on" : "no camera");
        if (cameraOn) {
            mainWindow->camera1Button->click();
            ASSERT_TRUE(mainWindow->CameraPreviews(1));
        }
        messages.clear();
        mainWindow->lockBox->setChecked(true);
        EXPECT_FALSE(mainWindow->lockBox->isChecked());
        EXPECT_EQ(messages, QStringList{"Start logging to use password Locking."});
        EXPECT_EQ(prompts, 0);
        EXPECT_TRUE(OptionControls(true));
    }
    // The motion event ticks the box while it holds the timer off: that is surveillance
    // running, so the password is asked as for the user's tick.
    ASSERT_FALSE(mainWindow->motionTimer.Enabled());
    messages.clear();
    entry = "wrong";
    mainWindow->TickLockBoxForMotion();
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(messages, QStringList{"Invalid Password"});
    EXPECT_FALSE(mainWindow->lockBox->isChecked());
}

TEST_F(StationLockFixture, LockClosesTheSetupPanelAndDisablesItsWays) {
    StartWatching();
    mainWindow->setupButton->click();
    ASSERT_TRUE(mainWindow->setupPanel->isVisible());
    // A wrong password unticks the box and leaves everything open.
    entry = "abd";
    mainWindow->lockBox->setChecked(true);
    EXPECT_FALSE(mainWindow->lockBox->isChecked());
    EXPECT_EQ(messages, QStringList{"Invalid Password"});
    EXPECT_TRUE(OptionControls(true) && mainWindow->setupPanel->isVisible());
    const QImage aimUnlocked = mainWindow->aim1Button->grab().toImage();
    Lock();
    EXPECT_FALSE(mainWindow->setupPanel->isVisible());
    EXPECT_TRUE(OptionControls(false));
    // A disabled button looks so.
    EXPECT_NE(mainWindow->aim1Button->grab().toImage(), aimUnlocked);
    // The disabled buttons open nothing.
    QTest::mouseClick(mainWindow->setupButton, Qt::LeftButton);
    EXPECT_FALSE(mainWindow->setupPanel->isVisible());
    // Surveillance off with the password opens the lock and the controls.
    mainWindow->surveillanceButton->click();
    EXPECT_EQ(prompts, 1);
    EXPECT_FALSE(mainWindow->lockBox->isChecked() || mainWindow->motionTimer.Enabled());
    EXPECT_TRUE(OptionControls(true));
}

// Motion is still watched while the password to stop it is asked: a prompt left open by
// an intruder does not pause surveillance.
TEST_F(StationLockFixture, SurveillanceGoesOnWhileItsPasswordIsAsked) {
    StartWatching();
    Lock();
    QList<bool> watchedWhenAsked;
    prompt->SetModalRunner([this, &watchedWhenAsked](PasswordPrompt& p) {
        ++prompts;
        watchedWhenAsked << mainWindow->motionTimer.Enabled();
        p.passwordEdit->setText(entry);
        p.okButton->click();
    });
    for (const char* given : {"wrong", kPassword}) {
        entry = given;
        mainWindow->surveillanceButton->click();
    }
    EXPECT_EQ(watchedWhenAsked, (QList<bool>{true, true}));
    EXPECT_FALSE(mainWindow->motionTimer.Enabled() || mainWindow->lockBox->isChecked());
}

class StationLockRoute;

// One way into a guarded command, and what it does when let through.
struct LockRoute {
    const char* name;
    std::function<void(StationLockRoute&)> prepare; // after locking, with the password
    std::function<void(StationLockRoute&)> run;
    std::function<bool(StationLockRoute&)> done;
    bool shut = false; // locked, shut (disabled) rather than asking
};

void PrintTo(const LockRoute& route, std::ostream* os) { *os << route.name; }

class StationLockRoute : public StationLockFixture,
                         public ::testing::WithParamInterface<std::tuple<LockRoute, bool>> {
public:
    // Reached from the route table, which cannot see the fixture's protected members.
    MainWindow& Window() { return *mainWindow; }
    StationTray& Tray() { return *tray; }
    InstallerWindow& Installer() { return *installer; }
    int LogOpens() const { return log.opens; }
    bool HasEnded() const { return Ended(); }
    QAction* Item(const char* name) const { return MenuItem(name); }
    void Press(Qt::Key key) { QTest::keyClick(mainWindow->windowHandle(), key); }
    // A menu item as the user picks it: its menu opens (and sets its items), then the click.
    void Pick(const char* name) {
        for (QMenu* menu : {mainWindow->windowMenu, mainWindow->trayMenu})
            if (auto* item = menu->findChild<QAction*>(QString::fromLatin1(name))) {
                emit menu->aboutToShow();
                item->trigger();
            }
    }
    bool Heard(const char* what) const { return !events.filter(QLatin1String(what)).isEmpty(); }
};

namespace {

using F = StationLockRoute;
const auto nothing = [](F&) {};
const auto ended = [](F& f) { return f.HasEnded(); };
const auto logOpened = [](F& f) { return f.LogOpens() == 1; };
const auto heard = [](const char* what) { return [what](F& f) { return f.Heard(what); }; };
const auto pick = [](const char* item) { return [item](F& f) { f.Pick(item); }; };
const auto click = [](QPushButton* MainWindow::*button) { return [button](F& f) { (f.Window().*button)->click(); }; };
// The next device by the keyboard, as a user picks it (a disabled list takes no keys).
const auto chooseDevice = [](QComboBox* MainWindow::*list) {
    return [list](F& f) {
        QComboBox* box = f.Window().*list;
        QTest::keyClick(box, box->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up);
    };
};
const auto deviceRow = [](QComboBox* MainWindow::*list, int row) {
    return [list, row](F& f) { return (f.Window().*list)->currentIndex() == row; };
};
const auto camera2On = [](F& f) {
    f.Window().camera2Button->click();
    TestSupport::WaitFor([&f] { return f.Window().CameraPreviews(2); });
};

const LockRoute kRoutes[] = {
    {"SurveillanceOff", nothing, [](F& f) { f.Window().surveillanceButton->click(); },
     [](F& f) { return !f.Window().motionTimer.Enabled() && !f.Window().lockBox->isChecked(); }},
    {"Camera1Off", nothing, [](F& f) { f.Window().camera1Button->click(); },
     [](F& f) { return !f.Window().CameraPreviews(1) && !f.Window().motionTimer.Enabled(); }},
    {"Camera2On", nothing, [](F& f) { f.Window().camera2Button->click(); },
     [](F& f) { return f.Window().CameraPreviews(2) && f.Window().motionTimer.Enabled(); }},
    {"ExitMenu", nothing, [](F& f) { f.Item("exitAction")->trigger(); }, ended},
    {"ToolbarClose", nothing, [](F& f) { f.Window().closeButton->click(); }, ended},
    {"TrayClose", nothing, [](F& f) { f.Item("closeAction")->trigger(); }, ended},
    {"WindowClose", nothing, [](F& f) { f.Window().close(); }, ended},
    {"InstallerExit", nothing, [](F& f) { f.Installer().exitButton->click(); }, ended},
    // Esc ends the station only while no camera runs: camera 1 goes off first.
    {"EscWithoutCamera", [](F& f) { f.Window().camera1Button->click(); }, [](F& f) { f.Press(Qt::Key_Escape); }, ended},
    {"Log1Button", nothing, [](F& f) { f.Window().log1Button->click(); }, logOpened},
    {"Log2Button", nothing, [](F& f) { f.Window().log2Button->click(); }, logOpened},
    {"F1", nothing, [](F& f) { f.Press(Qt::Key_F1); }, logOpened},
    {"F2", nothing, [](F& f) { f.Press(Qt::Key_F2); }, logOpened},
    {"WindowMenuShowLogged", nothing, [](F& f) { f.Item("windowLogged1Action")->trigger(); }, logOpened},
    {"TrayShowLogged", nothing, [](F& f) { f.Item("trayLogged2Action")->trigger(); }, logOpened},
    // The windows that hold settings: their buttons and items are shut while locked.
    {"TrayAim1", nothing, pick("aim1Action"), heard("ZoneWindow 1"), true},
    {"TrayAim2", camera2On, pick("aim2Action"), heard("ZoneWindow 2"), true},
    {"ToolbarFtp", nothing, click(&MainWindow::ftpButton), heard("ShowFtpWindow"), true},
    {"ViewsBoxFtp", nothing, click(&MainWindow::viewsFtpButton), heard("ShowFtpWindow"), true},
    {"SetupFtp", nothing, click(&MainWindow::setupFtpButton), heard("ShowFtpWindow"), true},
    {"TrayFtp", nothing, pick("ftpAction"), heard("ShowFtpWindow"), true},
    {"WindowMenuNet", nothing, pick("netAction"), heard("ShowFtpWindow"), true},
    {"WindowMenuServer", nothing, pick("showServerAction"), [](F& f) { return f.Window().networkPanel->isVisible(); }, true},
    {"ToolbarCaptions", nothing, click(&MainWindow::captionsButton), heard("captionsButton"), true},
    {"WindowMenuCaptions", nothing, pick("captionsAction"), heard("captionsButton"), true},
    {"TimeLapse", nothing, click(&MainWindow::timeLapseButton), heard("timeLapseButton"), true},
    // The installer can start a second station or remove this one.
    {"WindowMenuInstall", nothing, pick("installAction"), [](F& f) { return f.Installer().isVisible(); }},
    // A camera's device: the user's pick in either list (camera 1 on device 0, camera 2 on 1).
    {"Camera1List", nothing, chooseDevice(&MainWindow::cam1List), deviceRow(&MainWindow::cam1List, 1), true},
    {"Camera2List", nothing, chooseDevice(&MainWindow::cam2List), deviceRow(&MainWindow::cam2List, 0), true},
};

std::string RouteName(const ::testing::TestParamInfo<std::tuple<LockRoute, bool>>& info) {
    return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "_Locked" : "_Unlocked");
}

} // namespace

// Locked, a wrong password leaves the station as it was and the right one lets the command
// through (a shut way opens only with the lock); unlocked, nothing asks.
TEST_P(StationLockRoute, AsksOnlyWhileLocked) {
    const auto& [route, locked] = GetParam();
    StartWatching();
    // The captions and time-lapse windows are other parts': their buttons' clicks stand in.
    for (QPushButton* button : {mainWindow->captionsButton, mainWindow->timeLapseButton})
        QObject::connect(button, &QPushButton::clicked, [this, button] { events << button->objectName(); });
    if (locked)
        Lock();
    route.prepare(*this);
    prompts = 0;
    messages.clear();
    const bool cameraRan = mainWindow->CameraPreviews(1), camera2Ran = mainWindow->CameraPreviews(2),
               watched = mainWindow->motionTimer.Enabled();
    if (locked) {
        entry = "wrong";
        route.run(*this);
        if (route.shut) {
            // Nothing asks; a wrong password for the lock leaves it shut.
            QCoreApplication::processEvents();
            EXPECT_EQ(prompts, 0);
            mainWindow->surveillanceButton->click();
            route.run(*this);
        }
        ASSERT_TRUE(WaitFor([this] { return prompts > 0; }, 5000));
        QCoreApplication::processEvents();
        EXPECT_EQ(prompts, 1);
        EXPECT_EQ(messages, QStringList{"Invalid Password"});
        EXPECT_FALSE(mainWindow->IsShuttingDown() || terminated > 0);
        EXPECT_TRUE(mainWindow->isVisible() && mainWindow->lockBox->isChecked());
        EXPECT_EQ(mainWindow->CameraPreviews(1), cameraRan);
        EXPECT_EQ(mainWindow->CameraPreviews(2), camera2Ran);
        EXPECT_EQ(mainWindow->motionTimer.Enabled(), watched);
        EXPECT_FALSE(route.done(*this));
        EXPECT_EQ(log.opens, 0);
        EXPECT_TRUE(OptionControls(false));
        if (cameraRan) {
            EXPECT_TRUE(FramesArrive(1)) << "camera 1 stopped";
        }
        entry = kPassword;
        if (route.shut)
            mainWindow->surveillanceButton->click(); // surveillance off opens the lock
    }
    route.run(*this);
    EXPECT_TRUE(WaitFor([&] { return route.done(*this); }, 5000));
    // Asked once for the command (a camera's own surveillance step does not ask again).
    EXPECT_EQ(prompts, locked ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(Lock, StationLockRoute, ::testing::Combine(::testing::ValuesIn(kRoutes), ::testing::Bool()),
                         RouteName);
