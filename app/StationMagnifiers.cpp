#include "app/StationMagnifiers.h"

#include "app/Tmagna.h"
#include "app/Tzones.h"
#include "core/PictureStore.h"

StationMagnifiers::StationMagnifiers(PictureStore& pictures)
    : snapshots_([this] { return zones_ ? zones_->HistoryFolder() : QString(); },
                 [&pictures] { return pictures.NextPictureFileName(); }) {}

void StationMagnifiers::BindMainWindow(Tzones& zones) {
    zones_ = &zones;
    for (Tmagna* frame : {zones.pic1, zones.pic2}) {
        frame->takePicture = [this](const QImage& picture) { snapshots_.Take(picture); };
        frame->showHistory = [&zones] { zones.Links().layout->ShowLoggedPictures(3); };
    }
}

void ShowCaptionedPicture(Tzones& zones, int camera, const QImage& picture, CaptionDisplay what) {
    Tmagna* frame = camera == 2 ? zones.pic2 : zones.pic1;
    frame->SetPicture(picture);
    if (what == CaptionDisplay::CopyAndMagnifier && frame->State().Active) {
        frame->SetSource(picture);
        frame->ShowMagnifier(frame->State().CentreX, frame->State().CentreY);
    }
}
