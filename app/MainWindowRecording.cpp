// AVI recording from the hidden "Video Capture" menu.
#include "app/CameraCommandRules.h"
#include "app/MainWindow.h"

#include "core/MessageBox.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>

namespace {
constexpr int kCameraStartWaitMs = 500;
} // namespace

QString MainWindow::AskSaveFileName(const QString& title, const QString& filter, const QString& name) {
    if (links_.saveFileNames)
        return links_.saveFileNames->AskSaveFileName(title, filter, name);
    // "Description|mask" as the file dialogs of the station's texts write it.
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    const QString qtFilter = bar < 0 ? filter : filter.left(bar);
    return QFileDialog::getSaveFileName(this, title, programFolder_ + name, qtFilter);
}

void MainWindow::RecordCamera1ActionClick() { StartVideoCapture(1); }

void MainWindow::RecordCamera2ActionClick() { StartVideoCapture(2); }

void MainWindow::StartVideoCapture(int camera) {
    const QString digit = QString::number(camera);
    const QString plugInText = QStringLiteral("Please Plug in Camera ") + digit;
    QAction* startItem = camera == 1 ? recordCamera1Action : recordCamera2Action;
    const bool wasTicked = startItem->isChecked();
    try {
        if (CommandCamera* view = CommandCameraOf(camera); view && view->IsCapturing())
            return;
        if (!(links_.timeLapse->TimeLapseWorking() && !timeLapseFlashTimer.Enabled()))
            StartStopSurveillance();
        if (shuttingDown_)
            return;
        if (!CameraPreviews(camera)) {
            StartCamera(camera);
            env_.Pause(kCameraStartWaitMs);
            if (shuttingDown_)
                return;
            if (!CameraPreviews(camera)) {
                ShowMessageBox(QStringLiteral("Please switch on Camera ") + digit);
                return;
            }
        }

        const QDateTime now = env_.Now ? env_.Now() : QDateTime::currentDateTime();
        const QString chosen = AskSaveFileName(QStringLiteral("Save Video ") + digit,
                                               QStringLiteral("AVI files (*.avi)|*.avi"),
                                               CameraCommandRules::SuggestedVideoFileName(now));
        // Cancelled, or the station ended while the question was open.
        if (chosen.isEmpty() || shuttingDown_)
            return;

        // The camera may have gone while the dialog was open: ask for its view again.
        CommandCamera* view = CommandCameraOf(camera);
        if (!view) {
            ShowMessageBox(plugInText);
            return;
        }
        view->StopRecording();
        startItem->setChecked(true);
        view->SetRecordFileName(CameraCommandRules::WithAviExtension(chosen));
        if (!view->StartRecording()) {
            // Nothing records: the menu and the recording state stay as they were.
            startItem->setChecked(wasTicked);
            ShowMessageBox(plugInText);
            return;
        }
        RecordingActive = true;
        stopRecordingAction->setChecked(false);
    } catch (...) {
        startItem->setChecked(wasTicked);
        ShowMessageBox(plugInText);
    }
}

void MainWindow::StopRecordingActionClick() {
    stopRecordingAction->setChecked(true);
    for (int camera : {2, 1}) {
        CommandCamera* view = CommandCameraOf(camera);
        if (!view)
            continue;
        view->StopRecording(); // a recording that cannot be finished is told by the camera
    }
    recordCamera1Action->setChecked(false);
    recordCamera2Action->setChecked(false);
    RecordingActive = false;
    recordingLabel->hide();
    arrangeTimer.SetEnabled(false);
}
