#include "capture/DriverSetupHandlers.h"

#include "capture/DriverAliasRegistry.h"
#include "core/SettingsStore.h"

DriverSetupHandlers::DriverSetupHandlers(DriverAliasRegistry& registry, SettingsStore& store)
    : registry_(registry), store_(store) {}

void DriverSetupHandlers::DefaultCamChange(int camera) {
    CameraChoiceControls& choices = registry_.Choices();
    const QStringList devices = choices.CameraList();
    const int index = choices.DefaultIndex(camera);
    if (index < 0 || index >= devices.size())
        return;
    choices.SetLocationText(camera, registry_.GetDriverAlias(devices[index]));
}

void DriverSetupHandlers::LocationChange(int camera, bool hasFocus) {
    CameraChoiceControls& choices = registry_.Choices();
    if (!hasFocus || choices.DefaultIndex(1) != choices.DefaultIndex(2))
        return;
    const int other = camera == 1 ? 2 : 1;
    choices.SetLocationText(other, choices.LocationText(camera));
}

void DriverSetupHandlers::SaveLocations() {
    CameraChoiceControls& choices = registry_.Choices();
    const QStringList devices = choices.CameraList();
    for (int camera = 1; camera <= 2; ++camera) {
        const int index = choices.DefaultIndex(camera);
        if (index < 0 || index >= devices.size())
            continue;
        registry_.SaveDriverAlias(TrimBlanks(choices.LocationText(camera)),
                                  registry_.RowOfDevice(devices[index]));
    }
    store_.WriteSettingsFile();
}

void DriverSetupHandlers::TestDrivers() {
    registry_.RefreshDriverStatus();
}

void DriverSetupHandlers::ResetDrivers() {
    registry_.ResetDriverList();
}

void DriverSetupHandlers::RefreshDrivers() {
    CameraChoiceControls& choices = registry_.Choices();
    const int chosen1 = choices.CameraIndex(1);
    const int chosen2 = choices.CameraIndex(2);
    if (StoreCameraChoice)
        StoreCameraChoice();
    for (int pass = 0; pass < 2; ++pass) {
        if (FillCameraLists)
            FillCameraLists();
        registry_.LoadDriverList();
        registry_.RefreshDriverStatus();
    }
    if (StoreCameraChoice)
        StoreCameraChoice();
    const int count = int(choices.CameraList().size());
    choices.SetCameraIndex(1, chosen1 < count ? chosen1 : -1);
    choices.SetCameraIndex(2, chosen2 < count ? chosen2 : -1);
}
