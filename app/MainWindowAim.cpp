// The aim commands, which open a camera's zone window, and the camera set-up command.
#include "app/MainWindow.h"

#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "core/TransferBusy.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>

void MainWindow::ShowZoneWindowModal(int camera) { ZoneWindowOf(camera).ShowModal(); }

void MainWindow::StartSurveillanceForAim() {
    if (motionTimer.Enabled())
        return;
    // Refused (lock, recording): surveillance stays off as the button shows it.
    SwitchSurveillance(true);
}

void MainWindow::AimCamera1() { AimCamera(1); }

void MainWindow::AimCamera2() { AimCamera(2); }

void MainWindow::AimCamera(int camera) {
    const bool first = camera == 1;
    StoreCameraChoice();
    if (!CameraPreviews(camera)) {
        // A switch request from a zone window or the picture log stays for its reader;
        // camera 2's aim clears it.
        if (!viewSwitchRequest_)
            ShowMessageBox(kStartCameraText);
        if (!first)
            viewSwitchRequest_ = 0;
        return;
    }
    links_.layout->ArrangeCameraPanels();
    (first ? hotZone1Box : hotZone2Box)->setChecked(true);
    StartSurveillanceForAim();
    ZoneWindowOf(camera).SetTargetTicked(true);
    viewSwitchRequest_ = 0;
    {
        TransferBusyScope busy;
        ShowZoneWindowModal(camera);
        if (shuttingDown_)
            return;
        if (first) {
            GatherAndSaveSettings();
            store_.WriteSettingsFile();
        }
    }
    mainToolbar->show();
    if (!first) {
        cameraAreaBox->setTitle(QString());
        viewSwitchRequest_ = 0;
    }
}
