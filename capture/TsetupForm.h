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
class TtorCap;

class TsetupForm : public QDialog {
    Q_OBJECT
public:
    TsetupForm(const platform::ProgramFolder& folder, DriverAliasRegistry& registry, QWidget* parent = nullptr);
    ~TsetupForm() override;

    // Shows the screen modally for the device (a camera-list index) and camera number 1 or 2.
    int OpenSetupScreen(int deviceIndex, int cameraNumber);

    void FormCreate();
    void FormActivate();
    void FormDeactivate();
    void Button1Click();
    void Button39Click();

    int DeviceIndex() const { return deviceIndex_; }
    // 1-based record of the device's driver in the alias file, -1 when none.
    int RecordNumber() const { return recordNumber_; }

    TtorCap* torCap1 = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* DriverAliasText = nullptr;
    QPushButton* Button39 = nullptr;
    QPushButton* Button1 = nullptr;

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
