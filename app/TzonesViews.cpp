// Clicks on the camera views and the window, the full-screen item and the Views box.
#include "app/CameraCommandRules.h"
#include "app/Tzones.h"

#include "core/MessageBox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

bool Tzones::ArrangeViewLayout() {
    using CameraCommandRules::ViewToggle;
    restlye.SetEnabled(false);
    const ViewToggle toggle = CameraCommandRules::DecideViewToggle(width(), !maintoolbar->isHidden());
    if (toggle == ViewToggle::NothingToDo)
        return false;
    maintoolbar->show();
    links_.layout->RestoreFullView();
    if (toggle == ViewToggle::ShowToolbar && FullToolbarLayout) {
        for (QWidget* frame : {VideoCap1, VideoCap2}) {
            if (frame)
                frame->resize(frame->width(), GroupBox1->height() - 2);
        }
    }
    return true;
}

void Tzones::VideoCap1Click() {
    if (!ArrangeViewLayout())
        TakePicture1();
}

void Tzones::VideoCap2Click() {
    if (!ArrangeViewLayout())
        TakePicture2();
}

void Tzones::FormClick() {
    maintoolbar->show();
    if (CameraPreviews(1) || CameraPreviews(2))
        links_.layout->RestoreFullView();
}

void Tzones::FullScreen1Click() {
    show();
    ArrangeViewLayout();
}

void Tzones::Button20Click() {
    if (CameraPreviews(1) && CameraPreviews(2)) {
        GroupBox4->show();
        GroupBox4->raise();
        return;
    }
    ShowMessageBox(QStringLiteral("You must start both cameras to use Views."));
    if (cam1List->count() < 2)
        Button25->setEnabled(false);
}

void Tzones::Button21Click() { GroupBox4->hide(); }
