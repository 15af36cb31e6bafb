#pragma once
// The camera view of one camera: owns its capture control `cap`, shows the latest grabbed
// frame with its caption in `frameImage`, and carries a small set-up panel for the capture modes
// and the driver dialogs. Everything that needs a camera's picture asks IsPreviewing and
// then reads ImageBitmap.
//
// Owners that want every frame too connect to cap->OnPictureGrabbed (or, for 24-bit bitmaps,
// cap->OnBitmapGrabbed) after constructing the view: the view's own handler runs first, so the
// image and its caption are up to date.
#include "capture/CapturedBitmap.h"
#include "capture/StretchedImage.h"
#include "capture/VideoCaptureDialogs.h"
#include "core/PictureCaption.h"
#include "platform/PictureCanvas.h"
#include "platform/PictureOverlay.h"
#include "platform/ProgramFolder.h"

#include <QElapsedTimer>
#include <QFrame>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class CaptureGraphConfig;
class VideoCapture;

class CameraView : public QFrame {
    Q_OBJECT
public:
    // Stamps the caption of a camera on a frame; set once by the application.
    using CaptionPainter = std::function<void(platform::PictureCanvas& image, int camera)>;
    static void SetCaptionPainter(CaptionPainter painter);
    // The live view: the caption stamped into a transparent overlay (again each second, as its
    // time changes), and each frame handed on with it. Set once by the application; without
    // them frames are shown bare.
    using CaptionStamp = std::function<CaptionDisplay(platform::PictureCanvas& overlay, int camera)>;
    using LiveShow = std::function<void(int camera, const QImage& frame,
                                        const platform::PictureOverlay& caption, CaptionDisplay what)>;
    static void SetLiveCaption(CaptionStamp stamp, LiveShow show);
    // Whether a view the application shows a camera's frames in (besides frameImage) is on screen
    // now; set once by the application.
    using LiveWatch = std::function<bool(int camera)>;
    static void SetLiveWatch(LiveWatch watch);
    // How often the frames of a camera nobody watches are read (the motion poll's interval,
    // in ms); set once by the application. Unset: kUnwatchedFrameMs.
    using FrameReadInterval = std::function<int()>;
    static void SetFrameReadInterval(FrameReadInterval interval);

    explicit CameraView(const platform::ProgramFolder& folder, QWidget* parent = nullptr);
    // A running recording is finished first, so the file plays.
    ~CameraView() override;

    int CameraNumber = 0; // 1 or 2

    bool ConnectCamera(bool connect, int deviceIndex);
    bool InitGraph();
    bool IsPreviewing() const;
    bool IsCapturing() const;
    // The latest frame with its caption, stamped when first asked for; read or copy it, do not
    // keep the reference.
    platform::PictureCanvas& ImageBitmap();
    // The caption laid over the shown frames.
    const platform::PictureOverlay& CaptionOverlay() const { return overlay_; }
    // The latest frame as it came, without the caption, as a 24-bit bitmap (null before the
    // first). Converted when asked for, once per frame.
    QImage UncaptionedFrame() const;
    // Whether anybody can see the camera's frames: its window shown, not minimised, not
    // unmapped, and a view of them on screen in it.
    bool IsWatched() const;
    // Nobody watching, a frame is taken about as often as it is read, and never more often
    // than this (the motion loop's fastest poll), so each poll still sees a fresh frame.
    static constexpr int kUnwatchedFrameMs = 200;
    // The time between two frames taken while nobody watches.
    static int UnwatchedFrameMs();
    int VideoSourceIndex();
    void SetTag(int value) { CameraTag = value; }
    int Tag() const { return CameraTag; }
    void SetRecordFileName(const QString& name) { RecordFileName = name; }
    QString GetRecordFileName() const { return RecordFileName; }
    // Records the running camera into the file named by SetRecordFileName; false when the
    // camera does not preview, no name was given or the recording could not start.
    bool StartRecording();
    // Ends a running recording so the file is complete; false when it could not be finished.
    bool StopRecording();
    void ShowSetupPanel();

    // The driver dialogs of the current graph.
    VideoCaptureDialogs& Dialogs() { return *dialogs_; }
    const CaptureGraphConfig* GetGraphConfig() const { return GraphConfig.get(); }

    // Event handlers.
    void capBitmapGrabbed(const QImage& CapturedImage);
    void capChangeDevice();
    void capFrameRendered();
    void DriverDialogListDblClick();
    void DriverDialogListKeyDown(int key);
    void VideoModeComboChange();
    void AudioModeComboChange();
    void UnusedButtonClick() {}
    void HidePanelButtonClick();

    // Components.
    VideoCapture* cap = nullptr;
    QPushButton* unusedButton = nullptr;
    StretchedImage* frameImage = nullptr;
    QFrame* captureSetupPanel = nullptr;
    QComboBox* videoModeCombo = nullptr;
    QComboBox* audioModeCombo = nullptr;
    QListWidget* driverDialogList = nullptr;
    QPushButton* hidePanelButton = nullptr;
    QLabel* videoModeLabel = nullptr;
    QLabel* cameraNameLabel = nullptr;
    QLabel* audioModeLabel = nullptr;
    QLabel* driverDialogsLabel = nullptr;
    QLabel* dialogsHintLabel = nullptr;

signals:
    void ImageClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildSetupPanel();
    void SelectCurrentModes();
    void RestoreRecordingSettings();

    platform::ProgramFolder folder_;
    std::unique_ptr<CaptureGraphConfig> GraphConfig;
    std::shared_ptr<VideoCaptureDialogs> dialogs_;
    int CameraTag = 0;
    QString RecordFileName;
    quint64 shownRun_ = 0; // the capture run whose frames frameImage shows
    void RefreshCaptionOverlay(const QSize& size);

    QImage uncaptioned_; // 32-bit, as grabbed
    platform::PictureCanvas captioned_;
    bool captionedStale_ = false;
    platform::PictureOverlay overlay_;
    CaptionDisplay overlayDisplay_ = CaptionDisplay::CopyAndMagnifier;
    qint64 overlaySecond_ = -1;
    mutable QImage uncaptioned24_; // uncaptioned_ as a 24-bit bitmap, made on the first ask
    QElapsedTimer sinceGrab_;
    bool watched_ = true; // IsWatched when the last frame was asked for

    // The control's file settings from before a recording, put back when it ends.
    struct SavedCaptureSettings {
        bool active = false;
        bool wantCapture = false;
        bool useTempFile = false;
        QString captureFileName;
    } savedCapture_;
};
