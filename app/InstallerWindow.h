#pragma once
// The installer window: thin, it shows the Installer's view and passes on the clicks.
#include "app/Installer.h"
#include "core/InstallerLink.h"
#include "platform/WinTimer.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QMenuBar;
class QPushButton;
class QAction;

class InstallerWindow : public QDialog, public InstallerLink {
    Q_OBJECT
public:
    // endProgram: the station's orderly shutdown (the Exit button ends the program).
    InstallerWindow(platform::InstallerSystem& system, QString programFolder, QString executable,
                 std::function<void()> endProgram, QWidget* parent = nullptr);

    Installer& Logic() { return installer_; }
    // Shows the window maximised and on top, and runs its activation.
    void ShowInstaller();
    void ShowInstallWindow() override { ShowInstaller(); }
    void FormActivate();
    // After a command with its messages: on top and active again while shown.
    void TakeFocusBack();

    QLabel* headingLabel = nullptr;
    QLabel* driveCaptionLabel = nullptr;
    QLabel* targetDriveLabel = nullptr;
    QLabel* locationCaptionLabel = nullptr;
    QLabel* iconCaptionLabel = nullptr;
    QLabel* installLocationLabel = nullptr;
    QLabel* iconPathLabel = nullptr;
    QLabel* payloadNoteLabel = nullptr;
    QComboBox* driveCombo = nullptr;
    QComboBox* DefaultCam1 = nullptr;
    QPushButton* installButton = nullptr;
    QPushButton* uninstallButton = nullptr;
    QPushButton* exitButton = nullptr;
    QPushButton* runItButton = nullptr;
    QAction* runAction = nullptr;
    QAction* installAction = nullptr;
    QAction* exitAction = nullptr;
    platform::WinTimer dotsTimer;
    // Asked before the Exit button ends the program (the station's access lock); unset: free.
    std::function<bool()> endAllowed;

protected:
    bool event(QEvent* event) override;

private:
    void Refresh();
    void FillDrives();

    Installer installer_;
    std::function<void()> endProgram_;
};
