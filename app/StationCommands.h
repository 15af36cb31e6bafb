#pragma once
// The camera commands' link to the main window's camera views. Lives as long as the main
// window's hooks use it.
#include "app/CommandCameras.h"

struct StationHooks;
class Tzones;

class StationCommands {
public:
    StationCommands(Tzones& zones, StationHooks& hooks);

private:
    CommandCameras cameras_;
};
