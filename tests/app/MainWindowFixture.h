#pragma once
// The main window on a temporary program folder with a fake machine and recording links.
// MainWindowFixture gives it two fake camera views; CameraStationFixture real camera views on
// test-pattern cameras; CommandsFixture creates the window at once.
#include "app/CommandCameras.h"
#include "app/ControlColours.h"
#include "app/PlaceholderWindows.h"
#include "app/StationEnvironment.h"
#include "app/StationLinks.h"
#include "app/MainWindow.h"
#include "app/ZoneWindows.h"
#include "capture/CaptureDevices.h"
#include "capture/CaptureFlags.h"
#include "capture/CameraView.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "core/StartupFlags.h"
#include "core/TransferBusy.h"
#include "platform/MediaTestCameras.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

class FakeCamera : public CommandCamera {
public:
    FakeCamera(int number, QStringList& events) : number_(number), events_(events) {}
    bool previewing = false, capturing = false, startSucceeds = true, connects = true;
    QString recordFileName;
    std::function<void(bool connect)> onConnect;

    bool IsPreviewing() const override { return previewing; }
    bool IsCapturing() const override { return capturing; }
    bool ConnectCamera(bool connect, int index) override {
        events_ << QStringLiteral("cam%1 Connect %2 %3").arg(number_).arg(connect).arg(index);
        if (onConnect)
            onConnect(connect);
        return previewing = connect && connects;
    }
    void SetTag(int) override {}
    void SetRecordFileName(const QString& name) override { recordFileName = name; }
    bool StartRecording() override { return capturing = previewing && startSucceeds; }
    bool StopRecording() override { capturing = false; return true; }
    QImage ImageBitmap() override { return QImage(16 * number_, 12, QImage::Format_RGB888); }
    QImage UncaptionedFrame() const override { return QImage(16 * number_, 12, QImage::Format_RGB888); }
    quint64 RunNumber() const override { return 1; }

private:
    int number_;
    QStringList& events_;
};

// A zone window whose modal show is recorded (and may run a nested loop in a test).
template <typename Form>
class RecordingZoneWindow : public Form {
public:
    RecordingZoneWindow(QStringList& events, int camera, SettingsRecord& record)
        : Form(record), events_(events), camera_(camera) {}
    std::function<void()> onShowModal;
    void ShowModal() override {
        events_ << QStringLiteral("ZoneWindow %1 busy=%2").arg(camera_).arg(TransferBusy::IsBusy());
        if (onShowModal)
            onShowModal();
    }

private:
    QStringList& events_;
    int camera_;
};

// Every link the main window calls, recording into the fixture's events.
struct RecordingLinks : TrayLink, FtpLink, AccessLockLink, MotionLink, DriverAliasLink, CameraSetupLink,
                        SaveFileNameAsker, LayoutLink {
    explicit RecordingLinks(QStringList& events, StartupFlags& flags) : events(events), flags(flags) {}
    QStringList& events;
    StartupFlags& flags;
    bool ftpConnected = false, accessAllowed = true;
    qint32 pictureTotal = 0;
    std::function<QString(const QString&)> alias = [](const QString& name) { return name; };
    std::function<void()> onRefreshDriverStatus, onSetupScreen;
    std::function<QString(const QString&, const QString&, const QString&)> saveFileName;
    std::function<bool()> framesFreed = [] { return false; };

    void Say(const QString& text) { events << text; }
    // Tray.
    void ShowSetupTab() override {}
    void FillPhoneSizeList() override {}
    void MinimizeToTray() override { Say("MinimizeToTray"); }
    void AddTrayIcon() override { Say("AddTrayIcon"); }
    void RemoveTrayIcon() override { Say("RemoveTrayIcon"); }
    void UntickDiskStats() override {}
    bool DiskStatsTicked() const override { return false; }
    void StoreSetupPanel() override {}
    // FTP.
    void LoadFtpSettings() override { Say("LoadFtpSettings"); }
    void FtpConnect() override { Say(QStringLiteral("FtpConnect unattended=%1").arg(flags.FtpUnattended)); }
    bool IsFtpConnected() const override { return ftpConnected; }
    void FtpDisconnect() override { Say("FtpDisconnect"); }
    void MarkFtpCommandTime() override { Say("MarkFtpCommandTime"); }
    void EnableFtpDialUpPause() override { Say("EnableFtpDialUpPause"); }
    bool FtpWindowVisible() const override { return false; }
    void ShowFtpWindow(bool byUser) override { Say(QStringLiteral("ShowFtpWindow byUser=%1").arg(byUser)); }
    void HideFtpWindow() override { Say("HideFtpWindow"); }
    // Access lock.
    bool AccessAllowed() override { return accessAllowed; }
    bool ChangeLockPassword() override { return false; }
    // Motion and pictures.
    void SaveMotionPicture(const QImage& picture, int camera) override {
        Say(QStringLiteral("Save %1 %2").arg(camera).arg(picture.width()));
    }
    QString FormatLastImageCaption(int) const override { return QString(); }
    qint32 PictureCountTotal() const override { return pictureTotal; }
    void PlayAlarmSound() override { Say("PlayAlarmSound"); }
    void ResetPictureCounts() override {}
    void SetPictureNamePart(const QString&) override {}
    void MotionTick() override {}
    void ResetMotionDetector() override {}
    void CheckMotionZone(int) override {}
    // Driver aliases.
    void LoadDriverList() override {}
    void RefreshDriverStatus() override {
        if (onRefreshDriverStatus)
            onRefreshDriverStatus();
    }
    QString DriverAlias(const QString& name) const override { return alias(name); }
    // Camera set-up screen.
    void OpenSetupScreen(int deviceIndex, int camera) override {
        Say(QStringLiteral("SetupScreen %1 %2 frames %3").arg(deviceIndex).arg(camera).arg(framesFreed() ? "freed" : "kept"));
        if (onSetupScreen)
            onSetupScreen();
    }
    QString AskSaveFileName(const QString& title, const QString& filter, const QString& name) override {
        return saveFileName ? saveFileName(title, filter, name) : QString();
    }
    // Layout: only the panel arrangement is heard.
    void LayoutToolbar() override {}
    void LayoutMainToolbar() override {}
    void RestoreFullView() override {}
    void ArrangeCameraPanels() override {}
    void PlaceWindowForScreen() override {}
    void Relayout() override {}
    void ArrangeAfterStart() override {}
    int LayoutScreenWidth() const override { return 1024; }
    bool IsCompactView() const override { return false; }
    void ShowLoggedPictures(int) override {}
};

// A picture log that does nothing; tests override what they listen to.
struct QuietPictureLog : PictureLogLink {
    void SetLogFolder(const QString&, int) override {}
    void RefreshImageList() override {}
    bool IsShown() const override { return false; }
    void RunModal() override {}
    void SetOpenedFromMainWindow(bool) override {}
    bool ClosedByKey() const override { return false; }
    void FrameGrabbed(int, const QImage&) override {}
};

// The picture log as the layout drives it.
struct RecordingPictureLog : QuietPictureLog {
    QStringList& events;
    bool shown = false;
    explicit RecordingPictureLog(QStringList& events) : events(events) {}
    void SetLogFolder(const QString& folder, int camera) override {
        events << QStringLiteral("Log folder %1 %2").arg(folder.section('/', -2)).arg(camera);
    }
    void RefreshImageList() override { events << "Log refresh"; }
    bool IsShown() const override { return shown; }
    void RunModal() override { events << "Log modal"; }
    void SetOpenedFromMainWindow(bool opened) override { events << QStringLiteral("Log opened %1").arg(opened); }
};

class FakeCameraViews : public CommandCameras {
public:
    FakeCameraViews(FakeCamera& one, FakeCamera& two) : one_(one), two_(two) {}
    CommandCamera* View(int camera) override { return camera == 1 ? &one_ : camera == 2 ? &two_ : nullptr; }

private:
    FakeCamera& one_;
    FakeCamera& two_;
};

class MainWindowFixture : public ::testing::Test {
protected:
    TestSupport::TempProgramFolder folder;
    QStringList events;
    TestSupport::MessageLog messages;
    QList<int> pauses;
    QList<bool> screenSaver;
    int terminated = 0, devices = 0;
    QByteArray filesAtTerminate; // both settings files as the shutdown left them
    bool restartSucceeds = true;
    std::function<QString()> computerName; // unset: the machine's

    StartupFlags flags;
    StationLinks links;
    RecordingLinks fakes{events, flags};
    FakeCamera camera1{1, events}, camera2{2, events};
    FakeCameraViews fakeViews{camera1, camera2};
    std::unique_ptr<SettingsStore> store = MakeStore();
    std::unique_ptr<RecordingZoneWindow<Camera2ZoneWindow>> camera2ZoneWindow;
    std::unique_ptr<RecordingZoneWindow<Camera1ZoneWindow>> camera1ZoneWindow;
    std::unique_ptr<MainWindow> mainWindow;

    void SetUp() override {
        links.tray = &fakes;
        links.ftp = &fakes;
        links.accessLock = &fakes;
        links.motion = &fakes;
        links.aliases = &fakes;
        links.cameraSetup = &fakes;
        links.saveFileNames = &fakes;
        links.layout = &fakes;
        links.cameraViews = &fakeViews;
        fakes.framesFreed = [this] { return !mainWindow->cameraFrame1 && !mainWindow->cameraFrame2; };
    }

    void TearDown() override {
        mainWindow.reset();
        TransferBusy::Set(false);
    }

    std::unique_ptr<SettingsStore> MakeStore() {
        return std::make_unique<SettingsStore>(platform::ProgramFolder(folder.path()), folder.path() + "torvek",
                                               QString());
    }

    // Writes a settings file holding the defaults changed by edit.
    void WriteSettings(const std::function<void(SettingsRecord&)>& edit) {
        auto writer = MakeStore();
        writer->SetDefaultSettings();
        edit(writer->Record());
        ASSERT_TRUE(writer->WriteSettingsFile());
    }

    QByteArray SettingsFiles() const {
        return TestSupport::ReadAll(folder.file("X290607.dat")) + TestSupport::ReadAll(folder.file("ETR0511.dat"));
    }

    // The record as the file holds it now.
    SettingsRecord FileRecord() {
        auto reader = MakeStore();
        reader->LoadSettings();
        return reader->Record();
    }

    StationEnvironment Environment() {
        StationEnvironment env;
        env.ScreenSize = [] { return QSize(1024, 768); };
        env.Pause = [this](int ms) { pauses << ms; events << QStringLiteral("Pause %1").arg(ms); };
        env.Now = [] { return QDateTime(QDate(2026, 12, 6), QTime(7, 5, 9)); };
        env.Terminate = [this] {
            ++terminated;
            events << "Terminate";
            filesAtTerminate = SettingsFiles();
        };
        env.EnableScreenSaver = [this](bool on) { screenSaver << on; };
        env.StartOwnExecutable = [this](QString* error) {
            events << "StartOwnExecutable";
            *error = "no such file";
            return restartSucceeds;
        };
        env.ComputerName = computerName;
        env.InstallerHandOffFile = folder.file("handoff/Setup.Dat");
        env.OwnExecutable = folder.file("torvek");
        // `devices` fake device names, unless real (test) cameras are in use.
        env.CaptureDeviceNames = [this]() -> QStringList {
            if (!links.cameraViews)
                return VideoSourceNames(true);
            QStringList names;
            for (int i = 0; i < devices; ++i)
                names << QStringLiteral("camera %1").arg(i);
            return names;
        };
        return env;
    }

    void Create() {
        camera2ZoneWindow = std::make_unique<RecordingZoneWindow<Camera2ZoneWindow>>(events, 2, store->Record());
        camera1ZoneWindow = std::make_unique<RecordingZoneWindow<Camera1ZoneWindow>>(events, 1, store->Record());
        links.zoneWindow1 = camera1ZoneWindow.get();
        links.zoneWindow2 = camera2ZoneWindow.get();
        mainWindow = std::make_unique<MainWindow>(*store, flags, links, Environment());
    }

    // Creates the window, shows it and waits for the end of its first activation.
    void Start() {
        Create();
        mainWindow->show();
        ASSERT_TRUE(TestSupport::WaitFor([this] { return !flags.StartupGuard; }));
    }
};

class CameraStationFixture : public MainWindowFixture {
protected:
    static constexpr int kWait = 20000;
    QList<int> grabbed{0, 0, 0}; // frames the station heard, per camera

    // Hears every frame the main window passes on.
    struct FrameCounter : QuietPictureLog {
        QList<int>& grabbed;
        explicit FrameCounter(QList<int>& grabbed) : grabbed(grabbed) {}
        void FrameGrabbed(int camera, const QImage& frame) override { grabbed[camera] += !frame.isNull(); }
    } frames{grabbed};

    void SetUp() override {
        MainWindowFixture::SetUp();
        CaptureErrorFlag = 0;
        CameraQueriesSuspended = 0;
        links.cameraViews = nullptr; // the window's own camera views
        links.pictureLog = &frames;
    }

    void TearDown() override {
        MainWindowFixture::TearDown();
        platform::RemoveTestCameras();
        ClearDeviceLists();
        CameraQueriesSuspended = 0;
    }

    void InstallCameras(int count) {
        platform::InstallTestCameras(platform::DefaultTestCameras(count));
        ClearDeviceLists();
    }

    void StartStation() { Start(); }

    bool FramesArrive(int camera, int more = 3) {
        const int target = grabbed[camera] + more;
        return TestSupport::WaitFor([&] { return grabbed[camera] >= target; }, kWait);
    }

    // The camera button's caption and font colour: "ON" in red, "OFF" in black.
    bool ButtonIsOn(int camera) const { return ButtonIs(camera, MainWindow::kOnText, ControlColours::kRed); }
    bool ButtonIsOff(int camera) const { return ButtonIs(camera, MainWindow::kOffText, ControlColours::kBlack); }
    bool ButtonIs(int camera, const QString& text, const QColor& colour) const {
        const QPushButton* button = camera == 2 ? mainWindow->camera2Button : mainWindow->camera1Button;
        return button->text() == text && FontColour(button) == colour;
    }
};

class CommandsFixture : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        Create();
    }
};
