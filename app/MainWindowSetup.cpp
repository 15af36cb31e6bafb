// The camera set-up command: the cameras go off, the set-up screen runs, the program restarts.
#include "app/ControlColours.h"
#include "app/MainWindow.h"

#include "capture/CaptureFlags.h"
#include "core/MessageBox.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

void MainWindow::Camera2SetupButtonClick() {
    if (CameraPreviews(2))
        CameraSetupAndRestart(2);
    else
        ShowMessageBox(kStartCameraText);
}

void MainWindow::CameraSetupAndRestart(int camera) {
    if (links_.ftp->IsFtpConnected()) {
        ShowMessageBox(QStringLiteral("You must close FTP to use this!"));
        return;
    }
    timeLapseTimer.SetEnabled(false);
    timeLapseFlashTimer.SetEnabled(false);
    motionTimer.SetEnabled(false);
    // Surveillance is off, and the button says so whatever becomes of the restart.
    SetFontColour(surveillanceButton, ControlColours::kBlack);
    surveillanceButton->setText(kMotionText);
    const int deviceIndex = (camera == 1 ? cam1List : cam2List)->currentIndex();

    // Which cameras run is read before queries are suspended: afterwards none reports a
    // preview. A recording is finished before its camera goes.
    if (RecordingActive)
        StopRecordingActionClick();
    for (int n : {1, 2}) {
        CommandCamera* view = CommandCameraOf(n);
        if (!view || !(view->IsPreviewing() || view->IsCapturing()))
            continue;
        SwitchCameraOff(n);
        if (CommandCamera* current = CommandCameraOf(n)) {
            current->StopRecording();
            current->ConnectCamera(false, 0);
        }
    }
    camera1Button->setText(kOffText);
    camera2Button->setText(kOffText);
    CameraQueriesSuspended = 1;

    // The frames go at the next turn of the event loop: this may run inside one of their
    // own click handlers.
    for (QWidget** frame : {&cameraFrame1, &cameraFrame2}) {
        if (*frame) {
            (*frame)->hide();
            (*frame)->deleteLater();
            *frame = nullptr;
        }
    }

    links_.cameraSetup->OpenSetupScreen(deviceIndex, camera);
    // Ended while the screen was open: no new copy, and the frames stay as they are.
    if (shuttingDown_ || RestartProgram())
        return;

    // Not restarted (already told): the station carries on with fresh, unconnected frames.
    CameraQueriesSuspended = 0;
    CreateCameraFrame2();
    CreateCameraFrame1();
}
