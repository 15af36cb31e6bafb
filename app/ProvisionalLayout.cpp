#include "app/ProvisionalLayout.h"

#include "app/Tzones.h"

#include <QGroupBox>

void ProvisionalRelayout(Tzones& zones) {
    zones.restlye.SetEnabled(false);
    const int toolbarHeight = 80;
    zones.maintoolbar->setGeometry(0, zones.height() - toolbarHeight, zones.width(), toolbarHeight);
    zones.maintoolbar->show();
    zones.GroupBox1->setGeometry(0, 0, zones.width(), zones.maintoolbar->y() - 5);
    zones.GroupBox1->show();
}
