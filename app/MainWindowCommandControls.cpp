// Controls of the camera commands: the hidden menu items, the recording indicator, the
// camera-cycling strip and the "X" of the Views box, and the wiring of the command buttons.
#include "app/MainWindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// True for a mouse event on the widget itself; those its children pass up do not count.
bool OnWidgetItself(QWidget* widget, QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    return widget->childAt(mouse->position().toPoint()) == nullptr;
}

// Clicks and double clicks on a camera frame itself (its picture's clicks are the
// layout's).
class FrameClickFilter : public QObject {
public:
    FrameClickFilter(MainWindow* mainWindow, int camera) : QObject(mainWindow), mainWindow_(mainWindow), camera_(camera) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A new press starts a new click, whatever became of the last double click.
        if (event->type() == QEvent::MouseButtonPress)
            releaseEndsDoubleClick_ = false;
        const bool click = event->type() == QEvent::MouseButtonRelease &&
                           static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        if (!click && event->type() != QEvent::MouseButtonDblClick)
            return false;
        QWidget* frame = camera_ == 1 ? mainWindow_->cameraFrame1 : mainWindow_->cameraFrame2;
        if (!frame || watched != frame || !OnWidgetItself(frame, event))
            return false;
        if (!click) {
            // Press, release (the click), press (the double click), release: the last
            // release belongs to the double click and is no click of its own.
            releaseEndsDoubleClick_ = true;
            camera_ == 1 ? mainWindow_->CameraFrame1DblClick() : mainWindow_->CameraFrame2DblClick();
        } else if (releaseEndsDoubleClick_) {
            releaseEndsDoubleClick_ = false;
        } else {
            camera_ == 1 ? mainWindow_->CameraFrame1Click() : mainWindow_->CameraFrame2Click();
        }
        return false;
    }

private:
    MainWindow* mainWindow_;
    int camera_;
    bool releaseEndsDoubleClick_ = false;
};

// A click on the window itself, outside every control.
class FormClickFilter : public QObject {
public:
    explicit FormClickFilter(MainWindow* mainWindow) : QObject(mainWindow), mainWindow_(mainWindow) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == mainWindow_ && event->type() == QEvent::MouseButtonRelease && OnWidgetItself(mainWindow_, event))
            mainWindow_->FormClick();
        return false;
    }

private:
    MainWindow* mainWindow_;
};

} // namespace

void MainWindow::BuildCommandControls() {
    installEventFilter(new FormClickFilter(this));
    FrameClickFilter* frameClicks[] = {new FrameClickFilter(this, 1), new FrameClickFilter(this, 2)};
    connect(this, &MainWindow::CameraFrameCreated, this, [this, frameClicks](int camera) {
        if (QWidget* frame = camera == 1 ? cameraFrame1 : cameraFrame2)
            frame->installEventFilter(frameClicks[camera == 1 ? 0 : 1]);
        // A fresh frame means the old one was switched off, which finished its recording:
        // the menu and the recording state follow unless the other camera still records.
        const CommandCamera* other = CommandCameraOf(camera == 1 ? 2 : 1);
        if (RecordingActive && !(other && other->IsCapturing())) {
            recordCamera1Action->setChecked(false);
            recordCamera2Action->setChecked(false);
            RecordingActive = false;
            recordingLabel->hide();
        }
    });

    // Hidden in the window description; reached only through code and tests.
    videoCaptureMenu = new QMenu(QStringLiteral("Video Capture"), this);
    videoCaptureMenu->setObjectName("videoCaptureMenu");
    videoCaptureMenu->menuAction()->setVisible(false);
    recordCamera1Action = videoCaptureMenu->addAction(QStringLiteral("Video Capture 1"));
    recordCamera1Action->setObjectName("recordCamera1Action");
    recordCamera2Action = videoCaptureMenu->addAction(QStringLiteral("Video Capture 2"));
    recordCamera2Action->setObjectName("recordCamera2Action");
    stopRecordingAction = videoCaptureMenu->addAction(QStringLiteral("Stop Capture"));
    stopRecordingAction->setObjectName("stopRecordingAction");
    // The ticks are the commands' own: choosing an item does not toggle it by itself.
    const std::pair<QAction*, void (MainWindow::*)()> items[] = {{recordCamera1Action, &MainWindow::RecordCamera1ActionClick},
                                                             {recordCamera2Action, &MainWindow::RecordCamera2ActionClick},
                                                             {stopRecordingAction, &MainWindow::StopRecordingActionClick}};
    for (const auto& [item, handler] : items) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item = item, handler = handler](bool checked) {
            item->setChecked(!checked);
            (this->*handler)();
        });
    }

    cycleAction = new QAction(QStringLiteral("Cycle"), this);
    cycleAction->setObjectName("cycleAction");
    cycleAction->setVisible(false);
    connect(cycleAction, &QAction::triggered, this, &MainWindow::CycleActionClick);
    fullScreenAction = new QAction(QStringLiteral("Full Screen"), this);
    fullScreenAction->setObjectName("fullScreenAction");
    fullScreenAction->setVisible(false);
    connect(fullScreenAction, &QAction::triggered, this, &MainWindow::FullScreenActionClick);

    recordingLabel = new QLabel(QStringLiteral("REC"), cameraAreaBox);
    recordingLabel->setObjectName("recordingLabel");
    recordingLabel->setStyleSheet(QStringLiteral("color: red; background: black;"));
    recordingLabel->hide();

    // The cycling strip holds its own buttons and the seconds edit.
    cycleLabel = new QLabel(this);
    cycleLabel->setObjectName("cycleLabel");
    cycleLabel->setAutoFillBackground(true);
    cycleLabel->setStyleSheet(QStringLiteral("QLabel#cycleLabel { color: yellow; background: black; } QLabel#cycleSecondsLabel { color: silver; }"));
    cycleLabel->setGeometry(0, 0, 640, 30);
    cycleLabel->setIndent(8);
    int left = 300;
    for (QPushButton* button : {cycleStopButton, cycleHideButton, cycleHelpButton}) {
        button->setParent(cycleLabel);
        button->setGeometry(left, 3, 50, 24);
        button->show();
        left += 54;
    }
    cycleSecondsLabel->setParent(cycleLabel);
    cycleSecondsLabel->setGeometry(left + 4, 5, 60, 20);
    cycleSecondsLabel->show();
    cycleSecondsEdit = new QLineEdit(QStringLiteral("5"), cycleLabel);
    cycleSecondsEdit->setObjectName("cycleSecondsEdit");
    cycleSecondsEdit->setGeometry(left + 66, 3, 40, 24);
    cycleLabel->hide();

    hideViewsButton = new QPushButton(QStringLiteral("X"), viewsBox);
    hideViewsButton->setObjectName("hideViewsButton");
    hideViewsButton->setGeometry(viewsBox->width() - 22, 2, 20, 16);

    connect(aim1Button, &QPushButton::clicked, this, &MainWindow::Aim1ButtonClick);
    connect(aim2Button, &QPushButton::clicked, this, &MainWindow::Aim2ButtonClick);
    connect(camera2SetupButton, &QPushButton::clicked, this, &MainWindow::Camera2SetupButtonClick);
    connect(takePicture1Button, &QPushButton::clicked, this, &MainWindow::TakePicture1ButtonClick);
    connect(takePicture2Button, &QPushButton::clicked, this, &MainWindow::TakePicture2ButtonClick);
    connect(showViewsButton, &QPushButton::clicked, this, &MainWindow::ShowViewsButtonClick);
    connect(hideViewsButton, &QPushButton::clicked, this, &MainWindow::HideViewsButtonClick);
    connect(cycleStopButton, &QPushButton::clicked, this, &MainWindow::CycleStopButtonClick);
    connect(cycleHideButton, &QPushButton::clicked, this, &MainWindow::CycleHideButtonClick);
    connect(cycleHelpButton, &QPushButton::clicked, this, &MainWindow::CycleHelpButtonClick);
    // The tool bar's help buttons open the introduction, as F1 does.
    for (QPushButton* help : {helpButton, viewsHelpButton})
        connect(help, &QPushButton::clicked, this, [this] { ShowHelp(0); });
    connect(tcpIpButton, &QPushButton::clicked, this, [this] { links_.networkPanel->ShowNetworkPanel(); });
    // Also on changes made by code, as the edit's change event does.
    connect(cycleSecondsEdit, &QLineEdit::textChanged, this, &MainWindow::CycleSecondsEditChange);
}
