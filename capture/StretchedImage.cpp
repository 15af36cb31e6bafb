#include "capture/StretchedImage.h"

#include "platform/FrameConverter.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QWindow>

#include <cmath>
#include <optional>
#include <cstring>

namespace {

// Offset of the first byte that differs within n bytes, n when none does.
qsizetype FirstDifference(const uchar* a, const uchar* b, qsizetype n) {
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 x, y;
        memcpy(&x, a + i, 8);
        memcpy(&y, b + i, 8);
        if (x != y) break;
    }
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

// Offset of the last byte that differs within n bytes, -1 when none does.
qsizetype LastDifference(const uchar* a, const uchar* b, qsizetype n) {
    qsizetype i = n;
    for (; i >= 8; i -= 8) {
        quint64 x, y;
        memcpy(&x, a + i - 8, 8);
        memcpy(&y, b + i - 8, 8);
        if (x != y) break;
    }
    while (i > 0 && a[i - 1] == b[i - 1])
        --i;
    return i - 1;
}

} // namespace

namespace {

// The picture pixel each of `view` pixels takes: the one under its centre.
void NearestPixels(std::vector<int>& map, int view, int picture) {
    map.resize(size_t(view));
    for (int d = 0; d < view; ++d)
        map[size_t(d)] = int((qint64(2 * d + 1) * picture) / (qint64(2) * view));
}

// The view pixels that show `part` of a picture stretched over target: a pixel of margin on
// each side covers the rounding.
QRect ShownArea(const QRect& part, const QSize& picture, const QRect& target) {
    const double sx = double(target.width()) / picture.width();
    const double sy = double(target.height()) / picture.height();
    const int x0 = int(std::floor(part.left() * sx)) - 1;
    const int y0 = int(std::floor(part.top() * sy)) - 1;
    const int x1 = int(std::ceil((part.right() + 1) * sx)) + 1;
    const int y1 = int(std::ceil((part.bottom() + 1) * sy)) + 1;
    return QRect(target.x() + x0, target.y() + y0, x1 - x0, y1 - y0) & target;
}

// The columns of the view in runs that take picture pixels one after the other; empty when
// the runs are too short to be worth it (a picture stretched wider than about twice).
void ColumnRuns(std::vector<StretchedPicture::ColumnRun>& runs, const std::vector<int>& columns) {
    runs.clear();
    for (int x = 0; x < int(columns.size()); ++x) {
        StretchedPicture::ColumnRun* last = runs.empty() ? nullptr : &runs.back();
        if (last && last->picture + last->length == columns[size_t(x)])
            ++last->length;
        else
            runs.push_back({x, columns[size_t(x)], 1});
    }
    if (runs.size() * 4 > columns.size())
        runs.clear();
}

// Stretches the part `area` of the view out of a 32-bit picture, into `to` holding the view
// from `origin` on.
void Stretch(const QImage& from, QImage& to, const QRect& area, const std::vector<int>& columns,
             const std::vector<StretchedPicture::ColumnRun>& runs, const std::vector<int>& rows,
             const QPoint& origin) {
    uchar* out = to.bits();
    const qsizetype line = to.bytesPerLine();
    const size_t bytes = size_t(area.width()) * 4;
    const int left = area.left(), end = area.right() + 1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* o = reinterpret_cast<quint32*>(out + (y - origin.y()) * line + (left - origin.x()) * 4);
        if (y > area.top() && rows[size_t(y)] == rows[size_t(y - 1)]) {
            memcpy(o, reinterpret_cast<const uchar*>(o) - line, bytes); // the same picture row
            continue;
        }
        const auto* s = reinterpret_cast<const quint32*>(from.constScanLine(rows[size_t(y)]));
        if (!runs.empty()) {
            for (const StretchedPicture::ColumnRun& run : runs) {
                const int first = std::max(run.view, left), stop = std::min(run.view + run.length, end);
                if (first < stop)
                    memcpy(o + (first - left), s + run.picture + (first - run.view), size_t(stop - first) * 4);
            }
            continue;
        }
        const int* column = columns.data() + left;
        for (int x = 0; x < area.width(); ++x)
            o[x] = s[column[x]];
    }
}

} // namespace

QRect StretchedPicture::Set(const QImage& picture, const platform::PictureOverlay& overlay,
                            const QSize& view, bool visible) {
    const QImage paintable = picture.isNull() || picture.format() == QImage::Format_RGB32
                                 ? picture
                                 : picture.convertToFormat(QImage::Format_RGB32);
    const QRect target(QPoint(0, 0), view);
    const QRect area = shown_ && visible && view == shownView_ && overlay_.SameAs(overlay)
                           ? RepaintArea(picture_, paintable, target)
                           : target;
    picture_ = paintable;
    overlay_ = overlay;
    // Hidden, nothing is painted now; shown again, all of it is.
    shown_ = visible;
    shownView_ = view;
    return visible ? area : QRect();
}

void StretchedPicture::Prepare(const QSize& view) {
    if (view != mapView_ || picture_.size() != mapPicture_) {
        NearestPixels(columns_, view.width(), picture_.width());
        ColumnRuns(runs_, columns_);
        NearestPixels(rows_, view.height(), picture_.height());
        mapView_ = view;
        mapPicture_ = picture_.size();
        captionKey_ = -1;
    }
    // The caption stretched once per caption, only where it is: a few small pieces.
    const qint64 key = overlay_.image.cacheKey();
    if (key == captionKey_ && overlay_.areas == captionAreas_)
        return;
    captionKey_ = key;
    captionAreas_ = overlay_.areas;
    captionPieces_.clear();
    if (overlay_.IsEmpty() || overlay_.frame != picture_.size())
        return;
    const QRect target(QPoint(0, 0), view);
    QRegion shown;
    for (const QRect& part : overlay_.areas)
        shown += ShownArea(part, picture_.size(), target);
    for (const QRect& part : shown) {
        QImage piece(part.size(), QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < part.height(); ++y) {
            auto* o = reinterpret_cast<QRgb*>(piece.scanLine(y));
            for (int x = 0; x < part.width(); ++x)
                o[x] = overlay_.PixelAt(columns_[size_t(part.left() + x)], rows_[size_t(part.top() + y)]);
        }
        captionPieces_.push_back({part, std::move(piece)});
    }
}

void StretchedPicture::Paint(QPainter& painter, const QRegion& region, const QSize& view,
                             const QBrush& fill) {
    if (picture_.isNull() || view.isEmpty()) {
        for (const QRect& part : region)
            painter.fillRect(part, fill);
        return;
    }
    Prepare(view);
    if (PaintStraight(painter, region, view))
        return;
    // A band at a time through a small buffer: the view is never held whole.
    if (band_.width() < view.width())
        band_ = QImage(view.width(), kBandRows, QImage::Format_RGB32);
    const QRect target(QPoint(0, 0), view);
    for (const QRect& part : region) {
        const QRect inside = part & target;
        for (int y = inside.top(); y <= inside.bottom(); y += kBandRows) {
            const QRect band(inside.left(), y, inside.width(), std::min(kBandRows, inside.bottom() + 1 - y));
            Stretch(picture_, band_, band, columns_, runs_, rows_, band.topLeft());
            std::optional<QPainter> over;
            for (const auto& [place, piece] : captionPieces_) {
                const QRect covered = place & band;
                if (covered.isEmpty())
                    continue;
                if (!over)
                    over.emplace(&band_);
                over->drawImage(covered.topLeft() - band.topLeft(), piece, covered.translated(-place.topLeft()));
            }
            over.reset();
            painter.drawImage(band.topLeft(), band_, QRect(QPoint(0, 0), band.size()));
        }
    }
}

bool StretchedPicture::PaintStraight(QPainter& painter, const QRegion& region, const QSize& view) {
    // Only where the painter writes unscaled into a 32-bit image (the window's backing store)
    // and clips by the system clip alone.
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || painter.hasClipping())
        return false;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return false;
    auto* store = static_cast<QImage*>(device);
    const QTransform& toStore = painter.deviceTransform();
    if ((store->format() != QImage::Format_RGB32 && store->format() != QImage::Format_ARGB32_Premultiplied) ||
        !store->isDetached() || store->devicePixelRatio() != 1.0 || toStore.type() > QTransform::TxTranslate ||
        toStore.dx() != std::floor(toStore.dx()) || toStore.dy() != std::floor(toStore.dy()))
        return false;
    const QPoint origin(int(toStore.dx()), int(toStore.dy()));
    QRegion inStore = (region & QRect(QPoint(0, 0), view)).translated(origin) & store->rect();
    if (!engine->systemClip().isEmpty())
        inStore &= engine->systemClip();
    // The view's pixel (x, y) is the store's (x, y) + origin: stretched straight into it.
    const QPoint storeOrigin = -origin;
    for (const QRect& part : inStore)
        Stretch(picture_, *store, part.translated(storeOrigin), columns_, runs_, rows_, storeOrigin);
    const QRegion painted = inStore.translated(storeOrigin);
    bool clipped = false;
    for (const auto& [place, piece] : captionPieces_) {
        if (!painted.intersects(place))
            continue;
        if (!clipped) {
            painter.setClipRegion(painted);
            clipped = true;
        }
        painter.drawImage(place.topLeft(), piece);
    }
    if (clipped)
        painter.setClipping(false);
    return true;
}

QRect StretchedPicture::ChangedArea(const QImage& before, const QImage& after, int firstRow, int lastRow) {
    const int bytes = before.depth() / 8;
    const qsizetype row = qsizetype(before.width()) * bytes;
    int top = -1, bottom = -1;
    for (int y = std::max(0, firstRow); y <= std::min(lastRow, before.height() - 1); ++y) {
        if (memcmp(before.constScanLine(y), after.constScanLine(y), size_t(row)) != 0) {
            if (top < 0)
                top = y;
            bottom = y;
        }
    }
    if (top < 0)
        return {};
    qsizetype left = row, right = -1;
    for (int y = top; y <= bottom; ++y) {
        const uchar* a = before.constScanLine(y);
        const uchar* b = after.constScanLine(y);
        left = std::min(left, FirstDifference(a, b, left));
        right = std::max(right, right + 1 + LastDifference(a + right + 1, b + right + 1, row - right - 1));
    }
    return QRect(QPoint(int(left / bytes), top), QPoint(int(right / bytes), bottom));
}

QRect StretchedPicture::RepaintArea(const QImage& shown, const QImage& next, const QRect& target) {
    if (shown.isNull() || next.isNull() || shown.size() != next.size() ||
        shown.format() != next.format() || shown.depth() < 8)
        return target;
    if (shown.cacheKey() == next.cacheKey())
        return {};
    // The camera's pictures come with the rows that can have changed; others are compared whole.
    int top = 0, bottom = shown.height() - 1, knownTop = 0, knownBottom = 0;
    if (platform::KnownFrameChange(shown.cacheKey(), next.cacheKey(), knownTop, knownBottom)) {
        if (knownTop > knownBottom)
            return {};
        top = knownTop;
        bottom = knownBottom;
    }
    const QRect changed = ChangedArea(shown, next, top, bottom);
    if (changed.isEmpty())
        return {};
    return ShownArea(changed, shown.size(), target);
}

StretchedImage::StretchedImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StretchedImage::SetPicture(const QImage& picture, const platform::PictureOverlay& overlay) {
    const QWindow* screen = window()->windowHandle();
    // A view whose parent is parked at a pixel or two shows only those: they are painted again
    // whole, with no compare of the pictures. (Clipped by the parents only: cheap per frame.)
    QRect few = isVisible() && (!screen || screen->isExposed()) ? rect() : QRect();
    QPoint offset;
    for (const QWidget* w = this; !few.isEmpty() && !w->isWindow() && w->parentWidget(); w = w->parentWidget()) {
        offset += w->pos();
        few &= w->parentWidget()->rect().translated(-offset);
    }
    const bool tiny = few.width() * few.height() < 64;
    const QRect area = shown_.Set(picture, overlay, size(), !tiny);
    if (tiny && !few.isEmpty())
        update(few);
    else if (!area.isEmpty())
        update(area);
}

void StretchedImage::paintEvent(QPaintEvent* event) {
    ++paints_;
    QPainter painter(this);
    // No bilinear filtering: at 30 frames a second per camera the smooth transform cost more
    // than everything else the station does.
    shown_.Paint(painter, event->region(), size(), palette().window());
}

void StretchedImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
    QWidget::mouseReleaseEvent(event);
}
