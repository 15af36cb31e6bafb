#include "capture/CameraView.h"

#include "capture/CaptureDevices.h"
#include "capture/CaptureFlags.h"
#include "capture/GraphConfigBuilder.h"
#include "capture/CaptureGraphConfig.h"
#include "capture/VideoCapture.h"
#include "core/MessageBox.h"

#include <QDateTime>
#include <algorithm>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QWindow>

namespace {

CameraView::CaptionPainter& Painter() {
    static CameraView::CaptionPainter painter;
    return painter;
}

CameraView::CaptionStamp& Stamp() {
    static CameraView::CaptionStamp stamp;
    return stamp;
}

CameraView::LiveShow& Show() {
    static CameraView::LiveShow show;
    return show;
}

CameraView::LiveWatch& Watch() {
    static CameraView::LiveWatch watch;
    return watch;
}

CameraView::FrameReadInterval& ReadInterval() {
    static CameraView::FrameReadInterval interval;
    return interval;
}

} // namespace

void CameraView::SetCaptionPainter(CaptionPainter painter) {
    Painter() = std::move(painter);
}

void CameraView::SetLiveCaption(CaptionStamp stamp, LiveShow show) {
    Stamp() = std::move(stamp);
    Show() = std::move(show);
}

void CameraView::SetLiveWatch(LiveWatch watch) {
    Watch() = std::move(watch);
}

void CameraView::SetFrameReadInterval(FrameReadInterval interval) {
    ReadInterval() = std::move(interval);
}

int CameraView::UnwatchedFrameMs() {
    // A frame is taken on the first one to arrive after the wait: waiting a frame's time less
    // than the readers' interval keeps what they read no older than one interval.
    constexpr int kFrameSlackMs = 40;
    const int readMs = ReadInterval() ? ReadInterval()() : 0;
    return std::max(kUnwatchedFrameMs, readMs - kFrameSlackMs);
}

CameraView::CameraView(const platform::ProgramFolder& folder, QWidget* parent) : QFrame(parent), folder_(folder) {
    resize(443, 270);
    setAutoFillBackground(true);

    cap = new VideoCapture(folder_, this);
    cap->setObjectName(QStringLiteral("cap"));
    cap->WantBitmaps = true;
    cap->WantAudio = true;
    cap->WantDVAudio = true;
    cap->WantAudioPreview = true;
    cap->WantPreview = true;
    cap->WantCapture = true;
    cap->UseFrameRate = false;
    cap->UseTempFile = false;
    cap->UseTimeLimit = false;
    cap->DoPreallocFile = false;
    cap->TimeLimit = 0;
    cap->PreallocFileSize = 1;
    cap->BitmapPixelFormat = pf24bit;
    connect(cap, &VideoCapture::OnChangeDevice, this, &CameraView::capChangeDevice);
    connect(cap, &VideoCapture::OnPictureGrabbed, this, &CameraView::capBitmapGrabbed);
    connect(cap, &VideoCapture::OnFrameRendered, this, &CameraView::capFrameRendered);
    connect(cap, &VideoCapture::OnStartPreview, this, [this] {
        // A picture from before the camera started afresh is not this run's.
        if (cap->RunNumber() != shownRun_) {
            shownRun_ = cap->RunNumber();
            frameImage->SetPicture(QImage());
            uncaptioned_ = QImage();
            uncaptioned24_ = QImage();
            captioned_.ShareImage(QImage());
            captionedStale_ = false;
            overlay_ = {};
        }
    });
    dialogs_ = std::make_shared<VideoCaptureDialogs>(*cap, this);

    unusedButton = new QPushButton(this);
    unusedButton->setObjectName(QStringLiteral("unusedButton"));
    unusedButton->hide();
    connect(unusedButton, &QPushButton::clicked, this, &CameraView::UnusedButtonClick);

    frameImage = new StretchedImage(this);
    frameImage->setObjectName(QStringLiteral("frameImage"));
    frameImage->setGeometry(0, 0, 443, 197);
    connect(frameImage, &StretchedImage::Clicked, this, &CameraView::ImageClicked);

    BuildSetupPanel();
}

CameraView::~CameraView() {
    StopRecording();
    // The control goes before the frame's parts, so none of its last events reach them.
    dialogs_.reset();
    cap->disconnect(this);
    delete cap;
    cap = nullptr;
}

bool CameraView::InitGraph() {
    return cap->InitGraphBuilders();
}

bool CameraView::IsPreviewing() const {
    if (CameraQueriesSuspended)
        return false;
    return cap->Previewing();
}

bool CameraView::IsCapturing() const {
    return cap->Capturing();
}

platform::PictureCanvas& CameraView::ImageBitmap() {
    if (captionedStale_) {
        captionedStale_ = false;
        captioned_.ShareImage(uncaptioned_);
        if (Painter())
            Painter()(captioned_, CameraNumber);
    }
    return captioned_;
}

int CameraView::VideoSourceIndex() {
    return cap->VideoSourceIndex();
}

bool CameraView::ConnectCamera(bool connectIt, int deviceIndex) {
    CaptureErrorFlag = 0;
    if (!connectIt) {
        // A recording is finished first (it would otherwise never get its end), then the
        // preview stops, also while camera queries are suspended.
        const bool recording = IsCapturing();
        StopRecording();
        if (cap->Previewing() || recording) {
            cap->StopPreview();
            cap->StopCapture();
        }
        frameImage->hide();
        // A dialog shown now would start the switched-off camera again afterwards.
        dialogs_->ClearDialogs();
        driverDialogList->clear();
        return false;
    }
    if (CameraNumber != 1 && CameraNumber != 2)
        return false;

    GraphConfig = std::make_unique<CaptureGraphConfig>(deviceIndex);
    if (!InitGraph())
        return false;
    GraphConfig->UseTempFile = false;
    GraphConfig->ReadFrom(*cap, deviceIndex);
    GraphConfig->WantDVAudio = false;
    GraphConfig->DoPreallocFile = false;
    GraphConfig->UseTempFile = false;
    GraphConfig->WantAudio = false;
    GraphConfig->WantAudioPreview = false;

    QPalette namePalette = cameraNameLabel->palette();
    namePalette.setColor(QPalette::WindowText, Qt::yellow);
    cameraNameLabel->setPalette(namePalette);

    // The device is the one at the camera-list index; the camera lists hold the device
    // names in device-list order.
    QString source;
    if (deviceIndex >= 0 && deviceIndex < VideoInputDevices.size())
        source = VideoInputDevices.at(deviceIndex).Name;
    GraphConfig->VCapSource = source;
    cameraNameLabel->setText(source.trimmed());

    if (CameraNumber == 1)
        BuildCamera1Config(*GraphConfig, false); // InitGraph has just looked at the devices
    else
        BuildCamera2Config(*GraphConfig, false);

    frameImage->show();
    CaptureErrorFlag = 0;
    try {
        const QPointer<CameraView> self(this); // the start runs events: the view may go meanwhile
        GraphConfig->ApplyTo(*cap, false);  // InitGraph has just looked at the devices
        return self && CaptureErrorFlag != 0;
    } catch (...) {
        return false;
    }
}

bool CameraView::StartRecording() {
    if (!cap->Previewing())
        return false;
    StopRecording();
    if (RecordFileName.trimmed().isEmpty())
        return false;
    // The recording goes straight into the chosen file, with file capture switched on for
    // it whatever the connect profile said.
    savedCapture_.active = true;
    savedCapture_.wantCapture = cap->WantCapture;
    savedCapture_.useTempFile = cap->UseTempFile;
    savedCapture_.captureFileName = cap->CaptureFileName;
    cap->WantCapture = true;
    cap->UseTempFile = false;
    cap->CaptureFileName = RecordFileName;
    if (cap->StartCapture(false))
        return true;
    RestoreRecordingSettings();
    return false;
}

bool CameraView::StopRecording() {
    bool finished = true;
    const bool recording = cap->Capturing();
    const QString file = cap->ResolveFileName(cap->CaptureFileName);
    if (recording)
        finished = cap->StopCapture();
    RestoreRecordingSettings();
    // Whatever ended it (the stop command, a switch-off, a new recording, the station's
    // end): a file left without its end, or without any picture, does not play, and that
    // is told.
    if (!finished)
        ShowMessageBox(QStringLiteral("The recording of Camera %1 could not be finished: %2 may not play.")
                           .arg(CameraNumber)
                           .arg(file));
    else if (recording && QFileInfo(file).exists() && QFileInfo(file).size() == 0)
        ShowMessageBox(QStringLiteral("The recording of Camera %1 ended before its first picture: %2 cannot be played.")
                           .arg(CameraNumber)
                           .arg(file));
    return finished;
}

void CameraView::RestoreRecordingSettings() {
    if (!savedCapture_.active)
        return;
    cap->WantCapture = savedCapture_.wantCapture;
    cap->UseTempFile = savedCapture_.useTempFile;
    cap->CaptureFileName = savedCapture_.captureFileName;
    savedCapture_ = {};
}

void CameraView::capBitmapGrabbed(const QImage& CapturedImage) {
    // Shared, never written: the caption goes over it when painted, and into a copy only when
    // the captioned picture is asked for.
    uncaptioned_ = CapturedImage;
    uncaptioned24_ = QImage();
    captionedStale_ = true;
    sinceGrab_.start();
    // The live caption is only ever seen on screen: nobody watching, it is stamped afresh when
    // someone looks again (its time has moved on by then).
    if (watched_)
        RefreshCaptionOverlay(CapturedImage.size());
    frameImage->SetPicture(CapturedImage, overlay_);
    if (Show())
        Show()(CameraNumber, CapturedImage, overlay_, overlayDisplay_);
}

void CameraView::RefreshCaptionOverlay(const QSize& size) {
    if (!Stamp()) {
        overlay_ = {};
        return;
    }
    // The caption's text changes once a second at most.
    const qint64 second = QDateTime::currentSecsSinceEpoch();
    if (second == overlaySecond_ && overlay_.frame == size)
        return;
    overlaySecond_ = second;
    platform::PictureOverlay fresh = platform::PictureOverlay::ForFrame(size);
    platform::PictureCanvas canvas;
    canvas.ShareImage(fresh.image);
    fresh.image = QImage(); // the canvas holds the only reference: no copy when it draws
    overlayDisplay_ = Stamp()(canvas, CameraNumber);
    fresh.image = canvas.Image();
    fresh.areas = canvas.Touched();
    overlay_ = fresh.Trimmed(); // the frame-sized picture goes: the caption needs a small part
}

void CameraView::capFrameRendered() {
    // Shown, the view takes every frame. Nobody sees it: a few frames a second keep the
    // picture the detector and the picture store read fresh, and the rest are never converted
    // nor even announced until the next one is due.
    watched_ = IsWatched();
    const int waitMs = watched_ ? 0 : UnwatchedFrameMs();
    if (!watched_ && sinceGrab_.isValid() && !sinceGrab_.hasExpired(waitMs)) {
        cap->HoldFrameNotices(int(waitMs - sinceGrab_.elapsed()));
        return;
    }
    cap->HoldFrameNotices(0);
    cap->RequestBitmap();
}

bool CameraView::IsWatched() const {
    const QWidget* top = window();
    // An unmapped window (minimised by the window manager) is shown but not exposed.
    const QWindow* handle = top->windowHandle();
    if (!top->isVisible() || top->isMinimized() || (handle && !handle->isExposed()))
        return false;
    // A view inside a hidden or collapsed panel (the main window parks unused camera frames
    // at 1x1 pixel) shows nothing.
    constexpr int kSmallestView = 8;
    const QRect seen = frameImage->isVisible() ? frameImage->visibleRegion().boundingRect() : QRect();
    return (seen.width() >= kSmallestView && seen.height() >= kSmallestView) ||
           (Watch() && Watch()(CameraNumber));
}

QImage CameraView::UncaptionedFrame() const {
    if (uncaptioned24_.isNull() && !uncaptioned_.isNull())
        uncaptioned24_ = CapturedBitmap(uncaptioned_);
    return uncaptioned24_;
}
