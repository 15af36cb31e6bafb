// The camera views and switching each camera on and off from the main window.
#include "app/CameraHealthBinding.h"
#include "app/CameraListRules.h"
#include "app/ControlColours.h"
#include "app/MainWindow.h"

#include "capture/CameraHealth.h"
#include "capture/CaptureModes.h"
#include "capture/CameraView.h"
#include "capture/VideoCapture.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScopeGuard>

namespace {

const QString kClickToEnlarge = QStringLiteral("Click to Enlarge");
constexpr int kCameraNameLength = 100;

} // namespace

CameraView* MainWindow::Cap(int camera) const {
    return qobject_cast<CameraView*>(camera == 2 ? cameraFrame2 : cameraFrame1);
}

CommandCamera* MainWindow::CommandCameraOf(int camera) const {
    return links_.cameraViews ? links_.cameraViews->View(camera) : ownViews_.View(camera);
}

bool MainWindow::CameraPreviews(int camera) const {
    const CommandCamera* view = CommandCameraOf(camera);
    return view && view->IsPreviewing();
}

void MainWindow::BindCameraControls() {
    // Before the first views are made: it watches each one.
    BindCameraHealth(*this);
    SetUpCameraFrame(1, false);
    SetUpCameraFrame(2, false);
    SetUpCameraLists();
    connect(camera1Button, &QPushButton::clicked, this, &MainWindow::Camera1ButtonClick);
    connect(camera2Button, &QPushButton::clicked, this, &MainWindow::Camera2ButtonClick);
    connect(surveillanceButton, &QPushButton::clicked, this, &MainWindow::SurveillanceButtonClick);
}

void MainWindow::ReleaseCameraViews() {
    for (int camera : {1, 2}) {
        if (CameraView* view = Cap(camera)) {
            view->cap->disconnect(this);
            view->disconnect(this);
        }
    }
}

void MainWindow::SetUpCameraFrame(int camera, bool fresh) {
    QWidget* frame = camera == 2 ? cameraFrame2 : cameraFrame1;
    if (!frame)
        return;
    frame->setObjectName(camera == 2 ? QStringLiteral("cameraFrame2") : QStringLiteral("cameraFrame1"));
    if (fresh) {
        frame->setGeometry(2, 18, 805, 436);
        QPalette p = frame->palette();
        p.setColor(QPalette::Window, camera == 2 ? QColor(255, 0, 255) : QColor(0, 128, 0));
        frame->setPalette(p);
        frame->setAutoFillBackground(true);
    }
    frame->setToolTip(kClickToEnlarge);
    // Its clicks reach the window through the filter the commands install on CameraFrameCreated.

    CameraView* view = Cap(camera);
    if (!view)
        return;
    view->CameraNumber = camera;
    if (view->cameraNameLabel) {
        QFont font(QStringLiteral("Courier"));
        font.setStyleHint(QFont::TypeWriter);
        font.setPixelSize(16);
        view->cameraNameLabel->setFont(font);
        SetFontColour(view->cameraNameLabel, ControlColours::kSilver);
    }
    // After the view's own handler, so the picture and its caption are up to date. The
    // frame is named in the handler: a frame that has been replaced is no longer heard.
    QPointer<CameraView> sender(view);
    connect(view->cap, &VideoCapture::OnPictureGrabbed, this, [this, camera, sender](const QImage& image) {
        if (!sender || Cap(camera) != sender.data())
            return;
        if (camera == 1)
            CameraFrame1PictureGrabbed(image);
        else
            CameraFrame2PictureGrabbed(image);
    });
    emit CameraFrameCreated(camera);
}

void MainWindow::ReplaceCameraFrame(int camera) {
    QWidget*& slot = camera == 2 ? cameraFrame2 : cameraFrame1;
    QWidget* old = slot;
    QWidget* parent = old ? old->parentWidget() : (camera == 2 ? cameraAreaBox : static_cast<QWidget*>(this));
    if (old) {
        // Cut the old frame off before anything queued for it can arrive, and free it only
        // once the events in hand have run.
        if (CameraView* view = qobject_cast<CameraView*>(old)) {
            view->cap->disconnect(this);
            view->disconnect(this);
        }
        old->setObjectName(QString());
        old->hide();
        old->deleteLater();
    }
    slot = MakeCameraFrame(parent, camera == 2 ? QStringLiteral("cameraFrame2") : QStringLiteral("cameraFrame1"));
    SetUpCameraFrame(camera, true);
}

void MainWindow::CreateCameraFrame1() { ReplaceCameraFrame(1); }

void MainWindow::CreateCameraFrame2() { ReplaceCameraFrame(2); }

bool MainWindow::OpenCamera1Driver() { return OpenCameraDriver(1); }

bool MainWindow::OpenCamera2Driver() { return OpenCameraDriver(2); }

bool MainWindow::OpenCameraDriver(int camera) {
    CommandCamera* view = CommandCameraOf(camera);
    // A start runs events: the frame may go meanwhile (switched off), and the view with it.
    const QPointer<QWidget> frame = camera == 2 ? cameraFrame2 : cameraFrame1;
    if (!view)
        return false;
    QComboBox* list = camera == 2 ? cam2List : cam1List;
    qint16& driverIndex = camera == 2 ? DriverIndex2 : DriverIndex1;
    if (view->IsPreviewing())
        view->ConnectCamera(false, driverIndex);
    view->SetTag(list->currentIndex());
    // The view connects the device at the index it is given: the one the list shows.
    if (list->currentIndex() >= 0)
        driverIndex = qint16(list->currentIndex());
    if (!view->ConnectCamera(true, driverIndex))
        return false;
    return frame && frame == (camera == 2 ? cameraFrame2 : cameraFrame1) && view->IsPreviewing();
}

void MainWindow::StartCamera1() { StartCamera(1); }

void MainWindow::StartCamera2() { StartCamera(2); }

void MainWindow::StartCamera(int camera) {
    ++camerasStarting_;
    const auto started = qScopeGuard([this] { --camerasStarting_; });
    const bool first = camera == 1;
    QPushButton* button = first ? camera1Button : camera2Button;
    QComboBox* list = first ? cam1List : cam2List;
    QLabel* panel = first ? camera1Panel : camera2Panel;
    QCheckBox* hot = first ? hotZone1Box : hotZone2Box;
    qint16& driverIndex = first ? DriverIndex1 : DriverIndex2;
    SettingsRecord& record = store_.Record();
    QString& cameraName = first ? record.Cam1Name : record.Cam2Name;

    if (first) {
        cameraFrame1->hide();
        camera1Button->setEnabled(false);
    }
    setupPanel->hide();
    if (cam2List->currentIndex() < 0) {
        // No capture device: nothing to switch, and the button stays usable.
        button->setEnabled(true);
        pleaseWaitPanel->hide();
        return;
    }

    // A lost camera's button switches it off as well, ending the reconnect attempts.
    if (button->text() == kOnText || button->text() == CameraHealth::kLostText) {
        panel->hide();
        SetFontColour(button, ControlColours::kBlack);
        if (CommandCamera* view = CommandCameraOf(camera))
            view->ConnectCamera(false, driverIndex);
        button->setText(kOffText);
        button->setEnabled(true);
        StopIdleSurveillance();
        links_.layout->ArrangeCameraPanels();
        if (first)
            DriverIndex1 = kNoDriver;
        ReplaceCameraFrame(camera);
    } else {
        // A station that is ending switches nothing on.
        if (shuttingDown_) {
            button->setEnabled(true);
            pleaseWaitPanel->hide();
            return;
        }
        CopyZoneValues(camera);
        const int row = list->currentIndex();
        const QString alias = row >= 0 ? links_.aliases->DriverAlias(list->itemText(row)).left(kCameraNameLength) : QString();
        if (!first && row >= 0) {
            cameraName = alias;
            store_.WriteSettingsFile();
        }
        ShowPleaseWait();
        if (!first)
            repaint();
        if (CommandCamera* view = CommandCameraOf(camera))
            view->ConnectCamera(false, first ? 1 : driverIndex);
        if (list->count() > 0) {
            hot->setChecked(true);
            button->setEnabled(false);
            if (row >= 0)
                cameraName = alias;
            store_.WriteSettingsFile();
        }
        const bool opened = OpenCameraDriver(camera);
        if (shuttingDown_) {
            // Ended while the camera was connecting: the shutdown switched off what it saw
            // running, so this one goes off again here.
            if (CommandCamera* view = CommandCameraOf(camera))
                view->ConnectCamera(false, driverIndex);
            button->setText(kOffText);
            SetFontColour(button, ControlColours::kBlack);
            button->setEnabled(true);
            return;
        }
        if (!opened) {
            Tell(kCameraFailedText);
            links_.layout->ArrangeCameraPanels();
        }
        if (!first)
            env_.Pause(kCamera2SettleMs);
        if (CameraPreviews(camera)) {
            panel->show();
            button->setText(kOnText);
            SetFontColour(button, ControlColours::kRed);
        } else {
            button->setText(kOffText);
            SetFontColour(button, ControlColours::kBlack);
        }
    }
    button->setEnabled(true);
    pleaseWaitPanel->hide();
    if (!first)
        links_.layout->ArrangeCameraPanels();
}

void MainWindow::Camera1ButtonClick() { CameraButtonClick(1); }

void MainWindow::Camera2ButtonClick() { CameraButtonClick(2); }

void MainWindow::CameraButtonClick(int camera) {
    // While locked a camera goes neither off (which ends its surveillance) nor on without
    // the password; once given, the surveillance step of this click does not ask again.
    if ((!surveillanceAccessGiven_ && !links_.accessLock->AccessAllowed()) || shuttingDown_)
        return;
    const QScopedValueRollback<bool> given(surveillanceAccessGiven_, true);
    const bool first = camera == 1;
    QComboBox* list = first ? cam1List : cam2List;
    if (!first) {
        if (cam2List->count() == 0) {
            ShowMessageBox(kCameraNotInstalledText);
            return;
        }
        if (cam1List->currentIndex() == cam2List->currentIndex()) {
            // Both lists name one device: it can only run as camera 1.
            Camera1ButtonClick();
            return;
        }
    }
    if (setupPanel->isVisible())
        GatherAndSaveSettings();
    if (list->currentIndex() >= 0) {
        SettingsRecord& record = store_.Record();
        (first ? record.Cam1Name : record.Cam2Name) =
            links_.aliases->DriverAlias(list->itemText(list->currentIndex())).left(kCameraNameLength);
    }
    CopyZoneValues(camera);

    surveillanceBox->setTitle(kSurveillanceMethodText);
    ShowPleaseWait();
    StartCamera(camera);

    const bool previews1 = CameraPreviews(1);
    const bool previews2 = CameraPreviews(2);
    if (!previews2)
        hotZone2Box->setChecked(false);
    if (!previews1)
        hotZone1Box->setChecked(false);
    if (!previews1 && !previews2) {
        mainToolbar->show();
        timeLapseFlashTimer.SetEnabled(false);
        timeLapseTimer.SetEnabled(false);
        SetFontColour(surveillanceButton, ControlColours::kBlack);
    }

    if (CameraPreviews(camera)) {
        SetFontColour(list, ControlColours::kYellow);
        links_.layout->RestoreFullView();
        ToggleSurveillance();
        SelectSavedVideoMode(camera);
        if (phoneAutoConnectBox->isChecked())
            AutoConnectPhoneLink();
    } else {
        SetFontColour(list, ControlColours::kSilver);
    }
    list->setEditText(SelectedCameraName(camera));
    if (CameraPreviews(1) && CameraPreviews(2))
        links_.tray->UntickDiskStats();
}

void MainWindow::SelectSavedVideoMode(int camera) {
    CameraView* view = Cap(camera);
    if (!view)
        return;
    const SettingsRecord& record = store_.Record();
    const QString saved = (camera == 2 ? record.VideoMode2 : record.VideoMode1).trimmed();
    if (saved.isEmpty())
        return;
    VideoCapture* cap = view->cap;
    const int count = cap->VideoModeCount();
    for (int i = 0; i < count; ++i) {
        VideoMode mode;
        cap->GetVideoMode(i, mode);
        if (DescribeVideoMode(mode) != saved || !view->IsPreviewing())
            continue;
        cap->SetVideoMode(i);
        cap->StartPreview();
        break; // one mode: a second of the same description would restart the camera again
    }
}

void MainWindow::CameraFrame1PictureGrabbed(const QImage& CapturedImage) {
    links_.networkPanel->FrameGrabbed(1, CapturedImage);
    links_.pictureLog->FrameGrabbed(1, CapturedImage);
}

void MainWindow::CameraFrame2PictureGrabbed(const QImage& CapturedImage) {
    links_.pictureLog->FrameGrabbed(2, CapturedImage);
}

void MainWindow::DrawMotionCounter(platform::PictureCanvas& picture, qint32 count) {
    picture.SetBackground(platform::PictureCanvas::BackgroundMode::Opaque);
    picture.SetFontName(QStringLiteral("Courier"));
    picture.SetFontSize(store_.Record().CaptionFontSize);
    picture.SetBrushColor(Qt::white);
    picture.SetFontColor(ControlColours::kRed);
    const QString text = MotionCounterText(count);
    const int y = store_.Record().CaptionTopRight ? 5 : picture.TextHeight(text) + 5;
    picture.TextOut(5, y, text);
}

void MainWindow::AutoConnectPhoneLink() {
    if (phoneConnectPending_ || links_.onlineService->PhoneLinkConnected())
        return;
    // After the camera start has returned, so the camera and surveillance never wait on the
    // service; both cameras starting together make one connect.
    phoneConnectPending_ = true;
    WhenStartsAreOver([this] {
        phoneConnectPending_ = false;
        if (!links_.onlineService->PhoneLinkConnected())
            links_.onlineService->PhoneLinkConnect();
    });
}
