// The main window's controls: created with their names, texts and captions. The tool bar's
// geometry, captions and fonts are the layout's (StationLayoutToolbar.cpp).
#include "app/MainWindow.h"

#include "app/ControlKit.h"

#include "app/Magnifier.h"
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

void MainWindow::BuildControls() {
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

    clockBox = new AlertClockBox(mainToolbar);
    clockBox->setObjectName("clockBox");
    clockBox->hide();

    networkPanel = new NetworkPanel(this, [this] { store_.SaveSettings(); });
    networkPanel->move(20, 150);
    networkPanel->hide();

    phoneLogEdit = Make<QPlainTextEdit>(this, "phoneLogEdit");
    phoneLogEdit->setReadOnly(true);
    phoneLogEdit->hide();

    windowMenu = new QMenu(this);
    windowMenu->setObjectName("windowMenu");
    exitAction = windowMenu->addAction(QStringLiteral("Exit"));
    exitAction->setObjectName("exitAction");
    connect(exitAction, &QAction::triggered, this, &MainWindow::ExitActionClick);
    lockPasswordAction = windowMenu->addAction(QStringLiteral("Lock Password..."));
    lockPasswordAction->setObjectName("lockPasswordAction");
    connect(lockPasswordAction, &QAction::triggered, this, [this] { links_.accessLock->ChangeLockPassword(); });
    installAction = windowMenu->addAction(QStringLiteral("Install/Uninstall..."));
    installAction->setObjectName("installAction");
    // The installer can start or remove a station: locked, it asks like Exit.
    connect(installAction, &QAction::triggered, this, [this] {
        if (links_.accessLock->AccessAllowed() && !shuttingDown_)
            links_.installer->ShowInstallWindow();
    });

    trayMenu = new QMenu(this);
    trayMenu->setObjectName("trayMenu");
    closeAction = trayMenu->addAction(QStringLiteral("Close"));
    closeAction->setObjectName("closeAction");
    connect(closeAction, &QAction::triggered, this, &MainWindow::CloseActionClick);
}

void MainWindow::BuildCameraArea() {
    cameraAreaBox = Make<QGroupBox>(this, "cameraAreaBox");
    cameraAreaBox->setGeometry(0, 0, 800, 460);

    camera1Panel = Make<QLabel>(cameraAreaBox, "camera1Panel");
    camera2Panel = Make<QLabel>(cameraAreaBox, "camera2Panel");
    magnifier1 = new Magnifier(camera1Panel);
    magnifier1->setObjectName("magnifier1");
    magnifier2 = new Magnifier(camera2Panel);
    magnifier2->setObjectName("magnifier2");
    alertBlockBox = new AlertBlockBox(cameraAreaBox);
    alertBlockBox->setObjectName("alertBlockBox");
}

void MainWindow::BuildToolbar() {
    // Geometry, captions and fonts are the layout's (LayoutMainToolbar); here the controls
    // are made in their groups.
    mainToolbar = MakePanel(this, "mainToolbar");
    mainToolbar->setGeometry(0, 500, 447, 137);
    Blacken(mainToolbar);

    cameraBox = Make<QGroupBox>(mainToolbar, "cameraBox", QStringLiteral("Camera"));
    cameraLabel1 = Make<QLabel>(cameraBox, "cameraLabel1", QStringLiteral("1"));
    cameraLabel2 = Make<QLabel>(cameraBox, "cameraLabel2", QStringLiteral("2"));
    camera1Button = Make<QPushButton>(cameraBox, "camera1Button", kOffOnText);
    camera2Button = Make<QPushButton>(cameraBox, "camera2Button", kOffOnText);
    for (QPushButton* b : {camera1Button, camera2Button}) {
        QPalette bp = b->palette();
        bp.setColor(QPalette::ButtonText, Qt::black);
        b->setPalette(bp);
    }
    takePicture1Button = Make<QPushButton>(cameraBox, "takePicture1Button", QStringLiteral("Take Pic"));
    takePicture2Button = Make<QPushButton>(cameraBox, "takePicture2Button", QStringLiteral("Take Pic"));

    surveillanceBox = Make<QGroupBox>(mainToolbar, "surveillanceBox", QStringLiteral("Surveillance Method"));
    timeLapseButton = Make<QPushButton>(surveillanceBox, "timeLapseButton", QStringLiteral("Time Lapse "));
    surveillanceButton = Make<QPushButton>(surveillanceBox, "surveillanceButton", kMotionText);
    aim1Button = Make<QPushButton>(surveillanceBox, "aim1Button", QStringLiteral("Aim 1"));
    aim2Button = Make<QPushButton>(surveillanceBox, "aim2Button", QStringLiteral("Aim 2"));
    log1Button = Make<QPushButton>(surveillanceBox, "log1Button", QStringLiteral("Log 1"));
    log2Button = Make<QPushButton>(surveillanceBox, "log2Button", QStringLiteral("Log 2"));
    zoneLabel = Make<QLabel>(surveillanceBox, "zoneLabel", QStringLiteral("Zones"));
    hotZone1Box = Make<QCheckBox>(surveillanceBox, "hotZone1Box", QStringLiteral("1"));
    hotZone2Box = Make<QCheckBox>(surveillanceBox, "hotZone2Box", QStringLiteral("2"));

    surveillanceSetupPanel = MakePanel(mainToolbar, "surveillanceSetupPanel");
    Blacken(surveillanceSetupPanel);
    setupButton = Make<QPushButton>(surveillanceSetupPanel, "setupButton", QStringLiteral("Setup"));
    captionsButton = Make<QPushButton>(surveillanceSetupPanel, "captionsButton", QStringLiteral("Captions"));
    captionsButton->setGeometry(65, 8, 54, 17);
    helpButton = Make<QPushButton>(surveillanceSetupPanel, "helpButton", QStringLiteral("Help"));
    helpButton->setGeometry(124, 8, 41, 17);
    ftpButton = Make<QPushButton>(surveillanceSetupPanel, "ftpButton", QStringLiteral("FTP"));
    ftpButton->setGeometry(7, 32, 54, 17);
    closeButton = Make<QPushButton>(surveillanceSetupPanel, "closeButton", QStringLiteral("Close"));
    closeButton->setGeometry(65, 32, 54, 17);
    connect(closeButton, &QPushButton::clicked, this, &MainWindow::CloseButtonClick);
    hideButton = Make<QPushButton>(surveillanceSetupPanel, "hideButton", QStringLiteral("Hide"));
    viewsButton = Make<QPushButton>(surveillanceSetupPanel, "viewsButton", QStringLiteral("Views"));
    viewsButton->hide();

    toolbarTitleLabel = Make<QLabel>(mainToolbar, "toolbarTitleLabel", QStringLiteral("TORVEK 5.12"));
    toolbarTitleLabel->setAlignment(Qt::AlignCenter);

    // Kept for the first show, which sizes it; it holds nothing.
    toolbarSpacerPanel = MakePanel(mainToolbar, "toolbarSpacerPanel");
    toolbarSpacerPanel->hide();

    // The "Views" box, hidden until the Views command shows it.
    viewsBox = Make<QGroupBox>(this, "viewsBox", QStringLiteral("Views"));
    viewsBox->setGeometry(300, 200, 220, 78);
    Blacken(viewsBox);
    view1Button = Make<QPushButton>(viewsBox, "view1Button", QStringLiteral("1"));
    view1Button->setGeometry(4, 18, 30, 24);
    view2Button = Make<QPushButton>(viewsBox, "view2Button", QStringLiteral("2"));
    view2Button->setGeometry(38, 18, 30, 24);
    view3Button = Make<QPushButton>(viewsBox, "view3Button", QStringLiteral("3"));
    view3Button->setGeometry(72, 18, 30, 24);
    viewsSetupButton = Make<QPushButton>(viewsBox, "viewsSetupButton", QStringLiteral("Setup"));
    viewsSetupButton->setGeometry(106, 18, 50, 24);
    cycleHelpButton = Make<QPushButton>(viewsBox, "cycleHelpButton", QStringLiteral("Help"));
    showViewsButton = Make<QPushButton>(viewsBox, "showViewsButton", QStringLiteral("Views"));
    showViewsButton->setGeometry(160, 18, 50, 24);
    viewsFtpButton = Make<QPushButton>(viewsBox, "viewsFtpButton", QStringLiteral("Hide"));
    viewsFtpButton->setGeometry(4, 46, 50, 24);
    viewsCloseButton = Make<QPushButton>(viewsBox, "viewsCloseButton", QStringLiteral("Close"));
    viewsCloseButton->setGeometry(58, 46, 50, 24);
    cycleStopButton = Make<QPushButton>(viewsBox, "cycleStopButton", QStringLiteral("Stop"));
    viewsHelpButton = Make<QPushButton>(viewsBox, "viewsHelpButton", QStringLiteral("Help"));
    viewsHelpButton->setGeometry(112, 46, 50, 24);
    cycleHideButton = Make<QPushButton>(viewsBox, "cycleHideButton", QStringLiteral("Hide"));
    viewsBox->hide();

    // Keeps the keyboard focus where no control takes the keys.
    focusEdit = Make<QLineEdit>(this, "focusEdit");
    focusEdit->setGeometry(-10, -10, 1, 1);

    zoomPanel = MakePanel(this, "zoomPanel");
    Blacken(zoomPanel);
    zoomImageLabel = Make<QLabel>(zoomPanel, "zoomImageLabel");
    zoomPanel->hide();
}
