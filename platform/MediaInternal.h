#pragma once
// Shared inside the media layer only: the GStreamer side of a moniker.
#include "platform/MediaDevices.h"

#include <gst/gst.h>

namespace platform {

struct MediaMoniker::Impl {
    MediaCategory Category = MediaCategory::VideoInput;
    QString Key;
    QString FriendlyName;
    GstDevice* Device = nullptr;          // cameras and sound inputs
    GstElementFactory* Factory = nullptr; // encoders
    ~Impl();
};

namespace media_internal {
// A new floating element for the moniker's device or encoder; nullptr on failure.
GstElement* CreateElement(const MediaMoniker& moniker, const char* name);
// Registers the test-camera provider with GStreamer (once).
void RegisterTestCameraProvider();
// Reads the environment once and installs the test cameras it asks for.
void InstallTestCamerasFromEnvironment();
// Forgets the formats chosen for devices whose key starts with the prefix.
void ForgetChosenFormats(const QString& keyPrefix);
inline constexpr const char* kTestProviderName = "torvektestcameraprovider";
} // namespace media_internal

} // namespace platform
