#pragma once
// A camera's zone window: the live frame with the zone the detector draws into it, the
// "Top" and "Left" edits, the size track bar and the sensitivity combo. A thin window over
// ZoneEditor; camera 1's window (Camera1ZoneWindow) and camera 2's (Camera2ZoneWindow) are the same class.
#include "core/LayoutLink.h"
#include "core/MainWindowLink.h"
#include "core/ZoneEditor.h"
#include "core/ZoneWindow.h"

#include <QDialog>
#include <QImage>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;

// Shows a picture stretched over the whole widget.
class ZonePicture : public QWidget {
public:
    explicit ZonePicture(QWidget* parent = nullptr);
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

// What the window needs of the station.
struct ZoneWindowParts {
    // The main window: parent, motion timer, view-switch request, help.
    MainWindowLink* main = &NullMainWindowLink::Instance();
    LayoutLink* layout = &NullLayoutLink::Instance();
    // The zone values the detector reads for this camera; null: the window keeps its own.
    ZoneRect* zone = nullptr;
    // One detector pass for this camera (camera 1: the loop's zone check; camera 2: the
    // window's own pass) and the frame it drew into.
    std::function<void()> DetectorPass;
    std::function<QImage()> Picture;
};

class ZoneAimWindow : public QDialog, public ZoneWindow {
    Q_OBJECT
public:
    // The window has no owner: it stays a top-level window transient for the main window.
    explicit ZoneAimWindow(int camera, SettingsRecord& record, ZoneWindowParts parts = {});

    // Binds the window to the station once the main window exists; until then the zone
    // values are the window's own (and move along to the bound zone).
    void BindStation(ZoneWindowParts parts);

    // Camera 1's picture takes the place and size of camera 2's on activation.
    void SetPictureGeometrySource(const ZonePicture* other) { geometrySource_ = other; }

    ZoneEditor& Editor() { return editor_; }
    int Camera() const { return editor_.Camera(); }
    // Shows the detector's latest frame; call after every detector pass while visible.
    void RefreshPicture();

    // ZoneWindow.
    ZoneEditValues ZoneValues() const override { return editor_.Texts(); }
    void SetZoneValues(const ZoneEditValues& values) override;
    void SetSensitivityText(const QString& text) override;
    bool TargetTicked() const override { return editor_.Target(); }
    void SetTargetTicked(bool ticked) override;
    bool IsShown() const override { return isVisible(); }
    void ShowModal() override;

    void FormActivate();
    void FormDeactivate();

    ZonePicture* livePicture = nullptr;
    ZonePicture* zonePicture = nullptr;
    ZonePicture* previousZonePicture = nullptr;
    QWidget* blackBackdrop = nullptr;
    QLineEdit* keyFocusEdit = nullptr;
    QCheckBox* targetBox = nullptr;
    QLineEdit* sizeEdit = nullptr;
    QLineEdit* topEdit = nullptr;
    QLineEdit* leftEdit = nullptr;
    QComboBox* sensitivityCombo = nullptr;
    QSlider* sizeTrackBar = nullptr;
    QLabel* hintLabel = nullptr;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void Bind();
    // Puts the editor's state into the controls without running their handlers.
    void ShowEditorState();
    void MoveFocus(ZoneFocus where);
    bool KeyDown(int key);
    void AfterStep();

    ZoneWindowParts parts_;
    ZoneEditor editor_;
    const ZonePicture* geometrySource_ = nullptr;
    bool syncing_ = false;
    bool deactivated_ = true;
};

// The combo filled with the sensitivity texts 200 .. 12000.
void FillMillisecondsCombo(QComboBox* combo);
