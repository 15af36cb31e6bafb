// The aim commands, which open a camera's zone window, and the camera set-up command.
#include "app/Tzones.h"

#include "core/MessageBox.h"
#include "core/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>

namespace {

// Holds the network-busy flag while the zone window is open; cleared on every way out, an
// exception included, so uploads never stay blocked.
class TransferBusyGuard {
public:
    explicit TransferBusyGuard(const std::function<void(bool)>& set) : set_(set) { set_(true); }
    ~TransferBusyGuard() { set_(false); }
    TransferBusyGuard(const TransferBusyGuard&) = delete;
    TransferBusyGuard& operator=(const TransferBusyGuard&) = delete;

private:
    const std::function<void(bool)>& set_;
};

} // namespace

void Tzones::ShowZoneWindowModal(int camera) {
    if (hooks_.ShowZoneWindowModal) {
        hooks_.ShowZoneWindowModal(camera);
        return;
    }
    // TForm2 is camera 1's zone window, TForm1 camera 2's.
    if (auto* window = qobject_cast<QDialog*>(camera == 1 ? form2_ : form1_))
        window->exec();
}

void Tzones::StartSurveillanceForAim() {
    if (MotionTime.Enabled())
        return;
    MotionTime.SetEnabled(true);
    // Refused (lock, recording): surveillance stays off as the button shows it.
    if (!hooks_.StartStopSurveillance())
        MotionTime.SetEnabled(false);
}

void Tzones::AimCamera1() { AimCamera(1); }

void Tzones::AimCamera2() { AimCamera(2); }

void Tzones::AimCamera(int camera) {
    const bool first = camera == 1;
    hooks_.StoreCameraChoice();
    if (!CameraPreviews(camera)) {
        // A switch request from a zone window or the picture log stays for its reader;
        // camera 2's aim clears it.
        if (!ViewSwitchRequest)
            ShowMessageBox(kStartCameraText);
        if (!first)
            ViewSwitchRequest = 0;
        return;
    }
    hooks_.ArrangeCameraPanels();
    (first ? hot1 : Hot2)->setChecked(true);
    StartSurveillanceForAim();
    hooks_.TickZoneTarget(camera);
    ViewSwitchRequest = 0;
    {
        TransferBusyGuard busy(hooks_.SetTransferBusy);
        ShowZoneWindowModal(camera);
        if (first) {
            GatherAndSaveSettings();
            store_.WriteSettingsFile();
        }
    }
    maintoolbar->show();
    if (!first) {
        GroupBox1->setTitle(QString());
        ViewSwitchRequest = 0;
    }
}
