// Camera cycling: camera 1's view shows each device in turn on the cycling strip.
#include "app/CameraCommandRules.h"
#include "app/ControlColours.h"
#include "app/MainWindow.h"

#include "core/MessageBox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void MainWindow::CycleActionClick() {
    if (cam1List->count() < 2) {
        ShowMessageBox(QStringLiteral("You must have more than One cameras to use Cycle"));
        helpButton->setEnabled(false);
        return;
    }
    // A recording ends with its camera; its state goes with it.
    if (RecordingActive)
        StopRecordingActionClick();
    if (cameraFrame1)
        cameraFrame1->show();
    mainToolbar->hide();
    for (int camera : {1, 2}) {
        if (CommandCamera* view = CommandCameraOf(camera))
            view->ConnectCamera(false, 0);
    }
    motionTimer.SetEnabled(false);
    SetFontColour(surveillanceButton, ControlColours::kBlack);
    for (QPushButton* button : {camera1Button, camera2Button}) {
        button->setText(kOffText);
        SetFontColour(button, ControlColours::kBlack);
    }
    if (cameraFrame1) {
        cameraFrame1->raise();
        cameraFrame1->setGeometry(0, cameraFrame1->y(), cameraAreaBox->width(), cameraFrame1->height());
    }
    if (CommandCamera* view = CommandCameraOf(1))
        view->ConnectCamera(false, 0);
    cycleLabel->show();
    cycleLabel->raise();
    cycleTimer.SetEnabled(true);
}

void MainWindow::CycleTimerTick() {
    const int devices = cam1List->count();
    if (devices <= 0)
        return;
    cycleTimer.SetEnabled(false);
    CyclePosition = qint16(CameraCommandRules::NextCyclePosition(CyclePosition, devices));
    cycleLabel->clear();
    // The device the strip names is the one shown.
    if (CommandCamera* view = CommandCameraOf(1))
        view->ConnectCamera(true, CyclePosition);
    cycleLabel->setText(cam1List->itemText(CyclePosition));
    cycleTimer.SetEnabled(true);
}

void MainWindow::CycleStopButtonClick() {
    cycleTimer.SetEnabled(false);
    cycleLabel->setText(QStringLiteral("Stopped Press Cycle to continue"));
    CyclePosition = qint16(CameraCommandRules::PreviousCyclePosition(CyclePosition, cam1List->count()));
}

void MainWindow::CycleSecondsEditChange() {
    cycleTimer.SetInterval(CameraCommandRules::CycleIntervalMs(cycleSecondsEdit->text()));
}

void MainWindow::CycleHideButtonClick() {
    mainToolbar->show();
    cycleTimer.SetEnabled(false);
    if (CommandCamera* view = CommandCameraOf(1))
        view->ConnectCamera(false, 0);
    cycleLabel->hide();
}

void MainWindow::CycleHelpButtonClick() {
    ShowHelp(0);
    mainToolbar->show();
}
