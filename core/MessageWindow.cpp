#include "core/MessageWindow.h"

#include "platform/OwnedWindow.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <utility>

MessageWindow::MessageWindow(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("MessageWindow"));
    setModal(true);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);

    messageLabel_ = new QLabel(frame);
    messageLabel_->setObjectName(QStringLiteral("messageLabel"));
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(true);
    messageLabel_->setFont(font);
    messageLabel_->setWordWrap(true);
    messageLabel_->setAlignment(Qt::AlignCenter);
    messageLabel_->setMinimumWidth(320);
    messageLabel_->setMaximumWidth(560);
    messageLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // How many more messages wait behind this one: the user knows OK brings the next.
    moreMessagesLabel_ = new QLabel(frame);
    moreMessagesLabel_->setObjectName(QStringLiteral("MoreMessages"));
    moreMessagesLabel_->setAlignment(Qt::AlignCenter);
    moreMessagesLabel_->hide();

    okButton_ = new QPushButton(QStringLiteral("&OK"), frame);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(16, 16, 16, 12);
    inner->setSpacing(14);
    inner->addWidget(messageLabel_);
    inner->addWidget(moreMessagesLabel_);
    inner->addWidget(okButton_, 0, Qt::AlignHCenter);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
}

MessageWindow* MessageWindow::Instance() {
    static QPointer<MessageWindow> instance;
    if (!instance) {
        instance = new MessageWindow();
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, instance.data(),
                         [box = instance.data()] { delete box; });
    }
    return instance;
}

void MessageWindow::ShowText(const QString& text) {
    MessageWindow* box = Instance();
    // Already shown: its own exec() shows this one after the ones before it.
    if (!box->Tell(text))
        return;
    QPointer<MessageWindow> alive(box);
    box->AttachTo(platform::MessageOwner(box));
    box->exec();
    // Not kept by the owner: the box outlives the windows it stood above.
    if (alive)
        alive->AttachTo(nullptr);
}

void MessageWindow::AttachTo(QWidget* owner) {
    // Modal to and above the window the user works in; above a window that stays on top too.
    Qt::WindowFlags flags = Qt::Dialog | Qt::FramelessWindowHint;
    if (owner && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        flags |= Qt::WindowStaysOnTopHint;
    if (parentWidget() != owner || windowFlags() != flags)
        setParent(owner, flags);
}

void MessageWindow::SetMessage(const QString& text) {
    messageLabel_->setText(text);
    Fit();
}

void MessageWindow::Fit() {
    adjustSize();
    if (isVisible())
        CentreOnScreen(); // a longer text grows the box from its corner
}

void MessageWindow::CentreOnScreen() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

QString MessageWindow::Message() const {
    return messageLabel_->text();
}

bool MessageWindow::Tell(const QString& text) {
    if (!isVisible()) {
        // Texts left waiting by a window hidden some other way come first.
        waiting_ << text;
        SetMessage(waiting_.takeFirst());
        ShowWaitingCount();
        return true;
    }
    // The same text again (a failure met at every tick) is one message, not a pile to click through.
    if (text != Message() && !waiting_.contains(text)) {
        waiting_ << text;
        ShowWaitingCount();
    }
    return false;
}

QStringList MessageWindow::TakeWaiting() {
    const QStringList texts = std::exchange(waiting_, {});
    ShowWaitingCount();
    return texts;
}

void MessageWindow::done(int result) {
    if (waiting_.isEmpty() || !isVisible()) {
        QDialog::done(result);
        return;
    }
    const QString next = waiting_.takeFirst();
    ShowWaitingCount();
    SetMessage(next);
    okButton_->setFocus();
}

void MessageWindow::ShowWaitingCount() {
    const qsizetype count = waiting_.size();
    moreMessagesLabel_->setText(count == 1 ? QStringLiteral("(1 more message)")
                                      : QStringLiteral("(%1 more messages)").arg(count));
    moreMessagesLabel_->setVisible(count > 0);
    Fit();
}

void MessageWindow::showEvent(QShowEvent* event) {
    adjustSize();
    CentreOnScreen();
    okButton_->setFocus();
    QDialog::showEvent(event);
}
