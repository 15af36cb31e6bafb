#include "app/TinstallForm.h"

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

TinstallForm::TinstallForm(platform::InstallerSystem& system, QString programFolder, QString executable,
                           std::function<void()> endProgram, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Timer1(500, false), installer_(system, std::move(programFolder), std::move(executable)),
      endProgram_(std::move(endProgram)) {
    setObjectName(QStringLiteral("installForm"));
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
    RUNIT1 = menu->addAction(QStringLiteral("run"));
    INSTALL1 = menu->addAction(QStringLiteral("install"));
    EXIT1 = menu->addAction(QStringLiteral("EXIT"));

    heading = MakeLabel(this, "heading", QString(), 40, 40, 700);
    heading->setFixedHeight(50);
    heading->setWordWrap(true);
    Label1 = MakeLabel(this, "Label1", QStringLiteral("Select A Target Drive"), 40, 110, 200);
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setGeometry(40, 136, 300, 24);
    Label2 = MakeLabel(this, "Label2", QStringLiteral("Select A Target Drive"), 40, 166, 600);
    Label3 = MakeLabel(this, "Label3", QStringLiteral("Install Location"), 40, 200, 200);
    InstallLocation = MakeLabel(this, "InstallLocation", QString(), 40, 222, 600);
    Label4 = MakeLabel(this, "Label4", QStringLiteral("Icon Path"), 40, 250, 200);
    ICONpATH = MakeLabel(this, "ICONpATH", QString(), 40, 272, 600);
    Install = MakeButton(this, "Install", QStringLiteral("&Install"), 40, 310);
    Button1 = MakeButton(this, "Button1", QStringLiteral("&Uninstall"), 150, 310);
    Button3 = MakeButton(this, "Button3", QStringLiteral("E&xit"), 260, 310);
    RunIT = MakeButton(this, "RunIT", QStringLiteral("&Run IT"), 370, 310);
    RunIT->hide();
    payloadNote = MakeLabel(this, "payloadNote", QString(), 40, 350, 700);
    payloadNote->setFixedHeight(44);
    payloadNote->setWordWrap(true);
    QPalette warning = payloadNote->palette();
    warning.setColor(QPalette::WindowText, Qt::yellow);
    payloadNote->setPalette(warning);
    DefaultCam1 = new QComboBox(this);
    DefaultCam1->setObjectName(QStringLiteral("DefaultCam1"));
    DefaultCam1->hide();
    Timer1.setParent(this);

    installer_.hideWindow = [this] { hide(); };
    installer_.viewChanged = [this] {
        Refresh();
        repaint();
    };
    connect(DriveComboBox1, &QComboBox::activated, this, [this](int index) {
        installer_.DriveComboBox1Change(DriveComboBox1->itemData(index).toString());
        Refresh();
    });
    connect(Install, &QPushButton::clicked, this, [this] {
        installer_.InstallClick();
        Refresh();
        if (!installer_.View().visible)
            close();
        TakeFocusBack();
    });
    connect(INSTALL1, &QAction::triggered, this, [this] {
        DefaultCam1->clear();
        DefaultCam1->addItems(installer_.FillCameraList());
        installer_.INSTALL1Click();
        Refresh();
        if (!installer_.View().visible)
            close();
        TakeFocusBack();
    });
    connect(RUNIT1, &QAction::triggered, this, [this] {
        installer_.RunITClick();
        TakeFocusBack();
    });
    connect(RunIT, &QPushButton::clicked, this, [this] {
        installer_.RunITClick();
        TakeFocusBack();
    });
    connect(Button1, &QPushButton::clicked, this, [this] {
        installer_.Button1Click();
        Refresh();
        TakeFocusBack();
    });
    connect(&Timer1, &platform::WinTimer::Timeout, this, [this] {
        installer_.Timer1Timer();
        Refresh();
    });
    connect(EXIT1, &QAction::triggered, this, &QDialog::close);
    connect(Button3, &QPushButton::clicked, this, [this] {
        if (endProgram_ && endAllowed && !endAllowed())
            return;
        installer_.Button3Click();
        close();
        if (endProgram_)
            endProgram_();
    });
}

void TinstallForm::FillDrives() {
    DriveComboBox1->clear();
    const QString chosen = installer_.TargetDrive();
    // The logic keeps the chosen base; the list only offers them.
    for (const platform::InstallBase& base : installer_.Bases())
        DriveComboBox1->addItem(base.path.isEmpty() ? QStringLiteral("/") : base.path, base.path);
    DriveComboBox1->setCurrentIndex(qMax(0, DriveComboBox1->findData(chosen)));
}

void TinstallForm::ShowInstaller() {
    FillDrives();
    showMaximized();
    raise();
    activateWindow();
    FormActivate();
}

void TinstallForm::TakeFocusBack() {
    // When a message closes, the window manager may give the focus to the station's
    // full-screen window, which then covers this one: the installer takes it back.
    if (!isVisible())
        return;
    raise();
    activateWindow();
}

void TinstallForm::FormActivate() {
    installer_.FormActivate();
    Refresh();
    DriveComboBox1->setFocus();
}

bool TinstallForm::event(QEvent* event) {
    // Not while the uninstall moves the folder: its heading and dots stay.
    if (event->type() == QEvent::WindowActivate && !installer_.timer1Enabled)
        FormActivate();
    return QDialog::event(event);
}

void TinstallForm::Refresh() {
    const InstallerView& view = installer_.View();
    heading->setText(QString(view.heading).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    Label2->setText(view.label2);
    InstallLocation->setText(view.installLocation);
    ICONpATH->setText(view.iconPath);
    payloadNote->setText(view.payloadNote);
    payloadNote->setVisible(!view.payloadNote.isEmpty());
    Install->setEnabled(view.installEnabled);
    RunIT->setEnabled(view.runEnabled);
    RUNIT1->setEnabled(view.runEnabled);
    Timer1.SetEnabled(installer_.timer1Enabled);
}
