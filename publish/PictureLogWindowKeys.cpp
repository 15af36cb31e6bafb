// The picture log window's keys, closing, pop-up menu and the rotation panel's angles.
#include "publish/PictureLogWindow.h"

#include "core/MainWindowLink.h"
#include "core/MessageBox.h"
#include "publish/AviPanel.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

bool PictureLogWindow::HandleKey(QKeyEvent* event, bool inList) {
    const int key = event->key();
    if (inList && logic_.FirstKey()) {
        logic_.SetFirstKey(false);
        pictureList->viewport()->update();
    }
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!inList && !keypad)
            return false;
        logic_.ToggleNotes();
        return true;
    case Qt::Key_Delete:
        if (!inList)
            return false;
        logic_.DeleteSelected();
        return true;
    case Qt::Key_Escape:
        if (CloseAllowed())
            QDialog::done(QDialog::Rejected);
        return true;
    case Qt::Key_F1:
    case Qt::Key_F2:
        // The key of this window's own camera closes it and asks the main window for the
        // camera's other view.
        if ((key == Qt::Key_F1 && logic_.Camera() == 1) || (key == Qt::Key_F2 && logic_.Camera() == 2)) {
            if (!CloseAllowed())
                return true;
            logic_.SetClosedByKey(true);
            mainWindow_->SetViewSwitchRequest(1);
            QDialog::done(QDialog::Rejected);
        } else if (key == Qt::Key_F1) {
            mainWindow_->ShowHelp(aviPanel->isVisible() ? 4 : 3);
        }
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        if (!keypad)
            break;
        ApplyViewSize(key == Qt::Key_Minus);
        return true;
    default:
        break;
    }
    if (logic_.SlideshowRunning()) {
        logic_.StopSlideshow();
        FocusList();
    }
    return false;
}

void PictureLogWindow::keyPressEvent(QKeyEvent* event) {
    if (!HandleKey(event, false))
        QDialog::keyPressEvent(event);
}

bool PictureLogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pictureList && event->type() == QEvent::KeyPress)
        return HandleKey(static_cast<QKeyEvent*>(event), true);
    if (watched == recycleAfterLabel && event->type() == QEvent::MouseButtonRelease) {
        ApplyViewSize(true);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PictureLogWindow::contextMenuEvent(QContextMenuEvent* event) { pictureMenu->popup(event->globalPos()); }

bool PictureLogWindow::CloseAllowed() {
    if (!aviPanel->Logic().IsCreating())
        return true;
    ShowMessageBox(QStringLiteral("An AVI file is being made from these pictures. Please wait until it is finished."));
    return false;
}

void PictureLogWindow::done(int result) {
    if (CloseAllowed())
        QDialog::done(result);
}

void PictureLogWindow::CloseByButton() {
    if (!CloseAllowed())
        return;
    ApplyViewSize(true);
    QDialog::done(QDialog::Rejected);
}

void PictureLogWindow::SetAngle(int angle) {
    // The angle controls only mirror each other; rotation is always a quarter turn.
    const QSignalBlocker block(angleScroll);
    angleScroll->setValue(angle);
    for (QRadioButton* choice : angleButtons) {
        const QSignalBlocker blockChoice(choice);
        choice->setChecked(choice->text().toInt() == angle);
    }
    rotateButton->setText(QStringLiteral("Rotate ") + QString::number(angle));
}
