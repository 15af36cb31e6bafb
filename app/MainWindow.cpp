#include "app/MainWindow.h"

#include "app/Magnifier.h"

#include "capture/CameraView.h"
#include "core/SettingsStore.h"
#include "platform/ProgramFolder.h"
#include "platform/Rounding.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QTabBar>
#include <QTimer>
#include <QWindow>

namespace {

void ColourBlack(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Qt::black);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// Activation after a show normally arrives from the platform; when it does not (no window
// manager), the first activation is run after this delay so start-up never stalls.
constexpr int kActivationFallbackMs = 300;

} // namespace

MainWindow::MainWindow(SettingsStore& store, StartupFlags& flags, StationLinks& links, StationEnvironment env,
               QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      motionTimer(200, false), arrangeTimer(1000, false), cycleTimer(5000, false), timeLapseTimer(2000, false),
      timeLapseFlashTimer(300, false), clockTimer(1000, true), relayoutTimer(10, false), startupSequenceTimer(1000, false),
      store_(store), flags_(flags), links_(links), env_(std::move(env)),
      ownViews_([this](int camera) { return camera == 2 ? cameraFrame2 : cameraFrame1; }) {
    setObjectName("mainWindow");
    FormCreate();
    BindCameraControls();
}

MainWindow::~MainWindow() {
    FormDestroy();
    ReleaseCameraViews();
}

void MainWindow::SizeToScreen() {
    const QSize screen = env_.ScreenSize();
    setGeometry(0, 0, screen.width(), screen.height());
}

QWidget* MainWindow::MakeCameraFrame(QWidget* parent, const QString& name) {
    auto* view = new CameraView(store_.Folder(), parent);
    view->setObjectName(name);
    return view;
}

void MainWindow::FormCreate() {
    flags_.StartupGuard = true;
    programFolder_ = store_.Folder().Root();
    historyFolder_ = store_.Folder().Sub(QStringLiteral("history"));

    BuildControls();
    BuildCommandControls();
    ConnectTimers();

    links_.magnifier->CreateMagnifierImage(*magnifier1);
    ColourBlack(phoneSettingsPage);
    SizeToScreen();
    mainToolbar->hide();
    cameraAreaBox->hide();
    flags_.FtpUnattended = false;

    setupTabs->addTab(QStringLiteral("Screen"));
    setupTabs->addTab(QStringLiteral("Advanced"));

    ColourBlack(screenPage);
    magnifier1->hide();
    magnifier2->hide();
    flags_.ApplyingSettings = true;

    QFont paintFont(QStringLiteral("Courier New"), 8);
    paintFont.setStyleHint(QFont::TypeWriter);
    alertBlockBox->setFont(paintFont);

    alertFormatCombo->clear();
    alertFormatCombo->addItems({"1 x 1", "2 x 2", "3 x 3", "4 x 4", "5 x 5", "6 x 6"});
    alertFormatCombo->setCurrentIndex(-1); // no row chosen yet: the stored format stays

    links_.alerts->ResetAlertSchedule(); // also empties the queue

    for (QWidget* w : {static_cast<QWidget*>(alertsPage), driverListPage, autoStartPage, static_cast<QWidget*>(pleaseWaitPanel)})
        ColourBlack(w);
    camera1Panel->clear();
    camera2Panel->clear();
    ColourBlack(camera1Panel);
    ColourBlack(camera2Panel);
    camera1Panel->hide();
    camera2Panel->hide();

    cameraFrame2 = MakeCameraFrame(cameraAreaBox, QStringLiteral("cameraFrame2"));
    cameraFrame1 = MakeCameraFrame(this, QStringLiteral("cameraFrame1"));
    flags_.FirstShowPending = true;
    ColourBlack(cameraFrame1);
    ColourBlack(cameraFrame2);

    env_.EnableScreenSaver(false);

    links_.motion->ResetPictureCounts();
    clockBox->hide();
    ColourBlack(cameraAreaBox);

    const QSize screen = env_.ScreenSize();
    store_.Record().StartScreenWidth = platform::SaturateInt16(screen.width());
    store_.Record().StartScreenHeight = platform::SaturateInt16(screen.height());

    setupPanel->move(10, 50);
    for (QWidget* frame : {cameraFrame1, cameraFrame2})
        frame->setGeometry(frame->x(), 0, 1, 1);

    // Texts and captions are set where the controls are built. No task-bar button tricks.
    store_.SetCameraFolder(1, platform::JoinPath(programFolder_, QStringLiteral("cam1")));
    store_.SetMainWindowFont(font().family(), font().pointSize());

    setWindowTitle(kWindowCaption);
    cameraAreaBox->move(0, cameraAreaBox->y());
    SizeToScreen();

    connect(qApp, &QGuiApplication::focusWindowChanged, this, &MainWindow::OnFocusWindowChanged);
}

void MainWindow::FormDestroy() {
    if (destroyed_)
        return;
    destroyed_ = true;
    links_.magnifier->FreeMagnifierImage(*magnifier1);
    env_.EnableScreenSaver(true);
}

void MainWindow::ConnectTimers() {
    const std::pair<platform::WinTimer*, const char*> names[] = {
        {&motionTimer, "motionTimer"}, {&arrangeTimer, "arrangeTimer"}, {&cycleTimer, "cycleTimer"},
        {&timeLapseTimer, "timeLapseTimer"}, {&timeLapseFlashTimer, "timeLapseFlashTimer"},
        {&clockTimer, "clockTimer"}, {&relayoutTimer, "relayoutTimer"}, {&startupSequenceTimer, "startupSequenceTimer"}};
    for (const auto& [timer, name] : names) {
        timer->setObjectName(QString::fromLatin1(name));
        timer->setParent(this);
    }
    connect(&motionTimer, &platform::WinTimer::Timeout, this, [this] { links_.motion->MotionTick(); });
    connect(&arrangeTimer, &platform::WinTimer::Timeout, this, [this] { links_.layout->ArrangeAfterStart(); });
    connect(&cycleTimer, &platform::WinTimer::Timeout, this, &MainWindow::CycleTimerTick);
    connect(&timeLapseTimer, &platform::WinTimer::Timeout, this, [this] { links_.timeLapse->TimeLapseTick(); });
    connect(&timeLapseFlashTimer, &platform::WinTimer::Timeout, this, [this] { links_.timeLapse->TimeLapseFlasherTick(); });
    connect(&clockTimer, &platform::WinTimer::Timeout, this, [this] { links_.alerts->ClockTick(); });
    connect(&relayoutTimer, &platform::WinTimer::Timeout, this, [this] { links_.layout->Relayout(); });
    connect(&startupSequenceTimer, &platform::WinTimer::Timeout, this, &MainWindow::StartupSequenceTimerTick);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (programShows_ > 0) {
        // Not a show of the user's: the activation that follows is no return either.
        activationPending_ = false;
        lastFocusWasOurs_ = false;
        return;
    }
    FormShow();
    activationPending_ = true;
    activateWindow();
    QTimer::singleShot(kActivationFallbackMs, this, [this] {
        if (activationPending_ && isVisible()) {
            activationPending_ = false;
            FormActivate();
        }
    });
}

void MainWindow::OnFocusWindowChanged() {
    QWindow* focus = QGuiApplication::focusWindow();
    if (focus && focus == windowHandle())
        return; // judged when the activation event arrives
    lastFocusWasOurs_ = focus != nullptr;
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && isVisible() && !shuttingDown_) {
        // A return from another window of this program, or the first activation after a
        // show; a switch back from another application is not an activation here.
        if (activationPending_ || lastFocusWasOurs_) {
            activationPending_ = false;
            lastFocusWasOurs_ = false;
            const bool result = QWidget::event(event);
            FormActivate();
            return result;
        }
    }
    return QWidget::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the window from outside takes the orderly way out, past the lock like Exit.
    event->ignore();
    if (shuttingDown_ || closeAsked_)
        return;
    closeAsked_ = true;
    QTimer::singleShot(0, this, [this] {
        const bool allowed = links_.accessLock->AccessAllowed();
        closeAsked_ = false;
        if (allowed)
            ShutDown();
    });
}
