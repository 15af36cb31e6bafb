#pragma once
// The main window on a temporary program folder with a fake machine and recording hooks;
// CameraStationFixture adds real camera views on test-pattern cameras, CommandsFixture two
// fake camera views for the camera commands.
#include "app/CameraSwitchingBinding.h"
#include "app/CommandCamera.h"
#include "app/ControlColours.h"
#include "app/PlaceholderWindows.h"
#include "app/StationEnvironment.h"
#include "app/StationHooks.h"
#include "app/Tzones.h"
#include "capture/CaptureDevices.h"
#include "capture/CaptureFlags.h"
#include "capture/TtorCap.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "core/StartupFlags.h"
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

class TzonesFixture : public ::testing::Test {
protected:
    TestSupport::TempProgramFolder folder;
    QStringList events, messages;
    QList<int> pauses;
    QList<bool> screenSaver;
    int terminated = 0, devices = 0;
    bool restartSucceeds = true;

    StartupFlags flags;
    StationHooks hooks;
    std::unique_ptr<SettingsStore> store = MakeStore();
    std::unique_ptr<QDialog> fontSettings; // stands in for the caption window
    QCheckBox* transperent = nullptr;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<Tzones> zones;

    void SetUp() override {
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
        hooks.FillCameraLists = [this] {
            for (QComboBox* list : {zones->cam1List, zones->cam2List}) {
                list->clear();
                for (int i = 0; i < devices; ++i)
                    list->addItem(QStringLiteral("camera %1").arg(i));
            }
        };
        for (auto& [hook, name] : std::initializer_list<std::pair<StationHooks::Action*, const char*>>{
                 {&hooks.LoadFtpSettings, "LoadFtpSettings"}, {&hooks.FtpDisconnect, "FtpDisconnect"},
                 {&hooks.StartCamera1, "StartCamera1"}, {&hooks.StartCamera2, "StartCamera2"},
                 {&hooks.MinimizeToTray, "MinimizeToTray"}, {&hooks.AddTrayIcon, "AddTrayIcon"},
                 {&hooks.RemoveTrayIcon, "RemoveTrayIcon"}})
            Record(*hook, name);
        hooks.FtpConnect = [this] { events << QStringLiteral("FtpConnect unattended=%1").arg(flags.FtpUnattended); };
        hooks.StartStopSurveillance = [this] {
            events << "StartStopSurveillance";
            return true;
        };
        hooks.SwitchCameraOff = [this](int camera) { events << QStringLiteral("SwitchCameraOff %1").arg(camera); };
    }

    void TearDown() override {
        zones.reset();
        SetMessageBoxHandler({});
    }

    void Record(StationHooks::Action& hook, const char* name) {
        hook = [this, name] { events << QString::fromLatin1(name); };
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

    // The record as the file holds it now.
    SettingsRecord FileRecord() {
        auto reader = MakeStore();
        reader->LoadSettings();
        return reader->Record();
    }

    void Create() {
        fontSettings = std::make_unique<QDialog>();
        transperent = new QCheckBox(fontSettings.get());
        transperent->setObjectName("transperent");
        form1 = std::make_unique<TForm1>();
        form2 = std::make_unique<TForm2>();
        StationEnvironment env;
        env.ScreenSize = [] { return QSize(1024, 768); };
        env.Pause = [this](int ms) { pauses << ms; events << QStringLiteral("Pause %1").arg(ms); };
        env.Now = [] { return QDateTime(QDate(2026, 12, 6), QTime(7, 5, 9)); };
        env.Terminate = [this] { ++terminated; events << "Terminate"; };
        env.EnableScreenSaver = [this](bool on) { screenSaver << on; };
        env.StartOwnExecutable = [this](QString* error) {
            events << "StartOwnExecutable";
            *error = "no such file";
            return restartSucceeds;
        };
        env.InstallerHandOffFile = folder.file("handoff/Setup.Dat");
        env.OwnExecutable = folder.file("torvek");
        zones = std::make_unique<Tzones>(*store, flags, hooks, env, fontSettings.get(), form1.get(), form2.get());
    }

    // Creates the window (camera switching bound when asked), shows it and waits for the end
    // of its first activation.
    void Start(bool bindCameras = false) {
        Create();
        if (bindCameras)
            BindCameraSwitching(*zones, hooks);
        zones->show();
        ASSERT_TRUE(TestSupport::WaitFor([this] { return !flags.StartupGuard; }));
    }
};

class CameraStationFixture : public TzonesFixture {
protected:
    static constexpr int kWait = 20000;
    QList<int> grabbed{0, 0, 0}; // frames the main window heard, per camera

    void SetUp() override {
        TzonesFixture::SetUp();
        CaptureErrorFlag = 0;
        CameraQueriesSuspended = 0;
        hooks.CreateVideoCap = CameraViewFactory(platform::ProgramFolder(folder.path()));
        hooks.FrameGrabbed = [this](int camera, const QImage& frame) { grabbed[camera] += !frame.isNull(); };
        Record(hooks.ArrangeCameraPanels, "ArrangeCameraPanels");
        Record(hooks.MarkFtpCommandTime, "MarkFtpCommandTime");
    }

    void TearDown() override {
        TzonesFixture::TearDown();
        platform::RemoveTestCameras();
        ClearDeviceLists();
        CameraQueriesSuspended = 0;
    }

    void InstallCameras(int count) {
        platform::InstallTestCameras(platform::DefaultTestCameras(count));
        ClearDeviceLists();
    }

    void StartStation() { Start(true); }

    bool FramesArrive(int camera, int more = 3) {
        const int target = grabbed[camera] + more;
        return TestSupport::WaitFor([&] { return grabbed[camera] >= target; }, kWait);
    }

    // The camera button's caption and font colour: "ON" in red, "OFF" in black.
    bool ButtonIsOn(int camera) const { return ButtonIs(camera, Tzones::kOnText, ControlColours::kRed); }
    bool ButtonIsOff(int camera) const { return ButtonIs(camera, Tzones::kOffText, ControlColours::kBlack); }
    bool ButtonIs(int camera, const QString& text, const QColor& colour) const {
        const QPushButton* button = camera == 2 ? zones->Panel3 : zones->Panel2;
        return button->text() == text && FontColour(button) == colour;
    }
};

class FakeCamera : public CommandCamera {
public:
    FakeCamera(int number, QStringList& events) : number_(number), events_(events) {}
    bool previewing = false, capturing = false, startSucceeds = true;
    QString recordFileName;

    bool IsPreviewing() const override { return previewing; }
    bool IsCapturing() const override { return capturing; }
    bool ConnectCamera(bool connect, int index) override {
        events_ << QStringLiteral("cam%1 Connect %2 %3").arg(number_).arg(connect).arg(index);
        return previewing = connect;
    }
    void SetRecordFileName(const QString& name) override { recordFileName = name; }
    bool StartRecording() override { return capturing = previewing && startSucceeds; }
    bool StopRecording() override { capturing = false; return true; }
    QImage ImageBitmap() override { return QImage(16 * number_, 12, QImage::Format_RGB888); }

private:
    int number_;
    QStringList& events_;
};

class CommandsFixture : public TzonesFixture {
protected:
    FakeCamera camera1{1, events}, camera2{2, events};

    void SetUp() override {
        TzonesFixture::SetUp();
        hooks.CommandCameraView = [this](int n) -> CommandCamera* { return n == 1 ? &camera1 : &camera2; };
        hooks.SaveMotionPicture = [this](const QImage& picture, int camera) {
            events << QStringLiteral("Save %1 %2").arg(camera).arg(picture.width());
        };
        hooks.SetTransferBusy = [this](bool busy) { events << QStringLiteral("Busy %1").arg(busy); };
        hooks.ShowZoneWindowModal = [this](int camera) { events << QStringLiteral("ZoneWindow %1").arg(camera); };
        hooks.OpenSetupScreen = [this](int index, int camera) {
            const char* frames = zones->VideoCap1 || zones->VideoCap2 ? "kept" : "freed";
            events << QStringLiteral("SetupScreen %1 %2 frames %3").arg(index).arg(camera).arg(frames);
        };
        Record(hooks.StoreCameraChoice, "StoreCameraChoice");
        Record(hooks.PlayAlarmSound, "PlayAlarmSound");
        Create();
    }
};
