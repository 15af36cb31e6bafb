#pragma once
// The camera views of camera 1 and 2 as CommandCamera. The main window's own are its CameraView
// frames; tests give fakes.
#include "app/CommandCamera.h"

#include <QWidget>
#include <functional>
#include <memory>

class CommandCameras {
public:
    virtual ~CommandCameras() = default;
    // Null when camera 1 or 2 has no camera view.
    virtual CommandCamera* View(int camera) = 0;
};

// Looks the frame up at every call: `frame(n)` is the main window's current frame of
// camera n (cameraFrame1, cameraFrame2), a CameraView.
class FrameCameraViews final : public CommandCameras {
public:
    explicit FrameCameraViews(std::function<QWidget*(int camera)> frame);
    ~FrameCameraViews() override;
    CommandCamera* View(int camera) override;

private:
    class Adapter;
    std::function<QWidget*(int)> frame_;
    std::unique_ptr<Adapter> adapters_[2];
};
