#pragma once
// Decisions of camera switching that need no window: which rows the camera lists select,
// and the motion counter's text.
#include <QString>
#include <QtGlobal>

struct CameraRows {
    int camera1 = -1; // row of cam1List, -1 for none
    int camera2 = -1; // row of cam2List
    bool present = false;
};

// The rows the two camera lists select for a device count and the stored default indexes:
// a stored index outside the list falls back to the first device for camera 1 and the second
// for camera 2; with one device both use it; with none nothing is selected.
CameraRows ChooseCameraRows(int deviceCount, int default1, int default2);

// "MO " and the last five digits of the count's absolute value, written with at least six.
QString MotionCounterText(qint64 count);
