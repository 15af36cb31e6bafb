#include "app/CameraHealthBinding.h"

#include "app/ControlColours.h"
#include "app/MainWindow.h"
#include "capture/CameraHealth.h"
#include "capture/CaptureDevices.h"
#include "capture/CameraView.h"
#include "capture/VideoCapture.h"
#include "core/MessageBox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <array>
#include <memory>

namespace {

struct LostCamera {
    QString key, name; // the device it ran on
    bool hot = false;  // its zone box
};

// One attempt to start a lost camera again on the same device (by its identity key), else on
// a device of the same name.
bool ReconnectCamera(MainWindow& z, int camera, const LostCamera& lost) {
    const QPointer<CameraView> view = z.Cap(camera); // the start runs events: it may go meanwhile
    if (!view)
        return false;
    EnumerateVideoInputs();
    int index = -1;
    for (int i = 0; i < VideoInputDevices.size() && index < 0; ++i) {
        const DeviceMoniker& moniker = VideoInputDevices.at(i).Moniker;
        if (moniker && !lost.key.isEmpty() && moniker->Key() == lost.key)
            index = i;
    }
    for (int i = 0; i < VideoInputDevices.size() && index < 0; ++i)
        if (VideoInputDevices.at(i).Name == lost.name)
            index = i;
    if (index < 0)
        return false;
    qint16& driverIndex = camera == 2 ? z.DriverIndex2 : z.DriverIndex1;
    view->ConnectCamera(false, driverIndex);
    driverIndex = qint16(index);
    QComboBox* list = camera == 2 ? z.cam2List : z.cam1List;
    if (index < list->count() && list->itemText(index) == VideoInputDevices.at(index).Name)
        list->setCurrentIndex(index);
    view->ConnectCamera(true, index);
    return view && view->cap->Previewing();
}

} // namespace

void BindCameraHealth(MainWindow& mainWindow) {
    MainWindow* z = &mainWindow;
    auto lost = std::make_shared<std::array<LostCamera, 2>>();
    auto button = [z](int camera) { return camera == 2 ? z->camera2Button : z->camera1Button; };
    CameraHealth::Hooks hooks;
    hooks.IsPreviewing = [z](int camera) {
        const CameraView* view = z->Cap(camera);
        return view && view->cap && view->cap->Previewing();
    };
    hooks.WantedOn = [button](int camera) {
        const QString text = button(camera)->text();
        return text == MainWindow::kOnText || text == CameraHealth::kLostText;
    };
    hooks.ShowLost = [z, lost, button](int camera, bool isLost) {
        QPushButton* b = button(camera);
        QComboBox* list = camera == 2 ? z->cam2List : z->cam1List;
        LostCamera& mine = (*lost)[camera == 2 ? 1 : 0];
        if (isLost) {
            const CameraView* view = z->Cap(camera);
            const DeviceMoniker source = view && view->cap ? view->cap->VideoSourceMoniker : nullptr;
            mine.key = source ? source->Key() : QString();
            mine.name = source ? source->FriendlyName() : QString();
            QCheckBox* hot = camera == 2 ? z->hotZone2Box : z->hotZone1Box;
            mine.hot = hot->isChecked();
            // Its recording ended with it (the file is finished): the menu and the recording
            // state follow unless the other camera still records.
            const CameraView* other = z->Cap(camera == 2 ? 1 : 2);
            if (z->RecordingActive && !(other && other->IsCapturing())) {
                z->recordCamera1Action->setChecked(false);
                z->recordCamera2Action->setChecked(false);
                z->RecordingActive = false;
                z->recordingLabel->hide();
            }
        }
        b->setText(isLost ? CameraHealth::kLostText : MainWindow::kOnText);
        SetFontColour(b, isLost ? ControlColours::kBlack : ControlColours::kRed);
        SetFontColour(list, isLost ? ControlColours::kSilver : ControlColours::kYellow);
    };
    hooks.Reconnect = [z, lost](int camera) { return ReconnectCamera(*z, camera, (*lost)[camera == 2 ? 1 : 0]); };
    hooks.Resume = [z, lost](int camera) {
        (camera == 2 ? z->hotZone2Box : z->hotZone1Box)->setChecked((*lost)[camera == 2 ? 1 : 0].hot);
        z->SelectSavedVideoMode(camera);
    };
    // The station goes on: nothing waits for an answer (the notice goes to stderr too).
    hooks.Tell = [](const QString& text) { ShowNoticeBox(text); };
    hooks.CameraName = [lost](int camera) { return (*lost)[camera == 2 ? 1 : 0].name; };
    auto* health = new CameraHealth(std::move(hooks), &mainWindow);
    health->setObjectName(QStringLiteral("CameraHealth"));
    // Every camera view, including the fresh one each switch-off leaves behind.
    QObject::connect(&mainWindow, &MainWindow::CameraFrameCreated, health, [z, health](int camera) {
        CameraView* view = z->Cap(camera);
        if (!view || !view->cap)
            return;
        QObject::connect(view->cap, &VideoCapture::OnDeviceLost, health, [health, camera] { health->CameraFailed(camera); });
        QObject::connect(view->cap, &VideoCapture::OnAborted, health, [health, camera] { health->CameraFailed(camera); });
    });
}
