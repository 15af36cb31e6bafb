// Placement by screen, the camera panels and the full, compact and screen-saver views.
#include "app/Tmagna.h"
#include "app/LayoutAlign.h"
#include "app/StationLayout.h"

#include "app/LoggedPictures.h"
#include "app/NetworkPanel.h"
#include "app/Tzones.h"

#include "capture/TtorCap.h"
#include "core/SettingsStore.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QThread>

using namespace LayoutRules;

StationLayout::StationLayout(Tzones& zones, WindowStateSetter setWindowState)
    : zones_(zones), setWindowState_(std::move(setWindowState)) {
    if (!setWindowState_) {
        setWindowState_ = [](QWidget& window, bool fullScreen) {
            const Qt::WindowStates state = window.windowState();
            window.setWindowState(fullScreen ? (state | Qt::WindowFullScreen) & ~Qt::WindowMinimized
                                             : state & ~(Qt::WindowFullScreen | Qt::WindowMaximized));
        };
    }
    layoutScreenWidth_ = PlaceForScreen(Screen()).layoutScreenWidth;
    // The smallest window; no largest, which would clamp the full view.
    zones_.setMinimumSize(kMinWindowSide, kMinWindowSide);
    BuildMenu();
    BindControls();
}

StationLayout::~StationLayout() = default;

QSize StationLayout::Screen() const { return zones_.ScreenSize(); }

bool StationLayout::CameraRuns() const { return zones_.CameraPreviews(1) || zones_.CameraPreviews(2); }

void StationLayout::ShowToolbar(bool show) { zones_.maintoolbar->setVisible(show); }

void StationLayout::PlaceWindowForScreen() {
    const ScreenPlacement placement = PlaceForScreen(Screen());
    layoutScreenWidth_ = placement.layoutScreenWidth;
    zones_.FullToolbarLayout = placement.fullToolbarLayout ? 1 : 0;
    if (placement.moveTo100)
        zones_.move(100, 100);
    LayoutReady = true;
}

void StationLayout::ApplyPanels(const PanelPlacement& placement) {
    const struct {
        QWidget* panel;
        QWidget* picture;
        bool show;
        QRect rect;
    } panels[] = {{zones_.cam1panel, zones_.pic1, placement.show1, placement.panel1},
                  {zones_.Cam2Panel, zones_.pic2, placement.show2, placement.panel2}};
    const bool both = placement.show1 && placement.show2;
    for (const auto& p : panels) {
        if (!p.show) {
            p.panel->hide();
            continue;
        }
        if (both) {
            SetAlign(p.panel, Align::None);
            p.panel->setGeometry(p.rect);
        } else {
            SetAlign(p.panel, Align::Client);
        }
        SetAlign(p.picture, Align::Client);
        p.panel->raise();
        p.panel->show();
        p.picture->show();
    }
}

void StationLayout::ArrangeCameraPanels() {
    if (!CameraRuns())
        return;
    zones_.GroupBox1->resize(zones_.width(), zones_.GroupBox1->height());
    ApplyPanels(ArrangePanels(zones_.GroupBox1->size(), zones_.CameraPreviews(1), zones_.CameraPreviews(2)));
}

void StationLayout::SetStaysOnTop(bool onTop) {
    if (zones_.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // New window flags hide the window; it comes back as the program shows it.
    Tzones::ProgramShowScope scope(zones_);
    const bool visible = zones_.isVisible();
    zones_.hide();
    zones_.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        zones_.show();
}

void StationLayout::RestoreFullView() {
    compact_ = false;
    SetStaysOnTop(false);
    {
        Tzones::ProgramShowScope scope(zones_);
        zones_.setGeometry(QRect(QPoint(0, 0), Screen()));
        setWindowState_(zones_, true);
    }
    if (zones_.FullScreen1)
        zones_.FullScreen1->setChecked(false);
    for (QWidget* view : {zones_.VideoCap1, zones_.VideoCap2}) {
        if (view)
            view->setToolTip(QString());
    }
    zones_.SurveillancePanel->show();
    zones_.CameraGroupBox->show();
    zones_.SurveillanceSetup->show();
    SetAlign(zones_.GroupBox1, Align::None);
    zones_.GroupBox1->move(zones_.GroupBox1->x(), GroupBox1Top);
    zones_.setWindowTitle(Tzones::kWindowCaption);
    SmallViewActive = false;
    if (zones_.FullToolbarLayout == 0)
        zones_.GroupBox1->resize(zones_.GroupBox1->width(), zones_.height());
    for (QWidget* view : {zones_.VideoCap1, zones_.VideoCap2}) {
        if (view)
            view->resize(view->width(), zones_.height() - 5);
    }
    ArrangeCameraPanels();
    const int areaHeight = !zones_.maintoolbar->isHidden()
                               ? zones_.maintoolbar->y()
                               : Screen().height();
    zones_.GroupBox1->resize(zones_.GroupBox1->width(), areaHeight);
    // The clock and alert blocks, and an alert that is due goes now, not at the next tick.
    zones_.Links().alerts->ClockTick();
    const SettingsRecord& record = zones_.Store().Record();
    zones_.hot1->setChecked(record.HotZone1);
    zones_.Hot2->setChecked(record.HotZone2);
}

void StationLayout::MakeSmallView() {
    SetStaysOnTop(true);
    zones_.setWindowTitle(Tzones::kWindowCaption);
    zones_.GroupBox1->setTitle(QString());
    zones_.SurveillancePanel->hide();
    zones_.CameraGroupBox->hide();
    {
        Tzones::ProgramShowScope scope(zones_);
        setWindowState_(zones_, false);
    }
    zones_.GroupBox1->setGeometry(zones_.GroupBox1->x(), 0, zones_.width() - 5, zones_.height() - 5);
    layoutScreenWidth_ = PlaceForScreen(Screen()).layoutScreenWidth;

    const CompactPlacement placement = CompactView(Screen(), zones_.CameraPreviews(1), zones_.CameraPreviews(2));
    if (placement.any) {
        if (zones_.CameraPreviews(1) && zones_.CameraPreviews(2) && zones_.VideoCap1)
            zones_.VideoCap1->raise();
        ShowToolbar(false);
        zones_.resize(placement.window.size());
        SetAlign(zones_.GroupBox1, Align::Client);
        ApplyPanels(placement.panels);
        compact_ = true;
    }
    zones_.move(placement.any ? placement.window.topLeft()
                              : QPoint(layoutScreenWidth_ - (zones_.width() + 10),
                                       Screen().height() - (zones_.height() + 30)));
    zones_.restlye.SetEnabled(false);
    SmallViewActive = false;
    const SettingsRecord& record = zones_.Store().Record();
    zones_.hot1->setChecked(record.HotZone1);
    zones_.Hot2->setChecked(record.HotZone2);
    zones_.update();
    zones_.raise();
}

void StationLayout::ScreenSaverView() {
    if (!zones_.CameraPreviews(1) || zones_.CameraPreviews(2))
        return;
    QPalette palette = zones_.GroupBox1->palette();
    palette.setColor(QPalette::WindowText, QColor(192, 192, 192));
    zones_.GroupBox1->setPalette(palette);
    if (zones_.VideoCap2)
        zones_.VideoCap2->hide();
    if (QWidget* view = zones_.VideoCap1) {
        SetAlign(view, Align::None);
        view->setGeometry(ScreenSaverRect(zones_.size()));
        if (TtorCap* cap = zones_.Cap(1))
            cap->Image->setGeometry(view->rect());
        view->raise();
        view->show();
    }
    ShowToolbar(false);
}

void StationLayout::Relayout() {
    zones_.restlye.SetEnabled(false);
    const QSize screen = Screen();
    SetAlign(zones_.GroupBox1, Align::None);
    zones_.setGeometry(0, 0, screen.width(), screen.height());
    int groupsBottom = 0;
    for (QWidget* group : {static_cast<QWidget*>(zones_.CameraGroupBox), static_cast<QWidget*>(zones_.SurveillancePanel),
                           zones_.SurveillanceSetup}) {
        if (!group->isHidden())
            groupsBottom = qMax(groupsBottom, group->geometry().bottom() + 1);
    }
    zones_.maintoolbar->resize(zones_.maintoolbar->width(), RelayoutToolbarHeight(groupsBottom));
    SetAlign(zones_.maintoolbar, Align::Bottom);
    zones_.GroupBox1->raise();
    zones_.GroupBox1->move(0, 0);
    zones_.GroupBox1->resize(zones_.GroupBox1->width(),
                             RelayoutCameraAreaHeight(screen.height(), !zones_.maintoolbar->isHidden(),
                                                      zones_.maintoolbar->y()));
    for (QWidget* view : {zones_.VideoCap1, zones_.VideoCap2}) {
        if (view)
            SetAlign(view, Align::None);
    }
    for (QWidget* panel : {static_cast<QWidget*>(zones_.cam1panel), static_cast<QWidget*>(zones_.Cam2Panel)})
        panel->resize(panel->width(), zones_.GroupBox1->height() - 19);
    ArrangeCameraPanels();
    // The camera area went to the front: the panels the user opened stay above it.
    for (QWidget* panel : {static_cast<QWidget*>(zones_.Panel1), static_cast<QWidget*>(zones_.NetWorkPanel)})
        if (panel && panel->isVisible())
            panel->raise();
}

void StationLayout::ArrangeAfterStart() {
    ArrangeCameraPanels();
    zones_.Timer3.SetEnabled(false);
}

void StationLayout::ShowLoggedPictures(int which) { OpenLoggedPictures(which); }

bool StationLayout::OpenLoggedPictures(int which) {
    // Every way into the picture log (menus, buttons, keys, the history) asks the lock.
    if (!zones_.Links().accessLock->AccessAllowed() || zones_.IsShuttingDown())
        return false;
    const QString folder = which == 3   ? zones_.HistoryFolder()
                           : which == 2 ? zones_.Store().CameraFolder(2)
                                        : zones_.Store().CameraFolder(1);
    ::ShowLoggedPictures(which, folder, zones_, *zones_.Links().pictureLog, [this] { ShowToolbar(true); });
    return true;
}

void StationLayout::BlinkTitle() {
    if (zones_.FullToolbarLayout != 0)
        return;
    QPalette palette = zones_.maintoolbar->palette();
    const bool red = palette.color(QPalette::Window) == QColor(255, 0, 0);
    palette.setColor(QPalette::Window, red ? QColor(0, 0, 0) : QColor(255, 0, 0));
    zones_.maintoolbar->setPalette(palette);
}

void StationLayout::PopToolbarAt(int x, int y) {
    if (zones_.ZoneWindowOf(1).IsShown())
        return;
    if (zones_.maintoolbar->palette().color(QPalette::Window) != QColor(255, 0, 0))
        return;
    zones_.maintoolbar->move(x, y);
    zones_.repaint();
    QThread::msleep(100);
}
