// Clicks on the camera views and the window, the full-screen item and the Views box.
#include "app/CameraCommandRules.h"
#include "app/MainWindow.h"

#include "core/MessageBox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

bool MainWindow::ArrangeViewLayout() {
    using CameraCommandRules::ViewToggle;
    relayoutTimer.SetEnabled(false);
    const ViewToggle toggle = CameraCommandRules::DecideViewToggle(width(), !mainToolbar->isHidden());
    if (toggle == ViewToggle::NothingToDo)
        return false;
    mainToolbar->show();
    links_.layout->RestoreFullView();
    if (toggle == ViewToggle::ShowToolbar && FullToolbarLayout) {
        for (QWidget* frame : {cameraFrame1, cameraFrame2}) {
            if (frame)
                frame->resize(frame->width(), cameraAreaBox->height() - 2);
        }
    }
    return true;
}

void MainWindow::CameraFrame1Click() {
    if (!ArrangeViewLayout())
        TakePicture1();
}

void MainWindow::CameraFrame2Click() {
    if (!ArrangeViewLayout())
        TakePicture2();
}

void MainWindow::FormClick() {
    mainToolbar->show();
    if (CameraPreviews(1) || CameraPreviews(2))
        links_.layout->RestoreFullView();
}

void MainWindow::FullScreenActionClick() {
    show();
    ArrangeViewLayout();
}

void MainWindow::ShowViewsButtonClick() {
    if (CameraPreviews(1) && CameraPreviews(2)) {
        viewsBox->show();
        viewsBox->raise();
        return;
    }
    ShowMessageBox(QStringLiteral("You must start both cameras to use Views."));
    if (cam1List->count() < 2)
        viewsButton->setEnabled(false);
}

void MainWindow::HideViewsButtonClick() { viewsBox->hide(); }
