// Controls of the camera commands: the hidden menu items, the recording indicator, the
// camera-cycling strip and the "X" of the Views box, and the wiring of the command buttons.
#include "app/Tzones.h"

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
    FrameClickFilter(Tzones* zones, int camera) : QObject(zones), zones_(zones), camera_(camera) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A new press starts a new click, whatever became of the last double click.
        if (event->type() == QEvent::MouseButtonPress)
            releaseEndsDoubleClick_ = false;
        const bool click = event->type() == QEvent::MouseButtonRelease &&
                           static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        if (!click && event->type() != QEvent::MouseButtonDblClick)
            return false;
        QWidget* frame = camera_ == 1 ? zones_->VideoCap1 : zones_->VideoCap2;
        if (!frame || watched != frame || !OnWidgetItself(frame, event))
            return false;
        if (!click) {
            // Press, release (the click), press (the double click), release: the last
            // release belongs to the double click and is no click of its own.
            releaseEndsDoubleClick_ = true;
            camera_ == 1 ? zones_->VideoCap1DblClick() : zones_->VideoCap2DblClick();
        } else if (releaseEndsDoubleClick_) {
            releaseEndsDoubleClick_ = false;
        } else {
            camera_ == 1 ? zones_->VideoCap1Click() : zones_->VideoCap2Click();
        }
        return false;
    }

private:
    Tzones* zones_;
    int camera_;
    bool releaseEndsDoubleClick_ = false;
};

// A click on the window itself, outside every control.
class FormClickFilter : public QObject {
public:
    explicit FormClickFilter(Tzones* zones) : QObject(zones), zones_(zones) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == zones_ && event->type() == QEvent::MouseButtonRelease && OnWidgetItself(zones_, event))
            zones_->FormClick();
        return false;
    }

private:
    Tzones* zones_;
};

} // namespace

void Tzones::BuildCommandControls() {
    installEventFilter(new FormClickFilter(this));
    FrameClickFilter* frameClicks[] = {new FrameClickFilter(this, 1), new FrameClickFilter(this, 2)};
    connect(this, &Tzones::VideoCapCreated, this, [this, frameClicks](int camera) {
        if (QWidget* frame = camera == 1 ? VideoCap1 : VideoCap2)
            frame->installEventFilter(frameClicks[camera == 1 ? 0 : 1]);
        // A fresh frame means the old one was switched off, which finished its recording:
        // the menu and the recording state follow unless the other camera still records.
        const CommandCamera* other = CameraView(camera == 1 ? 2 : 1);
        if (RecordingActive && !(other && other->IsCapturing())) {
            StartCapture11->setChecked(false);
            StartCapture21->setChecked(false);
            RecordingActive = false;
            rec->hide();
        }
    });

    // Hidden in the window description; reached only through code and tests.
    VideoCapture = new QMenu(QStringLiteral("Video Capture"), this);
    VideoCapture->setObjectName("VideoCapture");
    VideoCapture->menuAction()->setVisible(false);
    StartCapture11 = VideoCapture->addAction(QStringLiteral("Video Capture 1"));
    StartCapture11->setObjectName("StartCapture11");
    StartCapture21 = VideoCapture->addAction(QStringLiteral("Video Capture 2"));
    StartCapture21->setObjectName("StartCapture21");
    StopCapture1 = VideoCapture->addAction(QStringLiteral("Stop Capture"));
    StopCapture1->setObjectName("StopCapture1");
    // The ticks are the commands' own: choosing an item does not toggle it by itself.
    const std::pair<QAction*, void (Tzones::*)()> items[] = {{StartCapture11, &Tzones::StartCapture11Click},
                                                             {StartCapture21, &Tzones::StartCapture21Click},
                                                             {StopCapture1, &Tzones::StopCapture1Click}};
    for (const auto& [item, handler] : items) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item = item, handler = handler](bool checked) {
            item->setChecked(!checked);
            (this->*handler)();
        });
    }

    Cycle = new QAction(QStringLiteral("Cycle"), this);
    Cycle->setObjectName("Cycle");
    Cycle->setVisible(false);
    connect(Cycle, &QAction::triggered, this, &Tzones::CycleClick);
    FullScreen1 = new QAction(QStringLiteral("Full Screen"), this);
    FullScreen1->setObjectName("FullScreen1");
    FullScreen1->setVisible(false);
    connect(FullScreen1, &QAction::triggered, this, &Tzones::FullScreen1Click);

    rec = new QLabel(QStringLiteral("REC"), GroupBox1);
    rec->setObjectName("rec");
    rec->setStyleSheet(QStringLiteral("color: red; background: black;"));
    rec->hide();

    // The cycling strip holds its own buttons and the seconds edit.
    cycleIMAGE = new QLabel(this);
    cycleIMAGE->setObjectName("cycleIMAGE");
    cycleIMAGE->setAutoFillBackground(true);
    cycleIMAGE->setStyleSheet(QStringLiteral("QLabel#cycleIMAGE { color: yellow; background: black; } QLabel#Label7 { color: silver; }"));
    cycleIMAGE->setGeometry(0, 0, 640, 30);
    cycleIMAGE->setIndent(8);
    int left = 300;
    for (QPushButton* button : {Button17, Button18, Button14}) {
        button->setParent(cycleIMAGE);
        button->setGeometry(left, 3, 50, 24);
        button->show();
        left += 54;
    }
    Label7->setParent(cycleIMAGE);
    Label7->setGeometry(left + 4, 5, 60, 20);
    Label7->show();
    seconds = new QLineEdit(QStringLiteral("5"), cycleIMAGE);
    seconds->setObjectName("seconds");
    seconds->setGeometry(left + 66, 3, 40, 24);
    cycleIMAGE->hide();

    Button21 = new QPushButton(QStringLiteral("X"), GroupBox4);
    Button21->setObjectName("Button21");
    Button21->setGeometry(GroupBox4->width() - 22, 2, 20, 16);

    connect(Button9, &QPushButton::clicked, this, &Tzones::Button9Click);
    connect(Button6, &QPushButton::clicked, this, &Tzones::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &Tzones::Button7Click);
    connect(Button22, &QPushButton::clicked, this, &Tzones::Button22Click);
    connect(Button23, &QPushButton::clicked, this, &Tzones::Button23Click);
    connect(Button20, &QPushButton::clicked, this, &Tzones::Button20Click);
    connect(Button21, &QPushButton::clicked, this, &Tzones::Button21Click);
    connect(Button17, &QPushButton::clicked, this, &Tzones::Button17Click);
    connect(Button18, &QPushButton::clicked, this, &Tzones::Button18Click);
    connect(Button14, &QPushButton::clicked, this, &Tzones::Button14Click);
    // The tool bar's help buttons open the introduction, as F1 does.
    for (QPushButton* help : {Button26, Button15})
        connect(help, &QPushButton::clicked, this, [this] { ShowHelp(0); });
    connect(Button36, &QPushButton::clicked, this, [this] { links_.networkPanel->ShowNetworkPanel(); });
    // Also on changes made by code, as the edit's change event does.
    connect(seconds, &QLineEdit::textChanged, this, &Tzones::secondsChange);
}
