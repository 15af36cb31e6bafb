#include "app/StationMagnifiers.h"

#include "app/Magnifier.h"
#include "app/MainWindow.h"
#include "capture/CameraView.h"
#include "core/PictureStore.h"

StationMagnifiers::StationMagnifiers(PictureStore& pictures)
    : snapshots_([this] { return mainWindow_ ? mainWindow_->HistoryFolder() : QString(); },
                 [&pictures] { return pictures.NextPictureFileName(); }) {}

void StationMagnifiers::BindMainWindow(MainWindow& mainWindow) {
    mainWindow_ = &mainWindow;
    for (Magnifier* frame : {mainWindow.magnifier1, mainWindow.magnifier2}) {
        frame->takePicture = [this](const QImage& picture) { snapshots_.Take(picture); };
        frame->showHistory = [&mainWindow] { mainWindow.Links().layout->ShowLoggedPictures(3); };
    }
}

void BindCameraPictures(MainWindow& mainWindow, PictureCaptions& captions) {
    captions.Hooks().display = [&mainWindow](int camera, const QImage& picture, CaptionDisplay what) {
        ShowCaptionedPicture(mainWindow, camera, picture, what);
    };
    CameraView::SetCaptionPainter(
        [&captions](platform::PictureCanvas& image, int camera) { captions.DrawPictureCaption(image, camera); });
    CameraView::SetLiveCaption(
        [&captions](platform::PictureCanvas& overlay, int camera) { return captions.StampPictureCaption(overlay, camera); },
        [&mainWindow](int camera, const QImage& frame, const platform::PictureOverlay& caption, CaptionDisplay what) {
            ShowLivePicture(mainWindow, camera, frame, caption, what);
        });
    CameraView::SetLiveWatch([&mainWindow](int camera) {
        const Magnifier* view = camera == 2 ? mainWindow.magnifier2 : mainWindow.magnifier1;
        const QRect seen = view->pictureView->isVisible() ? view->pictureView->visibleRegion().boundingRect() : QRect();
        return seen.width() >= 8 && seen.height() >= 8; // not a view parked at 1x1
    });
    // Unseen, a camera's frames are read by the motion poll, once a tick.
    CameraView::SetFrameReadInterval([&mainWindow] { return mainWindow.motionTimer.Interval(); });
}

void UnbindCameraPictures(PictureCaptions& captions) {
    captions.Hooks().display = {};
    CameraView::SetCaptionPainter({});
    CameraView::SetLiveCaption({}, {});
    CameraView::SetLiveWatch({});
    CameraView::SetFrameReadInterval({});
}

void ShowCaptionedPicture(MainWindow& mainWindow, int camera, const QImage& picture, CaptionDisplay what) {
    ShowLivePicture(mainWindow, camera, picture, {}, what);
}

void ShowLivePicture(MainWindow& mainWindow, int camera, const QImage& frame, const platform::PictureOverlay& caption,
                     CaptionDisplay what) {
    Magnifier* view = camera == 2 ? mainWindow.magnifier2 : mainWindow.magnifier1;
    view->SetPicture(frame, caption);
    if (what == CaptionDisplay::CopyAndMagnifier && view->State().Active) {
        view->SetSource(caption.ComposedOn(frame)); // only while the lens is on
        view->ShowMagnifier(view->State().CentreX, view->State().CentreY);
    }
}
