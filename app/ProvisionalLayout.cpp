#include "app/ProvisionalLayout.h"

#include "app/LoggedPictures.h"
#include "app/Tzones.h"

#include "capture/TtorCap.h"
#include "core/SettingsStore.h"

#include <QComboBox>
#include <QGroupBox>
#include <QScreen>

void ProvisionalLayout::Relayout() {
    Tzones& zones = zones_;
    zones.restlye.SetEnabled(false);
    const int toolbarHeight = 80;
    zones.maintoolbar->setGeometry(0, zones.height() - toolbarHeight, zones.width(), toolbarHeight);
    // Each camera's device list beside its buttons.
    if (zones.cam1List->parentWidget() != zones.CameraGroupBox) {
        zones.CameraGroupBox->resize(420, zones.CameraGroupBox->height());
        zones.cam1List->setParent(zones.CameraGroupBox);
        zones.cam2List->setParent(zones.CameraGroupBox);
        zones.cam1List->setGeometry(212, 18, 200, 24);
        zones.cam2List->setGeometry(212, 46, 200, 24);
    }
    zones.cam1List->show();
    zones.cam2List->show();
    int left = 0;
    for (QWidget* group : {static_cast<QWidget*>(zones.CameraGroupBox), static_cast<QWidget*>(zones.SurveillancePanel),
                           zones.Panel7, static_cast<QWidget*>(zones.GroupBox4)}) {
        group->move(left, 0);
        left += group->width() + 5;
    }
    zones.maintoolbar->show();
    zones.GroupBox1->setGeometry(0, 0, zones.width(), zones.maintoolbar->y() - 5);
    zones.GroupBox1->show();
}

void ProvisionalLayout::ArrangeCameraPanels() {
    Tzones& zones = zones_;
    QList<int> running;
    for (int camera : {1, 2}) {
        if (zones.CameraPreviews(camera))
            running << camera;
        else if (QWidget* frame = camera == 2 ? zones.VideoCap2 : zones.VideoCap1)
            frame->hide();
    }
    if (running.isEmpty())
        return;
    const QRect area = zones.GroupBox1->geometry().adjusted(2, 18, -2, -2);
    const int width = area.width() / int(running.size());
    for (int i = 0; i < running.size(); ++i) {
        const int camera = running.at(i);
        QWidget* frame = camera == 2 ? zones.VideoCap2 : zones.VideoCap1;
        const QRect cell(area.left() + i * width, area.top(), width - 2, area.height());
        frame->setGeometry(QRect(frame->parentWidget()->mapFrom(&zones, cell.topLeft()), cell.size()));
        if (TtorCap* view = zones.Cap(camera))
            view->Image->setGeometry(0, 0, cell.width(), cell.height());
        frame->show();
        frame->raise();
    }
}

void ProvisionalLayout::ArrangeAfterStart() {
    zones_.Timer3.SetEnabled(false);
    ArrangeCameraPanels();
}

int ProvisionalLayout::LayoutScreenWidth() const {
    // The widest layout is that of a 1024-pixel screen.
    const QScreen* screen = zones_.screen();
    return screen ? qMin(screen->size().width(), 1024) : 0;
}

void ProvisionalLayout::ShowLoggedPictures(int which) {
    Tzones& zones = zones_;
    const QString folder = which == 3 ? zones.HistoryFolder() : zones.Store().CameraFolder(which);
    ::ShowLoggedPictures(which, folder, zones, *zones.Links().pictureLog, [&zones] { zones.maintoolbar->show(); });
}
