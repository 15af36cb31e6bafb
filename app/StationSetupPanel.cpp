// The set-up panel: opening, the tab pages, closing, and the handlers of its controls.
#include "app/StationTray.h"

#include "app/ControlColours.h"
#include "app/NetworkPanel.h"
#include "app/MainWindow.h"

#include "capture/CaptureModes.h"
#include "capture/DriverSetupPage.h"
#include "capture/CameraView.h"
#include "capture/VideoCapture.h"
#include "core/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QVBoxLayout>

void StationTray::BindSetupPanel() {
    MainWindow& z = mainWindow_;
    for (QPushButton* setup : {z.setupButton, z.viewsSetupButton})
        connect(setup, &QPushButton::clicked, this, &StationTray::ToggleSetupPanel);
    connect(z.setupHideButton, &QPushButton::clicked, this, &StationTray::SetupHideButtonClick);
    connect(z.hideButton, &QPushButton::clicked, this, &StationTray::MinimizeToTray);
    // The tabs are changed by code only at activation, which shows the page itself; a
    // change while the settings are applied (the window's show) shows nothing.
    connect(z.setupTabs, &QTabBar::currentChanged, this, [this] {
        if (!mainWindow_.Flags().ApplyingSettings)
            ShowSetupTab();
    });
    windowMenuLabel_ = z.windowMenuLabel;
    cameraBox_ = z.cameraBox;
    windowMenuLabel_->installEventFilter(this);
    cameraBox_->installEventFilter(this);
}

void StationTray::BindHandlers() {
    MainWindow& z = mainWindow_;
    const auto applying = [&z] { return z.Flags().ApplyingSettings; };
    connect(z.videoMode1Combo, &QComboBox::activated, this, [this] { VideoModeChange(1); });
    connect(z.videoMode2Combo, &QComboBox::activated, this, [this] { VideoModeChange(2); });
    // Boxes and sliders also answer changes made by code, except while settings are applied.
    connect(z.sampleRateSlider, &QSlider::valueChanged, this, [&z, applying](int position) {
        if (!applying())
            z.motionTimer.SetInterval(position);
    });
    for (QCheckBox* colour : {z.redChannelBox, z.greenChannelBox, z.blueChannelBox})
        connect(colour, &QCheckBox::toggled, this, [&z, applying] {
            if (!applying())
                z.ReadColourChannelBoxes();
        });
    connect(z.masterSensitivitySlider, &QSlider::valueChanged, this, [&z, applying](int position) {
        // The label always tells the position shown.
        z.masterSensitivityLabel->setText(QStringLiteral("Master Sensitivity ") + QString::number(position));
        if (!applying())
            z.ReadColourChannelBoxes();
    });
    z.masterSensitivityLabel->setText(QStringLiteral("Master Sensitivity ") + QString::number(z.masterSensitivitySlider->value()));
    connect(z.hotZone1Box, &QCheckBox::toggled, this, [&z, applying](bool on) {
        if (!applying())
            z.Store().Record().HotZone1 = on;
    });
    connect(z.hotZone2Box, &QCheckBox::toggled, this, [&z, applying](bool on) {
        if (!applying())
            z.Store().Record().HotZone2 = on;
    });
    for (QPushButton* ftp : {z.ftpButton, z.viewsFtpButton})
        connect(ftp, &QPushButton::clicked, this, &StationTray::FtpButtonClick);
    connect(z.setupFtpButton, &QPushButton::clicked, this, &StationTray::SetupFtpButtonClick);
}

void StationTray::VideoModeChange(int camera) {
    MainWindow& z = mainWindow_;
    if (z.Flags().ApplyingSettings)
        return;
    SettingsRecord& record = z.Store().Record();
    (camera == 2 ? record.AviReady2 : record.AviReady1) = false;
    z.Store().WriteSettingsFile();
    const int index = (camera == 2 ? z.videoMode2Combo : z.videoMode1Combo)->currentIndex();
    CameraView* view = z.Cap(camera);
    if (!view || !view->IsPreviewing() || index < 0 || index >= view->cap->VideoModeCount())
        return;
    view->cap->SetVideoMode(index);
    view->cap->StartPreview();
}

void StationTray::ShowSetupTab() {
    MainWindow& z = mainWindow_;
    QWidget* const pages[] = {z.driverListPage, z.autoStartPage, z.alertsPage, z.screenPage, z.advancedPage};
    for (QWidget* page : {z.driverListPage, z.autoStartPage, static_cast<QWidget*>(z.alertsPage),
                          z.screenPage, z.advancedPage, z.phoneSettingsPage, static_cast<QWidget*>(z.remoteAccessPage)})
        page->hide();
    const int tab = z.setupTabs->currentIndex();
    if (tab < 0 || tab >= int(std::size(pages)))
        return;
    pages[tab]->raise();
    pages[tab]->show();
    if (tab == 3) {
        const SettingsRecord& record = z.Store().Record();
        for (int camera : {1, 2}) {
            CameraView* view = z.Cap(camera);
            if (!view || !view->IsPreviewing())
                continue;
            QComboBox* list = camera == 2 ? z.videoMode2Combo : z.videoMode1Combo;
            const QSignalBlocker quiet(list);
            list->clear();
            const int count = view->cap->VideoModeCount();
            for (int i = 0; i < count; ++i) {
                VideoMode mode;
                view->cap->GetVideoMode(i, mode);
                list->addItem(DescribeVideoMode(mode));
            }
            // A filled list selects nothing of its own: only a mode the user chooses is stored.
            const QString stored = (camera == 2 ? record.VideoMode2 : record.VideoMode1).trimmed();
            list->setCurrentIndex(stored.isEmpty() ? -1 : list->findText(stored, Qt::MatchExactly));
            if (list->currentIndex() < 0)
                list->setEditText(stored);
        }
    } else if (tab == 4) {
        z.remoteAccessPage->hintLabel->clear();
    }
}

void StationTray::FillPhoneSizeList() {
    MainWindow& z = mainWindow_;
    SettingsRecord& record = z.Store().Record();
    const TrayRules::PhoneSizes sizes = TrayRules::PhoneSizeList(z.dialUpButton->isChecked(), record.PhonePictureSize);
    record.PhonePictureSize = sizes.stored;
    const QSignalBlocker quiet(z.phoneSizeCombo);
    z.phoneSizeCombo->clear();
    z.phoneSizeCombo->addItems(sizes.items);
    z.phoneSizeCombo->setCurrentIndex(-1);
    z.phoneSizeCombo->setEditText(sizes.stored.trimmed());
}

void StationTray::ToggleSetupPanel() {
    MainWindow& z = mainWindow_;
    if (z.setupPanel->isVisible()) {
        z.setupPanel->hide();
        return;
    }
    if (placeStatusPanel)
        placeStatusPanel();
    ShowSetupTab();
    SetFontColour(z.motionCount1Label, CameraRuns(1) ? ControlColours::kYellow : ControlColours::kSilver);
    SetFontColour(z.motionCount2Label, CameraRuns(2) ? ControlColours::kYellow : ControlColours::kSilver);
    const struct {
        QComboBox* list;
        QComboBox* defaults;
        QLineEdit* location;
    } cameras[] = {{z.cam1List, z.DefaultCam1, z.Location1}, {z.cam2List, z.DefaultCam2, z.Location2}};
    for (const auto& camera : cameras) {
        const int row = camera.list->currentIndex();
        if (row < 0)
            continue;
        const QSignalBlocker quiet(camera.defaults);
        camera.defaults->setCurrentIndex(row < camera.defaults->count() ? row : -1);
        camera.location->setText(z.Links().aliases->DriverAlias(camera.list->itemText(row)));
    }
    z.setupPanel->raise();
    z.setupPanel->show();
    z.StoreCameraChoice();
    if (refreshDrivers)
        refreshDrivers();
}

void StationTray::SetupHideButtonClick() {
    // A new alert period with an empty queue.
    mainWindow_.Links().alerts->RestartAlertPeriod();
    StoreSetupPanel();
    mainWindow_.GatherAndSaveSettings();
    mainWindow_.setupPanel->hide();
}

void StationTray::StoreSetupPanel() {
    MainWindow& z = mainWindow_;
    z.ReadColourChannelBoxes();
    z.Links().alerts->StoreSmtpEdits();

    TrayRules::AutoStartBoxes boxes{z.AutoStart1->isChecked(), z.AutoStart2->isChecked(),
                                    z.placeOnTrayBox->isChecked()};
    boxes = TrayRules::CloseAutoStartBoxes(boxes, z.DefaultCam1->currentText(), z.DefaultCam2->currentText());
    z.placeOnTrayBox->setChecked(boxes.placeOnTray);
    z.AutoStart2->setChecked(boxes.autoStart2);

    SettingsRecord& record = z.Store().Record();
    const struct {
        QComboBox* defaults;
        QComboBox* list;
        qint16& driverIndex;
        qint16& defaultIndex;
    } cameras[] = {{z.DefaultCam1, z.cam1List, z.DriverIndex1, record.DefaultCam1Index},
                   {z.DefaultCam2, z.cam2List, z.DriverIndex2, record.DefaultCam2Index}};
    for (const auto& camera : cameras) {
        const int row = camera.defaults->currentIndex();
        if (row < 0)
            continue;
        {
            const QSignalBlocker quiet(camera.list);
            camera.list->setCurrentIndex(row < camera.list->count() ? row : -1);
        }
        if (camera.list->isEditable())
            camera.list->setEditText(camera.defaults->currentText());
        camera.driverIndex = qint16(row);
        camera.defaultIndex = qint16(row);
    }
}

void HostDriverSetupPage(MainWindow& mainWindow, DriverAliasRegistry& registry, DriverSetupHandlers& handlers,
                         CameraChoiceWidgets& choices) {
    auto* page = new DriverSetupPage(registry, handlers, choices, mainWindow.driverListPage, false);
    auto* fill = new QVBoxLayout(mainWindow.driverListPage);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(page);
    BindDefaultCamControls(handlers, choices, mainWindow.DefaultCam1, mainWindow.DefaultCam2, mainWindow.Location1,
                           mainWindow.Location2, mainWindow.saveLocationsButton);
}
