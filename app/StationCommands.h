#pragma once
// The camera commands' links to the rest of the station: the camera views and the capture
// side's query switch. Lives as long as the main window's hooks use it.
#include "app/CommandCameras.h"

struct StationHooks;
class Tzones;

class StationCommands {
public:
    StationCommands(Tzones& zones, StationHooks& hooks);

private:
    CommandCameras cameras_;
};
