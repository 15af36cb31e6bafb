#pragma once
// The camera set-up screen (driver and capture settings of one device).
#include "core/LinkUnavailable.h"

class CameraSetupLink {
public:
    virtual ~CameraSetupLink() = default;
    // Runs the screen for a device (camera-list index) as camera 1 or 2 until it closes.
    virtual void OpenSetupScreen(int deviceIndex, int camera) = 0;
};

class NullCameraSetupLink final : public CameraSetupLink {
public:
    static CameraSetupLink& Instance() {
        static NullCameraSetupLink link;
        return link;
    }
    void OpenSetupScreen(int, int) override { ReportLinkUnavailable("CameraSetupLink", "OpenSetupScreen"); }
};
