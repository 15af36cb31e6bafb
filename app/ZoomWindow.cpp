#include "app/ZoomWindow.h"

#include "app/MainWindow.h"
#include "core/MessageBox.h"
#include "core/PictureStore.h"
#include "core/SettingsStore.h"
#include "platform/PictureCanvas.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWheelEvent>
#include <QWindow>

using ZoomRules::ZoomKey;

ZoomWindow::ZoomWindow(MainWindow& mainWindow, PictureStore& pictures, QWidget* parent)
    : QDialog(parent, Qt::Tool), mainWindow_(mainWindow), pictures_(pictures), zoomPanel_(mainWindow.zoomPanel),
      zoomImage_(mainWindow.zoomImageLabel) {
    setObjectName("ZoomWindow");
    setWindowTitle(QStringLiteral("Zoom"));
    pictureLabel = new QLabel(this);
    pictureLabel->setObjectName("pictureLabel");
    pictureLabel->setGeometry(0, 0, 200, 164);
    pictureLabel->setAutoFillBackground(true);
    QPalette black = pictureLabel->palette();
    black.setColor(QPalette::Window, Qt::black);
    pictureLabel->setPalette(black);
    takePictureButton = new QPushButton(QStringLiteral("Take Pic"), this);
    takePictureButton->setObjectName("takePictureButton");
    takePictureButton->setGeometry(4, 164, 192, 25);
    // The keys are the window's: Enter must not press the button.
    takePictureButton->setFocusPolicy(Qt::NoFocus);
    takePictureButton->setAutoDefault(false);
    connect(takePictureButton, &QPushButton::clicked, this, &ZoomWindow::TakePictureButtonClick);
    SetZoomViewSize();
}

bool ZoomWindow::SetCameraNumber(int camera) {
    if (!ZoomRules::IsZoomCamera(camera))
        return false;
    camera_ = static_cast<qint16>(camera);
    return true;
}

void ZoomWindow::SetZoomViewSize() {
    const QSize size = ZoomRules::ZoomViewSize(zoomPanel_ && !zoomPanel_->isHidden());
    // The sizes are the window's own, its frame included where it has one.
    const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize();
    resize((size - frame).expandedTo(QSize(1, 1)));
}

void ZoomWindow::ShowCaption() { setWindowTitle(ZoomRules::ZoomCaption(mainWindow_.Store().Record(), camera_)); }

void ZoomWindow::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    SettingsRecord& record = mainWindow_.Store().Record();
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    switch (key) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (zoomPanel_)
            zoomPanel_->setVisible(zoomPanel_->isHidden());
        SetZoomViewSize();
        break;
    case Qt::Key_Plus:
        if (keypad)
            ZoomRules::ApplyZoomKey(record, camera_, ZoomKey::Plus);
        break;
    case Qt::Key_Minus:
        if (keypad)
            ZoomRules::ApplyZoomKey(record, camera_, ZoomKey::Minus);
        break;
    case Qt::Key_Up: ZoomRules::ApplyZoomKey(record, camera_, ZoomKey::Up); break;
    case Qt::Key_Down: ZoomRules::ApplyZoomKey(record, camera_, ZoomKey::Down); break;
    case Qt::Key_Left: ZoomRules::ApplyZoomKey(record, camera_, ZoomKey::Left); break;
    case Qt::Key_Right: ZoomRules::ApplyZoomKey(record, camera_, ZoomKey::Right); break;
    default: break;
    }
    ShowCaption();
}

void ZoomWindow::AdjustZoom(ZoomKey key, int camera, int heightLimit, int widthLimit) {
    ZoomRules::AdjustZoom(mainWindow_.Store().Record(), key, camera, heightLimit, widthLimit);
    ShowCaption();
}

void ZoomWindow::TakePictureButtonClick() {
    // Only the two cameras have pictures to save.
    if (camera_ != 1 && camera_ != 2)
        return;
    const QImage picture = zoomImage_ ? zoomImage_->pixmap().toImage() : QImage();
    if (picture.isNull()) {
        ShowMessageBox(kNoZoomPictureText);
        return;
    }
    platform::PictureCanvas canvas(picture);
    ZoomRules::StampZoomPicture(canvas, mainWindow_.Store().Record(), camera_, mainWindow_.Links().captionWindow->Transparent());
    pictures_.SaveMotionPicture(canvas, camera_);
    if (zoomImage_)
        zoomImage_->setPixmap(QPixmap::fromImage(canvas.Image()));
}

void ZoomWindow::keyPressEvent(QKeyEvent* event) { FormKeyDown(event->key(), event->modifiers()); }

void ZoomWindow::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0)
        AdjustZoom(delta < 0 ? ZoomKey::Plus : ZoomKey::Minus, camera_, height(), width());
    event->accept();
}

void ZoomWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A tool window over the main window, without being one of its children.
    if (windowHandle() && mainWindow_.windowHandle())
        windowHandle()->setTransientParent(mainWindow_.windowHandle());
}
