#pragma once
// The motion detector, its loop and the picture store as the main window and the other
// windows use them (time-lapse pictures, zone checks, the picture log's purge).
#include "core/LinkUnavailable.h"

#include <QImage>
#include <QString>

class MotionLink {
public:
    virtual ~MotionLink() = default;
    // Saves a picture taken by hand (or by time-lapse) as a motion picture of the camera.
    virtual void SaveMotionPicture(const QImage& picture, int camera) = 0;
    // The caption of the camera's last picture, and the pictures saved since start by both.
    virtual QString FormatLastImageCaption(int camera) const = 0;
    virtual qint32 PictureCountTotal() const = 0;
    virtual void PlayAlarmSound() = 0;
    virtual void ResetPictureCounts() = 0;
    virtual void SetPictureNamePart(const QString& part) = 0;
    virtual void MotionTick() = 0; // tick of motionTimer
    // Forget both cameras' previous counts; one check of a camera's zone.
    virtual void ResetMotionDetector() = 0;
    virtual void CheckMotionZone(int camera) = 0;
};

class NullMotionLink final : public MotionLink {
public:
    static MotionLink& Instance() {
        static NullMotionLink link;
        return link;
    }
    void SaveMotionPicture(const QImage&, int) override { Say("SaveMotionPicture"); }
    QString FormatLastImageCaption(int) const override { return Say("FormatLastImageCaption"), QString(); }
    qint32 PictureCountTotal() const override { return Say("PictureCountTotal"), 0; }
    void PlayAlarmSound() override { Say("PlayAlarmSound"); }
    void ResetPictureCounts() override { Say("ResetPictureCounts"); }
    void SetPictureNamePart(const QString&) override { Say("SetPictureNamePart"); }
    void MotionTick() override { Say("MotionTick"); }
    void ResetMotionDetector() override { Say("ResetMotionDetector"); }
    void CheckMotionZone(int) override { Say("CheckMotionZone"); }

private:
    static void Say(const char* routine) { ReportLinkUnavailable("MotionLink", routine); }
};
