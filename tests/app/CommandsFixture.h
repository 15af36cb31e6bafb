#pragma once
// A main window with two fake camera views, recording what the camera commands do.
#include "TzonesFixture.h"

#include "app/CommandCamera.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class FakeCamera : public CommandCamera {
public:
    FakeCamera(int number, QStringList& events) : number_(number), events_(events) {}

    bool previewing = false;
    bool capturing = false;
    bool startSucceeds = true;
    QString recordFileName;
    QImage frame{32, 24, QImage::Format_RGB888};

    bool IsPreviewing() const override { return previewing; }
    bool IsCapturing() const override { return capturing; }
    bool ConnectCamera(bool connect, int deviceIndex) override {
        Log(QStringLiteral("Connect %1 %2").arg(connect).arg(deviceIndex));
        previewing = connect;
        if (!connect)
            capturing = false;
        return connect;
    }
    void SetRecordFileName(const QString& name) override { recordFileName = name; }
    bool StartRecording() override {
        Log("StartRecording " + recordFileName);
        if (!previewing || !startSucceeds)
            return false;
        capturing = true;
        previewing = false; // as the capture control reports while it records
        return true;
    }
    bool StopRecording() override {
        if (capturing) {
            Log("StopRecording");
            capturing = false;
            previewing = true;
        }
        return true;
    }
    QImage ImageBitmap() override { return frame; }

private:
    void Log(const QString& text) { events_ << QStringLiteral("cam%1 ").arg(number_) + text; }
    int number_;
    QStringList& events_;
};

class CommandsFixture : public TzonesFixture {
protected:
    FakeCamera camera1{1, events};
    FakeCamera camera2{2, events};
    bool restartSucceeds = true;
    QDateTime now{QDate(2026, 12, 6), QTime(7, 5, 9)};

    void SetUp() override {
        TzonesFixture::SetUp();
        hooks.CommandCameraView = [this](int camera) -> CommandCamera* {
            return camera == 1 ? &camera1 : camera == 2 ? &camera2 : nullptr;
        };
        Record(hooks.StoreCameraChoice, "StoreCameraChoice");
        Record(hooks.ArrangeCameraPanels, "ArrangeCameraPanels");
        Record(hooks.RestoreFullView, "RestoreFullView");
        Record(hooks.PlayAlarmSound, "PlayAlarmSound");
        hooks.SaveMotionPicture = [this](const QImage& picture, int camera) {
            events << QStringLiteral("SaveMotionPicture %1 %2x%3").arg(camera).arg(picture.width()).arg(picture.height());
        };
        hooks.SetTransferBusy = [this](bool busy) { events << QStringLiteral("TransferBusy %1").arg(busy); };
        hooks.TickZoneTarget = [this](int camera) { events << QStringLiteral("TickZoneTarget %1").arg(camera); };
        hooks.ShowZoneWindowModal = [this](int camera) { events << QStringLiteral("ZoneWindow %1").arg(camera); };
        hooks.SwitchCameraOff = [this](int camera) { events << QStringLiteral("SwitchCameraOff %1").arg(camera); };
        hooks.SuspendCameraQueries = [this](bool on) { events << QStringLiteral("SuspendCameraQueries %1").arg(on); };
        hooks.OpenSetupScreen = [this](int index, int camera) {
            events << QStringLiteral("OpenSetupScreen %1 %2").arg(index).arg(camera);
        };
        hooks.ShowHelp = [this](int topic) { events << QStringLiteral("ShowHelp %1").arg(topic); };
    }

    // The fixture's window, with a fixed clock and a restart that may fail.
    void CreateWindow() {
        fontSettings = std::make_unique<QDialog>();
        transperent = new QCheckBox(fontSettings.get());
        transperent->setObjectName("transperent");
        form1 = std::make_unique<TForm1>();
        form2 = std::make_unique<TForm2>();
        StationEnvironment env = FakeEnvironment();
        env.Now = [this] { return now; };
        env.StartOwnExecutable = [this](QString* error) {
            events << "StartOwnExecutable";
            if (!restartSucceeds && error)
                *error = "no such file";
            return restartSucceeds;
        };
        zones = std::make_unique<Tzones>(*store, flags, hooks, env, fontSettings.get(), form1.get(), form2.get());
    }

    void FillLists(int count) {
        devices = count;
        hooks.FillCameraLists();
    }
};
