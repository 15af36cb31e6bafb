#pragma once
// The set-up panel's page for camera locations and capture drivers: the default-camera lists
// with their location edits and "Save", and the driver list with "&Test", "&Reset" and
// "&Refresh". A thin window over DriverAliasRegistry and DriverSetupHandlers.
#include <QWidget>

class CameraChoiceWidgets;
class DriverAliasRegistry;
class DriverSetupHandlers;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class DriverSetupPage : public QWidget {
    Q_OBJECT
public:
    // Registers its default-camera lists and location edits with choices.
    DriverSetupPage(DriverAliasRegistry& registry, DriverSetupHandlers& handlers,
                    CameraChoiceWidgets& choices, QWidget* parent = nullptr);

    QComboBox* DefaultCam1 = nullptr;
    QComboBox* DefaultCam2 = nullptr;
    QLineEdit* Location1 = nullptr;
    QLineEdit* Location2 = nullptr;
    QPushButton* Button44 = nullptr; // "Save" of the locations
    QWidget* DriverStatusPanel = nullptr;
    QListWidget* DriverStatusList = nullptr;
    QPushButton* Button38 = nullptr; // "&Test", hidden
    QPushButton* Button40 = nullptr; // "&Reset", hidden
    QPushButton* Button41 = nullptr; // "&Refresh"

private:
    void ShowRows();
    void ShowSelectedRow(int row);

    DriverAliasRegistry& registry_;
    DriverSetupHandlers& handlers_;
};
