#pragma once
// The real message box for a test's length, and a way to look at it and press OK.
#include "core/MessageBox.h"
#include "core/MessageWindow.h"

#include <QTimer>
#include <cstdio>
#include <functional>

// The test main prints messages instead of showing them; this puts the box back.
struct RealMessageBox {
    RealMessageBox() { SetMessageBoxHandler({}); }
    ~RealMessageBox() {
        SetMessageBoxHandler([](const QString& text) { std::fprintf(stderr, "[message box] %s\n", qPrintable(text)); });
    }
};

// Runs `inspect` on the message box once it is up, then presses its OK button.
inline void WhenTheBoxShows(const std::function<void(MessageWindow*)>& inspect) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
        MessageWindow* box = MessageWindow::Instance();
        if (!box->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        inspect(box);
        box->accept();
    });
    poll->start(20);
}
