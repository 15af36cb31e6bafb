#pragma once
// Two program-wide bytes of the capture side (GUI thread only).
#include <QtGlobal>

// Set to 1 by the capture control whenever one of its steps fails; cleared and read by the
// camera view when it connects a camera.
extern quint8 CaptureErrorFlag;
// Set while the camera set-up screen is about to restart the program; the camera view then
// reports no preview.
extern quint8 CameraQueriesSuspended;
