#pragma once
// The zoom window: a small tool window over the main window whose keys and mouse wheel move
// a camera's zoom rectangle (ZoomTop, ZoomLeft, ZoomSize of the settings record), and whose
// "Take Pic" stamps the main window's zoom picture and saves it as a picture of the camera.
// Nothing in the station opens it; its camera number stays 0 unless set.
#include "core/ZoomRules.h"

#include <QDialog>
#include <QPointer>

class PictureStore;
class QLabel;
class QPushButton;
class MainWindow;

class ZoomWindow : public QDialog {
    Q_OBJECT
public:
    ZoomWindow(MainWindow& mainWindow, PictureStore& pictures, QWidget* parent = nullptr);

    qint16 CameraNumber() const { return camera_; }
    // 0..4; false (nothing changed) for any other number.
    bool SetCameraNumber(int camera);

    // 200 x 17 while the main window's zoomPanel is hidden, 200 x 189 while it is shown.
    void SetZoomViewSize();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // The mouse wheel's bounded step; the caption shows the rectangle after it.
    void AdjustZoom(ZoomRules::ZoomKey key, int camera, int heightLimit, int widthLimit);
    // "Take Pic": the main window's zoom picture stamped and saved for camera 1 or 2.
    void TakePictureButtonClick();

    QLabel* pictureLabel = nullptr;
    QPushButton* takePictureButton = nullptr;

    static inline const QString kNoZoomPictureText = QStringLiteral("There is no zoom picture to take.");

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowCaption();

    MainWindow& mainWindow_;
    PictureStore& pictures_;
    QPointer<QWidget> zoomPanel_;
    QPointer<QLabel> zoomImage_;
    qint16 camera_ = 0;
};
