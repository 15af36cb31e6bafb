// Pictures taken by hand: the Take Pic buttons and clicks on a camera view.
#include "app/Tzones.h"

#include <QCheckBox>
#include <QGroupBox>

void Tzones::CopyPictureCaptions(int camera) {
    GroupBox1->setTitle(links_.motion->FormatLastImageCaption(camera));
    if (FullToolbarLayout) {
        const qint64 next = qint64(links_.motion->PictureCountTotal()) + 1;
        CameraGroupBox->setTitle(QStringLiteral("%1").arg(next, 6, 10, QLatin1Char('0')));
    } else {
        CameraGroupBox->setTitle(GroupBox1->title());
    }
}

void Tzones::TakePicture(int camera) {
    CommandCamera* view = CameraView(camera);
    if (!view || !view->IsPreviewing())
        return;
    CopyPictureCaptions(camera);
    links_.motion->SaveMotionPicture(view->ImageBitmap(), camera);
    if (alarm->isChecked())
        links_.motion->PlayAlarmSound();
}

void Tzones::TakePicture1() { TakePicture(1); }

void Tzones::TakePicture2() { TakePicture(2); }

void Tzones::Button22Click() {
    if (!Panel1->isHidden())
        GatherAndSaveSettings();
    TakePicture1();
}

void Tzones::Button23Click() {
    if (!Panel1->isHidden())
        GatherAndSaveSettings();
    TakePicture2();
}

void Tzones::VideoCap1DblClick() {
    maintoolbar->show();
    CopyPictureCaptions(1);
}

void Tzones::VideoCap2DblClick() {
    maintoolbar->show();
    CopyPictureCaptions(2);
}
