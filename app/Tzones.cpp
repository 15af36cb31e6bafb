#include "app/Tzones.h"

#include "app/Tmagna.h"

#include "capture/TtorCap.h"
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

Tzones::Tzones(SettingsStore& store, StartupFlags& flags, StationLinks& links, StationEnvironment env,
               QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      MotionTime(200, false), Timer3(1000, false), Timer4(5000, false), TimeLapseTimer(2000, false),
      timeLaspeFlasher(300, false), Timerclock(1000, true), restlye(10, false), PlaceOntrayTimer(1000, false),
      store_(store), flags_(flags), links_(links), env_(std::move(env)),
      ownViews_([this](int camera) { return camera == 2 ? VideoCap2 : VideoCap1; }) {
    setObjectName("zones");
    FormCreate();
    BindCameraControls();
}

Tzones::~Tzones() {
    FormDestroy();
    ReleaseCameraViews();
}

void Tzones::SizeToScreen() {
    const QSize screen = env_.ScreenSize();
    setGeometry(0, 0, screen.width(), screen.height());
}

QWidget* Tzones::MakeVideoCap(QWidget* parent, const QString& name) {
    auto* view = new TtorCap(store_.Folder(), parent);
    view->setObjectName(name);
    return view;
}

void Tzones::FormCreate() {
    flags_.StartupGuard = true;
    programFolder_ = store_.Folder().Root();
    historyFolder_ = store_.Folder().Sub(QStringLiteral("history"));

    BuildControls();
    BuildCommandControls();
    ConnectTimers();

    links_.magnifier->CreateMagnifierImage(*pic1);
    ColourBlack(phonesettings);
    SizeToScreen();
    maintoolbar->hide();
    GroupBox1->hide();
    flags_.FtpUnattended = false;

    TabControl1->addTab(QStringLiteral("Screen"));
    TabControl1->addTab(QStringLiteral("Advanced"));

    ColourBlack(ScreenResPanel);
    pic1->hide();
    pic2->hide();
    flags_.ApplyingSettings = true;

    QFont paintFont(QStringLiteral("Courier New"), 8);
    paintFont.setStyleHint(QFont::TypeWriter);
    PaintBox2->setFont(paintFont);

    AlertFormat->clear();
    AlertFormat->addItems({"1 x 1", "2 x 2", "3 x 3", "4 x 4", "5 x 5", "6 x 6"});
    AlertFormat->setCurrentIndex(-1); // no row chosen yet: the stored format stays

    links_.alerts->ResetAlertSchedule(); // also empties the queue

    for (QWidget* w : {static_cast<QWidget*>(AlertsPanel), DriverStatusPanel, autostartpanel, static_cast<QWidget*>(pleaseWaitPanel)})
        ColourBlack(w);
    cam1panel->clear();
    Cam2Panel->clear();
    ColourBlack(cam1panel);
    ColourBlack(Cam2Panel);
    cam1panel->hide();
    Cam2Panel->hide();

    VideoCap2 = MakeVideoCap(GroupBox1, QStringLiteral("VideoCap2"));
    VideoCap1 = MakeVideoCap(this, QStringLiteral("VideoCap1"));
    flags_.FirstShowPending = true;
    ColourBlack(VideoCap1);
    ColourBlack(VideoCap2);

    env_.EnableScreenSaver(false);

    links_.motion->ResetPictureCounts();
    PaintBox1->hide();
    ColourBlack(GroupBox1);

    const QSize screen = env_.ScreenSize();
    store_.Record().StartScreenWidth = platform::SaturateInt16(screen.width());
    store_.Record().StartScreenHeight = platform::SaturateInt16(screen.height());

    Panel1->move(10, 50);
    for (QWidget* frame : {VideoCap1, VideoCap2})
        frame->setGeometry(frame->x(), 0, 1, 1);

    // Texts and captions are set where the controls are built. No task-bar button tricks.
    store_.SetCameraFolder(1, platform::JoinPath(programFolder_, QStringLiteral("cam1")));
    store_.SetMainWindowFont(font().family(), font().pointSize());

    setWindowTitle(kWindowCaption);
    GroupBox1->move(0, GroupBox1->y());
    SizeToScreen();

    connect(qApp, &QGuiApplication::focusWindowChanged, this, &Tzones::OnFocusWindowChanged);
}

void Tzones::FormDestroy() {
    if (destroyed_)
        return;
    destroyed_ = true;
    links_.magnifier->FreeMagnifierImage(*pic1);
    env_.EnableScreenSaver(true);
}

void Tzones::ConnectTimers() {
    const std::pair<platform::WinTimer*, const char*> names[] = {
        {&MotionTime, "MotionTime"}, {&Timer3, "Timer3"}, {&Timer4, "Timer4"},
        {&TimeLapseTimer, "TimeLapseTimer"}, {&timeLaspeFlasher, "timeLaspeFlasher"},
        {&Timerclock, "Timerclock"}, {&restlye, "restlye"}, {&PlaceOntrayTimer, "PlaceOntrayTimer"}};
    for (const auto& [timer, name] : names) {
        timer->setObjectName(QString::fromLatin1(name));
        timer->setParent(this);
    }
    connect(&MotionTime, &platform::WinTimer::Timeout, this, [this] { links_.motion->MotionTick(); });
    connect(&Timer3, &platform::WinTimer::Timeout, this, [this] { links_.layout->ArrangeAfterStart(); });
    connect(&Timer4, &platform::WinTimer::Timeout, this, &Tzones::Timer4Timer);
    connect(&TimeLapseTimer, &platform::WinTimer::Timeout, this, [this] { links_.timeLapse->TimeLapseTick(); });
    connect(&timeLaspeFlasher, &platform::WinTimer::Timeout, this, [this] { links_.timeLapse->TimeLapseFlasherTick(); });
    connect(&Timerclock, &platform::WinTimer::Timeout, this, [this] { links_.alerts->ClockTick(); });
    connect(&restlye, &platform::WinTimer::Timeout, this, [this] { links_.layout->Relayout(); });
    connect(&PlaceOntrayTimer, &platform::WinTimer::Timeout, this, &Tzones::PlaceOntrayTimerTimer);
}

void Tzones::showEvent(QShowEvent* event) {
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

void Tzones::OnFocusWindowChanged() {
    QWindow* focus = QGuiApplication::focusWindow();
    if (focus && focus == windowHandle())
        return; // judged when the activation event arrives
    lastFocusWasOurs_ = focus != nullptr;
}

bool Tzones::event(QEvent* event) {
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

void Tzones::closeEvent(QCloseEvent* event) {
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
