// The camera set-up command: the cameras go off, the set-up screen runs, the program restarts.
#include "app/ControlColours.h"
#include "app/Tzones.h"

#include "capture/CaptureFlags.h"
#include "core/MessageBox.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

void Tzones::Button7Click() {
    if (CameraPreviews(2))
        CameraSetupAndRestart(2);
    else
        ShowMessageBox(kStartCameraText);
}

void Tzones::CameraSetupAndRestart(int camera) {
    if (links_.ftp->IsFtpConnected()) {
        ShowMessageBox(QStringLiteral("You must close FTP to use this!"));
        return;
    }
    TimeLapseTimer.SetEnabled(false);
    timeLaspeFlasher.SetEnabled(false);
    MotionTime.SetEnabled(false);
    // Surveillance is off, and the button says so whatever becomes of the restart.
    SetFontColour(Panel4, ControlColours::kBlack);
    Panel4->setText(kMotionText);
    const int deviceIndex = (camera == 1 ? cam1List : cam2List)->currentIndex();

    // Which cameras run is read before queries are suspended: afterwards none reports a
    // preview. A recording is finished before its camera goes.
    if (RecordingActive)
        StopCapture1Click();
    for (int n : {1, 2}) {
        CommandCamera* view = CameraView(n);
        if (!view || !(view->IsPreviewing() || view->IsCapturing()))
            continue;
        SwitchCameraOff(n);
        if (CommandCamera* current = CameraView(n)) {
            current->StopRecording();
            current->ConnectCamera(false, 0);
        }
    }
    Panel2->setText(kOffText);
    Panel3->setText(kOffText);
    CameraQueriesSuspended = 1;

    // The frames go at the next turn of the event loop: this may run inside one of their
    // own click handlers.
    for (QWidget** frame : {&VideoCap1, &VideoCap2}) {
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
    CreateVideoCap2();
    CreateVideoCap1();
}
