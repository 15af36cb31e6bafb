#include "core/MessageBox.h"

#include "core/OKBox.h"
#include "platform/OwnedWindow.h"

#include <QApplication>
#include <QDebug>
#include <QPointer>

namespace {

bool quietFlag = false;
MessageBoxHandler customHandler;

} // namespace

void ShowMessageBox(const QString& text) {
    if (quietFlag) return;
    if (customHandler) {
        customHandler(text);
        return;
    }
    // Without a widget application (a console tool) there is no window to show.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        TOKBox::ShowText(text);
    else
        qWarning().noquote() << text;
}

void PostMessageBox(const QString& text) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        ShowMessageBox(text);
        return;
    }
    QMetaObject::invokeMethod(app, [text] { ShowMessageBox(text); }, Qt::QueuedConnection);
}

void ShowNoticeBox(const QString& text) {
    if (quietFlag) return;
    if (customHandler) {
        customHandler(text);
        return;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        qWarning().noquote() << text;
        return;
    }
    static QPointer<TOKBox> notice;
    if (!notice) {
        notice = new TOKBox();
        notice->setModal(false);
        notice->setAttribute(Qt::WA_DeleteOnClose);
        notice->setObjectName(QStringLiteral("NoticeBox"));
    }
    notice->SetMessage(text);
    if (!notice->isVisible())
        notice->AttachTo(platform::MessageOwner(notice));
    notice->show();
    notice->raise();
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
    customHandler = std::move(handler);
}

void SetMessageBoxQuiet(bool quiet) {
    quietFlag = quiet;
}

bool MessageBoxQuiet() {
    return quietFlag;
}
