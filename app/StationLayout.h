#pragma once
// The main window's layout and view modes: placement by screen, the camera panels, the
// full, compact and screen-saver views, the tool bar geometry, the keys and the menu items
// of the views. StationLayoutViews.cpp (views), StationLayoutToolbar.cpp (tool bar),
// StationLayoutKeys.cpp (keys, menus, counter caption).
#include "app/LayoutRules.h"
#include "core/LayoutLink.h"

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <QSize>
#include <functional>

class QAction;
class QWidget;
class MainWindow;

class StationLayout final : public QObject, public LayoutLink {
public:
    // The window's full-screen or normal state; tests record it instead.
    using WindowStateSetter = std::function<void(QWidget& window, bool fullScreen)>;

    explicit StationLayout(MainWindow& mainWindow, WindowStateSetter setWindowState = {});
    ~StationLayout() override;

    // LayoutLink.
    void LayoutToolbar() override;
    void LayoutMainToolbar() override;
    void RestoreFullView() override;
    void ArrangeCameraPanels() override;
    void PlaceWindowForScreen() override;
    void Relayout() override;          // relayoutTimer
    void ArrangeAfterStart() override; // arrangeTimer
    int LayoutScreenWidth() const override { return layoutScreenWidth_; }
    bool IsCompactView() const override { return compact_; }
    void ShowLoggedPictures(int which) override;

    void LayoutCompactToolbar();
    void MakeSmallView();
    void ScreenSaverView();
    void PlaceStatusPanel();
    void BlinkTitle();
    void PopToolbarAt(int x, int y);
    // The picture count of both cameras plus one in the camera group's caption.
    void ShowCounterCaption();
    // One key of the window (and its controls); true when it was a command.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    LayoutRules::KeyState KeyStateFor(int key, Qt::KeyboardModifiers modifiers) const;

    // Menu items and controls of the views.
    void MakeSmallActionClick();
    void HideToolbarActionClick();
    void ShowToolbarActionClick();
    void ToolbarTopActionClick();
    void ToolbarBottomActionClick();
    void ScreenSaverActionClick();
    void View1ButtonClick();
    void View2ButtonClick();
    void View3ButtonClick();
    void Camera1SetupButtonClick();
    void ToolbarTitleLabelClick();
    void PictureClick(int camera);
    void TakePicButtonMouseUp();

    static void EmptyLayoutHook() {}
    static void NoOpProcedure() {}

    static inline const QString kViewingVideoText = QStringLiteral("You must be viewing video to use this feature.");
    static inline const QString kHideToolbarText = QStringLiteral("You must start a Camera to hide the Toolbar.");

    bool SmallViewActive = false;
    int cameraAreaTop = 0;
    bool LayoutReady = false; // set by PlaceWindowForScreen

    QAction* makeSmallAction = nullptr;
    QAction* hideToolbarAction = nullptr;
    QAction* showToolbarAction = nullptr;
    QAction* toolbarMenuAction = nullptr; // hidden submenu "ToolBar"
    QAction* toolbarTopAction = nullptr;
    QAction* toolbarBottomAction = nullptr;
    QAction* screenSaverAction = nullptr;

private:
    // The picture log past the access lock; false when the lock refused.
    bool OpenLoggedPictures(int which);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void BuildMenu();
    void BindControls();
    QSize Screen() const;
    bool CameraRuns() const;
    void ShowToolbar(bool show);
    void ApplyPanels(const LayoutRules::PanelPlacement& placement);
    void SetStaysOnTop(bool onTop);

    MainWindow& mainWindow_;
    QPointer<QWindow> window_;
    const QObject* toolbarTitleLabel_ = nullptr;
    const QObject* cameraArea_ = nullptr;
    WindowStateSetter setWindowState_;
    int layoutScreenWidth_ = 0;
    bool compact_ = false;
};
