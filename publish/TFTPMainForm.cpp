// The FTP window's layout: top row, the three tabs and the parts kept hidden.
#include "publish/TFTPMainForm.h"

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

TFTPMainForm::TFTPMainForm(FtpUploader& uploader, std::function<void()> showHelp, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), uploader_(uploader), showHelp_(std::move(showHelp)) {
    setObjectName(QStringLiteral("FTPMainForm"));
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

void TFTPMainForm::BuildTopRow() {
    Caption(this, {8, 4, 160, 16}, QStringLiteral("FTP host name"));
    FtpServerEdit = FieldEdit(this, "FtpServerEdit", {8, 20, 160, 22}, 255);
    Caption(this, {174, 4, 100, 16}, QStringLiteral("User name"));
    UserIDEdit = FieldEdit(this, "UserIDEdit", {174, 20, 100, 22}, 25);
    Caption(this, {280, 4, 100, 16}, QStringLiteral("Pass Word"));
    PasswordEdit = FieldEdit(this, "PasswordEdit", {280, 20, 100, 22}, 25);
    PasswordEdit->setEchoMode(QLineEdit::Password);
    ConnectButton = Make<QPushButton>(this, "ConnectButton", {384, 19, 78, 24}, QStringLiteral("Connect"));
    ConnectButton->setDefault(true);
    Button1 = Make<QPushButton>(this, "Button1", {464, 19, 42, 24}, QStringLiteral("&Hide"));
    Button3 = Make<QPushButton>(this, "Button3", {510, 19, 42, 24}, QStringLiteral("&Save"));

    TabControl1 = Make<QTabBar>(this, "TabControl1", {8, 50, 300, 24});
    TabControl1->addTab(QStringLiteral("File Log"));
    TabControl1->addTab(QStringLiteral("Image Exports"));
    TabControl1->addTab(QStringLiteral("Settings"));
}

void TFTPMainForm::BuildFileLog() {
    GroupBox2 = Make<QGroupBox>(this, "GroupBox2", {8, kGroupTop, kWidth - 16, kFileLogHeight - kGroupTop - 8},
                                QStringLiteral("Files"));
    Button2 = Make<QPushButton>(GroupBox2, "Button2", {8, 20, 30, 22}, QStringLiteral("<<"));
    Caption(GroupBox2, {48, 22, 110, 18}, QStringLiteral("Default Directory"));
    CurrentDirEdit = FieldEdit(GroupBox2, "CurrentDirEdit", {160, 20, 370, 22}, 255);
    CurrentDirEdit->setEnabled(false);

    DirectoryListBox = Make<QTreeWidget>(GroupBox2, "DirectoryListBox", {8, 48, kWidth - 32, 150});
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

    DebugListBox = Make<QListView>(GroupBox2, "DebugListBox", {8, 204, kWidth - 32, 118});
    DebugListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The log keeps the system's window colour: its black rows would vanish on black.
    DebugListBox->setPalette(QApplication::palette());
}

void TFTPMainForm::BuildImageExports() {
    GroupBox1 = Make<QGroupBox>(this, "GroupBox1", {8, kGroupTop, kWidth - 16, kImageExportsHeight - kGroupTop - 8},
                                QStringLiteral("Export Last Captured"));
    exportasWebPage = Make<QRadioButton>(GroupBox1, "exportasWebPage", {10, 22, 110, 20}, QStringLiteral("Export As"));
    DisableExportall = Make<QRadioButton>(GroupBox1, "DisableExportall", {10, 46, 110, 20}, QStringLiteral("Disabled"));
    ExportAll = Make<QRadioButton>(GroupBox1, "ExportAll", {10, 70, 110, 20}, QStringLiteral("Export All"));
    RecycleTheImage = Make<QRadioButton>(GroupBox1, "RecycleTheImage", {10, 94, 110, 20}, QStringLiteral("Recycle "));

    Caption(GroupBox1, {130, 22, 40, 20}, QStringLiteral("Cam 1"));
    webpageimagename = FieldEdit(GroupBox1, "webpageimagename", {172, 22, 150, 22}, 55);
    Caption(GroupBox1, {130, 48, 40, 20}, QStringLiteral("Cam 2"));
    webpageimagename2 = FieldEdit(GroupBox1, "webpageimagename2", {172, 48, 150, 22}, 55);
    Caption(GroupBox1, {130, 94, 110, 20}, QStringLiteral("Maximum Images"));
    maxImages = FieldEdit(GroupBox1, "maxImages", {244, 94, 50, 22}, 3);
    maxImages->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), maxImages));

    TrackBar1 = Make<QSlider>(GroupBox1, "TrackBar1", {10, 130, 260, 24}, Qt::Horizontal);
    TrackBar1->setRange(10, 100);
    Label7 = Make<QLabel>(GroupBox1, "Label7", {280, 132, 200, 20});
    CreateWebPage = Make<QCheckBox>(GroupBox1, "CreateWebPage", {10, 168, 200, 20}, QStringLiteral("Create imagelog.htm"));
}

void TFTPMainForm::BuildSettings() {
    Settings = Make<QGroupBox>(this, "Settings", {8, kGroupTop, kWidth - 16, kSettingsHeight - kGroupTop - 8},
                               QStringLiteral("Advanced Settings"));
    UsePassive = Make<QCheckBox>(Settings, "UsePassive", {10, 24, 200, 20}, QStringLiteral("Use Passive"));
    SaveSettingsCheckBox = Make<QCheckBox>(Settings, "SaveSettingsCheckBox", {10, 50, 200, 20}, QStringLiteral("Save Settings"));
    autoconnect = Make<QCheckBox>(Settings, "autoconnect", {10, 76, 200, 20}, QStringLiteral("Auto Connect"));
    dailupMode = Make<QCheckBox>(Settings, "dailupMode", {10, 102, 200, 20}, QStringLiteral("Dail-up-Mode"));
    dailupMode->hide();
    Caption(Settings, {10, 140, 400, 20}, QStringLiteral("A Broadband connections is recommended "));
}

void TFTPMainForm::BuildHiddenParts() {
    commandPanel = Make<QWidget>(GroupBox2, "commandPanel", {300, 20, 240, 24});
    commandPanel->hide();
    DeleteButton = Make<QPushButton>(commandPanel, "DeleteButton", {0, 0, 70, 24}, QStringLiteral("Delete"));
    DownloadButton = Make<QPushButton>(commandPanel, "DownloadButton", {74, 0, 80, 24}, QStringLiteral("Download"));
    // The abort button shows by itself during a transfer, beside the log.
    AbortButton = Make<QPushButton>(GroupBox2, "AbortButton", {460, 20, 70, 22}, QStringLiteral("Abort"));
    AbortButton->hide();
    CreateDirButton = Make<QPushButton>(GroupBox2, "CreateDirButton", {380, 20, 74, 22}, QStringLiteral("Make Dir"));
    CreateDirButton->hide();
    ProgressBar1 = Make<QProgressBar>(this, "ProgressBar1", {8, kFileLogHeight + 4, kWidth - 16, 16});
    ProgressBar1->setTextVisible(false);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    webpagePanel = Make<QWidget>(this, "webpagePanel", {8, kGroupTop, kWidth - 16, 240});
    webpagePanel->hide();
    RichEdit1 = Make<QTextEdit>(webpagePanel, "RichEdit1", {0, 0, kWidth - 16, 240});
    RichEdit1->setReadOnly(true);
}

void TFTPMainForm::ShowTab(int index) {
    GroupBox2->setVisible(index == 0);
    GroupBox1->setVisible(index == 1);
    Settings->setVisible(index == 2);
    const int heights[] = {kFileLogHeight, kImageExportsHeight, kSettingsHeight};
    resize(width(), heights[std::clamp(index, 0, 2)]);
}
