#pragma once
// A caption drawn once into a transparent picture and laid over each live frame as it is
// painted: only the areas it covers are drawn, so a frame costs no copy. Trimmed, it keeps only
// the part of the frame that holds the caption.
#include <QImage>
#include <QRegion>

namespace platform {

struct PictureOverlay {
    QImage image;   // premultiplied ARGB: the frame's part from `origin` on
    QRegion areas;  // where it is not transparent, in the frame
    QPoint origin;  // where image sits in the frame
    QSize frame;    // the size of the frames it is laid over

    bool IsEmpty() const { return image.isNull() || areas.isEmpty(); }
    // The same caption (the same picture of it, the same place and areas).
    bool SameAs(const PictureOverlay& other) const {
        return image.cacheKey() == other.image.cacheKey() && areas == other.areas &&
               origin == other.origin && frame == other.frame;
    }
    // A transparent overlay for frames of this size.
    static PictureOverlay ForFrame(const QSize& size);
    // The same caption holding only the part of the frame its areas cover.
    PictureOverlay Trimmed() const;
    // The caption's pixel at a place of the frame (transparent where it has none).
    QRgb PixelAt(int x, int y) const;
    // The frame with the overlay laid on it (the frame itself when there is nothing to lay).
    QImage ComposedOn(const QImage& frame) const;
};

} // namespace platform
