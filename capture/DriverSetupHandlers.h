#pragma once
// What the default-camera strip and the driver list's buttons of the set-up panel do:
// showing and mirroring location names, saving them as aliases, testing, resetting and
// refreshing the driver list. Logic only; DriverSetupPage binds its controls to it.
#include <functional>

class DriverAliasRegistry;
class SettingsStore;

class DriverSetupHandlers {
public:
    DriverSetupHandlers(DriverAliasRegistry& registry, SettingsStore& store);

    // Main-window routines the refresh runs: store the camera choice, and refill the camera
    // lists from the device list. Unset hooks are skipped.
    std::function<void()> StoreCameraChoice;
    std::function<void()> FillCameraLists;

    // DefaultCam1Change / DefaultCam2Change: the location shows the chosen device's alias.
    void DefaultCamChange(int camera);
    // Location1Change / Location2Change: while the edit has the focus and both cameras default
    // to one device, the other location mirrors the text.
    void LocationChange(int camera, bool hasFocus);
    // SaveLocationsButtonClick: both locations become the aliases of their default devices; then the
    // settings file is written.
    void SaveLocations();
    void TestDrivers();
    // ResetDriversButtonClick ("&Reset"): the alias file is made again from the camera list.
    void ResetDrivers();
    // RefreshDriversButtonClick ("&Refresh"): enumerate the cameras again and rebuild the driver list,
    // keeping both camera choices.
    void RefreshDrivers();

private:
    DriverAliasRegistry& registry_;
    SettingsStore& store_;
};
