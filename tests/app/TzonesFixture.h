#pragma once
// A main window on a temporary program folder with recording hooks and a fake machine.
#include "app/PlaceholderWindows.h"
#include "app/StationEnvironment.h"
#include "app/StationHooks.h"
#include "app/Tzones.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "core/StartupFlags.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

class TzonesFixture : public ::testing::Test {
protected:
    TestSupport::TempProgramFolder folder;
    QStringList events;
    QStringList messages;
    QList<int> pauses;
    int terminated = 0;
    QList<bool> screenSaver;
    int devices = 0;

    StartupFlags flags;
    StationHooks hooks;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<QDialog> fontSettings; // stands in for the caption window
    QCheckBox* transperent = nullptr;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<Tzones> zones;

    void SetUp() override {
        SetMessageBoxHandler([this](const QString& text) { messages << text; });
        store = MakeStore();
        hooks.FillCameraLists = [this] {
            for (QComboBox* list : {zones->cam1List, zones->cam2List}) {
                list->clear();
                for (int i = 0; i < devices; ++i)
                    list->addItem(QStringLiteral("camera %1").arg(i));
            }
        };
        Record(hooks.LoadFtpSettings, "LoadFtpSettings");
        hooks.FtpConnect = [this] { events << QStringLiteral("FtpConnect unattended=%1").arg(flags.FtpUnattended); };
        Record(hooks.FtpDisconnect, "FtpDisconnect");
        Record(hooks.StartCamera1, "StartCamera1");
        Record(hooks.StartCamera2, "StartCamera2");
        hooks.StartStopSurveillance = [this] {
            events << "StartStopSurveillance";
            return true;
        };
        Record(hooks.MinimizeToTray, "MinimizeToTray");
        Record(hooks.AddTrayIcon, "AddTrayIcon");
        Record(hooks.RemoveTrayIcon, "RemoveTrayIcon");
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
        return std::make_unique<SettingsStore>(platform::ProgramFolder(folder.path()),
                                               folder.path() + "torvek", QString());
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

    StationEnvironment FakeEnvironment() {
        StationEnvironment env;
        env.ScreenSize = [] { return QSize(1024, 768); };
        env.Pause = [this](int ms) { pauses << ms; events << QStringLiteral("Pause %1").arg(ms); };
        env.Terminate = [this] { ++terminated; events << "Terminate"; };
        env.EnableScreenSaver = [this](bool on) { screenSaver << on; };
        env.StartOwnExecutable = [this](QString*) { events << "StartOwnExecutable"; return true; };
        env.InstallerHandOffFile = folder.file("handoff/Setup.Dat");
        env.OwnExecutable = folder.file("torvek");
        return env;
    }

    void Create() {
        fontSettings = std::make_unique<QDialog>();
        transperent = new QCheckBox(fontSettings.get());
        transperent->setObjectName("transperent");
        form1 = std::make_unique<TForm1>();
        form2 = std::make_unique<TForm2>();
        zones = std::make_unique<Tzones>(*store, flags, hooks, FakeEnvironment(), fontSettings.get(),
                                         form1.get(), form2.get());
    }

    // Creates the window, shows it and waits for the end of its first activation.
    void Start() {
        Create();
        zones->show();
        ASSERT_TRUE(TestSupport::WaitFor([this] { return !flags.StartupGuard; }));
    }
};
