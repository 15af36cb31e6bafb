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
    hostEdit = FieldEdit(this, "hostEdit", {8, 20, 160, 22}, 255);
    Caption(this, {174, 4, 100, 16}, QStringLiteral("User name"));
    userEdit = FieldEdit(this, "userEdit", {174, 20, 100, 22}, 25);
    Caption(this, {280, 4, 100, 16}, QStringLiteral("Pass Word"));
    passwordEdit = FieldEdit(this, "passwordEdit", {280, 20, 100, 22}, 25);
    passwordEdit->setEchoMode(QLineEdit::Password);
    connectButton = Make<QPushButton>(this, "connectButton", {384, 19, 78, 24}, QStringLiteral("Connect"));
    connectButton->setDefault(true);
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
    remoteDirEdit = FieldEdit(fileLogBox, "remoteDirEdit", {160, 20, 370, 22}, 255);
    remoteDirEdit->setEnabled(false);

    directoryList = Make<QTreeWidget>(fileLogBox, "directoryList", {8, 48, kWidth - 32, 150});
    directoryList->setRootIsDecorated(false);
    directoryList->setHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Type"), QStringLiteral("Modified")});
    const int widths[] = {150, 100, 100, 100};
    for (int i = 0; i < 4; ++i)
        directoryList->header()->resizeSection(i, widths[i]);
    directoryList->setContextMenuPolicy(Qt::CustomContextMenu);
    QPalette selected = directoryList->palette();
    const quint32 v = kSelectedRowColour;
    selected.setColor(QPalette::Highlight, QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)));
    selected.setColor(QPalette::HighlightedText, Qt::white);
    selected.setColor(QPalette::Inactive, QPalette::Highlight, selected.color(QPalette::Active, QPalette::Highlight));
    selected.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::white);
    directoryList->setPalette(selected);

    protocolLogList = Make<QListView>(fileLogBox, "protocolLogList", {8, 204, kWidth - 32, 118});
    protocolLogList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The log keeps the system's window colour: its black rows would vanish on black.
    protocolLogList->setPalette(QApplication::palette());
}

void FtpWindow::BuildImageExports() {
    imageExportsBox = Make<QGroupBox>(this, "imageExportsBox", {8, kGroupTop, kWidth - 16, kImageExportsHeight - kGroupTop - 8},
                                QStringLiteral("Export Last Captured"));
    exportAsRadio = Make<QRadioButton>(imageExportsBox, "exportAsRadio", {10, 22, 110, 20}, QStringLiteral("Export As"));
    exportDisabledRadio = Make<QRadioButton>(imageExportsBox, "exportDisabledRadio", {10, 46, 110, 20}, QStringLiteral("Disabled"));
    exportAllRadio = Make<QRadioButton>(imageExportsBox, "exportAllRadio", {10, 70, 110, 20}, QStringLiteral("Export All"));
    recycleRadio = Make<QRadioButton>(imageExportsBox, "recycleRadio", {10, 94, 110, 20}, QStringLiteral("Recycle "));

    Caption(imageExportsBox, {130, 22, 40, 20}, QStringLiteral("Cam 1"));
    exportName1Edit = FieldEdit(imageExportsBox, "exportName1Edit", {172, 22, 150, 22}, 55);
    Caption(imageExportsBox, {130, 48, 40, 20}, QStringLiteral("Cam 2"));
    exportName2Edit = FieldEdit(imageExportsBox, "exportName2Edit", {172, 48, 150, 22}, 55);
    Caption(imageExportsBox, {130, 94, 110, 20}, QStringLiteral("Maximum Images"));
    maxImagesEdit = FieldEdit(imageExportsBox, "maxImagesEdit", {244, 94, 50, 22}, 3);
    maxImagesEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), maxImagesEdit));

    qualitySlider = Make<QSlider>(imageExportsBox, "qualitySlider", {10, 130, 260, 24}, Qt::Horizontal);
    qualitySlider->setRange(10, 100);
    qualityLabel = Make<QLabel>(imageExportsBox, "qualityLabel", {280, 132, 200, 20});
    createWebPageBox = Make<QCheckBox>(imageExportsBox, "createWebPageBox", {10, 168, 200, 20}, QStringLiteral("Create imagelog.htm"));
}

void FtpWindow::BuildSettings() {
    settingsBox = Make<QGroupBox>(this, "settingsBox", {8, kGroupTop, kWidth - 16, kSettingsHeight - kGroupTop - 8},
                               QStringLiteral("Advanced Settings"));
    passiveBox = Make<QCheckBox>(settingsBox, "passiveBox", {10, 24, 200, 20}, QStringLiteral("Use Passive"));
    saveSettingsBox = Make<QCheckBox>(settingsBox, "saveSettingsBox", {10, 50, 200, 20}, QStringLiteral("Save Settings"));
    autoConnectBox = Make<QCheckBox>(settingsBox, "autoConnectBox", {10, 76, 200, 20}, QStringLiteral("Auto Connect"));
    dialUpBox = Make<QCheckBox>(settingsBox, "dialUpBox", {10, 102, 200, 20}, QStringLiteral("Dail-up-Mode"));
    dialUpBox->hide();
    Caption(settingsBox, {10, 140, 400, 20}, QStringLiteral("A Broadband connections is recommended "));
}

void FtpWindow::BuildHiddenParts() {
    commandPanel = Make<QWidget>(fileLogBox, "commandPanel", {300, 20, 240, 24});
    commandPanel->hide();
    deleteButton = Make<QPushButton>(commandPanel, "deleteButton", {0, 0, 70, 24}, QStringLiteral("Delete"));
    downloadButton = Make<QPushButton>(commandPanel, "downloadButton", {74, 0, 80, 24}, QStringLiteral("Download"));
    // The abort button shows by itself during a transfer, beside the log.
    abortButton = Make<QPushButton>(fileLogBox, "abortButton", {460, 20, 70, 22}, QStringLiteral("Abort"));
    abortButton->hide();
    createDirButton = Make<QPushButton>(fileLogBox, "createDirButton", {380, 20, 74, 22}, QStringLiteral("Make Dir"));
    createDirButton->hide();
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
    settingsBox->setVisible(index == 2);
    const int heights[] = {kFileLogHeight, kImageExportsHeight, kSettingsHeight};
    resize(width(), heights[std::clamp(index, 0, 2)]);
}
