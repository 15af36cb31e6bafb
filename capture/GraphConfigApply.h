#pragma once
// Reading a capture configuration from a capture control and applying one to it.
#include "capture/TGraphConfig.h"

class TVideoCapture;

// Fills the configuration from the control's current state (defaults first).
void ReadGraphConfigFrom(TGraphConfig& config, TVideoCapture& cap, int number);
// Tears the control's graph down, applies settings and devices, builds the filters (the
// result goes into CaptureErrorFlag: 1 = built), selects the modes, builds the graph and
// starts the preview when wanted.
void ApplyGraphConfigTo(const TGraphConfig& config, TVideoCapture& cap);
