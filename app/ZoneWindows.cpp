#include "app/ZoneWindows.h"

#include "app/StationMotion.h"
#include "app/Tzones.h"

void BindZoneWindows(TForm2& form2, TForm1& form1, Tzones& zones, LayoutLink& layout, StationMotion& motion) {
    ZoneWindowParts one;
    one.main = &zones;
    one.layout = &layout;
    one.zone = &zones.CameraZone[0];
    one.DetectorPass = [&motion] { motion.CheckMotionZone(1); };
    one.Picture = [&motion] { return motion.Detector().Image1(1).Image(); };
    form2.BindStation(std::move(one));

    ZoneWindowParts two;
    two.main = &zones;
    two.layout = &layout;
    two.zone = &zones.CameraZone[1];
    two.DetectorPass = [&motion] { motion.Detector().CheckZoneWindowMotionCam2(); };
    two.Picture = [&motion] { return motion.Detector().Image1(2).Image(); };
    form1.BindStation(std::move(two));

    form2.SetPictureGeometrySource(form1.Image1);
}

void RefreshShownZoneWindows(TForm2& form2, TForm1& form1) {
    for (ZoneAimWindow* window : {static_cast<ZoneAimWindow*>(&form2), static_cast<ZoneAimWindow*>(&form1)})
        if (window->IsShown())
            window->RefreshPicture();
}
