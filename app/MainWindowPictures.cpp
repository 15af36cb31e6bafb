// Pictures taken by hand: the Take Pic buttons and clicks on a camera view.
#include "app/MainWindow.h"

#include <QCheckBox>
#include <QGroupBox>

void MainWindow::CopyPictureCaptions(int camera) {
    cameraAreaBox->setTitle(links_.motion->FormatLastImageCaption(camera));
    if (FullToolbarLayout) {
        const qint64 next = qint64(links_.motion->PictureCountTotal()) + 1;
        cameraBox->setTitle(QStringLiteral("%1").arg(next, 6, 10, QLatin1Char('0')));
    } else {
        cameraBox->setTitle(cameraAreaBox->title());
    }
}

void MainWindow::TakePicture(int camera) {
    CommandCamera* view = CommandCameraOf(camera);
    if (!view || !view->IsPreviewing())
        return;
    CopyPictureCaptions(camera);
    links_.motion->SaveMotionPicture(view->ImageBitmap(), camera);
    if (soundAlarmBox->isChecked())
        links_.motion->PlayAlarmSound();
}

void MainWindow::TakePicture1() { TakePicture(1); }

void MainWindow::TakePicture2() { TakePicture(2); }

void MainWindow::TakePicture1ButtonClick() {
    if (!setupPanel->isHidden())
        GatherAndSaveSettings();
    TakePicture1();
}

void MainWindow::TakePicture2ButtonClick() {
    if (!setupPanel->isHidden())
        GatherAndSaveSettings();
    TakePicture2();
}

void MainWindow::CameraFrame1DblClick() {
    mainToolbar->show();
    CopyPictureCaptions(1);
}

void MainWindow::CameraFrame2DblClick() {
    mainToolbar->show();
    CopyPictureCaptions(2);
}
