#include "app/ZoneWindows.h"

#include "app/StationMotion.h"
#include "app/MainWindow.h"

void BindZoneWindows(Camera1ZoneWindow& camera1ZoneWindow, Camera2ZoneWindow& camera2ZoneWindow, MainWindow& mainWindow, LayoutLink& layout, StationMotion& motion) {
    ZoneWindowParts one;
    one.main = &mainWindow;
    one.layout = &layout;
    one.zone = &mainWindow.CameraZone[0];
    one.DetectorPass = [&motion] { motion.CheckMotionZone(1); };
    one.Picture = [&motion] { return motion.Detector().MarkedFrame(1).Image(); };
    camera1ZoneWindow.BindStation(std::move(one));

    ZoneWindowParts two;
    two.main = &mainWindow;
    two.layout = &layout;
    two.zone = &mainWindow.CameraZone[1];
    two.DetectorPass = [&motion] { motion.Detector().CheckZoneWindowMotionCam2(); };
    two.Picture = [&motion] { return motion.Detector().MarkedFrame(2).Image(); };
    camera2ZoneWindow.BindStation(std::move(two));

    camera1ZoneWindow.SetPictureGeometrySource(camera2ZoneWindow.livePicture);
}

void RefreshShownZoneWindows(Camera1ZoneWindow& camera1ZoneWindow, Camera2ZoneWindow& camera2ZoneWindow) {
    for (ZoneAimWindow* window : {static_cast<ZoneAimWindow*>(&camera1ZoneWindow), static_cast<ZoneAimWindow*>(&camera2ZoneWindow)})
        if (window->IsShown())
            window->RefreshPicture();
}
