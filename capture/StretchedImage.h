#pragma once
// A picture box that keeps one picture, with the caption to lay over it, and paints it scaled
// to its own size.
#include "platform/PictureOverlay.h"

#include <QWidget>

#include <climits>
#include <utility>
#include <vector>

// A picture with its caption, stretched over a view a part at a time: a new frame is painted
// again only where it differs from the one before. Each view pixel takes the nearest picture
// pixel by the same rule whichever part is painted, so a view painted in parts equals one
// painted whole.
class StretchedPicture {
public:
    // View columns view..view+length-1 show picture columns picture..picture+length-1.
    struct ColumnRun {
        int view, picture, length;
    };

    // A new picture for a view of this size; returns the part of the view to paint again
    // (nothing while hidden: all of it is made again when painted next).
    QRect Set(const QImage& picture, const platform::PictureOverlay& overlay, const QSize& view,
              bool visible);
    // Paints the part of the view in region (fill where there is no picture).
    void Paint(QPainter& painter, const QRegion& region, const QSize& view, const QBrush& fill);

    // The part of a view stretching pictures over target that must be painted again when
    // `next` follows `shown` with the same caption: null when nothing changed, all of target
    // when the pictures cannot be compared.
    static QRect RepaintArea(const QImage& shown, const QImage& next, const QRect& target);
    // The bounding box of the pixels that differ between two pictures of one size and format,
    // looking only at rows firstRow..lastRow.
    static QRect ChangedArea(const QImage& before, const QImage& after, int firstRow = 0,
                             int lastRow = INT_MAX);

private:
    static constexpr int kBandRows = 32;
    void Prepare(const QSize& view);
    // Paints straight into the image the painter writes to, when that is a plain 32-bit image
    // it writes to unscaled; false (nothing painted) otherwise.
    bool PaintStraight(QPainter& painter, const QRegion& region, const QSize& view);

    QImage picture_; // 32-bit, as painted
    platform::PictureOverlay overlay_;
    bool shown_ = false; // the view shows picture_ (painted, or its paint asked for)
    QSize shownView_;
    std::vector<int> columns_, rows_; // the picture pixel of each view column and row
    std::vector<ColumnRun> runs_;     // columns_ in runs, where they are long
    QSize mapView_, mapPicture_;
    // The caption stretched as the picture is, in pieces where it is not transparent.
    std::vector<std::pair<QRect, QImage>> captionPieces_;
    qint64 captionKey_ = -1;
    QRegion captionAreas_;
    QImage band_; // a few rows of the view on their way to the screen
};

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
    StretchedPicture shown_;
    quint64 paints_ = 0;
};
