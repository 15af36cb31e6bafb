#include "publish/TLogWin.h"

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

TLogWin::TLogWin(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), logic_(settings), mainWindow_(&NullMainWindowLink::Instance()),
      ftp_(&NullFtpLink::Instance()), email_(&NullEmailWindowsLink::Instance()) {
    setObjectName(QStringLiteral("LogWin"));
    setWindowTitle(QStringLiteral("Captured Images"));
    setWindowFlag(Qt::FramelessWindowHint);
    PaintBlack(this);
    BuildParts();
    BindLogic();
    BindAviPanel();
    resize(kNormalHeight + kSideWidth, kNormalHeight);
}

TLogWin::~TLogWin() = default;

void TLogWin::SetLinks(MainWindowLink* mainWindow, FtpLink* ftp, EmailWindowsLink* email) {
    mainWindow_ = mainWindow ? mainWindow : &NullMainWindowLink::Instance();
    ftp_ = ftp ? ftp : &NullFtpLink::Instance();
    email_ = email ? email : &NullEmailWindowsLink::Instance();
}

void TLogWin::BuildParts() {
    Image1 = new LogPictureView(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    RichEdit1 = new QPlainTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    PaintBlack(RichEdit1);
    RichEdit1->hide();

    ImageList = new QListWidget(this);
    ImageList->setObjectName(QStringLiteral("ImageList"));
    ImageList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ImageList->setItemDelegate(new PictureLogListDelegate(logic_, ImageList));
    ImageList->setUniformItemSizes(true);
    ImageList->setFrameShape(QFrame::NoFrame);
    PaintBlack(ImageList);
    ImageList->installEventFilter(this);

    Panel6 = new QWidget(this);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    PaintBlack(Panel6);
    Panel3 = MakeLabel(Panel6, "Panel3", QString());
    Panel3->setAlignment(Qt::AlignCenter);
    Image2 = new LogPictureView(Panel6);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->hide();

    BuildButtons();
    BuildSettingsPanel();
    Panel5 = new AviPanel(this);
    BuildWaitAndRotatePanels();
    BuildMenu();
}

void TLogWin::BuildButtons() {
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    PaintBlack(Panel2);
    Button7 = MakeButton(Panel2, "Button7", QStringLiteral("Close"));
    Button2 = MakeButton(Panel2, "Button2", QStringLiteral("Save"));
    Button3 = MakeButton(Panel2, "Button3", QStringLiteral("Times"));
    Button9 = MakeButton(Panel2, "Button9", QStringLiteral("<<"));
    Button10 = MakeButton(Panel2, "Button10", QStringLiteral(">>"));
    Button11 = MakeButton(Panel2, "Button11", QStringLiteral("Stop"));
    Button12 = MakeButton(Panel2, "Button12", QStringLiteral("Notes"));
    Button18 = MakeButton(Panel2, "Button18", QStringLiteral("Settings"));
    Button19 = MakeButton(Panel2, "Button19", QStringLiteral("&Email Reports"));
    Button1 = MakeButton(Panel2, "Button1", QStringLiteral("Purge"));
    Button13 = MakeButton(Panel2, "Button13", QStringLiteral("AVI"));
    Button1->hide();
    Button13->hide();
    auto* grid = new QGridLayout(Panel2);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(2);
    grid->addWidget(Button9, 0, 0);
    grid->addWidget(Button11, 0, 1);
    grid->addWidget(Button10, 0, 2);
    grid->addWidget(Button12, 1, 0);
    grid->addWidget(Button3, 1, 1);
    grid->addWidget(Button2, 1, 2);
    grid->addWidget(Button18, 2, 0);
    grid->addWidget(Button7, 2, 2);
    grid->addWidget(Button19, 3, 0, 1, 3);
}

void TLogWin::BuildSettingsPanel() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    static_cast<QFrame*>(Panel1)->setFrameShape(QFrame::Panel);
    PaintBlack(Panel1);
    FolderModel = new QFileSystemModel(Panel1);
    FolderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    DirectoryListBox1 = new QTreeView(Panel1);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setModel(FolderModel);
    for (int column = 1; column < FolderModel->columnCount(); ++column)
        DirectoryListBox1->hideColumn(column);
    DirectoryListBox1->header()->hide();
    // The folders load in the background: the chosen one comes into view once its parents are there.
    connect(FolderModel, &QFileSystemModel::directoryLoaded, DirectoryListBox1, [this] {
        if (DirectoryListBox1->currentIndex().isValid())
            DirectoryListBox1->scrollTo(DirectoryListBox1->currentIndex(), QAbstractItemView::PositionAtCenter);
    });

    auto* Panel4 = new QFrame(Panel1);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFrameShape(QFrame::Panel);
    stats = MakeLabel(Panel4, "stats", QString());
    RecycleAfter = MakeLabel(Panel4, "RecycleAfter", QStringLiteral("Recycle after"));
    RecycleAfter->installEventFilter(this); // a click switches to normal size
    Label4 = MakeLabel(Panel4, "Label4", QString());
    TrackBar1 = new QSlider(Qt::Horizontal, Panel4);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    auto* recycleRow = new QHBoxLayout;
    recycleRow->addWidget(RecycleAfter);
    recycleRow->addStretch(1);
    recycleRow->addWidget(Label4);
    auto* panel4Layout = new QVBoxLayout(Panel4);
    panel4Layout->addWidget(stats);
    panel4Layout->addLayout(recycleRow);
    panel4Layout->addWidget(MakeLabel(Panel4, "Label5", QStringLiteral("Note: Overrides timer limits")));
    panel4Layout->addWidget(TrackBar1);

    Button6 = MakeButton(Panel1, "Button6", QStringLiteral("Save"));
    Button4 = MakeButton(Panel1, "Button4", QStringLiteral("Cancel"));
    Button20 = MakeButton(Panel1, "Button20", QStringLiteral("Purge"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button6);
    buttons->addWidget(Button4);
    buttons->addStretch(1);
    buttons->addWidget(Button20);
    auto* layout = new QVBoxLayout(Panel1);
    layout->addWidget(MakeLabel(Panel1, "Label1", QStringLiteral("Default Auto Save Location")));
    layout->addWidget(DirectoryListBox1, 1);
    layout->addWidget(MakeLabel(Panel1, "Label3", QStringLiteral("Surveillance Session Limiter ")));
    layout->addWidget(Panel4);
    layout->addLayout(buttons);
    Panel1->hide();
}

void TLogWin::BuildWaitAndRotatePanels() {
    pleaseWaitPanel = new QFrame(this);
    pleaseWaitPanel->setObjectName(QStringLiteral("pleaseWaitPanel"));
    static_cast<QFrame*>(pleaseWaitPanel)->setFrameShape(QFrame::Panel);
    PaintBlack(pleaseWaitPanel);
    PleaseWaitLabel = MakeLabel(pleaseWaitPanel, "PleaseWaitLabel", QStringLiteral("Please Wait"));
    PleaseWaitLabel->setAlignment(Qt::AlignCenter);
    ProgressBar2 = new QProgressBar(pleaseWaitPanel);
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    ProgressBar2->setTextVisible(false);
    auto* wait = new QVBoxLayout(pleaseWaitPanel);
    wait->addWidget(PleaseWaitLabel);
    wait->addWidget(ProgressBar2);
    pleaseWaitPanel->resize(240, 70);
    pleaseWaitPanel->hide();

    RototePanel = new QFrame(this);
    RototePanel->setObjectName(QStringLiteral("RototePanel"));
    PaintBlack(RototePanel);
    auto* angles = new QHBoxLayout;
    for (int angle = 45; angle < 360; angle += 45) {
        auto* choice = new QRadioButton(QString::number(angle), RototePanel);
        choice->setObjectName(QStringLiteral("Angle%1").arg(angle));
        connect(choice, &QRadioButton::clicked, this, [this, angle] { SetAngle(angle); });
        AngleButtons << choice;
        angles->addWidget(choice);
    }
    ScrollBar1 = new QScrollBar(Qt::Horizontal, RototePanel);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setRange(1, 359);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TLogWin::SetAngle);
    Button21 = MakeButton(RototePanel, "Button21", QStringLiteral("C&lose"));
    Button22 = MakeButton(RototePanel, "Button22", QStringLiteral("Rotate"));
    auto* rotate = new QVBoxLayout(RototePanel);
    rotate->addLayout(angles);
    rotate->addWidget(ScrollBar1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button22);
    buttons->addWidget(Button21);
    rotate->addLayout(buttons);
    RototePanel->hide();
}

void TLogWin::BuildMenu() {
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    SelectAllItem = PopupMenu2->addAction(QStringLiteral("Select All"));
    UploadItem = PopupMenu2->addAction(QStringLiteral("Upload"));
    CreateAviItem = PopupMenu2->addAction(QStringLiteral("Create AVI"));
    MakeSmallItem = PopupMenu2->addAction(QStringLiteral("Make Small"));
    MakeLargeItem = PopupMenu2->addAction(QStringLiteral("Make Large"));
    RotateItem = PopupMenu2->addAction(QStringLiteral("Rotate"));
    RotateItem->setVisible(false);
    connect(PopupMenu2, &QMenu::aboutToShow, this, [this] { UploadItem->setEnabled(ftp_->IsFtpConnected()); });
}

void TLogWin::LayoutParts() {
    const int w = width();
    const int h = height();
    const int side = kSideWidth;
    const int left = std::max(0, w - side);
    Image1->setGeometry(0, 0, left, h);
    RichEdit1->setGeometry(0, 0, left, h);

    const int captionHeight = Panel3->sizeHint().height() + 4;
    const bool live = Image2->isVisibleTo(this);
    const int panel6Height = live ? side : captionHeight;
    Panel6->setGeometry(left, 0, side, panel6Height);
    Panel3->setGeometry(0, 0, side, captionHeight);
    Image2->setGeometry(0, captionHeight, side, std::max(0, panel6Height - captionHeight));

    const int buttonsHeight = Panel2->sizeHint().height();
    Panel2->setGeometry(left, h - buttonsHeight, side, buttonsHeight);
    ImageList->setGeometry(left, panel6Height, side, std::max(0, h - panel6Height - buttonsHeight));

    Panel1->setGeometry(0, 0, left, h);
    const int aviHeight = Panel5->sizeHint().height();
    Panel5->setGeometry(0, h - aviHeight, left, aviHeight);
    const QSize rotate = RototePanel->sizeHint();
    RototePanel->setGeometry((left - rotate.width()) / 2, 0, rotate.width(), rotate.height());
    pleaseWaitPanel->move((w - pleaseWaitPanel->width()) / 2, (h - pleaseWaitPanel->height()) / 2);
}

void TLogWin::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayoutParts();
}

void TLogWin::ApplyViewSize(bool normal) {
    normalSize_ = normal;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect desk = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    if (normal) {
        Image2->hide();
        if (windowState() & Qt::WindowFullScreen)
            setWindowState(windowState() & ~Qt::WindowFullScreen);
        if (height() != kNormalHeight || width() != kNormalHeight + kSideWidth) {
            const QRect box(0, 0, kNormalHeight + kSideWidth, kNormalHeight);
            setGeometry(box.translated(desk.center() - box.center()));
        }
    } else {
        Image2->setVisible(logic_.LiveImageWanted());
        // Without a window manager the request alone leaves the window at its size.
        setGeometry(desk);
        setWindowState(windowState() | Qt::WindowFullScreen);
    }
    LayoutParts();
}
