#include "app/StationCommands.h"

#include "app/StationHooks.h"
#include "app/Tzones.h"

StationCommands::StationCommands(Tzones& zones, StationHooks& hooks)
    : cameras_([&zones](int camera) { return camera == 1 ? zones.VideoCap1 : zones.VideoCap2; }) {
    hooks.CommandCameraView = [this](int camera) { return cameras_.View(camera); };
}
