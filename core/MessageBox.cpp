#include "core/MessageBox.h"

#include "core/OKBox.h"
#include "platform/OwnedWindow.h"

#include <QApplication>
#include <QDebug>
#include <QPointer>

#include <cstdio>

namespace {

bool quietFlag = false;
bool shuttingDown = false;
MessageBoxHandler customHandler;

// The text as one line on stderr; true when it went there (the station is ending).
bool ToStderrWhenEnding(const QString& text) {
    if (!shuttingDown)
        return false;
    const QString line = text.simplified();
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
    return true;
}

} // namespace

void ShowMessageBox(const QString& text) {
    if (ToStderrWhenEnding(text)) return;
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
    if (ToStderrWhenEnding(text))
        return; // now: the loop that would show it may never run again
    QMetaObject::invokeMethod(app, [text] { ShowMessageBox(text); }, Qt::QueuedConnection);
}

void ShowNoticeBox(const QString& text) {
    if (ToStderrWhenEnding(text)) return;
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

void SetMessageBoxShuttingDown(bool ending) {
    shuttingDown = ending;
}

bool MessageBoxShuttingDown() {
    return shuttingDown;
}

bool MessageBoxQuiet() {
    return quietFlag;
}
