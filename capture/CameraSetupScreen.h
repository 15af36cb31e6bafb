#pragma once
// The camera set-up screen: one camera's view with its set-up panel (the driver dialogs),
// its caption naming camera, driver record and device, and "&Restart TORVEK" to close it.
// The camera is connected once when the screen is first shown and disconnected when it
// closes; the screen's own dialogs leave it connected.
#include "platform/ProgramFolder.h"

#include <QDialog>

class DriverAliasRegistry;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class CameraView;

class CameraSetupScreen : public QDialog {
    Q_OBJECT
public:
    CameraSetupScreen(const platform::ProgramFolder& folder, DriverAliasRegistry& registry, QWidget* parent = nullptr);
    ~CameraSetupScreen() override;

    // Shows the screen modally for the device (a camera-list index) and camera number 1 or 2.
    int OpenSetupScreen(int deviceIndex, int cameraNumber);

    void FormCreate();
    void FormActivate();
    void FormDeactivate();
    void SaveAliasButtonClick();
    void RestartButtonClick();

    int DeviceIndex() const { return deviceIndex_; }
    // 1-based record of the device's driver in the alias file, -1 when none.
    int RecordNumber() const { return recordNumber_; }

    CameraView* cameraView1 = nullptr;
    QFrame* buttonPanel = nullptr;
    QLabel* descriptionLabel = nullptr;
    QLineEdit* driverAliasEdit = nullptr;
    QPushButton* restartButton = nullptr;
    QPushButton* saveAliasButton = nullptr;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();

    platform::ProgramFolder folder_;
    DriverAliasRegistry& registry_;
    int deviceIndex_ = -1;
    int recordNumber_ = -1;
    bool activated_ = false;
};
