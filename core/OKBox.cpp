#include "core/OKBox.h"

#include "platform/OwnedWindow.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TOKBox::TOKBox(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("OKBox"));
    setModal(true);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);

    theMessage_ = new QLabel(frame);
    theMessage_->setObjectName(QStringLiteral("TheMessage"));
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(true);
    theMessage_->setFont(font);
    theMessage_->setWordWrap(true);
    theMessage_->setAlignment(Qt::AlignCenter);
    theMessage_->setMinimumWidth(320);
    theMessage_->setMaximumWidth(560);
    theMessage_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    okButton_ = new QPushButton(QStringLiteral("&OK"), frame);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(16, 16, 16, 12);
    inner->setSpacing(14);
    inner->addWidget(theMessage_);
    inner->addWidget(okButton_, 0, Qt::AlignHCenter);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
}

TOKBox* TOKBox::Instance() {
    static QPointer<TOKBox> instance;
    if (!instance) {
        instance = new TOKBox();
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, instance.data(),
                         [box = instance.data()] { delete box; });
    }
    return instance;
}

void TOKBox::ShowText(const QString& text) {
    TOKBox* box = Instance();
    box->SetMessage(text);
    if (box->isVisible()) return;
    QPointer<TOKBox> alive(box);
    box->AttachTo(platform::MessageOwner(box));
    box->exec();
    // Not kept by the owner: the box outlives the windows it stood above.
    if (alive)
        alive->AttachTo(nullptr);
}

void TOKBox::AttachTo(QWidget* owner) {
    // Modal to and above the window the user works in; above a window that stays on top too.
    Qt::WindowFlags flags = Qt::Dialog | Qt::FramelessWindowHint;
    if (owner && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        flags |= Qt::WindowStaysOnTopHint;
    if (parentWidget() != owner || windowFlags() != flags)
        setParent(owner, flags);
}

void TOKBox::SetMessage(const QString& text) {
    theMessage_->setText(text);
    adjustSize();
}

QString TOKBox::Message() const {
    return theMessage_->text();
}

void TOKBox::showEvent(QShowEvent* event) {
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    okButton_->setFocus();
    QDialog::showEvent(event);
}
