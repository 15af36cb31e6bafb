#include "capture/DriverSetupPage.h"

#include "capture/CameraChoiceWidgets.h"
#include "capture/DriverAliasRegistry.h"
#include "capture/DriverListDelegates.h"
#include "capture/DriverSetupHandlers.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* Heading(const QString& text, int width, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFixedWidth(width);
    return label;
}

} // namespace

void BindDefaultCamControls(DriverSetupHandlers& handlers, CameraChoiceWidgets& choices,
                            QComboBox* defaultCam1, QComboBox* defaultCam2, QLineEdit* location1,
                            QLineEdit* location2, QAbstractButton* save) {
    choices.SetDefaultWidgets(defaultCam1, defaultCam2, location1, location2);
    DriverSetupHandlers* h = &handlers;
    QComboBox* defaults[2] = {defaultCam1, defaultCam2};
    QLineEdit* locations[2] = {location1, location2};
    for (int camera = 1; camera <= 2; ++camera) {
        if (QComboBox* box = defaults[camera - 1])
            QObject::connect(box, &QComboBox::activated, box,
                             [h, camera] { h->DefaultCamChange(camera); });
        if (QLineEdit* edit = locations[camera - 1])
            QObject::connect(edit, &QLineEdit::textChanged, edit,
                             [h, camera, edit] { h->LocationChange(camera, edit->hasFocus()); });
    }
    if (save)
        QObject::connect(save, &QAbstractButton::clicked, save, [h] { h->SaveLocations(); });
}

DriverSetupPage::DriverSetupPage(DriverAliasRegistry& registry, DriverSetupHandlers& handlers,
                                 CameraChoiceWidgets& choices, QWidget* parent, bool ownDefaultCams)
    : QWidget(parent), registry_(registry), handlers_(handlers) {
    setObjectName(QStringLiteral("DriverSetupPage"));
    auto* layout = new QVBoxLayout(this);

    if (ownDefaultCams) {
        DefaultCam1 = Named(new QComboBox(this), "DefaultCam1");
        DefaultCam2 = Named(new QComboBox(this), "DefaultCam2");
        Location1 = Named(new QLineEdit(this), "Location1");
        Location2 = Named(new QLineEdit(this), "Location2");
        saveLocationsButton = Named(new QPushButton(QStringLiteral("Save"), this), "saveLocationsButton");
        Location1->setMaxLength(100);
        Location2->setMaxLength(100);

        auto* defaults = new QGridLayout;
        defaults->addWidget(new QLabel(QStringLiteral("Cam 1"), this), 0, 0);
        defaults->addWidget(DefaultCam1, 0, 1);
        defaults->addWidget(Location1, 0, 2);
        defaults->addWidget(new QLabel(QStringLiteral("Cam 2"), this), 1, 0);
        defaults->addWidget(DefaultCam2, 1, 1);
        defaults->addWidget(Location2, 1, 2);
        defaults->addWidget(saveLocationsButton, 0, 3, 2, 1);
        defaults->setColumnStretch(1, 1);
        defaults->setColumnStretch(2, 1);
        layout->addLayout(defaults);
        BindDefaultCamControls(handlers_, choices, DefaultCam1, DefaultCam2, Location1, Location2,
                               saveLocationsButton);
    }

    driverListPanel = Named(new QWidget(this), "driverListPanel");
    driverStatusList = Named(new QListWidget(driverListPanel), "driverStatusList");
    driverStatusList->setItemDelegate(new DriverStatusDelegate(driverStatusList));
    driverStatusList->setStyleSheet(QStringLiteral("QListWidget { background: black; }"));
    driverStatusList->setMinimumWidth(620);
    testDriversButton = Named(new QPushButton(QStringLiteral("&Test"), driverListPanel), "testDriversButton");
    resetDriversButton = Named(new QPushButton(QStringLiteral("&Reset"), driverListPanel), "resetDriversButton");
    refreshDriversButton = Named(new QPushButton(QStringLiteral("&Refresh"), driverListPanel), "refreshDriversButton");
    testDriversButton->hide();
    resetDriversButton->hide();

    auto* headings = new QHBoxLayout;
    headings->setSpacing(0);
    headings->addSpacing(20);
    headings->addWidget(Heading(QStringLiteral("Driver"), 200, driverListPanel));
    headings->addWidget(Heading(QStringLiteral("Description"), 260, driverListPanel));
    headings->addWidget(new QLabel(QStringLiteral("Status"), driverListPanel), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(testDriversButton);
    buttons->addWidget(resetDriversButton);
    buttons->addWidget(refreshDriversButton);
    auto* panel = new QVBoxLayout(driverListPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addLayout(headings);
    panel->addWidget(driverStatusList, 1);
    panel->addLayout(buttons);
    layout->addWidget(driverListPanel, 1);

    connect(&registry_, &DriverAliasRegistry::RowsChanged, this, &DriverSetupPage::ShowRows);
    connect(&registry_, &DriverAliasRegistry::SelectedRowChanged, this,
            &DriverSetupPage::ShowSelectedRow);
    connect(driverStatusList, &QListWidget::currentRowChanged, &registry_,
            &DriverAliasRegistry::SelectRow);
    connect(testDriversButton, &QPushButton::clicked, this, [this] { handlers_.TestDrivers(); });
    connect(resetDriversButton, &QPushButton::clicked, this, [this] { handlers_.ResetDrivers(); });
    connect(refreshDriversButton, &QPushButton::clicked, this, [this] { handlers_.RefreshDrivers(); });

    ShowRows();
}

void DriverSetupPage::ShowRows() {
    QSignalBlocker block(driverStatusList);
    const QStringList& rows = registry_.Rows();
    if (driverStatusList->count() == rows.size()) {
        for (int i = 0; i < rows.size(); ++i)
            driverStatusList->item(i)->setText(rows[i]);
    } else {
        driverStatusList->clear();
        driverStatusList->addItems(rows);
    }
    driverStatusList->setCurrentRow(registry_.SelectedRow());
}

void DriverSetupPage::ShowSelectedRow(int row) {
    QSignalBlocker block(driverStatusList);
    driverStatusList->setCurrentRow(row);
}
