#include "capture/VideoCaptureDialogs.h"

#include "capture/CaptureFormatDialog.h"
#include "capture/VideoCapture.h"
#include "platform/DeviceControlDialog.h"
#include "platform/ElementControls.h"
#include "platform/MediaPipeline.h"
#include "platform/V4l2Controls.h"

#include <QWidget>

namespace {

const QString kV4l2KeyPrefix = QStringLiteral("v4l2:");

void PlaceByOwner(QDialog& dialog, QWidget* owner) {
    if (owner)
        dialog.move(owner->mapToGlobal(QPoint(30, 30)));
}

GstElement* SourceElement(const VideoCapture* cap) {
    return cap && cap->Pipeline() ? cap->Pipeline()->VideoSourceElement() : nullptr;
}

} // namespace

VideoCaptureDialogs::VideoCaptureDialogs(VideoCapture& cap, QWidget* owner) : cap_(&cap), owner_(owner) {}

bool VideoCaptureDialogs::StillConnected() const {
    return cap_ && shownFor_ == connection_;
}

std::unique_ptr<platform::DeviceControlModel> VideoCaptureDialogs::SourceSettings() const {
    if (!cap_ || !cap_->VideoSourceMoniker)
        return nullptr;
    const QString key = cap_->VideoSourceMoniker->Key();
    if (key.startsWith(kV4l2KeyPrefix)) {
        auto io = platform::OpenV4l2Device(key.mid(kV4l2KeyPrefix.size()));
        if (!io)
            return nullptr;
        return std::make_unique<platform::V4l2ControlModel>(std::move(io));
    }
    GstElement* element = SourceElement(cap_);
    if (!element)
        return nullptr;
    return std::make_unique<platform::ElementControlModel>(element);
}

DialogFlags VideoCaptureDialogs::FindDialogs() {
    CaptureDialogFacts facts;
    facts.hasVideoSource = SourceElement(cap_) != nullptr;
    if (facts.hasVideoSource) {
        const auto settings = SourceSettings();
        facts.sourceHasSettings = settings && !settings->Controls().isEmpty();
        facts.captureHasFormats = cap_->VideoModeCount() > 0;
    }
    // Encoder settings would be lost: the recording branch makes its encoder afresh.
    facts.hasVideoCompressor = false;
    set_ = FindCaptureDialogs(facts);
    return set_;
}

bool VideoCaptureDialogs::ShowDialog(int number) {
    const std::shared_ptr<VideoCaptureDialogs> keep = shared_from_this();
    if (!cap_)
        return false;
    shownFor_ = connection_;
    return ShowCaptureDialog(*this, set_, number);
}

bool VideoCaptureDialogs::IsCapturing() const {
    return cap_ && cap_->Capturing();
}

bool VideoCaptureDialogs::WantsPreview() const {
    return StillConnected() && cap_->WantPreview;
}

void VideoCaptureDialogs::StopPreviewForDialog() {
    if (cap_)
        cap_->StopPreview();
}

void VideoCaptureDialogs::TearDownGraphForDialog() {
    if (cap_)
        cap_->TearDownGraph();
}

void VideoCaptureDialogs::StartPreviewAfterDialog() {
    if (StillConnected())
        cap_->StartPreview();
}

void VideoCaptureDialogs::ShowSourceSettings() {
    auto settings = SourceSettings();
    if (!settings)
        return;
    // On the heap: its owner may go while it is open and take it along.
    const QPointer<platform::DeviceControlDialog> dialog =
        new platform::DeviceControlDialog(*settings, QString::fromLatin1(CaptureDialogNames[dlgVideoSource]), owner_);
    PlaceByOwner(*dialog, owner_);
    RunModalDialog(*dialog);
    delete dialog.data();
}

void VideoCaptureDialogs::ShowCaptureFormats() {
    if (!cap_)
        return;
    VideoMode current{};
    cap_->GetCurrentVideoMode(current);
    QStringList formats;
    int currentRow = -1;
    for (int i = 0; i < cap_->VideoModeCount(); ++i) {
        VideoMode mode{};
        cap_->GetVideoMode(i, mode);
        formats << DescribeVideoMode(mode);
        if (currentRow < 0 && IsSameVideoMode(mode, current))
            currentRow = i;
    }
    const QPointer<CaptureFormatDialog> dialog = new CaptureFormatDialog(formats, currentRow, owner_);
    PlaceByOwner(*dialog, owner_);
    const int result = RunModalDialog(*dialog);
    const int chosen = dialog ? dialog->Chosen() : -1;
    delete dialog.data();
    if (result == QDialog::Accepted && chosen >= 0 && chosen != currentRow && StillConnected())
        cap_->SetVideoMode(chosen);
}

void VideoCaptureDialogs::ShowCompressorSettings() {}
