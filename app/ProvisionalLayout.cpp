#include "app/ProvisionalLayout.h"

#include "app/Tzones.h"

#include <QGroupBox>

void ProvisionalRelayout(Tzones& zones) {
    zones.restlye.SetEnabled(false);
    const int toolbarHeight = 80;
    zones.maintoolbar->setGeometry(0, zones.height() - toolbarHeight, zones.width(), toolbarHeight);
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
