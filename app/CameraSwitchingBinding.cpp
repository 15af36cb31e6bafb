#include "app/CameraSwitchingBinding.h"

#include "app/StationHooks.h"
#include "app/Tzones.h"
#include "capture/CaptureFlags.h"
#include "capture/TtorCap.h"

#include <QPushButton>

std::function<QWidget*(QWidget*, const QString&)> CameraViewFactory(const platform::ProgramFolder& folder) {
    return [folder](QWidget* parent, const QString& name) -> QWidget* {
        auto* view = new TtorCap(folder, parent);
        view->setObjectName(name);
        return view;
    };
}

void BindCameraSwitching(Tzones& zones, StationHooks& hooks) {
    Tzones* z = &zones;
    hooks.FillCameraLists = [z] { z->FillCameraLists(); };
    hooks.StoreCameraChoice = [z] { z->StoreCameraChoice(); };
    hooks.StartCamera1 = [z] { z->StartCamera1(); };
    hooks.StartCamera2 = [z] { z->StartCamera2(); };
    // The on/off routine itself, never the button (whose camera-2 twin may start camera 1).
    hooks.SwitchCameraOff = [z](int camera) {
        QPushButton* button = camera == 2 ? z->Panel3 : z->Panel2;
        if (button->text().toUpper() != Tzones::kOnText)
            return;
        if (camera == 2)
            z->StartCamera2();
        else
            z->StartCamera1();
    };
    hooks.StartStopSurveillance = [z] { return z->StartStopSurveillance(); };
    hooks.AutoConnectPhoneLink = [z] { z->AutoConnectPhoneLink(); };
    hooks.SetCameraNumber = [](QWidget* frame, int camera) {
        if (auto* view = qobject_cast<TtorCap*>(frame))
            view->CameraNumber = camera;
    };
    hooks.SelectSavedVideoMode = [z](int camera) { z->SelectSavedVideoMode(camera); };
    hooks.SuspendCameraQueries = [](bool suspended) { CameraQueriesSuspended = suspended ? 1 : 0; };
    zones.BindCameraControls();
}
