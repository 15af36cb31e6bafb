// The main window's controls: created with their names, texts and captions. The tool bar's
// geometry, captions and fonts are the layout's (StationLayoutToolbar.cpp).
#include "app/Tzones.h"

#include "app/ControlKit.h"

#include "app/Tmagna.h"
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

using namespace controlkit;

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
    // The installer can start or remove a station: locked, it asks like Exit.
    connect(Install1, &QAction::triggered, this, [this] {
        if (links_.accessLock->AccessAllowed() && !shuttingDown_)
            links_.installer->ShowInstallWindow();
    });

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
    pic1 = new Tmagna(cam1panel);
    pic1->setObjectName("pic1");
    pic2 = new Tmagna(Cam2Panel);
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
