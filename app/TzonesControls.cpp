// The main window's controls: created with their names, texts and captions. The tool bar's
// geometry, captions and fonts are the layout's (StationLayoutToolbar.cpp).
#include "app/Tzones.h"

#include "app/CameraPicture.h"
#include "app/NetworkPanel.h"
#include "core/SettingsStore.h"

#include "publish/AlertPaintBoxes.h"
#include "publish/AlertsTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>

namespace {

template <typename T>
T* Make(QWidget* parent, const char* name, const QString& text = QString()) {
    auto* w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    if constexpr (std::is_base_of_v<QAbstractButton, T> || std::is_same_v<T, QLabel>) {
        if (!text.isEmpty())
            w->setText(text);
    } else if constexpr (std::is_same_v<T, QGroupBox>) {
        w->setTitle(text);
    }
    return w;
}

QWidget* MakePanel(QWidget* parent, const char* name) {
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setAutoFillBackground(true);
    return w;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, bool editable) {
    auto* c = Make<QComboBox>(parent, name);
    c->setEditable(editable);
    // Typed text never turns into a new list entry.
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

void Blacken(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Qt::black);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

void Tzones::BuildControls() {
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, QColor(192, 192, 192));
    setPalette(p);
    setAutoFillBackground(true);

    BuildCameraArea();
    BuildToolbar();
    BuildSetupPanel();

    pleaseWaitPanel = Make<QLabel>(this, "pleaseWaitPanel");
    pleaseWaitPanel->setAlignment(Qt::AlignCenter);
    pleaseWaitPanel->setGeometry(300, 200, 200, 40);
    pleaseWaitPanel->hide();

    PaintBox1 = new AlertClockBox(maintoolbar);
    PaintBox1->setObjectName("PaintBox1");
    PaintBox1->hide();

    NetWorkPanel = new NetworkPanel(this, [this] { store_.SaveSettings(); });
    NetWorkPanel->move(20, 150);
    NetWorkPanel->hide();

    PhLOg = Make<QPlainTextEdit>(this, "PhLOg");
    PhLOg->setReadOnly(true);
    PhLOg->hide();

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    Exit1 = PopupMenu1->addAction(QStringLiteral("Exit"));
    Exit1->setObjectName("Exit1");
    connect(Exit1, &QAction::triggered, this, &Tzones::Exit1Click);
    LockPassword1 = PopupMenu1->addAction(QStringLiteral("Lock Password..."));
    LockPassword1->setObjectName("LockPassword1");
    connect(LockPassword1, &QAction::triggered, this, [this] { links_.accessLock->ChangeLockPassword(); });
    Install1 = PopupMenu1->addAction(QStringLiteral("Install/Uninstall..."));
    Install1->setObjectName("Install1");
    connect(Install1, &QAction::triggered, this, [this] { links_.installer->ShowInstallWindow(); });

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName("PopupMenu2");
    Close1 = PopupMenu2->addAction(QStringLiteral("Close"));
    Close1->setObjectName("Close1");
    connect(Close1, &QAction::triggered, this, &Tzones::Close1Click);
}

void Tzones::BuildCameraArea() {
    GroupBox1 = Make<QGroupBox>(this, "GroupBox1");
    GroupBox1->setGeometry(0, 0, 800, 460);

    cam1panel = Make<QLabel>(GroupBox1, "cam1panel");
    Cam2Panel = Make<QLabel>(GroupBox1, "Cam2Panel");
    pic1 = new CameraPicture(cam1panel);
    pic1->setObjectName("pic1");
    pic2 = new CameraPicture(Cam2Panel);
    pic2->setObjectName("pic2");
    PaintBox2 = new AlertBlockBox(GroupBox1);
    PaintBox2->setObjectName("PaintBox2");
}

void Tzones::BuildToolbar() {
    // Geometry, captions and fonts are the layout's (LayoutMainToolbar); here the controls
    // are made in their groups.
    maintoolbar = MakePanel(this, "maintoolbar");
    maintoolbar->setGeometry(0, 500, 447, 137);
    Blacken(maintoolbar);

    CameraGroupBox = Make<QGroupBox>(maintoolbar, "CameraGroupBox", QStringLiteral("Camera"));
    cameraLabel1 = Make<QLabel>(CameraGroupBox, "cameraLabel1", QStringLiteral("1"));
    cameraLabel2 = Make<QLabel>(CameraGroupBox, "cameraLabel2", QStringLiteral("2"));
    Panel2 = Make<QPushButton>(CameraGroupBox, "Panel2", kOffOnText);
    Panel3 = Make<QPushButton>(CameraGroupBox, "Panel3", kOffOnText);
    for (QPushButton* b : {Panel2, Panel3}) {
        QPalette bp = b->palette();
        bp.setColor(QPalette::ButtonText, Qt::black);
        b->setPalette(bp);
    }
    Button22 = Make<QPushButton>(CameraGroupBox, "Button22", QStringLiteral("Take Pic"));
    Button23 = Make<QPushButton>(CameraGroupBox, "Button23", QStringLiteral("Take Pic"));

    SurveillancePanel = Make<QGroupBox>(maintoolbar, "SurveillancePanel", QStringLiteral("Surveillance Method"));
    TimeLapseButton = Make<QPushButton>(SurveillancePanel, "TimeLapseButton", QStringLiteral("Time Lapse "));
    Panel4 = Make<QPushButton>(SurveillancePanel, "Panel4", kMotionText);
    Button9 = Make<QPushButton>(SurveillancePanel, "Button9", QStringLiteral("Aim 1"));
    Button6 = Make<QPushButton>(SurveillancePanel, "Button6", QStringLiteral("Aim 2"));
    Button16 = Make<QPushButton>(SurveillancePanel, "Button16", QStringLiteral("Log 1"));
    Button31 = Make<QPushButton>(SurveillancePanel, "Button31", QStringLiteral("Log 2"));
    zoneLabel = Make<QLabel>(SurveillancePanel, "zoneLabel", QStringLiteral("Zones"));
    hot1 = Make<QCheckBox>(SurveillancePanel, "hot1", QStringLiteral("1"));
    Hot2 = Make<QCheckBox>(SurveillancePanel, "Hot2", QStringLiteral("2"));

    SurveillanceSetup = MakePanel(maintoolbar, "SurveillanceSetup");
    Blacken(SurveillanceSetup);
    Button24 = Make<QPushButton>(SurveillanceSetup, "Button24", QStringLiteral("Setup"));
    Button30 = Make<QPushButton>(SurveillanceSetup, "Button30", QStringLiteral("Captions"));
    Button30->setGeometry(65, 8, 54, 17);
    Button26 = Make<QPushButton>(SurveillanceSetup, "Button26", QStringLiteral("Help"));
    Button26->setGeometry(124, 8, 41, 17);
    Button27 = Make<QPushButton>(SurveillanceSetup, "Button27", QStringLiteral("FTP"));
    Button27->setGeometry(7, 32, 54, 17);
    Button28 = Make<QPushButton>(SurveillanceSetup, "Button28", QStringLiteral("Close"));
    Button28->setGeometry(65, 32, 54, 17);
    connect(Button28, &QPushButton::clicked, this, &Tzones::Button28Click);
    Button29 = Make<QPushButton>(SurveillanceSetup, "Button29", QStringLiteral("Hide"));
    Button25 = Make<QPushButton>(SurveillanceSetup, "Button25", QStringLiteral("Views"));
    Button25->hide();

    TitlePanel = Make<QLabel>(maintoolbar, "TitlePanel", QStringLiteral("TORVEK 5.12"));
    TitlePanel->setAlignment(Qt::AlignCenter);

    // Kept for the first show, which sizes it; it holds nothing.
    Panel7 = MakePanel(maintoolbar, "Panel7");
    Panel7->hide();

    // The "Views" box, hidden until the Views command shows it.
    GroupBox4 = Make<QGroupBox>(this, "GroupBox4", QStringLiteral("Views"));
    GroupBox4->setGeometry(300, 200, 220, 78);
    Blacken(GroupBox4);
    Button1 = Make<QPushButton>(GroupBox4, "Button1", QStringLiteral("1"));
    Button1->setGeometry(4, 18, 30, 24);
    Button2 = Make<QPushButton>(GroupBox4, "Button2", QStringLiteral("2"));
    Button2->setGeometry(38, 18, 30, 24);
    Button3 = Make<QPushButton>(GroupBox4, "Button3", QStringLiteral("3"));
    Button3->setGeometry(72, 18, 30, 24);
    Button10 = Make<QPushButton>(GroupBox4, "Button10", QStringLiteral("Setup"));
    Button10->setGeometry(106, 18, 50, 24);
    Button14 = Make<QPushButton>(GroupBox4, "Button14", QStringLiteral("Help"));
    Button20 = Make<QPushButton>(GroupBox4, "Button20", QStringLiteral("Views"));
    Button20->setGeometry(160, 18, 50, 24);
    Button8 = Make<QPushButton>(GroupBox4, "Button8", QStringLiteral("Hide"));
    Button8->setGeometry(4, 46, 50, 24);
    Button19 = Make<QPushButton>(GroupBox4, "Button19", QStringLiteral("Close"));
    Button19->setGeometry(58, 46, 50, 24);
    Button17 = Make<QPushButton>(GroupBox4, "Button17", QStringLiteral("Stop"));
    Button15 = Make<QPushButton>(GroupBox4, "Button15", QStringLiteral("Help"));
    Button15->setGeometry(112, 46, 50, 24);
    Button18 = Make<QPushButton>(GroupBox4, "Button18", QStringLiteral("Hide"));
    GroupBox4->hide();

    // Keeps the keyboard focus where no control takes the keys.
    focusEdit = Make<QLineEdit>(this, "focusEdit");
    focusEdit->setGeometry(-10, -10, 1, 1);

    ZoomPanel = MakePanel(this, "ZoomPanel");
    Blacken(ZoomPanel);
    ZoomImage = Make<QLabel>(ZoomPanel, "ZoomImage");
    ZoomPanel->hide();
}

void Tzones::BuildSetupPanel() {
    Panel1 = MakePanel(this, "Panel1");
    Panel1->setGeometry(10, 50, 640, 400);
    Blacken(Panel1);
    Panel1->hide();

    auto* title = new QLabel(QStringLiteral("TORVEK Setup Default Cams"), Panel1);
    title->setGeometry(15, 2, 300, 20);
    Location1 = Make<QLineEdit>(Panel1, "Location1");
    Location1->setGeometry(15, 24, 140, 22);
    Location2 = Make<QLineEdit>(Panel1, "Location2");
    Location2->setGeometry(160, 24, 140, 22);
    DefaultCam1 = MakeCombo(Panel1, "DefaultCam1", false);
    DefaultCam1->setGeometry(15, 50, 140, 22);
    DefaultCam2 = MakeCombo(Panel1, "DefaultCam2", false);
    DefaultCam2->setGeometry(160, 50, 140, 22);
    alarm = Make<QCheckBox>(Panel1, "alarm", QStringLiteral("Sound Alarm"));
    alarm->setGeometry(310, 24, 120, 20);
    Button11 = Make<QPushButton>(Panel1, "Button11", QStringLiteral("Hide"));
    Button11->setGeometry(560, 4, 70, 24);

    TabControl1 = new QTabBar(Panel1);
    TabControl1->setObjectName("TabControl1");
    TabControl1->setGeometry(15, 78, 610, 26);
    TabControl1->addTab(QStringLiteral("Driver List"));
    TabControl1->addTab(QStringLiteral("Auto Start"));
    TabControl1->addTab(QStringLiteral("E-Alerts"));

    const QRect page(15, 108, 610, 280);
    DriverStatusPanel = MakePanel(Panel1, "DriverStatusPanel");
    DriverStatusPanel->setGeometry(page);

    autostartpanel = MakePanel(Panel1, "autostartpanel");
    autostartpanel->setGeometry(page);
    AutoStart1 = Make<QCheckBox>(autostartpanel, "AutoStart1", QStringLiteral("Auto Start Cam 1"));
    AutoStart1->setGeometry(10, 10, 200, 20);
    AutoStart2 = Make<QCheckBox>(autostartpanel, "AutoStart2", QStringLiteral("Auto Start Cam 2"));
    AutoStart2->setGeometry(10, 34, 200, 20);
    placeonsystray = Make<QCheckBox>(autostartpanel, "placeonsystray", QStringLiteral("Place on Systray"));
    placeonsystray->setGeometry(10, 58, 200, 20);
    startmotionFlag = Make<QRadioButton>(autostartpanel, "startmotionFlag", QStringLiteral("Start Motion"));
    startmotionFlag->setGeometry(220, 10, 200, 20);
    starttimerFlag = Make<QRadioButton>(autostartpanel, "starttimerFlag", QStringLiteral("Start Timer"));
    starttimerFlag->setGeometry(220, 34, 200, 20);
    motionandtime = Make<QRadioButton>(autostartpanel, "motionandtime", QStringLiteral("Start Motion and Timer"));
    motionandtime->setGeometry(220, 58, 200, 20);
    OnStartup = Make<QCheckBox>(autostartpanel, "OnStartup");
    OnStartup->setGeometry(10, 82, 200, 20);

    AlertsPanel = new AlertsTab(Panel1);
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

    ScreenResPanel = MakePanel(Panel1, "ScreenResPanel");
    ScreenResPanel->setGeometry(page);
    Vmodes = MakeCombo(ScreenResPanel, "Vmodes", true);
    Vmodes->setGeometry(10, 10, 280, 22);
    VModes2 = MakeCombo(ScreenResPanel, "VModes2", true);
    VModes2->setGeometry(300, 10, 280, 22);
    samplerate = Make<QSlider>(ScreenResPanel, "samplerate");
    samplerate->setOrientation(Qt::Horizontal);
    samplerate->setRange(SettingsCopy::kSampleRateMin, SettingsCopy::kSampleRateMax);
    samplerate->setValue(400);
    samplerate->setGeometry(10, 44, 280, 22);
    RGBred = Make<QCheckBox>(ScreenResPanel, "RGBred", QStringLiteral("Red"));
    RGBred->setGeometry(10, 72, 70, 20);
    RGBGreen = Make<QCheckBox>(ScreenResPanel, "RGBGreen", QStringLiteral("Green"));
    RGBGreen->setGeometry(80, 72, 70, 20);
    RGBBlue = Make<QCheckBox>(ScreenResPanel, "RGBBlue", QStringLiteral("Blue"));
    RGBBlue->setGeometry(150, 72, 70, 20);
    mastersent = Make<QSlider>(ScreenResPanel, "mastersent");
    mastersent->setOrientation(Qt::Horizontal);
    mastersent->setRange(SettingsCopy::kMasterSensitivityMin, SettingsCopy::kMasterSensitivityMax);
    mastersent->setValue(14);
    mastersent->setGeometry(10, 100, 280, 22);
    lablee = Make<QLabel>(ScreenResPanel, "lablee", QStringLiteral("Sensitivity"));
    lablee->setGeometry(300, 100, 120, 20);
    Label1 = Make<QLabel>(ScreenResPanel, "Label1", QStringLiteral("Allowable Pixel Errors"));
    Label1->setGeometry(300, 124, 200, 20);
    Label7 = Make<QLabel>(ScreenResPanel, "Label7", QStringLiteral("Seconds"));
    Label7->setGeometry(300, 148, 120, 20);
    DisabledCaptions1 = Make<QCheckBox>(ScreenResPanel, "DisabledCaptions1");
    DisabledCaptions1->setGeometry(10, 130, 20, 20);
    DisabledCaptions2 = Make<QCheckBox>(ScreenResPanel, "DisabledCaptions2");
    DisabledCaptions2->setGeometry(40, 130, 20, 20);
    OverVideo = Make<QCheckBox>(ScreenResPanel, "OverVideo", QStringLiteral("TV Out"));
    OverVideo->setGeometry(10, 156, 120, 20);
    buf1 = Make<QLineEdit>(ScreenResPanel, "buf1");
    buf1->hide();
    buf2 = Make<QLineEdit>(ScreenResPanel, "buf2");
    buf2->hide();

    Advanced = MakePanel(Panel1, "Advanced");
    Advanced->setGeometry(page);
    Dailup = Make<QRadioButton>(Advanced, "Dailup", QStringLiteral("Dailup"));
    Dailup->setGeometry(10, 10, 120, 20);
    Broadband = Make<QRadioButton>(Advanced, "Broadband", QStringLiteral("Broadband"));
    Broadband->setGeometry(10, 34, 120, 20);
    diskcontrol = Make<QCheckBox>(Advanced, "diskcontrol", QStringLiteral("Disk Control"));
    Button36 = Make<QPushButton>(Advanced, "Button36", QStringLiteral("TCP/IP"));
    Button36->setGeometry(10, 100, 80, 24);
    diskcontrol->setGeometry(10, 64, 200, 20);

    phonesettings = MakePanel(Panel1, "phonesettings");
    phonesettings->setGeometry(page);
    phnumber = Make<QLineEdit>(phonesettings, "phnumber");
    phnumber->setGeometry(10, 10, 200, 22);
    phcode = Make<QLineEdit>(phonesettings, "phcode");
    phcode->setGeometry(10, 38, 200, 22);
    sizelist = MakeCombo(phonesettings, "sizelist", true);
    sizelist->setGeometry(10, 66, 100, 22);
    phautoconnect = Make<QCheckBox>(phonesettings, "phautoconnect");
    phautoconnect->setGeometry(10, 94, 200, 20);

    // Surveillance options beside the camera defaults.
    LogAllowed = Make<QCheckBox>(Panel1, "LogAllowed", QStringLiteral("Log"));
    LogAllowed->setGeometry(310, 50, 55, 20);
    Showw = Make<QCheckBox>(Panel1, "Showw", QStringLiteral("Show"));
    Showw->setGeometry(368, 50, 60, 20);
    CheckBox1 = Make<QCheckBox>(Panel1, "CheckBox1", QStringLiteral("Lock"));
    CheckBox1->setGeometry(430, 50, 60, 20);
    connect(CheckBox1, &QCheckBox::toggled, this, &Tzones::CheckBox1Click);
    Panel8 = Make<QPushButton>(Panel1, "Panel8", QStringLiteral("Reset"));
    Panel8->setGeometry(430, 24, 55, 22);
    Button7 = Make<QPushButton>(Panel1, "Button7", QStringLiteral("More"));
    Button7->setGeometry(492, 50, 55, 22);
    Button5 = Make<QPushButton>(Panel1, "Button5", QStringLiteral("More"));
    Button5->setGeometry(552, 50, 55, 22);
    Errors1 = Make<QLabel>(Panel1, "Errors1");
    Errors1->setText(QStringLiteral("00000"));
    Errors1->setGeometry(10, 2, 80, 16);
    Errors2 = Make<QLabel>(Panel1, "Errors2");
    Errors2->setText(QStringLiteral("00000"));
    Errors2->setGeometry(100, 2, 80, 16);

    // Camera device lists of the two camera buttons.
    cam1List = MakeCombo(CameraGroupBox, "cam1List", false);
    cam2List = MakeCombo(CameraGroupBox, "cam2List", false);

    for (QWidget* pageWidget : {DriverStatusPanel, autostartpanel, static_cast<QWidget*>(AlertsPanel), ScreenResPanel, Advanced, phonesettings})
        pageWidget->hide();
}
