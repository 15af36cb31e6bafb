#pragma once
// Keeps a camera that brings the program down at every start from doing so for ever, without
// letting one kill or power cut during a start-up switch auto-start off. A marker file in
// the program folder counts the start-ups in a row that ended while their cameras were
// starting; the settings file is never touched by it.
#include <QString>

class CameraStartGuard {
public:
    // Start-ups in a row that ended while starting the cameras before the next one leaves
    // them off.
    static constexpr int kTripAfter = 2;
    static inline const QString kMarkerName = QStringLiteral("camerastart.mark");

    explicit CameraStartGuard(QString markerPath) : path_(std::move(markerPath)) {}

    // The earlier start-ups in a row that ended while starting the cameras.
    int EndedWhileStarting() const;
    // True when the cameras may start; the marker then counts this start-up until Passed().
    // False when the guard trips (the caller leaves the cameras off); the count is cleared.
    bool Begin();
    // The start of the cameras is over (the process did not die in it): the count goes.
    void Passed();

private:
    QString path_;
};
