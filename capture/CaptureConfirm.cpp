#include "capture/CaptureConfirm.h"

#include <QApplication>
#include <QMessageBox>

namespace {
CaptureConfirmHandler& Handler() {
    static CaptureConfirmHandler handler;
    return handler;
}
} // namespace

void SetCaptureConfirmHandler(CaptureConfirmHandler handler) {
    Handler() = std::move(handler);
}

bool ConfirmStartCapture(const QString& text) {
    if (Handler()) return Handler()(text);
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text,
                    QMessageBox::Yes | QMessageBox::Cancel, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}
