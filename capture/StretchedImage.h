#pragma once
// A picture box that keeps one picture, with the caption to lay over it, and paints it scaled
// to its own size.
#include "platform/PictureOverlay.h"

#include <QWidget>

#include <climits>

class StretchedImage : public QWidget {
    Q_OBJECT
public:
    explicit StretchedImage(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture, const platform::PictureOverlay& overlay = {});
    // Paints done so far (a view nobody sees does none).
    quint64 Paints() const { return paints_; }

    // The part of a view stretching pictures over target that must be painted again when
    // `next` follows `shown` with the same caption: null when nothing changed, all of target
    // when the pictures cannot be compared.
    static QRect RepaintArea(const QImage& shown, const QImage& next, const QRect& target);
    // The bounding box of the pixels that differ between two pictures of one size and format,
    // looking only at rows firstRow..lastRow.
    static QRect ChangedArea(const QImage& before, const QImage& after, int firstRow = 0,
                             int lastRow = INT_MAX);

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
