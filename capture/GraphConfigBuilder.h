#pragma once
// The connect profiles of the two cameras and the video-input name list, worked out from the
// device lists as plain code (no hidden settings window is needed for that).
#include "capture/CaptureGraphConfig.h"

#include <QStringList>

// The names of the four device lists, in device-list order.
struct CaptureDeviceNameLists {
    QStringList VideoInputs;
    QStringList AudioInputs;
    QStringList VideoCompressors;
    QStringList AudioCompressors;
};

// Camera 1 and camera 2 connect profiles over the given lists; always true.
bool BuildCameraConfig(int camera, CaptureGraphConfig& config, const CaptureDeviceNameLists& lists);
// Appends the video input names that come before VCapSource (all of them when it is not
// among them); always false.
bool ListVideoSources(const CaptureGraphConfig& config, const QStringList& videoInputs, QStringList& list);

// The same over the process-wide device lists, refreshed first unless the caller has just
// refreshed them (every refresh opens every device).
CaptureDeviceNameLists CurrentDeviceNameLists(bool refresh = true);
bool BuildCamera1Config(CaptureGraphConfig& config, bool refreshDevices = true);
bool BuildCamera2Config(CaptureGraphConfig& config, bool refreshDevices = true);
bool ListVideoSourcesViaConfigForm(CaptureGraphConfig& config, QStringList& list);
// The names of all video input devices, in device-list order.
QStringList GetCaptureDeviceNames();
