#pragma once
// What the windows of the other parts (zone windows, time-lapse, FTP, picture log, e-mail
// and report windows, online service) ask of the main window. The main window implements
// it; NullMainWindowLink stands in where there is none (a window tested on its own).
#include "core/LinkUnavailable.h"

#include <QColor>
#include <QString>

class QWidget;

class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;

    // The main window as the parent of dialogs and message boxes; null when there is none.
    virtual QWidget* Window() = 0;
    // True from the start of the shutdown: a caller back from a modal window or a wait stops.
    virtual bool IsShuttingDown() const = 0;

    // Cameras and pictures.
    virtual bool CameraPreviews(int camera) const = 0;
    // A picture of camera 1 or 2 as its Take Pic button takes it; nothing while it is off.
    virtual void TakePicture(int camera) = 0;
    virtual void AimCamera(int camera) = 0;

    // Surveillance. StartStopSurveillance shows the state motionTimer holds (false when it
    // refused and nothing changed); SwitchSurveillance sets motionTimer first and puts it
    // back on a refusal.
    virtual bool StartStopSurveillance() = 0;
    virtual bool SwitchSurveillance(bool on) = 0;
    virtual bool MotionTimeRunning() const = 0;
    virtual void SetMotionTimeRunning(bool running) = 0;
    virtual bool TimeLapseTimerRunning() const = 0;
    virtual void SetTimeLapseTimerRunning(bool running) = 0;
    // The motion-count texts of the set-up panel ("MO 00000").
    virtual QString MotionText(int camera) const = 0;
    virtual void ResetMotionCounters() = 0;

    // A zone window's or the picture log's request to show the other view of a camera.
    virtual quint8 ViewSwitchRequest() const = 0;
    virtual void SetViewSwitchRequest(quint8 request) = 0;

    // Settings.
    virtual void GatherAndSaveSettings() = 0;
    virtual QString ProgramFolder() const = 0;
    virtual QString HistoryFolder() const = 0;
    // The trimmed texts of the set-up panel's SMTP host and reply address edits.
    virtual QString SmtpHost() const = 0;
    virtual QString ReplyAddress() const = 0;

    // The main window's caption, and the camera area's colour (maroon during an upload).
    virtual void SetCaption(const QString& text) = 0;
    virtual void SetCameraAreaColour(const QColor& colour) = 0;

    virtual void ShowHelp(int topic) = 0;
};

class NullMainWindowLink final : public MainWindowLink {
public:
    static MainWindowLink& Instance() {
        static NullMainWindowLink link;
        return link;
    }
    QWidget* Window() override { return nullptr; }
    bool IsShuttingDown() const override { return false; }
    bool CameraPreviews(int) const override { return Say("CameraPreviews"), false; }
    void TakePicture(int) override { Say("TakePicture"); }
    void AimCamera(int) override { Say("AimCamera"); }
    bool StartStopSurveillance() override { return Say("StartStopSurveillance"), false; }
    bool SwitchSurveillance(bool) override { return Say("SwitchSurveillance"), false; }
    bool MotionTimeRunning() const override { return Say("MotionTimeRunning"), false; }
    void SetMotionTimeRunning(bool) override { Say("SetMotionTimeRunning"); }
    bool TimeLapseTimerRunning() const override { return Say("TimeLapseTimerRunning"), false; }
    void SetTimeLapseTimerRunning(bool) override { Say("SetTimeLapseTimerRunning"); }
    QString MotionText(int) const override { return Say("MotionText"), QString(); }
    void ResetMotionCounters() override { Say("ResetMotionCounters"); }
    quint8 ViewSwitchRequest() const override { return Say("ViewSwitchRequest"), quint8(0); }
    void SetViewSwitchRequest(quint8) override { Say("SetViewSwitchRequest"); }
    void GatherAndSaveSettings() override { Say("GatherAndSaveSettings"); }
    QString ProgramFolder() const override { return Say("ProgramFolder"), QString(); }
    QString HistoryFolder() const override { return Say("HistoryFolder"), QString(); }
    QString SmtpHost() const override { return Say("SmtpHost"), QString(); }
    QString ReplyAddress() const override { return Say("ReplyAddress"), QString(); }
    void SetCaption(const QString&) override { Say("SetCaption"); }
    void SetCameraAreaColour(const QColor&) override { Say("SetCameraAreaColour"); }
    void ShowHelp(int) override { Say("ShowHelp"); }

private:
    static void Say(const char* routine) { ReportLinkUnavailable("MainWindowLink", routine); }
};
