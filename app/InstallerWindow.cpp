#include "app/InstallerWindow.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, w, 22);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, 100, 28);
    return button;
}

} // namespace

InstallerWindow::InstallerWindow(platform::InstallerSystem& system, QString programFolder, QString executable,
                           std::function<void()> endProgram, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      dotsTimer(500, false), installer_(system, std::move(programFolder), std::move(executable)),
      endProgram_(std::move(endProgram)) {
    setObjectName(QStringLiteral("installerWindow"));
    setWindowTitle(QStringLiteral("TORVEK Install"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);

    auto* menu = new QMenuBar(this);
    // The window's black would draw the menu black on black.
    QPalette menuColours = menu->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
        menuColours.setColor(role, QColor(0xC0, 0xC0, 0xC0));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        menuColours.setColor(role, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        menuColours.setColor(QPalette::Disabled, role, QColor(0x60, 0x60, 0x60));
    menu->setPalette(menuColours);
    menu->setAutoFillBackground(true);
    runAction = menu->addAction(QStringLiteral("run"));
    installAction = menu->addAction(QStringLiteral("install"));
    exitAction = menu->addAction(QStringLiteral("EXIT"));

    headingLabel = MakeLabel(this, "headingLabel", QString(), 40, 40, 700);
    headingLabel->setFixedHeight(50);
    headingLabel->setWordWrap(true);
    driveCaptionLabel = MakeLabel(this, "driveCaptionLabel", QStringLiteral("Select A Target Drive"), 40, 110, 200);
    driveCombo = new QComboBox(this);
    driveCombo->setObjectName(QStringLiteral("driveCombo"));
    driveCombo->setGeometry(40, 136, 300, 24);
    targetDriveLabel = MakeLabel(this, "targetDriveLabel", QStringLiteral("Select A Target Drive"), 40, 166, 600);
    locationCaptionLabel = MakeLabel(this, "locationCaptionLabel", QStringLiteral("Install Location"), 40, 200, 200);
    installLocationLabel = MakeLabel(this, "installLocationLabel", QString(), 40, 222, 600);
    iconCaptionLabel = MakeLabel(this, "iconCaptionLabel", QStringLiteral("Icon Path"), 40, 250, 200);
    iconPathLabel = MakeLabel(this, "iconPathLabel", QString(), 40, 272, 600);
    installButton = MakeButton(this, "installButton", QStringLiteral("&Install"), 40, 310);
    uninstallButton = MakeButton(this, "uninstallButton", QStringLiteral("&Uninstall"), 150, 310);
    exitButton = MakeButton(this, "exitButton", QStringLiteral("E&xit"), 260, 310);
    runItButton = MakeButton(this, "runItButton", QStringLiteral("&Run IT"), 370, 310);
    runItButton->hide();
    payloadNoteLabel = MakeLabel(this, "payloadNoteLabel", QString(), 40, 350, 700);
    payloadNoteLabel->setFixedHeight(44);
    payloadNoteLabel->setWordWrap(true);
    QPalette warning = payloadNoteLabel->palette();
    warning.setColor(QPalette::WindowText, Qt::yellow);
    payloadNoteLabel->setPalette(warning);
    DefaultCam1 = new QComboBox(this);
    DefaultCam1->setObjectName(QStringLiteral("DefaultCam1"));
    DefaultCam1->hide();
    dotsTimer.setParent(this);

    installer_.hideWindow = [this] { hide(); };
    installer_.viewChanged = [this] {
        Refresh();
        repaint();
    };
    connect(driveCombo, &QComboBox::activated, this, [this](int index) {
        installer_.DriveComboChange(driveCombo->itemData(index).toString());
        Refresh();
    });
    connect(installButton, &QPushButton::clicked, this, [this] {
        installer_.InstallClick();
        Refresh();
        if (!installer_.View().visible)
            close();
        TakeFocusBack();
    });
    connect(installAction, &QAction::triggered, this, [this] {
        DefaultCam1->clear();
        DefaultCam1->addItems(installer_.FillCameraList());
        installer_.InstallActionClick();
        Refresh();
        if (!installer_.View().visible)
            close();
        TakeFocusBack();
    });
    connect(runAction, &QAction::triggered, this, [this] {
        installer_.RunItButtonClick();
        TakeFocusBack();
    });
    connect(runItButton, &QPushButton::clicked, this, [this] {
        installer_.RunItButtonClick();
        TakeFocusBack();
    });
    connect(uninstallButton, &QPushButton::clicked, this, [this] {
        installer_.UninstallButtonClick();
        Refresh();
        TakeFocusBack();
    });
    connect(&dotsTimer, &platform::WinTimer::Timeout, this, [this] {
        installer_.DotsTimerTick();
        Refresh();
    });
    connect(exitAction, &QAction::triggered, this, &QDialog::close);
    connect(exitButton, &QPushButton::clicked, this, [this] {
        if (endProgram_ && endAllowed && !endAllowed())
            return;
        installer_.ExitButtonClick();
        close();
        if (endProgram_)
            endProgram_();
    });
}

void InstallerWindow::FillDrives() {
    driveCombo->clear();
    const QString chosen = installer_.TargetDrive();
    // The logic keeps the chosen base; the list only offers them.
    for (const platform::InstallBase& base : installer_.Bases())
        driveCombo->addItem(base.path.isEmpty() ? QStringLiteral("/") : base.path, base.path);
    driveCombo->setCurrentIndex(qMax(0, driveCombo->findData(chosen)));
}

void InstallerWindow::ShowInstaller() {
    FillDrives();
    showMaximized();
    raise();
    activateWindow();
    FormActivate();
}

void InstallerWindow::TakeFocusBack() {
    // When a message closes, the window manager may give the focus to the station's
    // full-screen window, which then covers this one: the installer takes it back.
    if (!isVisible())
        return;
    raise();
    activateWindow();
}

void InstallerWindow::FormActivate() {
    installer_.FormActivate();
    Refresh();
    driveCombo->setFocus();
}

bool InstallerWindow::event(QEvent* event) {
    // Not while the uninstall moves the folder: its heading and dots stay.
    if (event->type() == QEvent::WindowActivate && !installer_.dotsTimerEnabled)
        FormActivate();
    return QDialog::event(event);
}

void InstallerWindow::Refresh() {
    const InstallerView& view = installer_.View();
    headingLabel->setText(QString(view.heading).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    targetDriveLabel->setText(view.targetDriveText);
    installLocationLabel->setText(view.installLocation);
    iconPathLabel->setText(view.iconPath);
    payloadNoteLabel->setText(view.payloadNote);
    payloadNoteLabel->setVisible(!view.payloadNote.isEmpty());
    installButton->setEnabled(view.installEnabled);
    runItButton->setEnabled(view.runEnabled);
    runAction->setEnabled(view.runEnabled);
    dotsTimer.SetEnabled(installer_.dotsTimerEnabled);
}
