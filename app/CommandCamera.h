#pragma once
// What the main window's camera commands use of a camera view (TtorCap). The frames are
// replaced at every switch-off, so a command asks for the camera's view each time it needs
// it and never keeps it.
#include <QImage>
#include <QString>

class CommandCamera {
public:
    virtual ~CommandCamera() = default;
    virtual bool IsPreviewing() const = 0;
    virtual bool IsCapturing() const = 0;
    // Connects the device at a camera-list index, or disconnects; as TtorCap reports it.
    virtual bool ConnectCamera(bool connect, int deviceIndex) = 0;
    virtual void SetRecordFileName(const QString& name) = 0;
    // False when the recording did not start.
    virtual bool StartRecording() = 0;
    // False when a running recording could not be finished.
    virtual bool StopRecording() = 0;
    // A copy of the latest frame with its caption.
    virtual QImage ImageBitmap() = 0;
};
