#include "publish/TemailSender.h"

#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "core/MainWindowLink.h"
#include "core/MessageBox.h"
#include "core/PasswordScrambler.h"
#include "core/SettingsStore.h"
#include "platform/ProgramFolder.h"
#include "platform/SystemInfo.h"
#include "publish/AddressBook.h"
#include "publish/ContactSettingsTab.h"
#include "publish/EAlertPage.h"
#include "publish/ReportPage.h"
#include "publish/SmtpReportMailSender.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTextCursor>

namespace {

constexpr int kPanelTop = 28;

QLabel* Caption(QWidget* parent, const QString& text, int x, int y, int width = 60) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, width, 18);
    return label;
}

QString ReadNoteText(const QString& path) { return ReadNoteLines(path).join(QLatin1Char('\n')); }

template <class W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TemailSender::TemailSender(SettingsStore& store, MainWindowLink& main, std::unique_ptr<ReportMailSender> sender,
                           ReportWindowLinks links, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), store_(store), main_(main), sender_(std::move(sender)),
      links_(std::move(links)) {
    if (!sender_)
        sender_ = std::make_unique<SmtpReportMailSender>();
    setObjectName(QStringLiteral("emailSender"));
    setWindowTitle(QStringLiteral("E-Mail"));
    setFixedSize(kWidth, kHeight);
    placeholder_ = QImage(64, 48, QImage::Format_RGB888);
    placeholder_.fill(QColor(192, 192, 192));

    TabControl1 = Named(new QTabBar(this), "TabControl1");
    TabControl1->addTab(QStringLiteral("Settings"));
    TabControl1->addTab(QStringLiteral("Send Image"));
    TabControl1->addTab(QStringLiteral("Sent Images"));
    TabControl1->setGeometry(0, 0, kWidth, kPanelTop);
    TabControl1->setFocusPolicy(Qt::NoFocus);
    // Only the user's own tab changes run the handler.
    connect(TabControl1, &QTabBar::currentChanged, this, [this](int index) { TabControl1Change(index); });

    BuildSettingsPanel();
    BuildSendPanel();
    BuildSentPanel();

    // Created with an empty report and the Settings tab up.
    contactTab->UseContactInfo->setChecked(false);
    TabControl1->blockSignals(true);
    TabControl1->setCurrentIndex(0);
    TabControl1->blockSignals(false);
    settingsPanel->show();
    sendPanel->hide();
    sentPanel->hide();
    pleaseWaitPanel->hide();
}

TemailSender::~TemailSender() = default;

void TemailSender::BuildSettingsPanel() {
    settingsPanel = Named(new QWidget(this), "settingsPanel");
    settingsPanel->setGeometry(0, kPanelTop, kWidth, kHeight - kPanelTop);
    contactTab = new ContactSettingsTab(settingsPanel);
    contactTab->setGeometry(0, 0, kWidth, kHeight - kPanelTop);
    connect(contactTab, &ContactSettingsTab::CloseClicked, this, &QDialog::close);
}

void TemailSender::BuildSendPanel() {
    sendPanel = Named(new QWidget(this), "sendPanel");
    sendPanel->setGeometry(0, kPanelTop, kWidth, kHeight - kPanelTop);
    QWidget* p = sendPanel;

    Caption(p, QStringLiteral("Subject"), 8, 8);
    SubjectEdit = Named(new QLineEdit(p), "SubjectEdit");
    SubjectEdit->setGeometry(60, 6, 338, 22);
    SubjectEdit->setMaxLength(100);
    Caption(p, QStringLiteral("To"), 8, 36);
    ToAddress = Named(new QComboBox(p), "ToAddress");
    ToAddress->setEditable(true);
    ToAddress->setInsertPolicy(QComboBox::NoInsert);
    ToAddress->setGeometry(60, 34, 338, 22);
    ToAddress->lineEdit()->setMaxLength(100);

    RichEdit1 = Named(new QPlainTextEdit(p), "RichEdit1");
    RichEdit1->setGeometry(8, 62, 390, 92);
    RichEdit1->setPlaceholderText(QStringLiteral("Message"));

    Image1 = Named(new QLabel(p), "Image1");
    Image1->setGeometry(8, 162, 192, 144);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameShape(QFrame::Box);
    RichEdit2 = Named(new QPlainTextEdit(p), "RichEdit2");
    RichEdit2->setGeometry(206, 162, 192, 144);
    RichEdit2->setReadOnly(true);

    ScrollBar1 = Named(new QScrollBar(Qt::Horizontal, p), "ScrollBar1");
    ScrollBar1->setGeometry(8, 312, 192, 18);
    ScrollBar1->setRange(0, 0);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { ScrollBar1Change(); });
    postion_caption = Named(new QLabel(QStringLiteral("0"), p), "postion_caption");
    postion_caption->setGeometry(206, 312, 60, 18);

    Caption(p, QStringLiteral("Ref"), 8, 342, 30);
    ref = Named(new QLineEdit(p), "ref");
    ref->setGeometry(40, 340, 140, 22);
    ref->setMaxLength(100);
    Caption(p, QStringLiteral("Code"), 190, 342, 34);
    code = Named(new QLineEdit(p), "code");
    code->setGeometry(228, 340, 170, 22);
    code->setMaxLength(100);

    BitBtn1 = Named(new QPushButton(QStringLiteral("&Send"), p), "BitBtn1");
    BitBtn1->setGeometry(298, 380, 100, 30);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

    pleaseWaitPanel = Named(new QLabel(QStringLiteral("Please Wait.... Sending"), p), "pleaseWaitPanel");
    pleaseWaitPanel->setGeometry(78, 190, 250, 60);
    pleaseWaitPanel->setAlignment(Qt::AlignCenter);
    pleaseWaitPanel->setAutoFillBackground(true);
    pleaseWaitPanel->setFrameShape(QFrame::Box);
    pleaseWaitPanel->setStyleSheet(
        QStringLiteral("QLabel { background: white; color: red; font-weight: bold; border: 2px solid red; }"));
    pleaseWaitPanel->hide();
}

void TemailSender::BuildSentPanel() {
    sentPanel = Named(new QWidget(this), "sentPanel");
    sentPanel->setGeometry(0, kPanelTop, kWidth, kHeight - kPanelTop);
    QWidget* p = sentPanel;

    ListBox1 = Named(new QListWidget(p), "ListBox1");
    ListBox1->setGeometry(8, 6, 390, 130);
    ListBox1->installEventFilter(this);
    // A click or the arrow keys show the report; the list's own refills do not.
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });

    Label20 = Named(new QLabel(p), "Label20");
    Label20->setGeometry(8, 142, 390, 18);
    EmailSummary = Named(new QPlainTextEdit(p), "EmailSummary");
    EmailSummary->setGeometry(8, 162, 390, 80);
    EmailSummary->setReadOnly(true);

    for (int i = 0; i < kThumbnails; ++i) {
        SentImage[i] = new QLabel(p);
        SentImage[i]->setObjectName(QStringLiteral("SentImage%1").arg(i + 1));
        SentImage[i]->setGeometry(8 + (i % 5) * 78, 250 + (i / 5) * 64, 72, 56);
        SentImage[i]->setAlignment(Qt::AlignCenter);
        SentImage[i]->setFrameShape(QFrame::Box);
    }
    BlankThumbnails();

    Button3 = Named(new QPushButton(QStringLiteral("&Open"), p), "Button3");
    Button3->setGeometry(8, 392, 90, 28);
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    Button8 = Named(new QPushButton(QStringLiteral("&Purge"), p), "Button8");
    Button8->setGeometry(106, 392, 90, 28);
    connect(Button8, &QPushButton::clicked, this, [this] { Button8Click(); });
    CloseButton2 = Named(new QPushButton(QStringLiteral("Close"), p), "CloseButton2");
    CloseButton2->setGeometry(308, 392, 90, 28);
    connect(CloseButton2, &QPushButton::clicked, this, &QDialog::close);
}

QDateTime TemailSender::Now() const { return links_.now ? links_.now() : QDateTime::currentDateTime(); }

bool TemailSender::Online() const { return links_.online ? links_.online() : platform::IsInternetConnected(); }

bool TemailSender::AskYesNo(const QString& question) {
    if (links_.askYesNo)
        return links_.askYesNo(question);
    return QMessageBox::question(this, QString(), question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

QString TemailSender::OutboxFolder() const {
    const QString root = programFolder_.isEmpty() ? store_.Folder().Root() : programFolder_;
    return platform::WithTrailingSlash(platform::JoinPath(root, QStringLiteral("SentItems")));
}

QString TemailSender::CameraFolder(int camera) const {
    switch (camera) {
    case 1:
    case 2:
        return platform::WithTrailingSlash(TrimText(store_.CameraFolder(camera)));
    case 3:
        return platform::WithTrailingSlash(main_.HistoryFolder());
    default:
        return OutboxFolder();
    }
}

int TemailSender::CurrentTab() const { return TabControl1->currentIndex(); }

void TemailSender::ShowModalIfHidden() {
    if (!isVisible())
        exec();
}

void TemailSender::ShowEmailWindow() { ShowModalIfHidden(); }

void TemailSender::OpenSendImagePage(bool singlePictureMode, int position, const QStringList& pictures,
                                     const QString& currentName, int camera) {
    SinglePictureMode = singlePictureMode;
    RichEdit1->clear();
    RichEdit2->clear();
    if (pictures.isEmpty()) {
        // Nothing to show: a text-only report.
        filelist.clear();
        ReportCamera = camera;
        ScrollBar1->blockSignals(true);
        ScrollBar1->setRange(0, 0);
        ScrollBar1->blockSignals(false);
        LoadImage1(QString());
        ShowModalIfHidden();
        return;
    }
    filelist = pictures;
    ScrollBar1->blockSignals(true);
    ScrollBar1->setRange(0, int(filelist.size()) - 1);
    ScrollBar1->setValue(position);
    ScrollBar1->blockSignals(false);
    postion_caption->setText(QString::number(ScrollBar1->value() + 1));
    ReportCamera = camera;

    const QString folder = CameraFolder(camera);
    const QString name = TrimText(currentName);
    if (!name.isEmpty() && QFile::exists(folder + name)) {
        if (camera == 1 || camera == 2)
            SubjectEdit->setText(DefaultSubject(camera, QStringLiteral("HH:MM:SS")));
        const QString note = folder + name.left(name.size() - 3) + QStringLiteral("txt");
        if (QFile::exists(note))
            RichEdit2->setPlainText(ReadNoteText(note));
    }
    ShowModalIfHidden();
}

QString TemailSender::DefaultSubject(int camera, const QString& timePattern) const {
    const SettingsRecord& r = store_.Record();
    const QDateTime now = Now();
    const QString cameraName = TrimText(camera == 2 ? r.Cam2Name : r.Cam1Name);
    return TrimText(cameraName + QStringLiteral(" ") + FormatDateTime(timePattern, now) + QStringLiteral(" ") +
                    FormatDateTime(QStringLiteral("DDD-DD-MMM"), now)) +
           QStringLiteral(" ") + TrimText(r.SiteLocation);
}

void TemailSender::SetPosition(int position) {
    ScrollBar1->blockSignals(true);
    ScrollBar1->setValue(position);
    ScrollBar1->blockSignals(false);
}

void TemailSender::ShowCurrentSendImage(bool repaintWindow) {
    Image1->setVisible(true);
    if (!filelist.isEmpty()) {
        postion_caption->setText(QString::number(ScrollBar1->value() + 1));
        if (ScrollBar1->value() > filelist.size() - 1)
            SetPosition(int(filelist.size()) - 1);
        ShowSendImagePicture(filelist.value(ScrollBar1->value()), ReportCamera);
    }
    if (repaintWindow)
        repaint();
}

void TemailSender::ShowSendImagePicture(const QString& name, int camera) {
    RichEdit2->clear();
    const QString folder = CameraFolder(camera);
    const QString trimmed = TrimText(name);
    const bool exists = !trimmed.isEmpty() && QFile::exists(folder + trimmed);
    if (exists) {
        if (camera == 1 || camera == 2)
            SubjectEdit->setText(DefaultSubject(camera, QStringLiteral("HH:MM")));
        else if (camera == 0)
            SubjectEdit->setText(TrimText(working_.Subject) + FormatDateTime(QStringLiteral("HH:MM"), Now()) +
                                 QStringLiteral(" ") + FormatDateTime(QStringLiteral("DDD-DD-MMM"), Now()));
    }
    const QString note = folder + trimmed.left(trimmed.size() - 3) + QStringLiteral("txt");
    if (!trimmed.isEmpty() && QFile::exists(note))
        RichEdit2->setPlainText(ReadNoteText(note));
    if (isVisible())
        LoadImage1(trimmed.isEmpty() ? QString() : folder + trimmed);
}

void TemailSender::LoadImage1(const QString& path) {
    shownPicture_ = path;
    const QImage picture = path.isEmpty() || !QFile::exists(path) ? QImage() : QImage(path);
    if (picture.isNull())
        Image1->clear();
    else
        Image1->setPixmap(QPixmap::fromImage(
            picture.scaled(Image1->size() - QSize(2, 2), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

QString TemailSender::CurrentPicturePath() const {
    if (filelist.isEmpty())
        return {};
    const QString name = TrimText(filelist.value(ScrollBar1->value()));
    return name.isEmpty() ? QString() : CameraFolder(ReportCamera) + name;
}

void TemailSender::CollectAndSaveSettings() {
    EmailSettingsRecord& record = store_.EmailRecord();
    SmtpEdits smtp;
    if (links_.smtpEdits) {
        smtp = links_.smtpEdits();
    } else {
        // Without the set-up panel the stored SMTP fields stay as they are.
        smtp.host = record.SmtpHost;
        smtp.user = record.SmtpUser;
        smtp.password = record.SmtpPassword.isEmpty() ? QString() : UnscramblePassword(record.SmtpPassword);
        smtp.reply = record.ReplyAddress;
    }
    CollectAlertSettings(record, smtp, contactTab->Edits());
    store_.SaveAlertSettingsFile();
}

void TemailSender::SelectEmailTab(int tab) {
    pleaseWaitPanel->hide();
    CollectAndSaveSettings();
    TabControl1->blockSignals(true);
    TabControl1->setCurrentIndex(tab);
    TabControl1->blockSignals(false);
    settingsPanel->setVisible(tab == 0);
    sendPanel->setVisible(tab == 1);
    sentPanel->setVisible(tab == 2);
    if (tab == 1) {
        // The editor keeps the free text across tab changes; the caret goes to its end.
        RichEdit1->moveCursor(QTextCursor::End);
        ShowCurrentSendImage(true);
        RichEdit1->setFocus();
    } else if (tab == 2) {
        ListBox1->setFocus();
    }
}

void TemailSender::TabControl1Change(int index) { SelectEmailTab(index); }

void TemailSender::ScrollBar1Change() { ShowCurrentSendImage(true); }

void TemailSender::LoadAddressBookItems() {
    QString error;
    if (!LoadAddressBook(*ToAddress, store_.Folder().File(AddressBook::kFileName), &error))
        ShowMessageBox(QStringLiteral("The address book could not be read: ") + error);
}

void TemailSender::FormActivate() {
    setFixedSize(kWidth, kHeight);
    pleaseWaitPanel->hide();
    programFolder_ = store_.Folder().Root();
    RefreshOutboxList();
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        if (qobject_cast<QComboBox*>(edit->parentWidget()))
            continue; // the recipient list's own edit
        edit->clear();
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
        edit->setPalette(palette);
    }
    contactTab->LoadContactSettings(store_);
    SelectEmailTab(1);
    LoadAddressBookItems();
}

void TemailSender::FormDeactivate() {
    CollectAndSaveSettings();
    // The report page and its scratch copy are only needed while the window is up.
    const QStringList folders{CameraFolder(1), CameraFolder(2), CameraFolder(3), OutboxFolder()};
    for (const QString& folder : folders)
        if (!folder.isEmpty())
            QFile::remove(folder + QStringLiteral("log.htm"));
    QFile::remove(OutboxFolder() + QStringLiteral("temp.htm"));
}

void TemailSender::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (active_)
        return;
    active_ = true;
    if (const QScreen* screen = this->screen())
        move(screen->geometry().center() - rect().center());
    FormActivate();
}

void TemailSender::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!active_ || event->spontaneous())
        return;
    active_ = false;
    FormDeactivate();
}

void TemailSender::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1)); // a frameless window still needs an edge
    // A picture chosen while the window was hidden is drawn once the window is painted.
    // Only the picture: a repaint never replaces the subject the user typed.
    if (!loadPending_ && sendPanel->isVisible() && CurrentPicturePath() != shownPicture_) {
        loadPending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                loadPending_ = false;
                LoadImage1(CurrentPicturePath());
            },
            Qt::QueuedConnection);
    }
}

void TemailSender::closeEvent(QCloseEvent* event) {
    // The send ends by itself (it has its time-outs); the window stays until then.
    if (sending_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TemailSender::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close(); // also while a send is in flight: closeEvent decides
        return;
    }
    QDialog::keyPressEvent(event);
}

void TemailSender::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Exit"), this, &QDialog::close);
    menu.exec(event->globalPos());
}

bool TemailSender::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        DeleteSelectedReport();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
