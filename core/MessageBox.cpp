#include "core/MessageBox.h"

#include "core/MessageWindow.h"
#include "platform/OwnedWindow.h"

#include <QApplication>
#include <QDebug>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

bool quietFlag = false;
bool shuttingDown = false;
MessageBoxHandler customHandler;
QPointer<MessageWindow> notice; // the window of ShowNoticeBox while it exists

// The text as one line on stderr.
void WriteLine(const QString& text) {
    const QString line = text.simplified();
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

// The text as one line on stderr; true when it went there (the station is ending).
bool ToStderrWhenEnding(const QString& text) {
    if (!shuttingDown)
        return false;
    WriteLine(text);
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
        MessageWindow::ShowText(text);
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
    // Told where a station running alone leaves a trace, whether or not anyone sees the box.
    WriteLine(text);
    if (customHandler) {
        customHandler(text);
        return;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    if (!notice) {
        notice = new MessageWindow();
        notice->setModal(false);
        notice->setAttribute(Qt::WA_DeleteOnClose);
        notice->setObjectName(QStringLiteral("NoticeBox"));
        // Told before any window of ours was active (a damaged file at start-up): the window
        // that comes up next would bury it, so it goes above the first one that is activated
        // (X11 takes the owner only at a show), leaving that window its focus.
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, notice, [](QWindow* focus) {
            if (!focus || !notice->isVisible() || notice->parentWidget() || !notice->windowHandle() ||
                focus == notice->windowHandle() || notice->windowHandle()->transientParent() ||
                focus->type() == Qt::Popup || focus->type() == Qt::ToolTip)
                return;
            QPointer<QWindow> owner(focus);
            QTimer::singleShot(0, notice, [owner] {
                if (!owner || !owner->isVisible() || !notice->isVisible())
                    return;
                notice->hide();
                notice->windowHandle()->setTransientParent(owner);
                notice->setAttribute(Qt::WA_ShowWithoutActivating);
                notice->show();
            });
        });
    }
    // Shown already: the text waits its turn behind the one shown.
    if (!notice->Tell(text))
        return;
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
    if (!ending || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    // Messages still waiting behind a shown one would end unseen with the station.
    for (MessageWindow* box : {MessageWindow::Instance(), notice.data()})
        if (box)
            for (const QString& text : box->TakeWaiting())
                WriteLine(text);
}

bool MessageBoxShuttingDown() {
    return shuttingDown;
}

bool MessageBoxQuiet() {
    return quietFlag;
}
