#pragma once
// A picture box that keeps one picture, with the caption to lay over it, and paints it scaled
// to its own size.
#include "platform/PictureOverlay.h"

#include <QWidget>

class StretchedImage : public QWidget {
    Q_OBJECT
public:
    explicit StretchedImage(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture, const platform::PictureOverlay& overlay = {});
    // Paints done so far (a view nobody sees does none).
    quint64 Paints() const { return paints_; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    platform::PictureOverlay overlay_;
    quint64 paints_ = 0;
};
