#pragma once
// The overlays that show a camera's motion zone on its picture.
#include "platform/PictureCanvas.h"

// White square (x, y)-(x + size, y + size) in a black outline one pixel outside it, with a white
// cross through the centre.
void DrawZoneFrame(platform::PictureCanvas& image, int x, int y, int size);

// "TARGET" in red on white, centred on the zone; the zone frame first when the camera's own zone
// window is shown. A font size below 1 keeps the canvas's size.
void DrawTargetMarker(platform::PictureCanvas& image, int x, int y, int zoneSize, bool zoneWindowShown,
                      int captionFontSize);
