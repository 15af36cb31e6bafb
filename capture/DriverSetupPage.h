#pragma once
// The set-up panel's page for camera locations and capture drivers: the default-camera lists
// with their location edits and "Save", and the driver list with "&Test", "&Reset" and
// "&Refresh". A thin window over DriverAliasRegistry and DriverSetupHandlers.
#include <QWidget>

class CameraChoiceWidgets;
class DriverAliasRegistry;
class DriverSetupHandlers;
class QAbstractButton;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class DriverSetupPage : public QWidget {
    Q_OBJECT
public:
    // With ownDefaultCams the page makes the default-camera lists, location edits and their
    // "Save" and binds them; a host that already has those controls passes false and binds
    // its own with BindDefaultCamControls.
    DriverSetupPage(DriverAliasRegistry& registry, DriverSetupHandlers& handlers,
                    CameraChoiceWidgets& choices, QWidget* parent = nullptr,
                    bool ownDefaultCams = true);

    // Null when the host keeps its own.
    QComboBox* DefaultCam1 = nullptr;
    QComboBox* DefaultCam2 = nullptr;
    QLineEdit* Location1 = nullptr;
    QLineEdit* Location2 = nullptr;
    QPushButton* saveLocationsButton = nullptr;
    QWidget* driverListPanel = nullptr;
    QListWidget* driverStatusList = nullptr;
    QPushButton* testDriversButton = nullptr; // "&Test", hidden
    QPushButton* resetDriversButton = nullptr; // "&Reset", hidden
    QPushButton* refreshDriversButton = nullptr;

private:
    void ShowRows();
    void ShowSelectedRow(int row);

    DriverAliasRegistry& registry_;
    DriverSetupHandlers& handlers_;
};

// Registers default-camera lists and location edits with choices and wires them and the
// locations' "Save" button (saveLocationsButton) to the handlers. The lists react to the user's choice
// only; the edits also to text set by code, mirroring only while they have the focus.
void BindDefaultCamControls(DriverSetupHandlers& handlers, CameraChoiceWidgets& choices,
                            QComboBox* defaultCam1, QComboBox* defaultCam2, QLineEdit* location1,
                            QLineEdit* location2, QAbstractButton* save);
