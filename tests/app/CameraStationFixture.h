#pragma once
// The main window with real camera views on test-pattern cameras, camera switching bound.
#include "TzonesFixture.h"

#include "app/CameraSwitchingBinding.h"
#include "app/ControlColours.h"
#include "capture/CaptureDevices.h"
#include "capture/CaptureFlags.h"
#include "capture/TtorCap.h"
#include "platform/MediaTestCameras.h"

#include <QPushButton>

class CameraStationFixture : public TzonesFixture {
protected:
    static constexpr int kWait = 20000;

    QList<int> grabbed{0, 0, 0}; // frames the main window heard, per camera

    void SetUp() override {
        TzonesFixture::SetUp();
        CaptureErrorFlag = 0;
        CameraQueriesSuspended = 0;
        hooks.CreateVideoCap = CameraViewFactory(platform::ProgramFolder(folder.path()));
        hooks.FrameGrabbed = [this](int camera, const QImage& frame) {
            if (!frame.isNull())
                ++grabbed[camera];
        };
        Record(hooks.ArrangeCameraPanels, "ArrangeCameraPanels");
        Record(hooks.MarkFtpCommandTime, "MarkFtpCommandTime");
        Record(hooks.PhoneLinkConnect, "PhoneLinkConnect");
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

    // Creates, binds, shows and waits for the first activation.
    void StartStation() {
        Create();
        BindCameraSwitching(*zones, hooks);
        zones->show();
        ASSERT_TRUE(TestSupport::WaitFor([this] { return !flags.StartupGuard; }));
    }

    bool FramesArrive(int camera, int more = 3) {
        const int target = grabbed[camera] + more;
        return TestSupport::WaitFor([&] { return grabbed[camera] >= target; }, kWait);
    }

    QPushButton* Button(int camera) const { return camera == 2 ? zones->Panel3 : zones->Panel2; }
    bool ButtonIsOn(int camera) const {
        return Button(camera)->text() == Tzones::kOnText && FontColour(Button(camera)) == ControlColours::kRed;
    }
    bool ButtonIsOff(int camera) const {
        return Button(camera)->text() == Tzones::kOffText && FontColour(Button(camera)) == ControlColours::kBlack;
    }
};
