#pragma once
// A picture box that keeps one picture (24-bit, or a live frame's 32-bit), with its canvas
// drawing state, and paints it scaled to its own size.
#include "platform/PictureCanvas.h"
#include "platform/PictureOverlay.h"

#include <QWidget>

class StretchedImage : public QWidget {
    Q_OBJECT
public:
    explicit StretchedImage(QWidget* parent = nullptr);

    // The picture with its canvas: callers may draw on it and then call update().
    platform::PictureCanvas& Canvas() { return canvas_; }
    const platform::PictureCanvas& Canvas() const { return canvas_; }
    // Replaces the picture; the canvas keeps its font, colours and background mode.
    void SetPicture(const QImage& picture, const platform::PictureOverlay& overlay = {});
    // Paints done so far (a view nobody sees does none).
    quint64 Paints() const { return paints_; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    platform::PictureCanvas canvas_;
    platform::PictureOverlay overlay_;
    quint64 paints_ = 0;
};
