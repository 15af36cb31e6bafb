#pragma once
// Turns a camera's raw frames into 32-bit pictures (QImage::Format_RGB32) for the live view,
// doing again only what changed: the frame is compared in stripes of rows with the last one
// seen, and a picture from a small pool is brought up to date by converting only the stripes
// that changed since it was made. The pixels are GStreamer's own conversion (each pixel takes
// the chroma sample of its own pair), whole frame or stripe alike. Used from one thread at a
// time (the streaming thread).
#include <QImage>

#include <vector>

typedef struct _GstCaps GstCaps;
typedef struct _GstVideoConverter GstVideoConverter;
typedef struct _GstVideoFrame GstVideoFrame;
typedef struct _GstVideoInfo GstVideoInfo;

namespace platform {

class FrameConverter {
public:
    static constexpr int kStripeRows = 16;
    static constexpr int kPoolSize = 3;

    FrameConverter() = default;
    ~FrameConverter();
    FrameConverter(const FrameConverter&) = delete;
    FrameConverter& operator=(const FrameConverter&) = delete;

    // The frame as a picture (shared with the pool: read it, never write it); null when the
    // frame cannot be converted.
    QImage Convert(const GstVideoFrame& frame);
    // The rows in which the last picture differs from the one before it (empty when none;
    // all of it after a change of size or format).
    int ChangedTop() const { return changedTop_; }
    int ChangedBottom() const { return changedBottom_; }
    // Forgets the frames seen and the pool.
    void Reset();
    // The video info of frames with these caps (null when they are not raw video); parsed once
    // for as long as the caps stay the same.
    const GstVideoInfo* InfoOf(GstCaps* caps);

private:
    struct Pooled {
        QImage Image;
        quint64 Frame = 0; // the frame it holds, 0: none
    };
    void ForgetFrames();
    bool Prepare(const GstVideoFrame& frame);
    void ConvertStripe(const GstVideoFrame& frame, int stripe, uchar* picture, int bytesPerLine);
    int PlaneRow(int plane, int row) const;

    GstVideoInfo* info_ = nullptr;        // of the frames seen, null before the first
    std::vector<int> planeComponent_;     // per plane: a component it holds
    GstVideoConverter* full_ = nullptr;  // kStripeRows rows
    GstVideoConverter* last_ = nullptr;  // the rows left at the bottom
    int stripes_ = 0;
    std::vector<quint64> changedAt_;     // per stripe: the frame that last changed it
    std::vector<std::vector<unsigned char>> previous_; // per plane: the last frame seen
    quint64 frames_ = 0;
    quint64 delivered_ = 0; // the frame of the last picture handed out
    std::vector<Pooled> pool_;
    int changedTop_ = 0, changedBottom_ = -1;
    GstCaps* caps_ = nullptr;            // of the last InfoOf, with capsInfo_ parsed from it
    GstVideoInfo* capsInfo_ = nullptr;
};

// What is known of how one picture differs from another: FrameConverter's pictures, one after
// the other as they were handed on, with the rows that changed between them. Any thread.
void NoteFrameChange(qint64 fromKey, qint64 toKey, int top, int bottom);
// True when the picture with cache key `to` is known to equal the one with `from` outside
// rows top..bottom (top > bottom: everywhere).
bool KnownFrameChange(qint64 fromKey, qint64 toKey, int& top, int& bottom);

} // namespace platform
