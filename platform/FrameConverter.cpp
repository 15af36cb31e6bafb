#include "platform/FrameConverter.h"

#include <gst/video/video.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>

namespace platform {

namespace {

GstVideoFormat PictureFormat() {
    return G_BYTE_ORDER == G_LITTLE_ENDIAN ? GST_VIDEO_FORMAT_BGRx : GST_VIDEO_FORMAT_xRGB;
}

// `rows` rows of the pictures made of these frames.
GstVideoInfo PictureInfo(const GstVideoInfo& frames, int rows, int bytesPerLine) {
    GstVideoInfo out;
    gst_video_info_set_format(&out, PictureFormat(), guint(frames.width), guint(rows));
    out.fps_n = frames.fps_n;
    out.fps_d = frames.fps_d;
    out.par_n = frames.par_n;
    out.par_d = frames.par_d;
    out.stride[0] = bytesPerLine;
    return out;
}

// A converter for `rows` rows of these frames, set as the live view's conversion element is.
GstVideoConverter* StripeConverter(const GstVideoInfo& frames, int rows) {
    GstVideoInfo in = frames; // the strides of the whole frame
    in.height = rows;
    GstVideoInfo out = PictureInfo(frames, rows, frames.width * 4);
    GstStructure* config =
        gst_structure_new("GstVideoConverter", GST_VIDEO_CONVERTER_OPT_CHROMA_MODE,
                          GST_TYPE_VIDEO_CHROMA_MODE, GST_VIDEO_CHROMA_MODE_NONE,
                          GST_VIDEO_CONVERTER_OPT_THREADS, G_TYPE_UINT, 1u, nullptr);
    return gst_video_converter_new(&in, &out, config);
}

} // namespace

FrameConverter::~FrameConverter() {
    Reset();
}

const GstVideoInfo* FrameConverter::InfoOf(GstCaps* caps) {
    if (caps && caps == caps_)
        return capsInfo_;
    if (caps_)
        gst_caps_unref(caps_);
    caps_ = caps ? gst_caps_ref(caps) : nullptr;
    if (!capsInfo_)
        capsInfo_ = gst_video_info_new();
    const bool raw = caps && gst_video_info_from_caps(capsInfo_, caps);
    if (!raw) {
        gst_video_info_free(capsInfo_);
        capsInfo_ = nullptr;
    }
    return capsInfo_;
}

void FrameConverter::Reset() {
    ForgetFrames();
    if (caps_)
        gst_caps_unref(caps_);
    caps_ = nullptr;
    if (capsInfo_)
        gst_video_info_free(capsInfo_);
    capsInfo_ = nullptr;
}

void FrameConverter::ForgetFrames() {
    if (full_) gst_video_converter_free(full_);
    if (last_) gst_video_converter_free(last_);
    full_ = last_ = nullptr;
    if (info_) gst_video_info_free(info_);
    info_ = nullptr;
    planeComponent_.clear();
    stripes_ = 0;
    changedAt_.clear();
    previous_.clear();
    frames_ = delivered_ = 0;
    pool_.clear();
    changedTop_ = 0;
    changedBottom_ = -1;
}

int FrameConverter::PlaneRow(int plane, int row) const {
    return GST_VIDEO_FORMAT_INFO_SCALE_HEIGHT(info_->finfo, planeComponent_[size_t(plane)], row);
}

bool FrameConverter::Prepare(const GstVideoFrame& frame) {
    if (info_ && gst_video_info_is_equal(info_, &frame.info) &&
        std::equal(std::begin(info_->stride), std::end(info_->stride), std::begin(frame.info.stride)))
        return full_ || last_;
    ForgetFrames();
    const GstVideoInfo& in = frame.info;
    if (in.width <= 0 || in.height <= 0)
        return false;
    info_ = gst_video_info_copy(&in);
    const int planes = int(GST_VIDEO_INFO_N_PLANES(&in));
    planeComponent_.assign(size_t(planes), 0);
    for (int c = int(GST_VIDEO_INFO_N_COMPONENTS(&in)) - 1; c >= 0; --c)
        if (GST_VIDEO_FORMAT_INFO_PLANE(in.finfo, c) < guint(planes))
            planeComponent_[GST_VIDEO_FORMAT_INFO_PLANE(in.finfo, c)] = c;
    previous_.resize(size_t(planes));
    for (int p = 0; p < planes; ++p)
        previous_[size_t(p)].assign(size_t(in.stride[p]) * size_t(PlaneRow(p, in.height)), 0);
    stripes_ = (in.height + kStripeRows - 1) / kStripeRows;
    changedAt_.assign(size_t(stripes_), 0);
    if (in.height >= kStripeRows) full_ = StripeConverter(in, kStripeRows);
    if (in.height % kStripeRows) last_ = StripeConverter(in, in.height % kStripeRows);
    const bool ready = (in.height < kStripeRows || full_) && (in.height % kStripeRows == 0 || last_);
    return ready && (full_ || last_);
}

void FrameConverter::ConvertStripe(const GstVideoFrame& frame, int stripe, uchar* picture,
                                   int bytesPerLine) {
    const int top = stripe * kStripeRows;
    const int rows = std::min(kStripeRows, info_->height - top);
    GstVideoFrame in = frame;
    in.info.height = rows;
    for (guint p = 0; p < GST_VIDEO_INFO_N_PLANES(info_); ++p)
        in.data[p] = static_cast<guint8*>(frame.data[p]) + PlaneRow(int(p), top) * info_->stride[p];
    GstVideoFrame out{};
    out.info = PictureInfo(*info_, rows, bytesPerLine);
    out.data[0] = picture + qsizetype(top) * bytesPerLine;
    gst_video_converter_frame(rows == kStripeRows ? full_ : last_, &in, &out);
}

QImage FrameConverter::Convert(const GstVideoFrame& frame) {
    if (!Prepare(frame))
        return {};
    ++frames_;
    const int height = info_->height;
    const int planes = int(previous_.size());
    for (int s = 0; s < stripes_; ++s) {
        const int top = s * kStripeRows, bottom = std::min(height, top + kStripeRows);
        bool changed = frames_ == 1;
        for (int p = 0; p < planes; ++p) {
            const int first = PlaneRow(p, top), end = PlaneRow(p, bottom);
            const size_t bytes = size_t(end - first) * size_t(info_->stride[p]);
            const auto* now = static_cast<const guint8*>(frame.data[p]) + size_t(first) * size_t(info_->stride[p]);
            guint8* before = previous_[size_t(p)].data() + size_t(first) * size_t(info_->stride[p]);
            if (changed || memcmp(now, before, bytes) != 0) {
                changed = true;
                memcpy(before, now, bytes);
            }
        }
        if (changed) changedAt_[size_t(s)] = frames_;
    }

    // The free picture that is the most recent needs the fewest stripes; one still shown
    // elsewhere is never written.
    Pooled* use = nullptr;
    for (Pooled& pooled : pool_)
        if (pooled.Image.isDetached() && (!use || pooled.Frame > use->Frame)) use = &pooled;
    Pooled spare;
    if (!use) {
        if (pool_.size() < size_t(kPoolSize)) {
            pool_.push_back({});
            use = &pool_.back();
        } else {
            use = &spare; // all in use: this one is not kept
        }
        use->Image = QImage(info_->width, height, QImage::Format_RGB32);
        if (use->Image.isNull()) return {};
    }
    uchar* picture = use->Image.bits();
    const int bytesPerLine = int(use->Image.bytesPerLine());
    for (int s = 0; s < stripes_; ++s)
        if (changedAt_[size_t(s)] > use->Frame) ConvertStripe(frame, s, picture, bytesPerLine);
    use->Frame = frames_;

    changedTop_ = 0;
    changedBottom_ = -1;
    for (int s = 0; s < stripes_; ++s) {
        if (delivered_ != 0 && changedAt_[size_t(s)] <= delivered_) continue;
        if (changedBottom_ < 0) changedTop_ = s * kStripeRows;
        changedBottom_ = std::min(height, (s + 1) * kStripeRows) - 1;
    }
    delivered_ = frames_;
    return use->Image;
}

namespace {
struct FrameChange {
    qint64 From = 0, To = 0;
    int Top = 0, Bottom = -1;
};
struct FrameChanges {
    std::mutex Lock;
    std::array<FrameChange, 32> Ring; // enough for both cameras' recent pictures
    size_t Next = 0;
};
FrameChanges& Changes() {
    static FrameChanges changes;
    return changes;
}
} // namespace

void NoteFrameChange(qint64 fromKey, qint64 toKey, int top, int bottom) {
    FrameChanges& c = Changes();
    std::lock_guard lock(c.Lock);
    c.Ring[c.Next] = {fromKey, toKey, top, bottom};
    c.Next = (c.Next + 1) % c.Ring.size();
}

bool KnownFrameChange(qint64 fromKey, qint64 toKey, int& top, int& bottom) {
    FrameChanges& c = Changes();
    std::lock_guard lock(c.Lock);
    top = 0;
    bottom = -1;
    // Back from `to` through the pictures handed on before it, gathering their rows.
    qint64 key = toKey;
    for (size_t hops = 0; key != fromKey; ++hops) {
        if (hops == c.Ring.size() || key == 0) return false;
        const FrameChange* found = nullptr;
        for (const FrameChange& change : c.Ring)
            if (change.To == key) found = &change;
        if (!found) return false;
        if (found->Top <= found->Bottom) {
            top = bottom < top ? found->Top : std::min(top, found->Top);
            bottom = std::max(bottom, found->Bottom);
        }
        key = found->From;
    }
    return true;
}

} // namespace platform
