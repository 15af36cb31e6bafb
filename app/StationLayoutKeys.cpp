// The window's keys, the menu items and controls of the views, and the counter caption.
#include "app/Tmagna.h"
#include "app/StationLayout.h"
#include "app/Tzones.h"

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
    QMenu* menu = zones_.PopupMenu1;
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
    MakeSmall1 = add(menu, "MakeSmall1", QStringLiteral("Make Small"), &StationLayout::MakeSmall1Click);
    HideToolBar1 = add(menu, "HideToolBar1", QStringLiteral("Hide ToolBar"), &StationLayout::HideToolBar1Click);
    ShowToolbar1 = add(menu, "ShowToolbar1", QStringLiteral("Show Toolbar"), &StationLayout::ShowToolbar1Click);
    auto* toolBar = new QMenu(QStringLiteral("ToolBar"), menu);
    toolBar->setObjectName("ToolBar1");
    Top1 = add(toolBar, "Top1", QStringLiteral("Top"), &StationLayout::Top1Click);
    Bottom1 = add(toolBar, "Bottom1", QStringLiteral("Bottom"), &StationLayout::Bottom1Click);
    ToolBar1 = toolBar->menuAction();
    menu->insertAction(exit, ToolBar1);
    ToolBar1->setVisible(false);
    ScreenSaver1 = add(menu, "ScreenSaver1", QStringLiteral("Screen Saver"), &StationLayout::ScreenSaver1Click);
    ScreenSaver1->setVisible(false);

    zones_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&zones_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { zones_.PopupMenu1->popup(zones_.mapToGlobal(at)); });
}

void StationLayout::BindControls() {
    Tzones& z = zones_;
    qApp->installEventFilter(this);
    window_ = z.windowHandle();
    titlePanel_ = z.TitlePanel;
    cameraArea_ = z.GroupBox1;
    z.GroupBox1->setMouseTracking(true);
    z.pic1->onClick = [this] { PictureClick(1); };
    z.pic2->onClick = [this] { PictureClick(2); };
    connect(z.Button1, &QPushButton::clicked, this, &StationLayout::Button1Click);
    connect(z.Button2, &QPushButton::clicked, this, &StationLayout::Button2Click);
    connect(z.Button3, &QPushButton::clicked, this, &StationLayout::Button3Click);
    connect(z.Button5, &QPushButton::clicked, this, &StationLayout::Button5Click);
    connect(z.Button16, &QPushButton::clicked, this, [this] { ShowLoggedPictures(1); });
    connect(z.Button31, &QPushButton::clicked, this, [this] { ShowLoggedPictures(2); });
    for (QPushButton* takePic : {z.Button22, z.Button23})
        connect(takePic, &QPushButton::released, this, &StationLayout::TakePicButtonMouseUp);
}

bool StationLayout::eventFilter(QObject* watched, QEvent* event) {
    // Only pointers are compared until an event is ours: the window may be going.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::WinIdChange:
        if (watched == &zones_)
            window_ = zones_.windowHandle();
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
        if (watched == titlePanel_)
            TitlePanelClick();
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
    state.toolbarVisible = !zones_.maintoolbar->isHidden();
    state.windowHeight = zones_.height();
    state.setupPanelVisible = !zones_.Panel1->isHidden();
    state.cyclingVisible = !zones_.cycleIMAGE->isHidden();
    state.focusEditFocused = zones_.focusWidget() == zones_.focusEdit;
    return state;
}

bool StationLayout::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    Tzones& z = zones_;
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
        z.GroupBox1->setTitle(QString());
        ShowToolbar(true);
        z.Timer4.SetEnabled(false);
        if (CommandCamera* view = z.CameraView(1))
            view->ConnectCamera(true, z.DriverIndex1);
        z.cycleIMAGE->hide();
        break;
    case KeyAction::HideSetupPanel:
        z.Panel1->hide();
        break;
    case KeyAction::EndProgram:
        // Locked, Esc ends the station only with the password, like Exit.
        if (z.Links().accessLock->AccessAllowed())
            z.EndWithoutSaving();
        break;
    case KeyAction::BackFromHidden:
        z.GroupBox1->setTitle(QString());
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
    zones_.CameraGroupBox->setTitle(LayoutRules::CounterCaption(zones_.Links().motion->PictureCountTotal()));
}

void StationLayout::MakeSmall1Click() {
    if (!CameraRuns()) {
        ShowMessageBox(kViewingVideoText);
        return;
    }
    MakeSmallView();
    SmallViewActive = true;
}

void StationLayout::HideToolBar1Click() {
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

void StationLayout::ShowToolbar1Click() {
    ShowToolbar(true);
    RestoreFullView();
}

void StationLayout::Top1Click() {
    zones_.FullToolbarLayout = 1;
    Bottom1Click();
}

void StationLayout::Bottom1Click() {
    RestoreFullView(); // maximised: the full view
    ShowToolbar(true);
    LayoutToolbar();
}

void StationLayout::ScreenSaver1Click() { ScreenSaverView(); }

void StationLayout::Button1Click() {
    ArrangeCameraPanels();
    zones_.GroupBox4->hide();
}

void StationLayout::Button2Click() { zones_.GroupBox4->hide(); }

void StationLayout::Button3Click() { zones_.GroupBox4->hide(); }

void StationLayout::Button5Click() {
    if (!zones_.CameraPreviews(1)) {
        ShowMessageBox(Tzones::kStartCameraText);
        return;
    }
    zones_.CameraSetupAndRestart(1);
}

void StationLayout::TitlePanelClick() { BlinkTitle(); }

void StationLayout::PictureClick(int camera) {
    if (zones_.height() <= LayoutRules::kCompactHeightLimit)
        zones_.ArrangeViewLayout();
    else if (camera == 2)
        zones_.Button23Click();
    else
        zones_.Button22Click();
}

void StationLayout::TakePicButtonMouseUp() { zones_.Links().alerts->ClockTick(); }
