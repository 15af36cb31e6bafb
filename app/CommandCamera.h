#pragma once
// What the main window uses of a camera view (CameraView). The frames are replaced at every
// switch-off, so a caller asks for the camera's view each time it needs it and never
// keeps it.
#include <QImage>
#include <QString>

class CommandCamera {
public:
    virtual ~CommandCamera() = default;
    virtual bool IsPreviewing() const = 0;
    virtual bool IsCapturing() const = 0;
    // Connects the device at a camera-list index, or disconnects; as CameraView reports it.
    virtual bool ConnectCamera(bool connect, int deviceIndex) = 0;
    // The camera-list row the view was connected from.
    virtual void SetTag(int row) = 0;
    virtual void SetRecordFileName(const QString& name) = 0;
    // False when the recording did not start.
    virtual bool StartRecording() = 0;
    // False when a running recording could not be finished.
    virtual bool StopRecording() = 0;
    // A copy of the latest frame with its caption, and the same frame as it came (the
    // detector's).
    virtual QImage ImageBitmap() = 0;
    virtual QImage UncaptionedFrame() const = 0;
    // Counts the camera's runs: a new run is no motion against the last one's frames.
    virtual quint64 RunNumber() const = 0;
};
