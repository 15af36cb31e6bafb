#pragma once
// A camera's picture frame in the main window (magnifier1 in camera1Panel, magnifier2 in camera2Panel), with
// its magnifier. pictureView shows the latest captioned picture stretched over the frame; the
// hidden tool bar at the bottom, opened from the picture's pop-up "Image Toolbar", takes a
// snapshot into the history folder ("Take Pic") or opens the picture log on it ("Log 3").
// The lens keys arrive through the off-screen keyEdit.
#include "capture/StretchedImage.h"
#include "core/MagnifierLink.h"
#include "core/MagnifierState.h"
#include "platform/PictureOverlay.h"

#include <QImage>
#include <QWidget>
#include <functional>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;

class Magnifier : public QWidget, public MagnifierFrame {
    Q_OBJECT
public:
    explicit Magnifier(QWidget* parent = nullptr);

    // The picture, with a caption to lay over it when painted (none: it carries its own).
    void SetPicture(const QImage& picture, const platform::PictureOverlay& caption = {});
    const QImage& Picture() const { return picture_; }
    // The picture as shown, caption included.
    QImage CaptionedPicture() const { return caption_.ComposedOn(picture_); }
    const platform::PictureOverlay& CaptionOverlay() const { return caption_; }
    // Paints of the picture so far (a window nobody sees does none).
    quint64 Paints() const { return paints_; }

    // A left click on the picture.
    std::function<void()> onClick;
    // "Take Pic" with the picture shown, and "Log 3".
    std::function<void(const QImage& picture)> takePicture;
    std::function<void()> showHistory;

    // Binding at the main window's creation, and its end.
    void CreateImage() override;
    void FreeImage() override;
    // Called while the lens is on to redraw it at (x, y); with the lens off it hides the
    // tool bar.
    void ShowMagnifier(int x, int y);
    // The picture the lens reads.
    void SetSource(const QImage& picture) { state_.Source = picture; }

    void TakePictureButtonClick();
    void PictureLogButtonClick();
    void LensOffButtonClick(); // "X": lens off, tool bar hidden
    void ImageToolbarActionClick();
    void KeyEditKeyDown(int key);
    void PictureViewMouseMove(int x, int y);
    void PictureViewMouseUp();

    MagnifierState& State() { return state_; }
    const MagnifierState& State() const { return state_; }
    bool ToolbarShown() const;

    QWidget* pictureView = nullptr;
    QWidget* magnifierToolbar = nullptr;
    QPushButton* lensOffButton = nullptr;
    QSlider* lensSizeSlider = nullptr;
    QSlider* magnificationSlider = nullptr;
    QPushButton* takePictureButton = nullptr;
    QPushButton* pictureLogButton = nullptr;
    QLineEdit* keyEdit = nullptr;     // off screen, takes the keys
    QMenu* pictureMenu = nullptr;
    QAction* imageToolbarAction = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class PictureView;
    void PlaceChildren();
    void ResetCursor();

    QImage picture_;
    platform::PictureOverlay caption_;
    quint64 paints_ = 0;
    StretchedPicture shown_; // picture_ and caption_ as painted
    MagnifierState state_;
};
