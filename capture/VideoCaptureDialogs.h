#pragma once
// The driver dialogs of one capture control: works out which of them its current graph
// offers and shows one, stopping and restarting the graph as the dialog needs.
#include "capture/CaptureDialogs.h"

#include <QPointer>

#include <memory>

class QWidget;
class VideoCapture;

namespace platform {
class DeviceControlModel;
}

// Made with std::make_shared: an open dialog keeps the object alive, so the view that owns it
// may go (or switch its camera off) while the dialog's event loop runs.
class VideoCaptureDialogs : public CaptureDialogHost,
                             public std::enable_shared_from_this<VideoCaptureDialogs> {
public:
    // owner: the window the dialogs belong to.
    VideoCaptureDialogs(VideoCapture& cap, QWidget* owner);

    // Recomputes the set from the control's current graph.
    DialogFlags FindDialogs();
    DialogFlags DialogSet() const { return set_; }
    // The camera was switched off: nothing is offered, and a dialog open now leaves it off.
    void ClearDialogs() {
        set_ = 0;
        ++connection_;
    }
    // False (nothing done) when the number is not in the set or the control is capturing.
    bool ShowDialog(int number);

    // The settings of the current video source: the device's V4L2 controls when it has a
    // device node, else the source element's own properties; nullptr without a source.
    std::unique_ptr<platform::DeviceControlModel> SourceSettings() const;

    bool IsCapturing() const override;
    bool WantsPreview() const override;
    void StopPreviewForDialog() override;
    void TearDownGraphForDialog() override;
    void StartPreviewAfterDialog() override;
    void ShowSourceSettings() override;
    void ShowCaptureFormats() override;
    void ShowCompressorSettings() override;

private:
    // False when the control went, or the camera was switched off, since the dialog opened.
    bool StillConnected() const;

    QPointer<VideoCapture> cap_;
    QPointer<QWidget> owner_;
    DialogFlags set_ = 0;
    unsigned connection_ = 0;
    unsigned shownFor_ = 0;
};
