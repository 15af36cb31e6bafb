// The camera lists of the main window and the stored camera choice.
#include "app/CameraListRules.h"
#include "app/ControlColours.h"
#include "app/MainWindow.h"

#include "capture/CaptureDevices.h"
#include "capture/CaptureFlags.h"
#include "capture/DriverListDelegates.h"
#include "capture/CameraView.h"
#include "core/SettingsStore.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

constexpr int kCameraNameLength = 100;

// A list whose shown text is set by code, apart from its selection.
void MakeTextList(QComboBox* list) {
    SetFontColour(list, ControlColours::kSilver); // its camera is off
    list->setEditable(true);
    list->lineEdit()->setReadOnly(true);
    list->setInsertPolicy(QComboBox::NoInsert);
}

void SelectByText(QComboBox* list, const QString& text) {
    const QSignalBlocker block(list);
    list->setCurrentIndex(list->findText(text, Qt::MatchExactly));
}

} // namespace

void MainWindow::SetUpCameraLists() {
    MakeTextList(cam1List);
    MakeTextList(cam2List);
    for (int camera : {1, 2}) {
        QComboBox* list = camera == 1 ? cam1List : cam2List;
        auto* painter = new CameraAliasDelegate(list);
        painter->Alias = [this](const QString& name) { return links_.aliases->DriverAlias(name); };
        // Camera 1 is known by its tag, camera 2 by the device its view runs on.
        painter->ActiveRow = [this, camera] {
            CameraView* view = Cap(camera);
            if (!view || !view->IsPreviewing())
                return -1;
            return camera == 1 ? view->Tag() : view->VideoSourceIndex();
        };
        painter->Suspended = [] { return CameraQueriesSuspended != 0; };
        list->setItemDelegate(painter);
    }
    // A user's choice only; code that selects a row raises nothing.
    connect(cam2List, &QComboBox::activated, this, &MainWindow::cam2ListClick);
}

void MainWindow::FillCameraLists() {
    const QStringList names = env_.CaptureDeviceNames ? env_.CaptureDeviceNames() : VideoSourceNames(true);
    for (QComboBox* list : {cam1List, cam2List, DefaultCam1, DefaultCam2}) {
        const QSignalBlocker block(list);
        list->clear();
    }
    DriverIndex1 = DriverIndex2 = kNoDriver;
    for (QComboBox* list : {DefaultCam1, DefaultCam2, cam1List, cam2List}) {
        const QSignalBlocker block(list);
        list->addItems(names);
        list->setCurrentIndex(-1);
    }

    const SettingsRecord& record = store_.Record();
    const CameraRows rows = ChooseCameraRows(int(names.size()), record.DefaultCam1Index, record.DefaultCam2Index);
    CamerasPresent = rows.present;
    if (!rows.present) {
        cam1List->setEditText(kNotInstalledText);
        cam2List->setEditText(kNotInstalledText);
        return;
    }
    {
        const QSignalBlocker block1(cam1List);
        const QSignalBlocker block2(cam2List);
        cam1List->setCurrentIndex(rows.camera1);
        cam2List->setCurrentIndex(rows.camera2);
    }
    DriverIndex1 = qint16(rows.camera1);
    DriverIndex2 = qint16(rows.camera2);
    if (names.size() == 1) {
        const QString name = SelectedCameraName(1);
        cam1List->setEditText(name);
        cam2List->setEditText(name);
        return;
    }
    cam1List->setEditText(SelectedCameraName(1));
    cam2List->setEditText(SelectedCameraName(2));
    SelectByText(DefaultCam1, cam1List->currentText());
    SelectByText(DefaultCam2, cam2List->currentText());
}

QString MainWindow::SelectedCameraName(int camera) const {
    QComboBox* list = camera == 2 ? cam2List : cam1List;
    int row = list->currentIndex();
    if (camera == 2) {
        // The device camera 2 runs on; a view without a source falls back to the selection.
        CameraView* view = Cap(2);
        const int source = view ? view->VideoSourceIndex() : -1;
        if (source >= 0 && source < list->count())
            row = source;
    }
    return row >= 0 && row < list->count() ? list->itemText(row) : QString();
}

void MainWindow::StoreCameraChoice() {
    SettingsRecord& record = store_.Record();
    const struct {
        QComboBox* list;
        QComboBox* defaults;
        QLineEdit* location;
        QString& name;
    } cameras[] = {{cam1List, DefaultCam1, Location1, record.Cam1Name},
                   {cam2List, DefaultCam2, Location2, record.Cam2Name}};
    for (const auto& camera : cameras) {
        const int row = camera.list->currentIndex();
        if (row < 0)
            continue;
        {
            const QSignalBlocker block(camera.defaults);
            camera.defaults->setCurrentIndex(row < camera.defaults->count() ? row : -1);
        }
        camera.location->setText(links_.aliases->DriverAlias(camera.list->itemText(row)));
        camera.name = camera.location->text().left(kCameraNameLength);
    }
    store_.WriteSettingsFile();
}

void MainWindow::cam2ListChange() { cam2List->setEditText(SelectedCameraName(2)); }

void MainWindow::cam2ListClick() {
    if (!CameraPreviews(2))
        DriverIndex2 = qint16(cam2List->currentIndex());
    cam2ListChange();
}
