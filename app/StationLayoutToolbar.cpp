// The tool bar's geometry: the full and compact arrangements of its groups, the fixed
// geometry, captions and fonts of its controls, and the set-up panel's place.
#include "app/ControlColours.h"
#include "app/LayoutAlign.h"
#include "app/StationLayout.h"
#include "app/MainWindow.h"

#include "platform/Rounding.h"
#include "publish/AlertPaintBoxes.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

// A button's colour is its text's; a group's is its caption's (its buttons keep theirs).
void SetColours(QWidget* w, const QColor& text, const QColor& background = QColor()) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, text);
    if (qobject_cast<QAbstractButton*>(w))
        p.setColor(QPalette::ButtonText, text);
    if (background.isValid()) {
        p.setColor(QPalette::Window, background);
        w->setAutoFillBackground(true);
    }
    GreyWhenDisabled(p);
    w->setPalette(p);
}

// Heights are in pixels, as the window description gives them.
QFont Font(const QString& family, int pixelHeight, bool bold = false) {
    QFont font(family);
    if (family.startsWith(QLatin1String("Courier")))
        font.setStyleHint(QFont::TypeWriter); // a missing Courier gives way to a fixed-pitch font
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

// The installed font standing in for a missing one may be wider: it gets smaller until the
// whole text fits the label.
void FitToWidth(QLabel* label) {
    QFont font = label->font();
    const int room = label->contentsRect().width();
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(label->text()) > room)
        font.setPixelSize(font.pixelSize() - 1);
    label->setFont(font);
}

} // namespace

void StationLayout::LayoutToolbar() {
    MainWindow& z = mainWindow_;
    if (z.FullToolbarLayout == 1) {
        z.clockBox->show();
        z.cam1List->resize(200, z.cam1List->height());
        z.cam2List->resize(200, z.cam2List->height());
        z.takePicture1Button->move(282, z.takePicture1Button->y());
        z.takePicture2Button->move(282, z.takePicture2Button->y());
        z.cameraBox->setGeometry(0, -2, 360, z.cameraBox->height());
        const QRect camera = z.cameraBox->geometry();
        z.surveillanceBox->setGeometry(camera.width(), camera.y() + 2, z.surveillanceBox->width(),
                                         camera.height() - 2);
        const QRect zones = z.surveillanceBox->geometry();
        z.surveillanceSetupPanel->setGeometry(zones.x() + zones.width(), camera.y() + 8, z.surveillanceSetupPanel->width(),
                                         camera.height() - 8);
        z.mainToolbar->resize(z.mainToolbar->width(), camera.height());
        z.toolbarTitleLabel->move(z.width() - (z.toolbarTitleLabel->width() + 4), -2);
        z.toolbarTitleLabel->hide();
        z.mainToolbar->raise();
        z.mainToolbar->show();
        z.cameraAreaBox->move(0, 0);
        z.cameraAreaBox->show();
        z.cameraAreaBox->resize(z.width() - 1, z.cameraAreaBox->height());
        z.mainToolbar->setGeometry(z.mainToolbar->x(), z.height() - z.mainToolbar->height(), z.width(),
                                   z.mainToolbar->height());
    }
    LayoutCompactToolbar();
}

void StationLayout::LayoutCompactToolbar() {
    MainWindow& z = mainWindow_;
    z.clockBox->hide();
    z.mainToolbar->resize(z.mainToolbar->width(), 135);
    z.cameraBox->move(z.cameraBox->x(), -1);
    z.surveillanceBox->move(z.surveillanceBox->x(), 66);
    z.surveillanceSetupPanel->move(z.surveillanceSetupPanel->x(), 73);
    z.toolbarTitleLabel->move(367, 63);
    z.toolbarTitleLabel->show();
    SetAlign(z.mainToolbar, Align::None);
    z.mainToolbar->setGeometry(-2, 1, 442, 133);
    z.cam1List->resize(289, z.cam1List->height());
    z.cam2List->resize(289, z.cam2List->height());
    z.takePicture1Button->move(368, z.takePicture1Button->y());
    z.takePicture2Button->move(368, z.takePicture2Button->y());
    z.cameraBox->setGeometry(1, z.cameraBox->y(), 441, z.cameraBox->height());
    z.surveillanceBox->setGeometry(2, z.surveillanceBox->y(), z.surveillanceBox->width(), 65);
    z.surveillanceSetupPanel->setGeometry(267, z.surveillanceSetupPanel->y(), z.surveillanceSetupPanel->width(), 58);
    z.cameraAreaBox->resize(z.width() - 1, z.height() - 1);
    if (z.cameraFrame2)
        z.cameraFrame2->resize(z.cameraFrame2->width(), z.height() - 1);
    QPalette p = z.cameraAreaBox->palette();
    p.setColor(QPalette::Window, Qt::black);
    z.cameraAreaBox->setPalette(p);
}

void StationLayout::LayoutMainToolbar() {
    MainWindow& z = mainWindow_;
    int count = 0;
    const LayoutRules::ToolbarRow* rows = LayoutRules::MainToolbarRows(&count);
    const QList<QWidget*> controls = {z.mainToolbar, z.surveillanceBox, z.surveillanceSetupPanel, z.cameraBox,
                                      z.cameraLabel1, z.cameraLabel2, z.camera1Button, z.camera2Button, z.cam1List, z.cam2List,
                                      z.takePicture1Button, z.takePicture2Button, z.zoneLabel, z.surveillanceButton, z.hotZone1Box, z.hotZone2Box, z.log1Button,
                                      z.log2Button, z.aim1Button, z.aim2Button, z.timeLapseButton, z.setupButton, z.hideButton,
                                      z.toolbarTitleLabel};
    for (int i = 0; i < count; ++i) {
        for (QWidget* w : controls) {
            if (w && w->objectName() == QLatin1String(rows[i].name))
                w->setGeometry(rows[i].geometry);
        }
    }
    const QColor white(255, 255, 255), black(0, 0, 0), blue(0, 0, 255), red(255, 0, 0);
    const QString courier = QStringLiteral("Courier New");
    const QString sans = QStringLiteral("MS Sans Serif");
    z.mainToolbar->setWindowTitle(QString());
    for (QGroupBox* group : {z.surveillanceBox, z.cameraBox}) {
        SetColours(group, white, black);
        group->setFont(Font(courier, 13));
    }
    SetColours(z.surveillanceSetupPanel, white, black);
    z.surveillanceBox->setTitle(QStringLiteral("Surveillance Zones"));
    z.cameraBox->setTitle(QStringLiteral("Cameras"));
    for (QLabel* label : {z.cameraLabel1, z.cameraLabel2}) {
        label->setFont(Font(QStringLiteral("Courier"), 16, true));
        SetColours(label, white);
    }
    z.cameraLabel1->setText(QStringLiteral("1"));
    z.cameraLabel2->setText(QStringLiteral("2"));
    for (QPushButton* button : {z.camera1Button, z.camera2Button, z.surveillanceButton})
        button->setFont(Font(sans, 12, true));
    // Black under the text, as under the list's rows: its silver (camera off) and yellow
    // (camera on) would not stand out from the list's silver.
    for (QComboBox* list : {z.cam1List, z.cam2List}) {
        list->setFont(Font(sans, 16));
        QPalette p = list->palette();
        p.setColor(QPalette::Base, black);
        list->setPalette(p);
    }
    SetColours(z.takePicture1Button, blue);
    SetColours(z.takePicture2Button, white);
    // White on the usual light button face could hardly be read.
    QPalette face = z.takePicture2Button->palette();
    face.setColor(QPalette::Button, QColor(64, 64, 64));
    z.takePicture2Button->setPalette(face);
    for (QPushButton* button : {z.log1Button, z.log2Button, z.aim1Button, z.aim2Button})
        SetColours(button, blue);
    for (QPushButton* button : {z.takePicture1Button, z.takePicture2Button, z.log1Button, z.log2Button, z.aim1Button, z.aim2Button,
                                z.timeLapseButton, z.setupButton, z.hideButton, z.captionsButton, z.helpButton, z.ftpButton,
                                z.closeButton})
        button->setFont(Font(sans, 11));
    z.zoneLabel->setText(QStringLiteral("Zones"));
    SetColours(z.zoneLabel, white);
    SetColours(z.hotZone1Box, white);
    SetColours(z.hotZone2Box, white);
    z.hotZone1Box->setText(QStringLiteral("1"));
    z.hotZone2Box->setText(QStringLiteral("2"));
    z.log1Button->setText(QStringLiteral("Log 1"));
    z.log2Button->setText(QStringLiteral("Log 2"));
    z.timeLapseButton->setText(QStringLiteral("Time Lapse "));
    z.setupButton->setText(QStringLiteral("Setup"));
    z.hideButton->setText(QStringLiteral("Hide"));
    z.toolbarTitleLabel->setText(QStringLiteral("TORVEK 5.12"));
    SetColours(z.toolbarTitleLabel, white, black);
    z.toolbarTitleLabel->setFont(Font(courier, 13));
    for (QLabel* label : {z.toolbarTitleLabel, z.zoneLabel, z.cameraLabel1, z.cameraLabel2})
        FitToWidth(label);
}

void StationLayout::PlaceStatusPanel() {
    MainWindow& z = mainWindow_;
    QPalette p = z.palette();
    p.setColor(QPalette::Window, Qt::black);
    z.setPalette(p);
    z.setupPanel->move(int(platform::RoundHalfEven((z.width() - z.setupPanel->width()) / 2.0)),
                   int(platform::RoundHalfEven((z.height() - z.setupPanel->height()) / 2.0)));
    z.setupPanel->raise();
    z.setupPanel->repaint();
}
