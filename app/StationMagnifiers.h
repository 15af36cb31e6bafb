#pragma once
// The magnifier frames of the main window bound to the station: "Take Pic" into the history
// folder under the picture counter both cameras share, "Log 3" to the picture log on that
// folder, and the caption drawer's pictures into the frames.
#include "core/HistorySnapshot.h"
#include "core/MagnifierLink.h"
#include "core/PictureCaption.h"
#include "platform/PictureOverlay.h"


class PictureStore;
class MainWindow;

class StationMagnifiers final : public MagnifierLink {
public:
    explicit StationMagnifiers(PictureStore& pictures);

    void CreateMagnifierImage(MagnifierFrame& frame) override { frame.CreateImage(); }
    void FreeMagnifierImage(MagnifierFrame& frame) override { frame.FreeImage(); }

    // Binds both frames of the window; the window outlives this binding's use.
    void BindMainWindow(MainWindow& mainWindow);
    const HistorySnapshots& Snapshots() const { return snapshots_; }

private:
    MainWindow* mainWindow_ = nullptr;
    HistorySnapshots snapshots_;
};

// A camera's captioned picture to its frame (camera 2: magnifier2, else magnifier1). While the frame's
// lens is on, the picture is also the lens's source and the lens is redrawn.
void ShowCaptionedPicture(MainWindow& mainWindow, int camera, const QImage& picture, CaptionDisplay what);
// Camera pictures to the main window's frames: the captioned pictures the caption drawer
// hands on, and the live frames with their caption overlay. Unbound before the window goes.
void BindCameraPictures(MainWindow& mainWindow, PictureCaptions& captions);
void UnbindCameraPictures(PictureCaptions& captions);
// The same for a live frame with its caption laid over it when painted.
void ShowLivePicture(MainWindow& mainWindow, int camera, const QImage& frame, const platform::PictureOverlay& caption,
                     CaptionDisplay what);
