// Placement by screen, the camera panels and the full, compact and screen-saver views.
#include "app/Magnifier.h"
#include "app/LayoutAlign.h"
#include "app/StationLayout.h"

#include "app/LoggedPictures.h"
#include "app/NetworkPanel.h"
#include "app/MainWindow.h"

#include "capture/CameraView.h"
#include "core/SettingsStore.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QThread>

using namespace LayoutRules;

StationLayout::StationLayout(MainWindow& mainWindow, WindowStateSetter setWindowState)
    : mainWindow_(mainWindow), setWindowState_(std::move(setWindowState)) {
    if (!setWindowState_) {
        setWindowState_ = [](QWidget& window, bool fullScreen) {
            const Qt::WindowStates state = window.windowState();
            window.setWindowState(fullScreen ? (state | Qt::WindowFullScreen) & ~Qt::WindowMinimized
                                             : state & ~(Qt::WindowFullScreen | Qt::WindowMaximized));
        };
    }
    layoutScreenWidth_ = PlaceForScreen(Screen()).layoutScreenWidth;
    // The smallest window; no largest, which would clamp the full view.
    mainWindow_.setMinimumSize(kMinWindowSide, kMinWindowSide);
    BuildMenu();
    BindControls();
}

StationLayout::~StationLayout() = default;

QSize StationLayout::Screen() const { return mainWindow_.ScreenSize(); }

bool StationLayout::CameraRuns() const { return mainWindow_.CameraPreviews(1) || mainWindow_.CameraPreviews(2); }

void StationLayout::ShowToolbar(bool show) { mainWindow_.mainToolbar->setVisible(show); }

void StationLayout::PlaceWindowForScreen() {
    const ScreenPlacement placement = PlaceForScreen(Screen());
    layoutScreenWidth_ = placement.layoutScreenWidth;
    mainWindow_.FullToolbarLayout = placement.fullToolbarLayout ? 1 : 0;
    if (placement.moveTo100)
        mainWindow_.move(100, 100);
    LayoutReady = true;
}

void StationLayout::ApplyPanels(const PanelPlacement& placement) {
    const struct {
        QWidget* panel;
        QWidget* picture;
        bool show;
        QRect rect;
    } panels[] = {{mainWindow_.camera1Panel, mainWindow_.magnifier1, placement.show1, placement.panel1},
                  {mainWindow_.camera2Panel, mainWindow_.magnifier2, placement.show2, placement.panel2}};
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
    mainWindow_.cameraAreaBox->resize(mainWindow_.width(), mainWindow_.cameraAreaBox->height());
    ApplyPanels(ArrangePanels(mainWindow_.cameraAreaBox->size(), mainWindow_.CameraPreviews(1), mainWindow_.CameraPreviews(2)));
}

void StationLayout::SetStaysOnTop(bool onTop) {
    if (mainWindow_.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // New window flags hide the window; it comes back as the program shows it.
    MainWindow::ProgramShowScope scope(mainWindow_);
    const bool visible = mainWindow_.isVisible();
    mainWindow_.hide();
    mainWindow_.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        mainWindow_.show();
}

void StationLayout::RestoreFullView() {
    compact_ = false;
    SetStaysOnTop(false);
    {
        MainWindow::ProgramShowScope scope(mainWindow_);
        mainWindow_.setGeometry(QRect(QPoint(0, 0), Screen()));
        setWindowState_(mainWindow_, true);
    }
    if (mainWindow_.fullScreenAction)
        mainWindow_.fullScreenAction->setChecked(false);
    for (QWidget* view : {mainWindow_.cameraFrame1, mainWindow_.cameraFrame2}) {
        if (view)
            view->setToolTip(QString());
    }
    mainWindow_.surveillanceBox->show();
    mainWindow_.cameraBox->show();
    mainWindow_.surveillanceSetupPanel->show();
    SetAlign(mainWindow_.cameraAreaBox, Align::None);
    mainWindow_.cameraAreaBox->move(mainWindow_.cameraAreaBox->x(), cameraAreaTop);
    mainWindow_.setWindowTitle(MainWindow::kWindowCaption);
    SmallViewActive = false;
    if (mainWindow_.FullToolbarLayout == 0)
        mainWindow_.cameraAreaBox->resize(mainWindow_.cameraAreaBox->width(), mainWindow_.height());
    for (QWidget* view : {mainWindow_.cameraFrame1, mainWindow_.cameraFrame2}) {
        if (view)
            view->resize(view->width(), mainWindow_.height() - 5);
    }
    ArrangeCameraPanels();
    const int areaHeight = !mainWindow_.mainToolbar->isHidden()
                               ? mainWindow_.mainToolbar->y()
                               : Screen().height();
    mainWindow_.cameraAreaBox->resize(mainWindow_.cameraAreaBox->width(), areaHeight);
    // The clock and alert blocks, and an alert that is due goes now, not at the next tick.
    mainWindow_.Links().alerts->ClockTick();
    const SettingsRecord& record = mainWindow_.Store().Record();
    mainWindow_.hotZone1Box->setChecked(record.HotZone1);
    mainWindow_.hotZone2Box->setChecked(record.HotZone2);
}

void StationLayout::MakeSmallView() {
    SetStaysOnTop(true);
    mainWindow_.setWindowTitle(MainWindow::kWindowCaption);
    mainWindow_.cameraAreaBox->setTitle(QString());
    mainWindow_.surveillanceBox->hide();
    mainWindow_.cameraBox->hide();
    {
        MainWindow::ProgramShowScope scope(mainWindow_);
        setWindowState_(mainWindow_, false);
    }
    mainWindow_.cameraAreaBox->setGeometry(mainWindow_.cameraAreaBox->x(), 0, mainWindow_.width() - 5, mainWindow_.height() - 5);
    layoutScreenWidth_ = PlaceForScreen(Screen()).layoutScreenWidth;

    const CompactPlacement placement = CompactView(Screen(), mainWindow_.CameraPreviews(1), mainWindow_.CameraPreviews(2));
    if (placement.any) {
        if (mainWindow_.CameraPreviews(1) && mainWindow_.CameraPreviews(2) && mainWindow_.cameraFrame1)
            mainWindow_.cameraFrame1->raise();
        ShowToolbar(false);
        mainWindow_.resize(placement.window.size());
        SetAlign(mainWindow_.cameraAreaBox, Align::Client);
        ApplyPanels(placement.panels);
        compact_ = true;
    }
    mainWindow_.move(placement.any ? placement.window.topLeft()
                              : QPoint(layoutScreenWidth_ - (mainWindow_.width() + 10),
                                       Screen().height() - (mainWindow_.height() + 30)));
    mainWindow_.relayoutTimer.SetEnabled(false);
    SmallViewActive = false;
    const SettingsRecord& record = mainWindow_.Store().Record();
    mainWindow_.hotZone1Box->setChecked(record.HotZone1);
    mainWindow_.hotZone2Box->setChecked(record.HotZone2);
    mainWindow_.update();
    mainWindow_.raise();
}

void StationLayout::ScreenSaverView() {
    if (!mainWindow_.CameraPreviews(1) || mainWindow_.CameraPreviews(2))
        return;
    QPalette palette = mainWindow_.cameraAreaBox->palette();
    palette.setColor(QPalette::WindowText, QColor(192, 192, 192));
    mainWindow_.cameraAreaBox->setPalette(palette);
    if (mainWindow_.cameraFrame2)
        mainWindow_.cameraFrame2->hide();
    if (QWidget* view = mainWindow_.cameraFrame1) {
        SetAlign(view, Align::None);
        view->setGeometry(ScreenSaverRect(mainWindow_.size()));
        if (CameraView* cap = mainWindow_.Cap(1))
            cap->frameImage->setGeometry(view->rect());
        view->raise();
        view->show();
    }
    ShowToolbar(false);
}

void StationLayout::Relayout() {
    mainWindow_.relayoutTimer.SetEnabled(false);
    const QSize screen = Screen();
    SetAlign(mainWindow_.cameraAreaBox, Align::None);
    mainWindow_.setGeometry(0, 0, screen.width(), screen.height());
    int groupsBottom = 0;
    for (QWidget* group : {static_cast<QWidget*>(mainWindow_.cameraBox), static_cast<QWidget*>(mainWindow_.surveillanceBox),
                           mainWindow_.surveillanceSetupPanel}) {
        if (!group->isHidden())
            groupsBottom = qMax(groupsBottom, group->geometry().bottom() + 1);
    }
    mainWindow_.mainToolbar->resize(mainWindow_.mainToolbar->width(), RelayoutToolbarHeight(groupsBottom));
    SetAlign(mainWindow_.mainToolbar, Align::Bottom);
    mainWindow_.cameraAreaBox->raise();
    mainWindow_.cameraAreaBox->move(0, 0);
    mainWindow_.cameraAreaBox->resize(mainWindow_.cameraAreaBox->width(),
                             RelayoutCameraAreaHeight(screen.height(), !mainWindow_.mainToolbar->isHidden(),
                                                      mainWindow_.mainToolbar->y()));
    for (QWidget* view : {mainWindow_.cameraFrame1, mainWindow_.cameraFrame2}) {
        if (view)
            SetAlign(view, Align::None);
    }
    for (QWidget* panel : {static_cast<QWidget*>(mainWindow_.camera1Panel), static_cast<QWidget*>(mainWindow_.camera2Panel)})
        panel->resize(panel->width(), mainWindow_.cameraAreaBox->height() - 19);
    ArrangeCameraPanels();
    // The camera area went to the front: the panels the user opened stay above it.
    for (QWidget* panel : {static_cast<QWidget*>(mainWindow_.setupPanel), static_cast<QWidget*>(mainWindow_.networkPanel)})
        if (panel && panel->isVisible())
            panel->raise();
}

void StationLayout::ArrangeAfterStart() {
    ArrangeCameraPanels();
    mainWindow_.arrangeTimer.SetEnabled(false);
}

void StationLayout::ShowLoggedPictures(int which) { OpenLoggedPictures(which); }

bool StationLayout::OpenLoggedPictures(int which) {
    // Every way into the picture log (menus, buttons, keys, the history) asks the lock.
    if (!mainWindow_.Links().accessLock->AccessAllowed() || mainWindow_.IsShuttingDown())
        return false;
    const QString folder = which == 3   ? mainWindow_.HistoryFolder()
                           : which == 2 ? mainWindow_.Store().CameraFolder(2)
                                        : mainWindow_.Store().CameraFolder(1);
    ::ShowLoggedPictures(which, folder, mainWindow_, *mainWindow_.Links().pictureLog, [this] { ShowToolbar(true); });
    return true;
}

void StationLayout::BlinkTitle() {
    if (mainWindow_.FullToolbarLayout != 0)
        return;
    QPalette palette = mainWindow_.mainToolbar->palette();
    const bool red = palette.color(QPalette::Window) == QColor(255, 0, 0);
    palette.setColor(QPalette::Window, red ? QColor(0, 0, 0) : QColor(255, 0, 0));
    mainWindow_.mainToolbar->setPalette(palette);
}

void StationLayout::PopToolbarAt(int x, int y) {
    if (mainWindow_.ZoneWindowOf(1).IsShown())
        return;
    if (mainWindow_.mainToolbar->palette().color(QPalette::Window) != QColor(255, 0, 0))
        return;
    mainWindow_.mainToolbar->move(x, y);
    mainWindow_.repaint();
    QThread::msleep(100);
}
