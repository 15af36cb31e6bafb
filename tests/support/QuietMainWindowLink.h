#pragma once
// The main window as a window under test sees it: every request does nothing and every
// question has a plain answer. Tests override what they record or steer.
#include "core/MainWindowLink.h"

#include <QColor>
#include <QString>

class QuietMainWindowLink : public MainWindowLink {
public:
    QWidget* Window() override { return nullptr; }
    bool IsShuttingDown() const override { return false; }
    bool CameraPreviews(int) const override { return false; }
    void TakePicture(int) override {}
    void AimCamera(int) override {}
    bool StartStopSurveillance() override { return false; }
    bool SwitchSurveillance(bool) override { return false; }
    bool MotionTimeRunning() const override { return false; }
    void SetMotionTimeRunning(bool) override {}
    bool TimeLapseTimerRunning() const override { return false; }
    void SetTimeLapseTimerRunning(bool) override {}
    QString MotionText(int) const override { return {}; }
    void ResetMotionCounters() override {}
    quint8 ViewSwitchRequest() const override { return 0; }
    void SetViewSwitchRequest(quint8) override {}
    void GatherAndSaveSettings() override {}
    QString ProgramFolder() const override { return {}; }
    QString HistoryFolder() const override { return {}; }
    QString SmtpHost() const override { return {}; }
    QString ReplyAddress() const override { return {}; }
    void SetCaption(const QString&) override {}
    void SetCameraAreaColour(const QColor&) override {}
    void ShowHelp(int) override {}
};
