#include "capture/CaptureFlags.h"

quint8 CaptureErrorFlag = 0;
quint8 CameraQueriesSuspended = 0;
