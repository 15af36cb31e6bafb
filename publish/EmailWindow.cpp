#include "publish/EmailWindow.h"

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

EmailWindow::EmailWindow(SettingsStore& store, MainWindowLink& main, std::unique_ptr<ReportMailSender> sender,
                           ReportWindowLinks links, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), store_(store), main_(main), sender_(std::move(sender)),
      links_(std::move(links)) {
    if (!sender_)
        sender_ = std::make_unique<SmtpReportMailSender>();
    setObjectName(QStringLiteral("emailWindow"));
    setWindowTitle(QStringLiteral("E-Mail"));
    setFixedSize(kWidth, kHeight);
    placeholder_ = QImage(64, 48, QImage::Format_RGB888);
    placeholder_.fill(QColor(192, 192, 192));

    pageTabs = Named(new QTabBar(this), "pageTabs");
    pageTabs->addTab(QStringLiteral("Settings"));
    pageTabs->addTab(QStringLiteral("Send Image"));
    pageTabs->addTab(QStringLiteral("Sent Images"));
    pageTabs->setGeometry(0, 0, kWidth, kPanelTop);
    pageTabs->setFocusPolicy(Qt::NoFocus);
    // Only the user's own tab changes run the handler.
    connect(pageTabs, &QTabBar::currentChanged, this, [this](int index) { PageTabsChange(index); });

    BuildSettingsPanel();
    BuildSendPanel();
    BuildSentPanel();

    // Created with an empty report and the Settings tab up.
    contactTab->useContactInfoBox->setChecked(false);
    pageTabs->blockSignals(true);
    pageTabs->setCurrentIndex(0);
    pageTabs->blockSignals(false);
    settingsPanel->show();
    sendPanel->hide();
    sentPanel->hide();
    pleaseWaitPanel->hide();
}

EmailWindow::~EmailWindow() = default;

void EmailWindow::BuildSettingsPanel() {
    settingsPanel = Named(new QWidget(this), "settingsPanel");
    settingsPanel->setGeometry(0, kPanelTop, kWidth, kHeight - kPanelTop);
    contactTab = new ContactSettingsTab(settingsPanel);
    contactTab->setGeometry(0, 0, kWidth, kHeight - kPanelTop);
    connect(contactTab, &ContactSettingsTab::CloseClicked, this, &QDialog::close);
}

void EmailWindow::BuildSendPanel() {
    sendPanel = Named(new QWidget(this), "sendPanel");
    sendPanel->setGeometry(0, kPanelTop, kWidth, kHeight - kPanelTop);
    QWidget* p = sendPanel;

    Caption(p, QStringLiteral("Subject"), 8, 8);
    subjectEdit = Named(new QLineEdit(p), "subjectEdit");
    subjectEdit->setGeometry(60, 6, 338, 22);
    subjectEdit->setMaxLength(100);
    Caption(p, QStringLiteral("To"), 8, 36);
    toAddressCombo = Named(new QComboBox(p), "toAddressCombo");
    toAddressCombo->setEditable(true);
    toAddressCombo->setInsertPolicy(QComboBox::NoInsert);
    toAddressCombo->setGeometry(60, 34, 338, 22);
    toAddressCombo->lineEdit()->setMaxLength(100);

    messageEdit = Named(new QPlainTextEdit(p), "messageEdit");
    messageEdit->setGeometry(8, 62, 390, 92);
    messageEdit->setPlaceholderText(QStringLiteral("Message"));

    pictureLabel = Named(new QLabel(p), "pictureLabel");
    pictureLabel->setGeometry(8, 162, 192, 144);
    pictureLabel->setAlignment(Qt::AlignCenter);
    pictureLabel->setFrameShape(QFrame::Box);
    pictureNoteEdit = Named(new QPlainTextEdit(p), "pictureNoteEdit");
    pictureNoteEdit->setGeometry(206, 162, 192, 144);
    pictureNoteEdit->setReadOnly(true);

    pictureScroll = Named(new QScrollBar(Qt::Horizontal, p), "pictureScroll");
    pictureScroll->setGeometry(8, 312, 192, 18);
    pictureScroll->setRange(0, 0);
    connect(pictureScroll, &QScrollBar::valueChanged, this, [this] { PictureScrollChange(); });
    positionLabel = Named(new QLabel(QStringLiteral("0"), p), "positionLabel");
    positionLabel->setGeometry(206, 312, 60, 18);

    Caption(p, QStringLiteral("Ref"), 8, 342, 30);
    referenceEdit = Named(new QLineEdit(p), "referenceEdit");
    referenceEdit->setGeometry(40, 340, 140, 22);
    referenceEdit->setMaxLength(100);
    Caption(p, QStringLiteral("Code"), 190, 342, 34);
    codeEdit = Named(new QLineEdit(p), "codeEdit");
    codeEdit->setGeometry(228, 340, 170, 22);
    codeEdit->setMaxLength(100);

    sendButton = Named(new QPushButton(QStringLiteral("&Send"), p), "sendButton");
    sendButton->setGeometry(298, 380, 100, 30);
    connect(sendButton, &QPushButton::clicked, this, [this] { SendButtonClick(); });

    pleaseWaitPanel = Named(new QLabel(QStringLiteral("Please Wait.... Sending"), p), "pleaseWaitPanel");
    pleaseWaitPanel->setGeometry(78, 190, 250, 60);
    pleaseWaitPanel->setAlignment(Qt::AlignCenter);
    pleaseWaitPanel->setAutoFillBackground(true);
    pleaseWaitPanel->setFrameShape(QFrame::Box);
    pleaseWaitPanel->setStyleSheet(
        QStringLiteral("QLabel { background: white; color: red; font-weight: bold; border: 2px solid red; }"));
    pleaseWaitPanel->hide();
}

void EmailWindow::BuildSentPanel() {
    sentPanel = Named(new QWidget(this), "sentPanel");
    sentPanel->setGeometry(0, kPanelTop, kWidth, kHeight - kPanelTop);
    QWidget* p = sentPanel;

    outboxList = Named(new QListWidget(p), "outboxList");
    outboxList->setGeometry(8, 6, 390, 130);
    outboxList->installEventFilter(this);
    // A click or the arrow keys show the report; the list's own refills do not.
    connect(outboxList, &QListWidget::currentRowChanged, this, [this] { OutboxListClick(); });
    connect(outboxList, &QListWidget::itemClicked, this, [this] { OutboxListClick(); });

    sentTimeLabel = Named(new QLabel(p), "sentTimeLabel");
    sentTimeLabel->setGeometry(8, 142, 390, 18);
    summaryEdit = Named(new QPlainTextEdit(p), "summaryEdit");
    summaryEdit->setGeometry(8, 162, 390, 80);
    summaryEdit->setReadOnly(true);

    for (int i = 0; i < kThumbnails; ++i) {
        thumbnailLabels[i] = new QLabel(p);
        thumbnailLabels[i]->setObjectName(QStringLiteral("SentImage%1").arg(i + 1));
        thumbnailLabels[i]->setGeometry(8 + (i % 5) * 78, 250 + (i / 5) * 64, 72, 56);
        thumbnailLabels[i]->setAlignment(Qt::AlignCenter);
        thumbnailLabels[i]->setFrameShape(QFrame::Box);
    }
    BlankThumbnails();

    openButton = Named(new QPushButton(QStringLiteral("&Open"), p), "openButton");
    openButton->setGeometry(8, 392, 90, 28);
    connect(openButton, &QPushButton::clicked, this, [this] { OpenButtonClick(); });
    purgeButton = Named(new QPushButton(QStringLiteral("&Purge"), p), "purgeButton");
    purgeButton->setGeometry(106, 392, 90, 28);
    connect(purgeButton, &QPushButton::clicked, this, [this] { PurgeButtonClick(); });
    closeButton = Named(new QPushButton(QStringLiteral("Close"), p), "closeButton");
    closeButton->setGeometry(308, 392, 90, 28);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

QDateTime EmailWindow::Now() const { return links_.now ? links_.now() : QDateTime::currentDateTime(); }

bool EmailWindow::Online() const { return links_.online ? links_.online() : platform::IsInternetConnected(); }

bool EmailWindow::AskYesNo(const QString& question) {
    if (links_.askYesNo)
        return links_.askYesNo(question);
    return QMessageBox::question(this, QString(), question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

QString EmailWindow::OutboxFolder() const {
    const QString root = programFolder_.isEmpty() ? store_.Folder().Root() : programFolder_;
    return platform::WithTrailingSlash(platform::JoinPath(root, QStringLiteral("SentItems")));
}

QString EmailWindow::CameraFolder(int camera) const {
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

int EmailWindow::CurrentTab() const { return pageTabs->currentIndex(); }

void EmailWindow::ShowModalIfHidden() {
    if (!isVisible())
        exec();
}

void EmailWindow::ShowEmailWindow() { ShowModalIfHidden(); }

void EmailWindow::OpenSendImagePage(bool singlePictureMode, int position, const QStringList& pictures,
                                     const QString& currentName, int camera) {
    SinglePictureMode = singlePictureMode;
    messageEdit->clear();
    pictureNoteEdit->clear();
    if (pictures.isEmpty()) {
        // Nothing to show: a text-only report.
        pictureNames.clear();
        ReportCamera = camera;
        pictureScroll->blockSignals(true);
        pictureScroll->setRange(0, 0);
        pictureScroll->blockSignals(false);
        LoadPictureLabel(QString());
        ShowModalIfHidden();
        return;
    }
    pictureNames = pictures;
    pictureScroll->blockSignals(true);
    pictureScroll->setRange(0, int(pictureNames.size()) - 1);
    pictureScroll->setValue(position);
    pictureScroll->blockSignals(false);
    positionLabel->setText(QString::number(pictureScroll->value() + 1));
    ReportCamera = camera;

    const QString folder = CameraFolder(camera);
    const QString name = TrimText(currentName);
    if (!name.isEmpty() && QFile::exists(folder + name)) {
        if (camera == 1 || camera == 2)
            subjectEdit->setText(DefaultSubject(camera, QStringLiteral("HH:MM:SS")));
        const QString note = folder + name.left(name.size() - 3) + QStringLiteral("txt");
        if (QFile::exists(note))
            pictureNoteEdit->setPlainText(ReadNoteText(note));
    }
    ShowModalIfHidden();
}

QString EmailWindow::DefaultSubject(int camera, const QString& timePattern) const {
    const SettingsRecord& r = store_.Record();
    const QDateTime now = Now();
    const QString cameraName = TrimText(camera == 2 ? r.Cam2Name : r.Cam1Name);
    return TrimText(cameraName + QStringLiteral(" ") + FormatDateTime(timePattern, now) + QStringLiteral(" ") +
                    FormatDateTime(QStringLiteral("DDD-DD-MMM"), now)) +
           QStringLiteral(" ") + TrimText(r.SiteLocation);
}

void EmailWindow::SetPosition(int position) {
    pictureScroll->blockSignals(true);
    pictureScroll->setValue(position);
    pictureScroll->blockSignals(false);
}

void EmailWindow::ShowCurrentSendImage(bool repaintWindow) {
    pictureLabel->setVisible(true);
    if (!pictureNames.isEmpty()) {
        positionLabel->setText(QString::number(pictureScroll->value() + 1));
        if (pictureScroll->value() > pictureNames.size() - 1)
            SetPosition(int(pictureNames.size()) - 1);
        ShowSendImagePicture(pictureNames.value(pictureScroll->value()), ReportCamera);
    }
    if (repaintWindow)
        repaint();
}

void EmailWindow::ShowSendImagePicture(const QString& name, int camera) {
    pictureNoteEdit->clear();
    const QString folder = CameraFolder(camera);
    const QString trimmed = TrimText(name);
    const bool exists = !trimmed.isEmpty() && QFile::exists(folder + trimmed);
    if (exists) {
        if (camera == 1 || camera == 2)
            subjectEdit->setText(DefaultSubject(camera, QStringLiteral("HH:MM")));
        else if (camera == 0)
            subjectEdit->setText(TrimText(working_.Subject) + FormatDateTime(QStringLiteral("HH:MM"), Now()) +
                                 QStringLiteral(" ") + FormatDateTime(QStringLiteral("DDD-DD-MMM"), Now()));
    }
    const QString note = folder + trimmed.left(trimmed.size() - 3) + QStringLiteral("txt");
    if (!trimmed.isEmpty() && QFile::exists(note))
        pictureNoteEdit->setPlainText(ReadNoteText(note));
    if (isVisible())
        LoadPictureLabel(trimmed.isEmpty() ? QString() : folder + trimmed);
}

void EmailWindow::LoadPictureLabel(const QString& path) {
    shownPicture_ = path;
    const QImage picture = path.isEmpty() || !QFile::exists(path) ? QImage() : QImage(path);
    if (picture.isNull())
        pictureLabel->clear();
    else
        pictureLabel->setPixmap(QPixmap::fromImage(
            picture.scaled(pictureLabel->size() - QSize(2, 2), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

QString EmailWindow::CurrentPicturePath() const {
    if (pictureNames.isEmpty())
        return {};
    const QString name = TrimText(pictureNames.value(pictureScroll->value()));
    return name.isEmpty() ? QString() : CameraFolder(ReportCamera) + name;
}

void EmailWindow::CollectAndSaveSettings() {
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

void EmailWindow::SelectEmailTab(int tab) {
    pleaseWaitPanel->hide();
    CollectAndSaveSettings();
    pageTabs->blockSignals(true);
    pageTabs->setCurrentIndex(tab);
    pageTabs->blockSignals(false);
    settingsPanel->setVisible(tab == 0);
    sendPanel->setVisible(tab == 1);
    sentPanel->setVisible(tab == 2);
    if (tab == 1) {
        // The editor keeps the free text across tab changes; the caret goes to its end.
        messageEdit->moveCursor(QTextCursor::End);
        ShowCurrentSendImage(true);
        messageEdit->setFocus();
    } else if (tab == 2) {
        outboxList->setFocus();
    }
}

void EmailWindow::PageTabsChange(int index) { SelectEmailTab(index); }

void EmailWindow::PictureScrollChange() { ShowCurrentSendImage(true); }

void EmailWindow::LoadAddressBookItems() {
    QString error;
    if (!LoadAddressBook(*toAddressCombo, store_.Folder().File(AddressBook::kFileName), &error))
        ShowMessageBox(QStringLiteral("The address book could not be read: ") + error);
}

void EmailWindow::FormActivate() {
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

void EmailWindow::FormDeactivate() {
    CollectAndSaveSettings();
    // The report page and its scratch copy are only needed while the window is up.
    const QStringList folders{CameraFolder(1), CameraFolder(2), CameraFolder(3), OutboxFolder()};
    for (const QString& folder : folders)
        if (!folder.isEmpty())
            QFile::remove(folder + QStringLiteral("log.htm"));
    QFile::remove(OutboxFolder() + QStringLiteral("temp.htm"));
}

void EmailWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (active_)
        return;
    active_ = true;
    if (const QScreen* screen = this->screen())
        move(screen->geometry().center() - rect().center());
    FormActivate();
}

void EmailWindow::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!active_ || event->spontaneous())
        return;
    active_ = false;
    FormDeactivate();
}

void EmailWindow::paintEvent(QPaintEvent* event) {
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
                LoadPictureLabel(CurrentPicturePath());
            },
            Qt::QueuedConnection);
    }
}

void EmailWindow::closeEvent(QCloseEvent* event) {
    // The send ends by itself (it has its time-outs); the window stays until then.
    if (sending_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void EmailWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close(); // also while a send is in flight: closeEvent decides
        return;
    }
    QDialog::keyPressEvent(event);
}

void EmailWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Exit"), this, &QDialog::close);
    menu.exec(event->globalPos());
}

bool EmailWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == outboxList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        DeleteSelectedReport();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
