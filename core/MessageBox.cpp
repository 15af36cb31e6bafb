#include "core/MessageBox.h"

#include <QDebug>

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
    qWarning().noquote() << text;
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
