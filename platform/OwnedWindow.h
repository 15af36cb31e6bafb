#pragma once
// Windows that belong to another window. X11 window managers keep a window above the one it
// is transient for, so a click on the owner never buries it; a message box is made transient
// for the window the user is working in.
class QWidget;

namespace platform {

// From now on, at every show the window is made transient for the owner while the owner is
// shown (a hidden owner, e.g. in the tray, leaves the window on its own), or for the modal
// window it is opened from while one is shown. A plain window
// becomes a dialog-type window for it: the type X11 gives an owner.
void KeepAboveOwner(QWidget* window, QWidget* owner);

// The window a message or question belongs to: the active window, else the application's
// modal window, else a shown window that stays on top. Never `except`; may be null.
QWidget* MessageOwner(const QWidget* except = nullptr);

} // namespace platform
