#include "capture/CameraChoiceWidgets.h"

#include "capture/CaptureDevices.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {
int Slot(int camera) { return camera == 2 ? 1 : 0; }
} // namespace

void CameraChoiceWidgets::SetCameraLists(QComboBox* cam1List, QComboBox* cam2List) {
    cameraLists_[0] = cam1List;
    cameraLists_[1] = cam2List;
}

void CameraChoiceWidgets::SetDefaultWidgets(QComboBox* defaultCam1, QComboBox* defaultCam2,
                                            QLineEdit* location1, QLineEdit* location2) {
    defaultCameraLists_[0] = defaultCam1;
    defaultCameraLists_[1] = defaultCam2;
    locationEdits_[0] = location1;
    locationEdits_[1] = location2;
}

void CameraChoiceWidgets::FillLists(const QStringList& devices) {
    for (QComboBox* box : {CameraListOf(1), CameraListOf(2), DefaultOf(1), DefaultOf(2)}) {
        if (!box)
            continue;
        QSignalBlocker block(box);
        box->clear();
        box->addItems(devices);
        box->setCurrentIndex(-1);
    }
}

QComboBox* CameraChoiceWidgets::CameraListOf(int camera) const { return cameraLists_[Slot(camera)]; }
QComboBox* CameraChoiceWidgets::DefaultOf(int camera) const { return defaultCameraLists_[Slot(camera)]; }
QLineEdit* CameraChoiceWidgets::LocationOf(int camera) const { return locationEdits_[Slot(camera)]; }

QStringList CameraChoiceWidgets::CameraList() const {
    // The camera-1 list holds the names; without it the default list does.
    QComboBox* box = CameraListOf(1) ? CameraListOf(1) : DefaultOf(1);
    QStringList items;
    if (box)
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
    // At the first show the alias file is loaded before the lists are filled: the lists
    // will hold the video input names, so read those, or a fresh station would never get
    // its "Cam 1", "Cam 2" aliases.
    if (items.isEmpty())
        items = VideoSourceNames(false);
    return items;
}

int CameraChoiceWidgets::CameraIndex(int camera) const {
    QComboBox* box = CameraListOf(camera);
    return box ? box->currentIndex() : -1;
}

void CameraChoiceWidgets::SetCameraIndex(int camera, int index) {
    if (QComboBox* box = CameraListOf(camera))
        box->setCurrentIndex(index);
}

QString CameraChoiceWidgets::CameraText(int camera) const {
    QComboBox* box = CameraListOf(camera);
    if (box && box->isEditable())
        return box->currentText();
    return cameraTexts_[Slot(camera)];
}

void CameraChoiceWidgets::SetCameraText(int camera, const QString& text) {
    cameraTexts_[Slot(camera)] = text;
    if (QComboBox* box = CameraListOf(camera)) {
        if (box->isEditable())
            box->setEditText(text);
        box->update();
    }
}

int CameraChoiceWidgets::DefaultIndex(int camera) const {
    QComboBox* box = DefaultOf(camera);
    return box ? box->currentIndex() : -1;
}

void CameraChoiceWidgets::SetDefaultIndex(int camera, int index) {
    if (QComboBox* box = DefaultOf(camera))
        box->setCurrentIndex(index); // the page reacts to user choices (activated) only
}

QString CameraChoiceWidgets::LocationText(int camera) const {
    QLineEdit* edit = LocationOf(camera);
    return edit ? edit->text() : QString();
}

void CameraChoiceWidgets::SetLocationText(int camera, const QString& text) {
    if (QLineEdit* edit = LocationOf(camera))
        edit->setText(text);
}
