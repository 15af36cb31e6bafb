#include "platform/OwnedWindow.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace platform {

namespace {

class OwnerKeeper : public QObject {
public:
    OwnerKeeper(QWidget* window, QWidget* owner) : QObject(window), window_(window), owner_(owner) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        // The show event comes before the window is mapped, so the hint goes out with it.
        if (watched == window_ && event->type() == QEvent::Show && window_->windowHandle()) {
            // Opened from a modal window (the picture log), the window belongs to that one:
            // it stands above it and takes its own input and keys.
            QWidget* modal = QApplication::activeModalWidget();
            QWidget* from = modal && modal != window_ && modal->isVisible() ? modal : owner_.data();
            const bool fromShown = from && from->isVisible() && !from->isMinimized();
            window_->windowHandle()->setTransientParent(fromShown ? from->windowHandle() : nullptr);
        }
        return false;
    }

private:
    QWidget* window_;
    QPointer<QWidget> owner_;
};

bool Usable(const QWidget* widget, const QWidget* except) {
    return widget && widget != except && widget->isVisible();
}

} // namespace

void KeepAboveOwner(QWidget* window, QWidget* owner) {
    if (!window || !owner || window == owner)
        return;
    // X11 carries the owner (WM_TRANSIENT_FOR) only for windows of a transient type.
    if (window->windowType() == Qt::Window)
        window->setWindowFlags((window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    window->installEventFilter(new OwnerKeeper(window, owner));
}

QWidget* MessageOwner(const QWidget* except) {
    for (QWidget* candidate : {QApplication::activeWindow(), QApplication::activeModalWidget()}) {
        if (Usable(candidate, except))
            return candidate->window();
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (Usable(top, except) && top->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
            top->windowType() != Qt::Popup && top->windowType() != Qt::ToolTip)
            return top;
    }
    return nullptr;
}

} // namespace platform
