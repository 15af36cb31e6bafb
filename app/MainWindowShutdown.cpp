// Orderly shutdown, restart and the installer hand-off clean-up.
#include "app/MainWindow.h"

#include "app/InstallerHandOff.h"
#include "capture/CameraHealth.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "platform/NetCall.h"
#include "platform/TerminationWatcher.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

void MainWindow::ShutDown() {
    if (shuttingDown_)
        return;
    shuttingDown_ = true;
    // Nobody may be there to answer a window now: failures go to stderr, and a second
    // request to end is not kept waiting behind this one.
    SetMessageBoxShuttingDown(true);
    platform::TerminationWatcher::ShutdownBegun();

    if (links_.ftp->IsFtpConnected())
        links_.ftp->FtpDisconnect();
    // A mail, upload or post still in flight (a hung server) would hold the end for its
    // time-outs: end them all now, and start none from here on.
    platform::NetCall::AbortAll();

    if (flags_.StartupGuard) {
        // Ended before the window was first activated: the controls do not yet hold all
        // of the record (nor anything the user chose), so the record is saved as it is.
        store_.SaveSettings();
    } else {
        GatherAndSaveSettings();
    }
    // This save is the last: whatever returns from a modal window later writes nothing.
    store_.StopWriting();
    if (!RecordingActive)
        platform::TerminationWatcher::NothingLeftToLose();

    // Capture buffer files; names are matched without regard to case.
    const QDir folder(programFolder_);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (name.endsWith(QLatin1String(".kmx"), Qt::CaseInsensitive))
            QFile::remove(folder.filePath(name)); // vanished or locked: ignored
    }

    // Each running camera is switched off directly, whatever its button would do; a lost one
    // too, so no reconnect starts it while the station ends.
    const std::pair<QPushButton*, int> cameras[] = {{camera1Button, 1}, {camera2Button, 2}};
    for (const auto& [button, camera] : cameras) {
        const QString text = button->text().toUpper();
        if (text != kOnText && text != CameraHealth::kLostText)
            continue;
        SwitchCameraOff(camera);
        ShowPleaseWait();
        env_.Pause(kShutdownCameraPauseMs);
    }
    // The scheduler stops with the station, also while modal loops are left.
    for (platform::WinTimer* timer : {&motionTimer, &arrangeTimer, &cycleTimer, &timeLapseTimer, &timeLapseFlashTimer, &clockTimer,
                                      &relayoutTimer, &startupSequenceTimer})
        timer->SetEnabled(false);
    platform::TerminationWatcher::NothingLeftToLose(); // the recordings have their ends

    env_.Terminate();
}

void MainWindow::EndWithoutSaving() {
    if (shuttingDown_)
        return;
    shuttingDown_ = true;
    SetMessageBoxShuttingDown(true);
    platform::TerminationWatcher::ShutdownBegun();
    platform::TerminationWatcher::NothingLeftToLose(); // nothing is written on this way out
    if (links_.ftp->IsFtpConnected())
        links_.ftp->FtpDisconnect();
    // Nothing reaches the files on the way out: the settings stay as they were.
    store_.StopWriting();
    for (platform::WinTimer* timer : {&motionTimer, &arrangeTimer, &cycleTimer, &timeLapseTimer, &timeLapseFlashTimer, &clockTimer,
                                      &relayoutTimer, &startupSequenceTimer})
        timer->SetEnabled(false);
    env_.Terminate();
}

void MainWindow::SwitchCameraOff(int camera) {
    // The on/off routine itself, never the button (whose camera-2 twin may start camera 1);
    // a lost camera goes off too, which ends its reconnect attempts.
    QPushButton* button = camera == 2 ? camera2Button : camera1Button;
    const QString text = button->text().toUpper();
    if (text != kOnText && text != CameraHealth::kLostText)
        return;
    StartCamera(camera);
}

void MainWindow::ExitActionClick() {
    if (!links_.accessLock->AccessAllowed())
        return;
    ShutDown();
}

// While locked, ending the station asks for the password like switching surveillance off;
// SIGTERM and the end of the session stay unasked.
void MainWindow::CloseButtonClick() {
    if (lockBox->isChecked() && !links_.accessLock->AccessAllowed())
        return;
    ShutDown();
}

void MainWindow::CloseActionClick() {
    if (lockBox->isChecked() && !links_.accessLock->AccessAllowed())
        return;
    ShutDown();
}

void MainWindow::ShowPleaseWait() {
    pleaseWaitPanel->setText(kPleaseWaitText);
    QRect place = pleaseWaitPanel->geometry();
    place.moveCenter(rect().center());
    pleaseWaitPanel->setGeometry(place);
    pleaseWaitPanel->show();
    pleaseWaitPanel->raise();
    repaint();
}

void MainWindow::CleanUpInstallerFile() {
    CleanUpInstallerHandOff(env_.InstallerHandOffFile, env_.OwnExecutable);
}

bool MainWindow::RestartProgram() {
    // A station that is ending never starts a copy of itself.
    if (shuttingDown_)
        return false;
    // What was typed in the set-up panel (and the other options) reaches the files first:
    // the new copy starts from them.
    if (flags_.StartupGuard) {
        // Before the first activation the controls do not yet hold the record.
        store_.SaveSettings();
    } else {
        links_.tray->StoreSetupPanel();
        GatherAndSaveSettings();
    }
    QString error;
    if (!env_.StartOwnExecutable(&error)) {
        ShowMessageBox(QStringLiteral("TORVEK could not be restarted: %1").arg(error));
        return false;
    }
    // Nothing more is written; a shutdown request from now on finds it ending already.
    shuttingDown_ = true;
    SetMessageBoxShuttingDown(true);
    platform::TerminationWatcher::ShutdownBegun();
    platform::TerminationWatcher::NothingLeftToLose();
    store_.StopWriting();
    env_.Terminate();
    return true;
}
