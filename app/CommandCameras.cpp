#include "app/CommandCameras.h"

#include "capture/CameraView.h"
#include "capture/VideoCapture.h"

#include <QPointer>

class FrameCameraViews::Adapter : public CommandCamera {
public:
    QPointer<CameraView> view;

    bool IsPreviewing() const override { return view && view->IsPreviewing(); }
    bool IsCapturing() const override { return view && view->IsCapturing(); }
    bool ConnectCamera(bool connect, int deviceIndex) override {
        return view && view->ConnectCamera(connect, deviceIndex);
    }
    void SetTag(int row) override {
        if (view)
            view->SetTag(row);
    }
    void SetRecordFileName(const QString& name) override {
        if (view)
            view->SetRecordFileName(name);
    }
    bool StartRecording() override { return view && view->StartRecording(); }
    bool StopRecording() override { return !view || view->StopRecording(); }
    // The captioned picture as a 24-bit bitmap (the view keeps the live frame's 32 bits).
    QImage ImageBitmap() override { return view ? CapturedBitmap(view->ImageBitmap().Image()) : QImage(); }
    QImage UncaptionedFrame() const override { return view ? view->UncaptionedFrame() : QImage(); }
    quint64 RunNumber() const override { return view && view->cap ? view->cap->RunNumber() : 0; }
};

FrameCameraViews::FrameCameraViews(std::function<QWidget*(int camera)> frame) : frame_(std::move(frame)) {
    for (auto& adapter : adapters_)
        adapter = std::make_unique<Adapter>();
}

FrameCameraViews::~FrameCameraViews() = default;

CommandCamera* FrameCameraViews::View(int camera) {
    if (camera != 1 && camera != 2)
        return nullptr;
    auto* view = qobject_cast<CameraView*>(frame_(camera));
    if (!view)
        return nullptr;
    Adapter& adapter = *adapters_[camera - 1];
    adapter.view = view;
    return &adapter;
}
