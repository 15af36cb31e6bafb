// The window's keys, the menu items and controls of the views, and the counter caption.
#include "app/Magnifier.h"
#include "app/StationLayout.h"
#include "app/MainWindow.h"

#include "core/MessageBox.h"
#include "core/MotionLink.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QWindow>

using LayoutRules::KeyAction;

void StationLayout::BuildMenu() {
    QMenu* menu = mainWindow_.windowMenu;
    // Before the window's own items ("Exit" first).
    QAction* exit = menu->actions().value(0);
    auto add = [&](QMenu* into, const char* name, const QString& text, void (StationLayout::*handler)()) {
        auto* action = new QAction(text, into);
        action->setObjectName(QString::fromLatin1(name));
        if (into == menu)
            menu->insertAction(exit, action);
        else
            into->addAction(action);
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return action;
    };
    makeSmallAction = add(menu, "makeSmallAction", QStringLiteral("Make Small"), &StationLayout::MakeSmallActionClick);
    hideToolbarAction = add(menu, "hideToolbarAction", QStringLiteral("Hide ToolBar"), &StationLayout::HideToolbarActionClick);
    showToolbarAction = add(menu, "showToolbarAction", QStringLiteral("Show Toolbar"), &StationLayout::ShowToolbarActionClick);
    auto* toolBar = new QMenu(QStringLiteral("ToolBar"), menu);
    toolBar->setObjectName("toolbarMenuAction");
    toolbarTopAction = add(toolBar, "toolbarTopAction", QStringLiteral("Top"), &StationLayout::ToolbarTopActionClick);
    toolbarBottomAction = add(toolBar, "toolbarBottomAction", QStringLiteral("Bottom"), &StationLayout::ToolbarBottomActionClick);
    toolbarMenuAction = toolBar->menuAction();
    menu->insertAction(exit, toolbarMenuAction);
    toolbarMenuAction->setVisible(false);
    screenSaverAction = add(menu, "screenSaverAction", QStringLiteral("Screen Saver"), &StationLayout::ScreenSaverActionClick);
    screenSaverAction->setVisible(false);

    mainWindow_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&mainWindow_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { mainWindow_.windowMenu->popup(mainWindow_.mapToGlobal(at)); });
}

void StationLayout::BindControls() {
    MainWindow& z = mainWindow_;
    qApp->installEventFilter(this);
    window_ = z.windowHandle();
    toolbarTitleLabel_ = z.toolbarTitleLabel;
    cameraArea_ = z.cameraAreaBox;
    z.cameraAreaBox->setMouseTracking(true);
    z.magnifier1->onClick = [this] { PictureClick(1); };
    z.magnifier2->onClick = [this] { PictureClick(2); };
    connect(z.view1Button, &QPushButton::clicked, this, &StationLayout::View1ButtonClick);
    connect(z.view2Button, &QPushButton::clicked, this, &StationLayout::View2ButtonClick);
    connect(z.view3Button, &QPushButton::clicked, this, &StationLayout::View3ButtonClick);
    connect(z.camera1SetupButton, &QPushButton::clicked, this, &StationLayout::Camera1SetupButtonClick);
    connect(z.log1Button, &QPushButton::clicked, this, [this] { ShowLoggedPictures(1); });
    connect(z.log2Button, &QPushButton::clicked, this, [this] { ShowLoggedPictures(2); });
    for (QPushButton* takePic : {z.takePicture1Button, z.takePicture2Button})
        connect(takePic, &QPushButton::released, this, &StationLayout::TakePicButtonMouseUp);
}

bool StationLayout::eventFilter(QObject* watched, QEvent* event) {
    // Only pointers are compared until an event is ours: the window may be going.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::WinIdChange:
        if (watched == &mainWindow_)
            window_ = mainWindow_.windowHandle();
        break;
    case QEvent::KeyPress:
        // The window sees its keys before the control that has the focus (which still
        // gets them); other windows' keys are theirs.
        if (watched && watched == window_.data()) {
            const auto* key = static_cast<QKeyEvent*>(event);
            FormKeyDown(key->key(), key->modifiers());
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == toolbarTitleLabel_)
            ToolbarTitleLabelClick();
        break;
    case QEvent::MouseMove:
        if (watched == cameraArea_) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            PopToolbarAt(at.x(), at.y());
        }
        break;
    default:
        break;
    }
    return false;
}

LayoutRules::KeyState StationLayout::KeyStateFor(int key, Qt::KeyboardModifiers modifiers) const {
    LayoutRules::KeyState state;
    state.key = key;
    state.modifiers = modifiers;
    state.cameraRuns = CameraRuns();
    state.toolbarVisible = !mainWindow_.mainToolbar->isHidden();
    state.windowHeight = mainWindow_.height();
    state.setupPanelVisible = !mainWindow_.setupPanel->isHidden();
    state.cyclingVisible = !mainWindow_.cycleLabel->isHidden();
    state.focusEditFocused = mainWindow_.focusWidget() == mainWindow_.focusEdit;
    return state;
}

bool StationLayout::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    MainWindow& z = mainWindow_;
    switch (LayoutRules::DecideKey(KeyStateFor(key, modifiers))) {
    case KeyAction::Nothing:
        return false;
    case KeyAction::HideToolbar:
    case KeyAction::EscHideToolbar:
        ShowToolbar(false);
        RestoreFullView();
        EmptyLayoutHook();
        break;
    case KeyAction::MakeSmall:
        MakeSmallView();
        break;
    case KeyAction::ShowToolbar:
        ShowToolbar(true);
        RestoreFullView();
        ShowCounterCaption();
        break;
    case KeyAction::LoggedPictures1:
        if (!OpenLoggedPictures(1) || z.IsShuttingDown())
            return true;
        z.ShowHelp(0);
        ShowToolbar(true);
        ShowCounterCaption();
        break;
    case KeyAction::LoggedPictures2:
        if (!OpenLoggedPictures(2) || z.IsShuttingDown())
            return true;
        ShowToolbar(true);
        ShowCounterCaption();
        break;
    case KeyAction::StopCycling:
        z.cameraAreaBox->setTitle(QString());
        ShowToolbar(true);
        z.cycleTimer.SetEnabled(false);
        if (CommandCamera* view = z.CommandCameraOf(1))
            view->ConnectCamera(true, z.DriverIndex1);
        z.cycleLabel->hide();
        break;
    case KeyAction::HideSetupPanel:
        z.setupPanel->hide();
        break;
    case KeyAction::EndProgram:
        // Locked, Esc ends the station only with the password, like Exit.
        if (z.Links().accessLock->AccessAllowed())
            z.EndWithoutSaving();
        break;
    case KeyAction::BackFromHidden:
        z.cameraAreaBox->setTitle(QString());
        ShowToolbar(true);
        ShowCounterCaption();
        RestoreFullView();
        break;
    case KeyAction::EscFullView:
        RestoreFullView();
        ShowToolbar(true);
        break;
    }
    return true;
}

void StationLayout::ShowCounterCaption() {
    mainWindow_.cameraBox->setTitle(LayoutRules::CounterCaption(mainWindow_.Links().motion->PictureCountTotal()));
}

void StationLayout::MakeSmallActionClick() {
    if (!CameraRuns()) {
        ShowMessageBox(kViewingVideoText);
        return;
    }
    MakeSmallView();
    SmallViewActive = true;
}

void StationLayout::HideToolbarActionClick() {
    ArrangeCameraPanels();
    if (!CameraRuns()) {
        ShowMessageBox(kHideToolbarText);
        return;
    }
    ShowToolbar(false);
    RestoreFullView();
    EmptyLayoutHook();
    RestoreFullView();
    EmptyLayoutHook();
}

void StationLayout::ShowToolbarActionClick() {
    ShowToolbar(true);
    RestoreFullView();
}

void StationLayout::ToolbarTopActionClick() {
    mainWindow_.FullToolbarLayout = 1;
    ToolbarBottomActionClick();
}

void StationLayout::ToolbarBottomActionClick() {
    RestoreFullView(); // maximised: the full view
    ShowToolbar(true);
    LayoutToolbar();
}

void StationLayout::ScreenSaverActionClick() { ScreenSaverView(); }

void StationLayout::View1ButtonClick() {
    ArrangeCameraPanels();
    mainWindow_.viewsBox->hide();
}

void StationLayout::View2ButtonClick() { mainWindow_.viewsBox->hide(); }

void StationLayout::View3ButtonClick() { mainWindow_.viewsBox->hide(); }

void StationLayout::Camera1SetupButtonClick() {
    if (!mainWindow_.CameraPreviews(1)) {
        ShowMessageBox(MainWindow::kStartCameraText);
        return;
    }
    mainWindow_.CameraSetupAndRestart(1);
}

void StationLayout::ToolbarTitleLabelClick() { BlinkTitle(); }

void StationLayout::PictureClick(int camera) {
    if (mainWindow_.height() <= LayoutRules::kCompactHeightLimit)
        mainWindow_.ArrangeViewLayout();
    else if (camera == 2)
        mainWindow_.TakePicture2ButtonClick();
    else
        mainWindow_.TakePicture1ButtonClick();
}

void StationLayout::TakePicButtonMouseUp() { mainWindow_.Links().alerts->ClockTick(); }
