#include "app/StationMagnifiers.h"

#include "app/Tmagna.h"
#include "app/Tzones.h"
#include "capture/TtorCap.h"
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

void BindCameraPictures(Tzones& zones, PictureCaptions& captions) {
    captions.Hooks().display = [&zones](int camera, const QImage& picture, CaptionDisplay what) {
        ShowCaptionedPicture(zones, camera, picture, what);
    };
    TtorCap::SetCaptionPainter(
        [&captions](platform::PictureCanvas& image, int camera) { captions.DrawPictureCaption(image, camera); });
    TtorCap::SetLiveCaption(
        [&captions](platform::PictureCanvas& overlay, int camera) { return captions.StampPictureCaption(overlay, camera); },
        [&zones](int camera, const QImage& frame, const platform::PictureOverlay& caption, CaptionDisplay what) {
            ShowLivePicture(zones, camera, frame, caption, what);
        });
    TtorCap::SetLiveWatch([&zones](int camera) {
        const Tmagna* view = camera == 2 ? zones.pic2 : zones.pic1;
        const QRect seen = view->Image1->isVisible() ? view->Image1->visibleRegion().boundingRect() : QRect();
        return seen.width() >= 8 && seen.height() >= 8; // not a view parked at 1x1
    });
    // Unseen, a camera's frames are read by the motion poll, once a tick.
    TtorCap::SetFrameReadInterval([&zones] { return zones.MotionTime.Interval(); });
}

void UnbindCameraPictures(PictureCaptions& captions) {
    captions.Hooks().display = {};
    TtorCap::SetCaptionPainter({});
    TtorCap::SetLiveCaption({}, {});
    TtorCap::SetLiveWatch({});
    TtorCap::SetFrameReadInterval({});
}

void ShowCaptionedPicture(Tzones& zones, int camera, const QImage& picture, CaptionDisplay what) {
    ShowLivePicture(zones, camera, picture, {}, what);
}

void ShowLivePicture(Tzones& zones, int camera, const QImage& frame, const platform::PictureOverlay& caption,
                     CaptionDisplay what) {
    Tmagna* view = camera == 2 ? zones.pic2 : zones.pic1;
    view->SetPicture(frame, caption);
    if (what == CaptionDisplay::CopyAndMagnifier && view->State().Active) {
        view->SetSource(caption.ComposedOn(frame)); // only while the lens is on
        view->ShowMagnifier(view->State().CentreX, view->State().CentreY);
    }
}
