#include "app/StationMagnifiers.h"

#include "app/Tmagna.h"
#include "app/MainWindow.h"
#include "capture/TtorCap.h"
#include "core/PictureStore.h"

StationMagnifiers::StationMagnifiers(PictureStore& pictures)
    : snapshots_([this] { return mainWindow_ ? mainWindow_->HistoryFolder() : QString(); },
                 [&pictures] { return pictures.NextPictureFileName(); }) {}

void StationMagnifiers::BindMainWindow(MainWindow& mainWindow) {
    mainWindow_ = &mainWindow;
    for (Tmagna* frame : {mainWindow.magnifier1, mainWindow.magnifier2}) {
        frame->takePicture = [this](const QImage& picture) { snapshots_.Take(picture); };
        frame->showHistory = [&mainWindow] { mainWindow.Links().layout->ShowLoggedPictures(3); };
    }
}

void BindCameraPictures(MainWindow& mainWindow, PictureCaptions& captions) {
    captions.Hooks().display = [&mainWindow](int camera, const QImage& picture, CaptionDisplay what) {
        ShowCaptionedPicture(mainWindow, camera, picture, what);
    };
    TtorCap::SetCaptionPainter(
        [&captions](platform::PictureCanvas& image, int camera) { captions.DrawPictureCaption(image, camera); });
    TtorCap::SetLiveCaption(
        [&captions](platform::PictureCanvas& overlay, int camera) { return captions.StampPictureCaption(overlay, camera); },
        [&mainWindow](int camera, const QImage& frame, const platform::PictureOverlay& caption, CaptionDisplay what) {
            ShowLivePicture(mainWindow, camera, frame, caption, what);
        });
    TtorCap::SetLiveWatch([&mainWindow](int camera) {
        const Tmagna* view = camera == 2 ? mainWindow.magnifier2 : mainWindow.magnifier1;
        const QRect seen = view->Image1->isVisible() ? view->Image1->visibleRegion().boundingRect() : QRect();
        return seen.width() >= 8 && seen.height() >= 8; // not a view parked at 1x1
    });
    // Unseen, a camera's frames are read by the motion poll, once a tick.
    TtorCap::SetFrameReadInterval([&mainWindow] { return mainWindow.MotionTime.Interval(); });
}

void UnbindCameraPictures(PictureCaptions& captions) {
    captions.Hooks().display = {};
    TtorCap::SetCaptionPainter({});
    TtorCap::SetLiveCaption({}, {});
    TtorCap::SetLiveWatch({});
    TtorCap::SetFrameReadInterval({});
}

void ShowCaptionedPicture(MainWindow& mainWindow, int camera, const QImage& picture, CaptionDisplay what) {
    ShowLivePicture(mainWindow, camera, picture, {}, what);
}

void ShowLivePicture(MainWindow& mainWindow, int camera, const QImage& frame, const platform::PictureOverlay& caption,
                     CaptionDisplay what) {
    Tmagna* view = camera == 2 ? mainWindow.magnifier2 : mainWindow.magnifier1;
    view->SetPicture(frame, caption);
    if (what == CaptionDisplay::CopyAndMagnifier && view->State().Active) {
        view->SetSource(caption.ComposedOn(frame)); // only while the lens is on
        view->ShowMagnifier(view->State().CentreX, view->State().CentreY);
    }
}
