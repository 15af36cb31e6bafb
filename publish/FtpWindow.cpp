// The FTP window's layout: top row, the three tabs and the parts kept hidden.
#include "publish/FtpWindow.h"

#include "publish/FtpUploader.h"

#include <QApplication>
#include <QCheckBox>
#include <algorithm>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSlider>
#include <QTabBar>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

constexpr int kWidth = 560;
constexpr int kGroupTop = 76;

template <typename T, typename... Args>
T* Make(QWidget* parent, const char* name, const QRect& geometry, Args&&... args) {
    auto* widget = new T(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel* Caption(QWidget* parent, const QRect& geometry, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

// A text edit bound to a record field of this many characters.
QLineEdit* FieldEdit(QWidget* parent, const char* name, const QRect& geometry, int width) {
    auto* edit = Make<QLineEdit>(parent, name, geometry);
    edit->setMaxLength(width);
    return edit;
}

} // namespace

FtpWindow::FtpWindow(FtpUploader& uploader, std::function<void()> showHelp, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), uploader_(uploader), showHelp_(std::move(showHelp)) {
    setObjectName(QStringLiteral("FtpWindow"));
    setWindowTitle(QStringLiteral("TORVEK FTP"));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);

    BuildTopRow();
    BuildFileLog();
    BuildImageExports();
    BuildSettings();
    BuildHiddenParts();
    BindViews();
    BindHandlers();

    resize(kWidth, kCreatedHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->availableGeometry();
        move(desktop.center() - QPoint(kWidth / 2, kFileLogHeight / 2));
    }
    ShowTab(0);
    resize(kWidth, kCreatedHeight);
}

void FtpWindow::BuildTopRow() {
    Caption(this, {8, 4, 160, 16}, QStringLiteral("FTP host name"));
    FtpServerEdit = FieldEdit(this, "FtpServerEdit", {8, 20, 160, 22}, 255);
    Caption(this, {174, 4, 100, 16}, QStringLiteral("User name"));
    UserIDEdit = FieldEdit(this, "UserIDEdit", {174, 20, 100, 22}, 25);
    Caption(this, {280, 4, 100, 16}, QStringLiteral("Pass Word"));
    PasswordEdit = FieldEdit(this, "PasswordEdit", {280, 20, 100, 22}, 25);
    PasswordEdit->setEchoMode(QLineEdit::Password);
    ConnectButton = Make<QPushButton>(this, "ConnectButton", {384, 19, 78, 24}, QStringLiteral("Connect"));
    ConnectButton->setDefault(true);
    hideButton = Make<QPushButton>(this, "hideButton", {464, 19, 42, 24}, QStringLiteral("&Hide"));
    saveButton = Make<QPushButton>(this, "saveButton", {510, 19, 42, 24}, QStringLiteral("&Save"));

    pageTabs = Make<QTabBar>(this, "pageTabs", {8, 50, 300, 24});
    pageTabs->addTab(QStringLiteral("File Log"));
    pageTabs->addTab(QStringLiteral("Image Exports"));
    pageTabs->addTab(QStringLiteral("Settings"));
}

void FtpWindow::BuildFileLog() {
    fileLogBox = Make<QGroupBox>(this, "fileLogBox", {8, kGroupTop, kWidth - 16, kFileLogHeight - kGroupTop - 8},
                                QStringLiteral("Files"));
    backButton = Make<QPushButton>(fileLogBox, "backButton", {8, 20, 30, 22}, QStringLiteral("<<"));
    Caption(fileLogBox, {48, 22, 110, 18}, QStringLiteral("Default Directory"));
    CurrentDirEdit = FieldEdit(fileLogBox, "CurrentDirEdit", {160, 20, 370, 22}, 255);
    CurrentDirEdit->setEnabled(false);

    DirectoryListBox = Make<QTreeWidget>(fileLogBox, "DirectoryListBox", {8, 48, kWidth - 32, 150});
    DirectoryListBox->setRootIsDecorated(false);
    DirectoryListBox->setHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Type"), QStringLiteral("Modified")});
    const int widths[] = {150, 100, 100, 100};
    for (int i = 0; i < 4; ++i)
        DirectoryListBox->header()->resizeSection(i, widths[i]);
    DirectoryListBox->setContextMenuPolicy(Qt::CustomContextMenu);
    QPalette selected = DirectoryListBox->palette();
    const quint32 v = kSelectedRowColour;
    selected.setColor(QPalette::Highlight, QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)));
    selected.setColor(QPalette::HighlightedText, Qt::white);
    selected.setColor(QPalette::Inactive, QPalette::Highlight, selected.color(QPalette::Active, QPalette::Highlight));
    selected.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::white);
    DirectoryListBox->setPalette(selected);

    DebugListBox = Make<QListView>(fileLogBox, "DebugListBox", {8, 204, kWidth - 32, 118});
    DebugListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The log keeps the system's window colour: its black rows would vanish on black.
    DebugListBox->setPalette(QApplication::palette());
}

void FtpWindow::BuildImageExports() {
    imageExportsBox = Make<QGroupBox>(this, "imageExportsBox", {8, kGroupTop, kWidth - 16, kImageExportsHeight - kGroupTop - 8},
                                QStringLiteral("Export Last Captured"));
    exportAsRadio = Make<QRadioButton>(imageExportsBox, "exportAsRadio", {10, 22, 110, 20}, QStringLiteral("Export As"));
    exportDisabledRadio = Make<QRadioButton>(imageExportsBox, "exportDisabledRadio", {10, 46, 110, 20}, QStringLiteral("Disabled"));
    ExportAll = Make<QRadioButton>(imageExportsBox, "ExportAll", {10, 70, 110, 20}, QStringLiteral("Export All"));
    RecycleTheImage = Make<QRadioButton>(imageExportsBox, "RecycleTheImage", {10, 94, 110, 20}, QStringLiteral("Recycle "));

    Caption(imageExportsBox, {130, 22, 40, 20}, QStringLiteral("Cam 1"));
    exportName1Edit = FieldEdit(imageExportsBox, "exportName1Edit", {172, 22, 150, 22}, 55);
    Caption(imageExportsBox, {130, 48, 40, 20}, QStringLiteral("Cam 2"));
    exportName2Edit = FieldEdit(imageExportsBox, "exportName2Edit", {172, 48, 150, 22}, 55);
    Caption(imageExportsBox, {130, 94, 110, 20}, QStringLiteral("Maximum Images"));
    maxImages = FieldEdit(imageExportsBox, "maxImages", {244, 94, 50, 22}, 3);
    maxImages->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), maxImages));

    qualitySlider = Make<QSlider>(imageExportsBox, "qualitySlider", {10, 130, 260, 24}, Qt::Horizontal);
    qualitySlider->setRange(10, 100);
    qualityLabel = Make<QLabel>(imageExportsBox, "qualityLabel", {280, 132, 200, 20});
    CreateWebPage = Make<QCheckBox>(imageExportsBox, "CreateWebPage", {10, 168, 200, 20}, QStringLiteral("Create imagelog.htm"));
}

void FtpWindow::BuildSettings() {
    Settings = Make<QGroupBox>(this, "Settings", {8, kGroupTop, kWidth - 16, kSettingsHeight - kGroupTop - 8},
                               QStringLiteral("Advanced Settings"));
    UsePassive = Make<QCheckBox>(Settings, "UsePassive", {10, 24, 200, 20}, QStringLiteral("Use Passive"));
    SaveSettingsCheckBox = Make<QCheckBox>(Settings, "SaveSettingsCheckBox", {10, 50, 200, 20}, QStringLiteral("Save Settings"));
    autoConnectBox = Make<QCheckBox>(Settings, "autoConnectBox", {10, 76, 200, 20}, QStringLiteral("Auto Connect"));
    dialUpBox = Make<QCheckBox>(Settings, "dialUpBox", {10, 102, 200, 20}, QStringLiteral("Dail-up-Mode"));
    dialUpBox->hide();
    Caption(Settings, {10, 140, 400, 20}, QStringLiteral("A Broadband connections is recommended "));
}

void FtpWindow::BuildHiddenParts() {
    commandPanel = Make<QWidget>(fileLogBox, "commandPanel", {300, 20, 240, 24});
    commandPanel->hide();
    DeleteButton = Make<QPushButton>(commandPanel, "DeleteButton", {0, 0, 70, 24}, QStringLiteral("Delete"));
    DownloadButton = Make<QPushButton>(commandPanel, "DownloadButton", {74, 0, 80, 24}, QStringLiteral("Download"));
    // The abort button shows by itself during a transfer, beside the log.
    AbortButton = Make<QPushButton>(fileLogBox, "AbortButton", {460, 20, 70, 22}, QStringLiteral("Abort"));
    AbortButton->hide();
    CreateDirButton = Make<QPushButton>(fileLogBox, "CreateDirButton", {380, 20, 74, 22}, QStringLiteral("Make Dir"));
    CreateDirButton->hide();
    transferProgressBar = Make<QProgressBar>(this, "transferProgressBar", {8, kFileLogHeight + 4, kWidth - 16, 16});
    transferProgressBar->setTextVisible(false);

    listingMenu = new QMenu(this);
    listingMenu->setObjectName(QStringLiteral("listingMenu"));
    webpagePanel = Make<QWidget>(this, "webpagePanel", {8, kGroupTop, kWidth - 16, 240});
    webpagePanel->hide();
    webpageCodeEdit = Make<QTextEdit>(webpagePanel, "webpageCodeEdit", {0, 0, kWidth - 16, 240});
    webpageCodeEdit->setReadOnly(true);
}

void FtpWindow::ShowTab(int index) {
    fileLogBox->setVisible(index == 0);
    imageExportsBox->setVisible(index == 1);
    Settings->setVisible(index == 2);
    const int heights[] = {kFileLogHeight, kImageExportsHeight, kSettingsHeight};
    resize(width(), heights[std::clamp(index, 0, 2)]);
}
