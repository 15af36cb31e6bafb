// The driver page's handlers over the registry, without a window.
#include "capture/DriverAliasRegistry.h"
#include "capture/DriverSetupHandlers.h"
#include "core/SettingsStore.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class Handlers : public ::testing::Test {
protected:
    Handlers() {
        store_.SetDefaultSettings();
        choices_.Devices = {"Cam A", "Cam B"};
        choices_.Index[0] = choices_.Default[0] = 0;
        choices_.Index[1] = choices_.Default[1] = 1;
        registry_.LoadDriverList();
    }

    TestSupport::TempProgramFolder folder_;
    SettingsStore store_{platform::ProgramFolder(folder_.path()), folder_.file("torvek"),
                         folder_.file("Desktop")};
    CameraChoiceState choices_;
    DriverAliasRegistry registry_{platform::ProgramFolder(folder_.path()), store_, choices_};
    DriverSetupHandlers handlers_{registry_, store_};
};

} // namespace

TEST_F(Handlers, LocationsMirrorOnlyWhenTypedForOneDeviceAndSaveEachCamerasAlias) {
    choices_.Default[0] = -1; // no device chosen: the location stays
    choices_.Location[0] = "kept";
    handlers_.DefaultCamChange(1);
    EXPECT_EQ(choices_.Location[0], "kept");

    choices_.Default[0] = 0;
    choices_.Default[1] = 0;
    choices_.Location[0] = "Porch";
    handlers_.LocationChange(1, false); // changed by code, not typed: nothing mirrors
    EXPECT_EQ(choices_.Location[1], "");
    choices_.Default[1] = 1;
    handlers_.LocationChange(1, true); // two devices: nothing mirrors
    EXPECT_EQ(choices_.Location[1], "");

    choices_.Location[0] = "  Porch ";
    choices_.Location[1] = "Yard";
    handlers_.SaveLocations();
    EXPECT_EQ(registry_.Rows(), QStringList({"Cam AZXZXZXPorchWEWEWENew Driver",
                                             "Cam BZXZXZXYardWEWEWENew Driver"}));
    // Saving camera 2's alias must not give camera 1 camera 2's name.
    EXPECT_EQ(store_.Record().Cam1Name, "Porch");
    EXPECT_EQ(store_.Record().Cam2Name, "Yard");
    EXPECT_EQ(choices_.Text[0], "Porch");
    EXPECT_TRUE(TestSupport::ReadAll(store_.SettingsFilePath()).contains("Porch"));
    DriverAliasRegistry again(platform::ProgramFolder(folder_.path()), store_, choices_);
    again.LoadDriverList();
    EXPECT_EQ(again.GetDriverAlias("Cam B"), "Yard");
}

TEST_F(Handlers, RefreshReenumeratesAndKeepsTheCameraChoice) {
    QStringList calls;
    handlers_.StoreCameraChoice = [&] { calls << "store"; };
    handlers_.FillCameraLists = [&] {
        calls << "fill";
        choices_.Devices = {"Cam A", "Cam B", "Cam C"};
        choices_.Index[0] = choices_.Index[1] = 0;
    };
    handlers_.RefreshDrivers();
    EXPECT_EQ(calls, QStringList({"store", "fill", "fill", "store"}));
    EXPECT_EQ(registry_.Rows().value(2), "Cam CZXZXZXCam 3WEWEWEConnected");
    EXPECT_EQ(choices_.Index[0], 0);
    EXPECT_EQ(choices_.Index[1], 1);

    // Without the main window's routines the refresh still rebuilds the list.
    DriverSetupHandlers bare(registry_, store_);
    bare.RefreshDrivers();
    EXPECT_EQ(registry_.Rows().size(), 3);
}
