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

class TinstallForm : public QDialog, public InstallerLink {
    Q_OBJECT
public:
    // endProgram: the station's orderly shutdown (the Exit button ends the program).
    TinstallForm(platform::InstallerSystem& system, QString programFolder, QString executable,
                 std::function<void()> endProgram, QWidget* parent = nullptr);

    Installer& Logic() { return installer_; }
    // Shows the window maximised and on top, and runs its activation.
    void ShowInstaller();
    void ShowInstallWindow() override { ShowInstaller(); }
    void FormActivate();
    // After a command with its messages: on top and active again while shown.
    void TakeFocusBack();

    QLabel* heading = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* InstallLocation = nullptr;
    QLabel* ICONpATH = nullptr;
    QLabel* payloadNote = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QComboBox* DefaultCam1 = nullptr;
    QPushButton* Install = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* RunIT = nullptr;
    QAction* RUNIT1 = nullptr;
    QAction* INSTALL1 = nullptr;
    QAction* EXIT1 = nullptr;
    platform::WinTimer Timer1;
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
