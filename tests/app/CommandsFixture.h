#pragma once
// A main window with two fake camera views, recording what the camera commands do.
#include "TzonesFixture.h"

#include "app/CommandCamera.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

class FakeCamera : public CommandCamera {
public:
    FakeCamera(int number, QStringList& events) : number_(number), events_(events) {}
    bool previewing = false, capturing = false, startSucceeds = true;
    QString recordFileName;

    bool IsPreviewing() const override { return previewing; }
    bool IsCapturing() const override { return capturing; }
    bool ConnectCamera(bool connect, int index) override {
        events_ << QStringLiteral("cam%1 Connect %2 %3").arg(number_).arg(connect).arg(index);
        previewing = connect;
        return connect;
    }
    void SetRecordFileName(const QString& name) override { recordFileName = name; }
    bool StartRecording() override {
        events_ << QStringLiteral("cam%1 StartRecording").arg(number_);
        capturing = previewing && startSucceeds;
        return capturing;
    }
    bool StopRecording() override {
        capturing = false;
        return true;
    }
    QImage ImageBitmap() override { return QImage(16 * number_, 12, QImage::Format_RGB888); }

private:
    int number_;
    QStringList& events_;
};

class CommandsFixture : public TzonesFixture {
protected:
    FakeCamera camera1{1, events}, camera2{2, events};
    bool restartSucceeds = true;

    void SetUp() override {
        TzonesFixture::SetUp();
        hooks.CommandCameraView = [this](int n) -> CommandCamera* { return n == 1 ? &camera1 : &camera2; };
        hooks.SaveMotionPicture = [this](const QImage& picture, int camera) {
            events << QStringLiteral("Save %1 %2").arg(camera).arg(picture.width());
        };
        hooks.SetTransferBusy = [this](bool busy) { events << QStringLiteral("Busy %1").arg(busy); };
        hooks.ShowZoneWindowModal = [this](int camera) { events << QStringLiteral("ZoneWindow %1").arg(camera); };
        hooks.OpenSetupScreen = [this](int index, int camera) {
            events << QStringLiteral("SetupScreen %1 %2 frames %3").arg(index).arg(camera)
                          .arg(zones->VideoCap1 || zones->VideoCap2 ? "kept" : "freed");
        };
        Record(hooks.StoreCameraChoice, "StoreCameraChoice");
        Record(hooks.PlayAlarmSound, "PlayAlarmSound");
    }

    // The fixture's window with a fixed clock and a restart that may fail.
    void CreateWindow() {
        fontSettings = std::make_unique<QDialog>();
        form1 = std::make_unique<TForm1>();
        form2 = std::make_unique<TForm2>();
        StationEnvironment env = FakeEnvironment();
        env.Now = [] { return QDateTime(QDate(2026, 12, 6), QTime(7, 5, 9)); };
        env.StartOwnExecutable = [this](QString*) {
            events << "StartOwnExecutable";
            return restartSucceeds;
        };
        zones = std::make_unique<Tzones>(*store, flags, hooks, env, fontSettings.get(), form1.get(), form2.get());
    }
};
