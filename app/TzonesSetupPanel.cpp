// The set-up panel Panel1: the default cameras above, the five tabs below. What its
// controls do is StationTray's (StationSetupPanel.cpp).
#include "app/ControlKit.h"
#include "app/NetworkPanel.h"
#include "app/Tzones.h"

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

void Tzones::BuildSetupPanel() {
    Panel1 = MakePanel(this, "Panel1");
    Panel1->resize(kPanelSize);
    Blacken(Panel1);
    Panel1->hide();

    auto* title = Caption(Panel1, QStringLiteral("TORVEK Setup Default Cams"), {12, 8, 400, 22});
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 2);
    title->setFont(titleFont);
    title->setStyleSheet(QStringLiteral("color: yellow;"));
    Button11 = Make<QPushButton>(Panel1, "Button11", QStringLiteral("Hide"));
    Button11->setGeometry(590, 8, 76, 26);

    // One row per camera: default device, location name, motion count, camera set-up.
    Caption(Panel1, QStringLiteral("Cam 1"), {12, 44, 44, 22});
    DefaultCam1 = MakeCombo(Panel1, "DefaultCam1", false);
    DefaultCam1->setGeometry(58, 42, 230, 26);
    Location1 = Make<QLineEdit>(Panel1, "Location1");
    Location1->setGeometry(296, 42, 166, 26);
    Errors1 = Make<QLabel>(Panel1, "Errors1", QStringLiteral("00000"));
    Errors1->setGeometry(470, 44, 76, 22);
    Button5 = Make<QPushButton>(Panel1, "Button5", QStringLiteral("More"));
    Button5->setGeometry(548, 42, 56, 26);
    Caption(Panel1, QStringLiteral("Cam 2"), {12, 76, 44, 22});
    DefaultCam2 = MakeCombo(Panel1, "DefaultCam2", false);
    DefaultCam2->setGeometry(58, 74, 230, 26);
    Location2 = Make<QLineEdit>(Panel1, "Location2");
    Location2->setGeometry(296, 74, 166, 26);
    Errors2 = Make<QLabel>(Panel1, "Errors2", QStringLiteral("00000"));
    Errors2->setGeometry(470, 76, 76, 22);
    Button7 = Make<QPushButton>(Panel1, "Button7", QStringLiteral("More"));
    Button7->setGeometry(548, 74, 56, 26);
    for (QLineEdit* location : {Location1, Location2})
        location->setMaxLength(100);
    Button44 = Make<QPushButton>(Panel1, "Button44", QStringLiteral("Save"));
    Button44->setGeometry(610, 42, 56, 58);

    // Surveillance options and the alarm.
    LogAllowed = Make<QCheckBox>(Panel1, "LogAllowed", QStringLiteral("Log"));
    LogAllowed->setGeometry(58, 106, 56, 22);
    Showw = Make<QCheckBox>(Panel1, "Showw", QStringLiteral("Show"));
    Showw->setGeometry(118, 106, 64, 22);
    CheckBox1 = Make<QCheckBox>(Panel1, "CheckBox1", QStringLiteral("Lock"));
    CheckBox1->setGeometry(186, 106, 64, 22);
    connect(CheckBox1, &QCheckBox::toggled, this, &Tzones::CheckBox1Click);
    Panel8 = Make<QPushButton>(Panel1, "Panel8", QStringLiteral("Reset"));
    Panel8->setGeometry(256, 104, 60, 26);
    alarm = Make<QCheckBox>(Panel1, "alarm", QStringLiteral("Sound Alarm"));
    alarm->setGeometry(330, 106, 130, 22);
    more = Make<QLabel>(Panel1, "more", QStringLiteral("more"));
    more->setGeometry(620, 108, 46, 20);
    more->setMouseTracking(true);

    // The tab control: the tabs on top, each page at (15, 25) below them.
    TabArea = MakePanel(Panel1, "TabArea");
    TabArea->setGeometry(kTabArea);
    Blacken(TabArea);
    TabControl1 = new QTabBar(TabArea);
    TabControl1->setObjectName("TabControl1");
    TabControl1->setGeometry(0, 0, kTabArea.width(), 25);
    TabControl1->setDrawBase(true);
    // "Screen" and "Advanced" are added at creation.
    TabControl1->addTab(QStringLiteral("Driver List"));
    TabControl1->addTab(QStringLiteral("Auto Start"));
    TabControl1->addTab(QStringLiteral("E-Alerts"));
    const QRect page(QPoint(15, 25), kPageSize);

    DriverStatusPanel = MakePanel(TabArea, "DriverStatusPanel");
    DriverStatusPanel->setGeometry(page);

    autostartpanel = MakePanel(TabArea, "autostartpanel");
    autostartpanel->setGeometry(page);
    AutoStart1 = Make<QCheckBox>(autostartpanel, "AutoStart1", QStringLiteral("Auto Start Cam 1"));
    AutoStart1->setGeometry(16, 16, 220, 22);
    AutoStart2 = Make<QCheckBox>(autostartpanel, "AutoStart2", QStringLiteral("Auto Start Cam 2"));
    AutoStart2->setGeometry(16, 44, 220, 22);
    placeonsystray = Make<QCheckBox>(autostartpanel, "placeonsystray", QStringLiteral("Place on Systray"));
    placeonsystray->setGeometry(16, 72, 220, 22);
    startmotionFlag = Make<QRadioButton>(autostartpanel, "startmotionFlag", QStringLiteral("Start Motion"));
    startmotionFlag->setGeometry(260, 16, 240, 22);
    starttimerFlag = Make<QRadioButton>(autostartpanel, "starttimerFlag", QStringLiteral("Start Timer"));
    starttimerFlag->setGeometry(260, 44, 240, 22);
    motionandtime = Make<QRadioButton>(autostartpanel, "motionandtime", QStringLiteral("Start Motion and Timer"));
    motionandtime->setGeometry(260, 72, 240, 22);
    // Stored with the options; the panel offers no caption for it.
    OnStartup = Make<QCheckBox>(autostartpanel, "OnStartup");
    OnStartup->setGeometry(16, 100, 20, 22);
    OnStartup->hide();

    AlertsPanel = new AlertsTab(TabArea);
    AlertsPanel->setObjectName("AlertsPanel");
    AlertsPanel->setAutoFillBackground(true);
    AlertsPanel->setGeometry(page);
    MinsCombo = AlertsPanel->MinsCombo;
    MaxImages = AlertsPanel->MaxImages;
    EmailLimit = AlertsPanel->EmailLimit;
    AlertFormat = AlertsPanel->AlertFormat;
    AlertEmail = AlertsPanel->AlertEmail;
    smtpEdit = AlertsPanel->smtpEdit;
    UserEdit = AlertsPanel->UserEdit;
    PassEdit = AlertsPanel->PassEdit;
    ReplyEmailAddressText = AlertsPanel->ReplyEmailAddressText;
    siteLocation = AlertsPanel->siteLocation;
    NotifyActive = AlertsPanel->NotifyActive;
    clearcue = AlertsPanel->clearcue;
    Label39 = AlertsPanel->Label39;
    Label31 = AlertsPanel->Label31;
    Label33 = AlertsPanel->Label33;
    alertsummuary = AlertsPanel->alertsummuary;
    Label40 = AlertsPanel->Label40;
    Button12 = AlertsPanel->Button12;

    ScreenResPanel = MakePanel(TabArea, "ScreenResPanel");
    ScreenResPanel->setGeometry(page);
    Caption(ScreenResPanel, QStringLiteral("Default Screen Res Cam 1"), {16, 12, 290, 20});
    Vmodes = MakeCombo(ScreenResPanel, "Vmodes", true);
    Vmodes->setGeometry(16, 34, 290, 26);
    Caption(ScreenResPanel, QStringLiteral("Default Screen Res Cam 2"), {320, 12, 290, 20});
    VModes2 = MakeCombo(ScreenResPanel, "VModes2", true);
    VModes2->setGeometry(320, 34, 290, 26);
    auto* motion = Make<QGroupBox>(ScreenResPanel, "MasterMotionBox", QStringLiteral("Master Motion Settings"));
    motion->setGeometry(16, 72, 594, 150);
    Caption(motion, QStringLiteral("Sample Rate (ms)"), {12, 26, 130, 20});
    samplerate = Make<QSlider>(motion, "samplerate");
    samplerate->setOrientation(Qt::Horizontal);
    samplerate->setRange(SettingsCopy::kSampleRateMin, SettingsCopy::kSampleRateMax);
    samplerate->setValue(400);
    samplerate->setGeometry(150, 24, 260, 24);
    RGBred = Make<QCheckBox>(motion, "RGBred", QStringLiteral("Red"));
    RGBred->setGeometry(12, 60, 80, 22);
    RGBGreen = Make<QCheckBox>(motion, "RGBGreen", QStringLiteral("Green"));
    RGBGreen->setGeometry(96, 60, 80, 22);
    RGBBlue = Make<QCheckBox>(motion, "RGBBlue", QStringLiteral("Blue"));
    RGBBlue->setGeometry(180, 60, 80, 22);
    lablee = Make<QLabel>(motion, "lablee", QStringLiteral("Sensitivity"));
    lablee->setGeometry(12, 96, 136, 20);
    mastersent = Make<QSlider>(motion, "mastersent");
    mastersent->setOrientation(Qt::Horizontal);
    mastersent->setRange(SettingsCopy::kMasterSensitivityMin, SettingsCopy::kMasterSensitivityMax);
    mastersent->setValue(14);
    mastersent->setGeometry(150, 94, 260, 24);
    Label1 = Make<QLabel>(motion, "Label1", QStringLiteral("Allowable Pixel Errors"));
    Label1->setGeometry(420, 96, 170, 20);
    Label7 = Make<QLabel>(ScreenResPanel, "Label7", QStringLiteral("Seconds"));
    Label7->hide();
    OverVideo = Make<QCheckBox>(ScreenResPanel, "OverVideo", QStringLiteral("TV Out"));
    OverVideo->setGeometry(16, 232, 140, 22);
    // Stored as off whatever they show; never offered.
    DisabledCaptions1 = Make<QCheckBox>(ScreenResPanel, "DisabledCaptions1");
    DisabledCaptions1->hide();
    DisabledCaptions2 = Make<QCheckBox>(ScreenResPanel, "DisabledCaptions2");
    DisabledCaptions2->hide();
    buf1 = Make<QLineEdit>(ScreenResPanel, "buf1");
    buf1->hide();
    buf2 = Make<QLineEdit>(ScreenResPanel, "buf2");
    buf2->hide();

    Advanced = MakePanel(TabArea, "Advanced");
    Advanced->setGeometry(page);
    auto* connection = Make<QGroupBox>(Advanced, "ConnectionBox", QStringLiteral("Connection"));
    connection->setGeometry(16, 12, 220, 84);
    Dailup = Make<QRadioButton>(connection, "Dailup", QStringLiteral("Dailup"));
    Dailup->setGeometry(12, 24, 180, 22);
    Broadband = Make<QRadioButton>(connection, "Broadband", QStringLiteral("Broadband"));
    Broadband->setGeometry(12, 52, 180, 22);
    diskcontrol = Make<QCheckBox>(Advanced, "diskcontrol", QStringLiteral("Disk Control"));
    diskcontrol->setGeometry(260, 36, 200, 22);
    Button36 = Make<QPushButton>(Advanced, "Button36", QStringLiteral("TCP/IP"));
    Button36->setGeometry(16, 112, 90, 26);
    Button37 = Make<QPushButton>(Advanced, "Button37", QStringLiteral("FTP"));
    Button37->setGeometry(116, 112, 90, 26);
    Button37->hide();

    // Hidden tab pages: the phone pictures and remote access.
    phonesettings = MakePanel(TabArea, "phonesettings");
    phonesettings->setGeometry(page);
    phnumber = Make<QLineEdit>(phonesettings, "phnumber");
    phnumber->setGeometry(16, 16, 200, 24);
    phcode = Make<QLineEdit>(phonesettings, "phcode");
    phcode->setGeometry(16, 46, 200, 24);
    sizelist = MakeCombo(phonesettings, "sizelist", true);
    sizelist->setGeometry(16, 76, 100, 24);
    phautoconnect = Make<QCheckBox>(phonesettings, "phautoconnect");
    phautoconnect->setGeometry(16, 106, 200, 22);
    RemoteAccess = new RemoteAccessPage(TabArea);
    RemoteAccess->setGeometry(page);

    // Camera device lists of the two camera buttons.
    cam1List = MakeCombo(CameraGroupBox, "cam1List", false);
    cam2List = MakeCombo(CameraGroupBox, "cam2List", false);

    for (QWidget* pageWidget : {DriverStatusPanel, autostartpanel, static_cast<QWidget*>(AlertsPanel),
                                ScreenResPanel, Advanced, phonesettings, static_cast<QWidget*>(RemoteAccess)})
        pageWidget->hide();
}
