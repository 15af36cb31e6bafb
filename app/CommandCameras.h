#pragma once
// Gives the camera commands the main window's camera frames, which are TtorCap views. The
// frames are replaced at every switch-off, so each call looks the frame up again.
#include "app/CommandCamera.h"

#include <QWidget>
#include <functional>
#include <memory>

class TtorCap;

class CommandCameras {
public:
    // `frame(n)` is the main window's current frame of camera n (VideoCap1, VideoCap2).
    explicit CommandCameras(std::function<QWidget*(int camera)> frame);
    ~CommandCameras();
    // Null when camera 1 or 2 has no camera view.
    CommandCamera* View(int camera);

private:
    class Adapter;
    std::function<QWidget*(int)> frame_;
    std::unique_ptr<Adapter> adapters_[2];
};
