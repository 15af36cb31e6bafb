// Camera cycling: camera 1's view shows each device in turn on the cycling strip.
#include "app/CameraCommandRules.h"
#include "app/ControlColours.h"
#include "app/Tzones.h"

#include "core/MessageBox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void Tzones::CycleClick() {
    if (cam1List->count() < 2) {
        ShowMessageBox(QStringLiteral("You must have more than One cameras to use Cycle"));
        Button26->setEnabled(false);
        return;
    }
    // A recording ends with its camera; its state goes with it.
    if (RecordingActive)
        StopCapture1Click();
    if (VideoCap1)
        VideoCap1->show();
    maintoolbar->hide();
    for (int camera : {1, 2}) {
        if (CommandCamera* view = CameraView(camera))
            view->ConnectCamera(false, 0);
    }
    MotionTime.SetEnabled(false);
    SetFontColour(Panel4, ControlColours::kBlack);
    for (QPushButton* button : {Panel2, Panel3}) {
        button->setText(kOffText);
        SetFontColour(button, ControlColours::kBlack);
    }
    if (VideoCap1) {
        VideoCap1->raise();
        VideoCap1->setGeometry(0, VideoCap1->y(), GroupBox1->width(), VideoCap1->height());
    }
    if (CommandCamera* view = CameraView(1))
        view->ConnectCamera(false, 0);
    cycleIMAGE->show();
    cycleIMAGE->raise();
    Timer4.SetEnabled(true);
}

void Tzones::Timer4Timer() {
    const int devices = cam1List->count();
    if (devices <= 0)
        return;
    Timer4.SetEnabled(false);
    CyclePosition = qint16(CameraCommandRules::NextCyclePosition(CyclePosition, devices));
    cycleIMAGE->clear();
    // The device the strip names is the one shown.
    if (CommandCamera* view = CameraView(1))
        view->ConnectCamera(true, CyclePosition);
    cycleIMAGE->setText(cam1List->itemText(CyclePosition));
    Timer4.SetEnabled(true);
}

void Tzones::Button17Click() {
    Timer4.SetEnabled(false);
    cycleIMAGE->setText(QStringLiteral("Stopped Press Cycle to continue"));
    CyclePosition = qint16(CameraCommandRules::PreviousCyclePosition(CyclePosition, cam1List->count()));
}

void Tzones::secondsChange() {
    Timer4.SetInterval(CameraCommandRules::CycleIntervalMs(seconds->text()));
}

void Tzones::Button18Click() {
    maintoolbar->show();
    Timer4.SetEnabled(false);
    if (CommandCamera* view = CameraView(1))
        view->ConnectCamera(false, 0);
    cycleIMAGE->hide();
}

void Tzones::Button14Click() {
    ShowHelp(0);
    maintoolbar->show();
}
