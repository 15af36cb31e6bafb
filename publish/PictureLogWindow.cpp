#include "publish/PictureLogWindow.h"

#include "core/EmailWindowsLink.h"
#include "core/FtpLink.h"
#include "core/MainWindowLink.h"
#include "core/SettingsStore.h"
#include "publish/AviPanel.h"
#include "publish/PictureLogListDelegate.h"

#include <QAction>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::NoFocus); // keys stay with the list
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

void PaintBlack(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::Text, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

LogPictureView::LogPictureView(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void LogPictureView::SetImage(const QImage& image) {
    image_ = image;
    update();
}

void LogPictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (image_.isNull())
        return;
    const QSize size = image_.size().scaled(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
}

PictureLogWindow::PictureLogWindow(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), logic_(settings), mainWindow_(&NullMainWindowLink::Instance()),
      ftp_(&NullFtpLink::Instance()), email_(&NullEmailWindowsLink::Instance()) {
    setObjectName(QStringLiteral("PictureLogWindow"));
    setWindowTitle(QStringLiteral("Captured Images"));
    setWindowFlag(Qt::FramelessWindowHint);
    PaintBlack(this);
    BuildParts();
    BindLogic();
    BindAviPanel();
    resize(kNormalHeight + kSideWidth, kNormalHeight);
}

PictureLogWindow::~PictureLogWindow() = default;

void PictureLogWindow::SetLinks(MainWindowLink* mainWindow, FtpLink* ftp, EmailWindowsLink* email) {
    mainWindow_ = mainWindow ? mainWindow : &NullMainWindowLink::Instance();
    ftp_ = ftp ? ftp : &NullFtpLink::Instance();
    email_ = email ? email : &NullEmailWindowsLink::Instance();
}

void PictureLogWindow::BuildParts() {
    pictureView = new LogPictureView(this);
    pictureView->setObjectName(QStringLiteral("pictureView"));
    noteEdit = new QPlainTextEdit(this);
    noteEdit->setObjectName(QStringLiteral("noteEdit"));
    PaintBlack(noteEdit);
    noteEdit->hide();

    pictureList = new QListWidget(this);
    pictureList->setObjectName(QStringLiteral("pictureList"));
    pictureList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    pictureList->setItemDelegate(new PictureLogListDelegate(logic_, pictureList));
    pictureList->setUniformItemSizes(true);
    pictureList->setFrameShape(QFrame::NoFrame);
    PaintBlack(pictureList);
    pictureList->installEventFilter(this);

    livePanel = new QWidget(this);
    livePanel->setObjectName(QStringLiteral("livePanel"));
    PaintBlack(livePanel);
    positionLabel = MakeLabel(livePanel, "positionLabel", QString());
    positionLabel->setAlignment(Qt::AlignCenter);
    liveView = new LogPictureView(livePanel);
    liveView->setObjectName(QStringLiteral("liveView"));
    liveView->hide();

    BuildButtons();
    BuildSettingsPanel();
    aviPanel = new AviPanel(this);
    BuildWaitAndRotatePanels();
    BuildMenu();
}

void PictureLogWindow::BuildButtons() {
    buttonPanel = new QWidget(this);
    buttonPanel->setObjectName(QStringLiteral("buttonPanel"));
    PaintBlack(buttonPanel);
    closeButton = MakeButton(buttonPanel, "closeButton", QStringLiteral("Close"));
    saveButton = MakeButton(buttonPanel, "saveButton", QStringLiteral("Save"));
    listModeButton = MakeButton(buttonPanel, "listModeButton", QStringLiteral("Times"));
    slideBackButton = MakeButton(buttonPanel, "slideBackButton", QStringLiteral("<<"));
    slideForwardButton = MakeButton(buttonPanel, "slideForwardButton", QStringLiteral(">>"));
    slideStopButton = MakeButton(buttonPanel, "slideStopButton", QStringLiteral("Stop"));
    notesButton = MakeButton(buttonPanel, "notesButton", QStringLiteral("Notes"));
    settingsButton = MakeButton(buttonPanel, "settingsButton", QStringLiteral("Settings"));
    emailButton = MakeButton(buttonPanel, "emailButton", QStringLiteral("&Email Reports"));
    purgeButton = MakeButton(buttonPanel, "purgeButton", QStringLiteral("Purge"));
    aviButton = MakeButton(buttonPanel, "aviButton", QStringLiteral("AVI"));
    purgeButton->hide();
    aviButton->hide();
    auto* grid = new QGridLayout(buttonPanel);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(2);
    grid->addWidget(slideBackButton, 0, 0);
    grid->addWidget(slideStopButton, 0, 1);
    grid->addWidget(slideForwardButton, 0, 2);
    grid->addWidget(notesButton, 1, 0);
    grid->addWidget(listModeButton, 1, 1);
    grid->addWidget(saveButton, 1, 2);
    grid->addWidget(settingsButton, 2, 0);
    grid->addWidget(closeButton, 2, 2);
    grid->addWidget(emailButton, 3, 0, 1, 3);
}

void PictureLogWindow::BuildSettingsPanel() {
    settingsPanel = new QFrame(this);
    settingsPanel->setObjectName(QStringLiteral("settingsPanel"));
    static_cast<QFrame*>(settingsPanel)->setFrameShape(QFrame::Panel);
    PaintBlack(settingsPanel);
    folderModel = new QFileSystemModel(settingsPanel);
    folderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folderTree = new QTreeView(settingsPanel);
    folderTree->setObjectName(QStringLiteral("folderTree"));
    folderTree->setModel(folderModel);
    for (int column = 1; column < folderModel->columnCount(); ++column)
        folderTree->hideColumn(column);
    folderTree->header()->hide();
    // The folders load in the background: the chosen one comes into view once its parents are there.
    connect(folderModel, &QFileSystemModel::directoryLoaded, folderTree, [this] {
        if (folderTree->currentIndex().isValid())
            folderTree->scrollTo(folderTree->currentIndex(), QAbstractItemView::PositionAtCenter);
    });

    auto* limiterPanel = new QFrame(settingsPanel);
    limiterPanel->setObjectName(QStringLiteral("limiterPanel"));
    limiterPanel->setFrameShape(QFrame::Panel);
    statsLabel = MakeLabel(limiterPanel, "statsLabel", QString());
    recycleAfterLabel = MakeLabel(limiterPanel, "recycleAfterLabel", QStringLiteral("Recycle after"));
    recycleAfterLabel->installEventFilter(this); // a click switches to normal size
    freeAfterLabel = MakeLabel(limiterPanel, "freeAfterLabel", QString());
    limitSlider = new QSlider(Qt::Horizontal, limiterPanel);
    limitSlider->setObjectName(QStringLiteral("limitSlider"));
    auto* recycleRow = new QHBoxLayout;
    recycleRow->addWidget(recycleAfterLabel);
    recycleRow->addStretch(1);
    recycleRow->addWidget(freeAfterLabel);
    auto* limiterLayout = new QVBoxLayout(limiterPanel);
    limiterLayout->addWidget(statsLabel);
    limiterLayout->addLayout(recycleRow);
    limiterLayout->addWidget(MakeLabel(limiterPanel, "limiterNoteLabel", QStringLiteral("Note: Overrides timer limits")));
    limiterLayout->addWidget(limitSlider);

    settingsSaveButton = MakeButton(settingsPanel, "settingsSaveButton", QStringLiteral("Save"));
    settingsCancelButton = MakeButton(settingsPanel, "settingsCancelButton", QStringLiteral("Cancel"));
    settingsPurgeButton = MakeButton(settingsPanel, "settingsPurgeButton", QStringLiteral("Purge"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(settingsSaveButton);
    buttons->addWidget(settingsCancelButton);
    buttons->addStretch(1);
    buttons->addWidget(settingsPurgeButton);
    auto* layout = new QVBoxLayout(settingsPanel);
    layout->addWidget(MakeLabel(settingsPanel, "autoSaveLocationLabel", QStringLiteral("Default Auto Save Location")));
    layout->addWidget(folderTree, 1);
    layout->addWidget(MakeLabel(settingsPanel, "limiterLabel", QStringLiteral("Surveillance Session Limiter ")));
    layout->addWidget(limiterPanel);
    layout->addLayout(buttons);
    settingsPanel->hide();
}

void PictureLogWindow::BuildWaitAndRotatePanels() {
    pleaseWaitPanel = new QFrame(this);
    pleaseWaitPanel->setObjectName(QStringLiteral("pleaseWaitPanel"));
    static_cast<QFrame*>(pleaseWaitPanel)->setFrameShape(QFrame::Panel);
    PaintBlack(pleaseWaitPanel);
    pleaseWaitLabel = MakeLabel(pleaseWaitPanel, "pleaseWaitLabel", QStringLiteral("Please Wait"));
    pleaseWaitLabel->setAlignment(Qt::AlignCenter);
    waitProgressBar = new QProgressBar(pleaseWaitPanel);
    waitProgressBar->setObjectName(QStringLiteral("waitProgressBar"));
    waitProgressBar->setTextVisible(false);
    auto* wait = new QVBoxLayout(pleaseWaitPanel);
    wait->addWidget(pleaseWaitLabel);
    wait->addWidget(waitProgressBar);
    pleaseWaitPanel->resize(240, 70);
    pleaseWaitPanel->hide();

    rotatePanel = new QFrame(this);
    rotatePanel->setObjectName(QStringLiteral("rotatePanel"));
    PaintBlack(rotatePanel);
    auto* angles = new QHBoxLayout;
    for (int angle = 45; angle < 360; angle += 45) {
        auto* choice = new QRadioButton(QString::number(angle), rotatePanel);
        choice->setObjectName(QStringLiteral("Angle%1").arg(angle));
        connect(choice, &QRadioButton::clicked, this, [this, angle] { SetAngle(angle); });
        angleButtons << choice;
        angles->addWidget(choice);
    }
    angleScroll = new QScrollBar(Qt::Horizontal, rotatePanel);
    angleScroll->setObjectName(QStringLiteral("angleScroll"));
    angleScroll->setRange(1, 359);
    connect(angleScroll, &QScrollBar::valueChanged, this, &PictureLogWindow::SetAngle);
    rotateCloseButton = MakeButton(rotatePanel, "rotateCloseButton", QStringLiteral("C&lose"));
    rotateButton = MakeButton(rotatePanel, "rotateButton", QStringLiteral("Rotate"));
    auto* rotate = new QVBoxLayout(rotatePanel);
    rotate->addLayout(angles);
    rotate->addWidget(angleScroll);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(rotateButton);
    buttons->addWidget(rotateCloseButton);
    rotate->addLayout(buttons);
    rotatePanel->hide();
}

void PictureLogWindow::BuildMenu() {
    pictureMenu = new QMenu(this);
    pictureMenu->setObjectName(QStringLiteral("pictureMenu"));
    selectAllAction = pictureMenu->addAction(QStringLiteral("Select All"));
    uploadAction = pictureMenu->addAction(QStringLiteral("Upload"));
    createAviAction = pictureMenu->addAction(QStringLiteral("Create AVI"));
    makeSmallAction = pictureMenu->addAction(QStringLiteral("Make Small"));
    makeLargeAction = pictureMenu->addAction(QStringLiteral("Make Large"));
    rotateAction = pictureMenu->addAction(QStringLiteral("Rotate"));
    rotateAction->setVisible(false);
    connect(pictureMenu, &QMenu::aboutToShow, this, [this] { uploadAction->setEnabled(ftp_->IsFtpConnected()); });
}

void PictureLogWindow::LayoutParts() {
    const int w = width();
    const int h = height();
    const int side = kSideWidth;
    const int left = std::max(0, w - side);
    pictureView->setGeometry(0, 0, left, h);
    noteEdit->setGeometry(0, 0, left, h);

    const int captionHeight = positionLabel->sizeHint().height() + 4;
    const bool live = liveView->isVisibleTo(this);
    const int livePanelHeight = live ? side : captionHeight;
    livePanel->setGeometry(left, 0, side, livePanelHeight);
    positionLabel->setGeometry(0, 0, side, captionHeight);
    liveView->setGeometry(0, captionHeight, side, std::max(0, livePanelHeight - captionHeight));

    const int buttonsHeight = buttonPanel->sizeHint().height();
    buttonPanel->setGeometry(left, h - buttonsHeight, side, buttonsHeight);
    pictureList->setGeometry(left, livePanelHeight, side, std::max(0, h - livePanelHeight - buttonsHeight));

    settingsPanel->setGeometry(0, 0, left, h);
    const int aviHeight = aviPanel->sizeHint().height();
    aviPanel->setGeometry(0, h - aviHeight, left, aviHeight);
    const QSize rotate = rotatePanel->sizeHint();
    rotatePanel->setGeometry((left - rotate.width()) / 2, 0, rotate.width(), rotate.height());
    pleaseWaitPanel->move((w - pleaseWaitPanel->width()) / 2, (h - pleaseWaitPanel->height()) / 2);
}

void PictureLogWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayoutParts();
}

void PictureLogWindow::ApplyViewSize(bool normal) {
    normalSize_ = normal;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect desk = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    if (normal) {
        liveView->hide();
        if (windowState() & Qt::WindowFullScreen)
            setWindowState(windowState() & ~Qt::WindowFullScreen);
        if (height() != kNormalHeight || width() != kNormalHeight + kSideWidth) {
            const QRect box(0, 0, kNormalHeight + kSideWidth, kNormalHeight);
            setGeometry(box.translated(desk.center() - box.center()));
        }
    } else {
        liveView->setVisible(logic_.LiveImageWanted());
        // Without a window manager the request alone leaves the window at its size.
        setGeometry(desk);
        setWindowState(windowState() | Qt::WindowFullScreen);
    }
    LayoutParts();
}
