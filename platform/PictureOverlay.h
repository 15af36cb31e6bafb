#pragma once
// A caption drawn once into a transparent picture of the frame's size and laid over each live
// frame as it is painted: only the areas it covers are drawn, so a frame costs no copy.
#include <QImage>
#include <QRegion>

class QPainter;

namespace platform {

struct PictureOverlay {
    QImage image; // premultiplied ARGB, the frame's size
    QRegion areas; // where it is not transparent

    bool IsEmpty() const { return image.isNull() || areas.isEmpty(); }
    // The same caption (the same picture of it and the same areas).
    bool SameAs(const PictureOverlay& other) const {
        return image.cacheKey() == other.image.cacheKey() && areas == other.areas;
    }
    // A transparent overlay for frames of this size.
    static PictureOverlay ForFrame(const QSize& size);
    // Lays it over a frame painted stretched into target; nothing when the frame is not of
    // the overlay's size.
    void PaintOver(QPainter& painter, const QRect& target, const QSize& frame) const;
    // The frame with the overlay laid on it (the frame itself when there is nothing to lay).
    QImage ComposedOn(const QImage& frame) const;
};

} // namespace platform
