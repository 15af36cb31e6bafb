// The set-up panel (setupPanel): the default cameras above, the five tabs below. What its
// controls do is StationTray's (StationSetupPanel.cpp).
#include "app/ControlKit.h"
#include "app/NetworkPanel.h"
#include "app/MainWindow.h"

#include "publish/AlertsTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>

using namespace controlkit;

namespace {

constexpr QSize kPanelSize(680, 450);
constexpr QRect kTabArea(10, 136, 660, 304);
constexpr QSize kPageSize(630, 272);

QLabel* Caption(QWidget* parent, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    return label;
}

} // namespace

void MainWindow::BuildSetupPanel() {
    setupPanel = MakePanel(this, "setupPanel");
    setupPanel->resize(kPanelSize);
    Blacken(setupPanel);
    setupPanel->hide();

    auto* title = Caption(setupPanel, QStringLiteral("TORVEK Setup Default Cams"), {12, 8, 400, 22});
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 2);
    title->setFont(titleFont);
    title->setStyleSheet(QStringLiteral("color: yellow;"));
    setupHideButton = Make<QPushButton>(setupPanel, "setupHideButton", QStringLiteral("Hide"));
    setupHideButton->setGeometry(590, 8, 76, 26);

    // One row per camera: default device, location name, motion count, camera set-up.
    Caption(setupPanel, QStringLiteral("Cam 1"), {12, 44, 44, 22});
    DefaultCam1 = MakeCombo(setupPanel, "DefaultCam1", false);
    DefaultCam1->setGeometry(58, 42, 230, 26);
    Location1 = Make<QLineEdit>(setupPanel, "Location1");
    Location1->setGeometry(296, 42, 166, 26);
    motionCount1Label = Make<QLabel>(setupPanel, "motionCount1Label", QStringLiteral("00000"));
    motionCount1Label->setGeometry(470, 44, 76, 22);
    camera1SetupButton = Make<QPushButton>(setupPanel, "camera1SetupButton", QStringLiteral("More"));
    camera1SetupButton->setGeometry(548, 42, 56, 26);
    Caption(setupPanel, QStringLiteral("Cam 2"), {12, 76, 44, 22});
    DefaultCam2 = MakeCombo(setupPanel, "DefaultCam2", false);
    DefaultCam2->setGeometry(58, 74, 230, 26);
    Location2 = Make<QLineEdit>(setupPanel, "Location2");
    Location2->setGeometry(296, 74, 166, 26);
    motionCount2Label = Make<QLabel>(setupPanel, "motionCount2Label", QStringLiteral("00000"));
    motionCount2Label->setGeometry(470, 76, 76, 22);
    camera2SetupButton = Make<QPushButton>(setupPanel, "camera2SetupButton", QStringLiteral("More"));
    camera2SetupButton->setGeometry(548, 74, 56, 26);
    for (QLineEdit* location : {Location1, Location2})
        location->setMaxLength(100);
    saveLocationsButton = Make<QPushButton>(setupPanel, "saveLocationsButton", QStringLiteral("Save"));
    saveLocationsButton->setGeometry(610, 42, 56, 58);

    // Surveillance options and the alarm.
    logBox = Make<QCheckBox>(setupPanel, "logBox", QStringLiteral("Log"));
    logBox->setGeometry(58, 106, 56, 22);
    showOnMotionBox = Make<QCheckBox>(setupPanel, "showOnMotionBox", QStringLiteral("Show"));
    showOnMotionBox->setGeometry(118, 106, 64, 22);
    lockBox = Make<QCheckBox>(setupPanel, "lockBox", QStringLiteral("Lock"));
    lockBox->setGeometry(186, 106, 64, 22);
    connect(lockBox, &QCheckBox::toggled, this, &MainWindow::LockBoxClick);
    resetButton = Make<QPushButton>(setupPanel, "resetButton", QStringLiteral("Reset"));
    resetButton->setGeometry(256, 104, 60, 26);
    soundAlarmBox = Make<QCheckBox>(setupPanel, "soundAlarmBox", QStringLiteral("Sound Alarm"));
    soundAlarmBox->setGeometry(330, 106, 130, 22);
    windowMenuLabel = Make<QLabel>(setupPanel, "windowMenuLabel", QStringLiteral("more"));
    windowMenuLabel->setGeometry(620, 108, 46, 20);
    windowMenuLabel->setMouseTracking(true);

    // The tab control: the tabs on top, each page at (15, 25) below them.
    tabArea = MakePanel(setupPanel, "tabArea");
    tabArea->setGeometry(kTabArea);
    Blacken(tabArea);
    setupTabs = new QTabBar(tabArea);
    setupTabs->setObjectName("setupTabs");
    setupTabs->setGeometry(0, 0, kTabArea.width(), 25);
    setupTabs->setDrawBase(true);
    // "Screen" and "Advanced" are added at creation.
    setupTabs->addTab(QStringLiteral("Driver List"));
    setupTabs->addTab(QStringLiteral("Auto Start"));
    setupTabs->addTab(QStringLiteral("E-Alerts"));
    const QRect page(QPoint(15, 25), kPageSize);

    driverListPage = MakePanel(tabArea, "driverListPage");
    driverListPage->setGeometry(page);

    autoStartPage = MakePanel(tabArea, "autoStartPage");
    autoStartPage->setGeometry(page);
    AutoStart1 = Make<QCheckBox>(autoStartPage, "AutoStart1", QStringLiteral("Auto Start Cam 1"));
    AutoStart1->setGeometry(16, 16, 220, 22);
    AutoStart2 = Make<QCheckBox>(autoStartPage, "AutoStart2", QStringLiteral("Auto Start Cam 2"));
    AutoStart2->setGeometry(16, 44, 220, 22);
    placeOnTrayBox = Make<QCheckBox>(autoStartPage, "placeOnTrayBox", QStringLiteral("Place on Systray"));
    placeOnTrayBox->setGeometry(16, 72, 220, 22);
    startMotionButton = Make<QRadioButton>(autoStartPage, "startMotionButton", QStringLiteral("Start Motion"));
    startMotionButton->setGeometry(260, 16, 240, 22);
    startTimerButton = Make<QRadioButton>(autoStartPage, "startTimerButton", QStringLiteral("Start Timer"));
    startTimerButton->setGeometry(260, 44, 240, 22);
    startMotionAndTimerButton = Make<QRadioButton>(autoStartPage, "startMotionAndTimerButton", QStringLiteral("Start Motion and Timer"));
    startMotionAndTimerButton->setGeometry(260, 72, 240, 22);
    // Stored with the options; the panel offers no caption for it.
    onStartupBox = Make<QCheckBox>(autoStartPage, "onStartupBox");
    onStartupBox->setGeometry(16, 100, 20, 22);
    onStartupBox->hide();

    alertsPage = new AlertsTab(tabArea);
    alertsPage->setObjectName("alertsPage");
    alertsPage->setAutoFillBackground(true);
    alertsPage->setGeometry(page);
    minutesCombo = alertsPage->minutesCombo;
    maxImagesCombo = alertsPage->maxImagesCombo;
    emailLimitCombo = alertsPage->emailLimitCombo;
    alertFormatCombo = alertsPage->alertFormatCombo;
    alertEmailEdit = alertsPage->alertEmailEdit;
    smtpEdit = alertsPage->smtpEdit;
    smtpUserEdit = alertsPage->smtpUserEdit;
    smtpPasswordEdit = alertsPage->smtpPasswordEdit;
    replyAddressEdit = alertsPage->replyAddressEdit;
    siteLocationEdit = alertsPage->siteLocationEdit;
    alertsActiveBox = alertsPage->alertsActiveBox;
    clearQueueBox = alertsPage->clearQueueBox;
    limitUnitLabel = alertsPage->limitUnitLabel;
    minutesUnitLabel = alertsPage->minutesUnitLabel;
    imagesUnitLabel = alertsPage->imagesUnitLabel;
    alertSummaryLabel = alertsPage->alertSummaryLabel;
    alertStatusLabel = alertsPage->alertStatusLabel;
    sendNowButton = alertsPage->sendNowButton;

    screenPage = MakePanel(tabArea, "screenPage");
    screenPage->setGeometry(page);
    Caption(screenPage, QStringLiteral("Default Screen Res Cam 1"), {16, 12, 290, 20});
    videoMode1Combo = MakeCombo(screenPage, "videoMode1Combo", true);
    videoMode1Combo->setGeometry(16, 34, 290, 26);
    Caption(screenPage, QStringLiteral("Default Screen Res Cam 2"), {320, 12, 290, 20});
    videoMode2Combo = MakeCombo(screenPage, "videoMode2Combo", true);
    videoMode2Combo->setGeometry(320, 34, 290, 26);
    auto* motion = Make<QGroupBox>(screenPage, "MasterMotionBox", QStringLiteral("Master Motion Settings"));
    motion->setGeometry(16, 72, 594, 150);
    Caption(motion, QStringLiteral("Sample Rate (ms)"), {12, 26, 130, 20});
    sampleRateSlider = Make<QSlider>(motion, "sampleRateSlider");
    sampleRateSlider->setOrientation(Qt::Horizontal);
    sampleRateSlider->setRange(SettingsCopy::kSampleRateMin, SettingsCopy::kSampleRateMax);
    sampleRateSlider->setValue(400);
    sampleRateSlider->setGeometry(150, 24, 260, 24);
    redChannelBox = Make<QCheckBox>(motion, "redChannelBox", QStringLiteral("Red"));
    redChannelBox->setGeometry(12, 60, 80, 22);
    greenChannelBox = Make<QCheckBox>(motion, "greenChannelBox", QStringLiteral("Green"));
    greenChannelBox->setGeometry(96, 60, 80, 22);
    blueChannelBox = Make<QCheckBox>(motion, "blueChannelBox", QStringLiteral("Blue"));
    blueChannelBox->setGeometry(180, 60, 80, 22);
    masterSensitivityLabel = Make<QLabel>(motion, "masterSensitivityLabel", QStringLiteral("Sensitivity"));
    masterSensitivityLabel->setGeometry(12, 96, 136, 20);
    masterSensitivitySlider = Make<QSlider>(motion, "masterSensitivitySlider");
    masterSensitivitySlider->setOrientation(Qt::Horizontal);
    masterSensitivitySlider->setRange(SettingsCopy::kMasterSensitivityMin, SettingsCopy::kMasterSensitivityMax);
    masterSensitivitySlider->setValue(14);
    masterSensitivitySlider->setGeometry(150, 94, 260, 24);
    pixelErrorsLabel = Make<QLabel>(motion, "pixelErrorsLabel", QStringLiteral("Allowable Pixel Errors"));
    pixelErrorsLabel->setGeometry(420, 96, 170, 20);
    cycleSecondsLabel = Make<QLabel>(screenPage, "cycleSecondsLabel", QStringLiteral("Seconds"));
    cycleSecondsLabel->hide();
    tvOutBox = Make<QCheckBox>(screenPage, "tvOutBox", QStringLiteral("TV Out"));
    tvOutBox->setGeometry(16, 232, 140, 22);
    // Stored as off whatever they show; never offered.
    DisabledCaptions1 = Make<QCheckBox>(screenPage, "DisabledCaptions1");
    DisabledCaptions1->hide();
    DisabledCaptions2 = Make<QCheckBox>(screenPage, "DisabledCaptions2");
    DisabledCaptions2->hide();
    bufferSize1Edit = Make<QLineEdit>(screenPage, "bufferSize1Edit");
    bufferSize1Edit->hide();
    bufferSize2Edit = Make<QLineEdit>(screenPage, "bufferSize2Edit");
    bufferSize2Edit->hide();

    advancedPage = MakePanel(tabArea, "advancedPage");
    advancedPage->setGeometry(page);
    auto* connection = Make<QGroupBox>(advancedPage, "ConnectionBox", QStringLiteral("Connection"));
    connection->setGeometry(16, 12, 220, 84);
    dialUpButton = Make<QRadioButton>(connection, "dialUpButton", QStringLiteral("Dailup"));
    dialUpButton->setGeometry(12, 24, 180, 22);
    broadbandButton = Make<QRadioButton>(connection, "broadbandButton", QStringLiteral("Broadband"));
    broadbandButton->setGeometry(12, 52, 180, 22);
    diskControlBox = Make<QCheckBox>(advancedPage, "diskControlBox", QStringLiteral("Disk Control"));
    diskControlBox->setGeometry(260, 36, 200, 22);
    tcpIpButton = Make<QPushButton>(advancedPage, "tcpIpButton", QStringLiteral("TCP/IP"));
    tcpIpButton->setGeometry(16, 112, 90, 26);
    setupFtpButton = Make<QPushButton>(advancedPage, "setupFtpButton", QStringLiteral("FTP"));
    setupFtpButton->setGeometry(116, 112, 90, 26);
    setupFtpButton->hide();

    // Hidden tab pages: the phone pictures and remote access.
    phoneSettingsPage = MakePanel(tabArea, "phoneSettingsPage");
    phoneSettingsPage->setGeometry(page);
    phoneNumberEdit = Make<QLineEdit>(phoneSettingsPage, "phoneNumberEdit");
    phoneNumberEdit->setGeometry(16, 16, 200, 24);
    phoneCodeEdit = Make<QLineEdit>(phoneSettingsPage, "phoneCodeEdit");
    phoneCodeEdit->setGeometry(16, 46, 200, 24);
    phoneSizeCombo = MakeCombo(phoneSettingsPage, "phoneSizeCombo", true);
    phoneSizeCombo->setGeometry(16, 76, 100, 24);
    phoneAutoConnectBox = Make<QCheckBox>(phoneSettingsPage, "phoneAutoConnectBox");
    phoneAutoConnectBox->setGeometry(16, 106, 200, 22);
    remoteAccessPage = new RemoteAccessPage(tabArea);
    remoteAccessPage->setGeometry(page);

    // Camera device lists of the two camera buttons.
    cam1List = MakeCombo(cameraBox, "cam1List", false);
    cam2List = MakeCombo(cameraBox, "cam2List", false);

    for (QWidget* pageWidget : {driverListPage, autoStartPage, static_cast<QWidget*>(alertsPage),
                                screenPage, advancedPage, phoneSettingsPage, static_cast<QWidget*>(remoteAccessPage)})
        pageWidget->hide();
}
