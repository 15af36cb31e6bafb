#include "platform/VideoPlayback.h"

#include "platform/AviHeader.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <cstring>

namespace platform {

namespace {

const QEvent::Type kFrameEvent = QEvent::Type(QEvent::registerEventType());
// An AVI file's header lists sit at its start.
constexpr qint64 kHeaderBytes = 64 * 1024;
// playbin's GST_PLAY_FLAG_NATIVE_VIDEO: no converter or scaler of its own before the sink.
constexpr guint kNativeVideoFlag = 0x40;

} // namespace

// What the streaming threads share with the GUI thread. The owner is cleared under the lock
// before the pipeline stops, so nothing is posted to a play that is over.
struct VideoPlayback::Shared {
    std::mutex lock;
    VideoPlayback* owner = nullptr;
    quint64 generation = 0;
    QImage frame;
    bool framePending = false;
};

VideoPlayback::VideoPlayback(QObject* parent) : QObject(parent) {
    if (!gst_is_initialized())
        gst_init_check(nullptr, nullptr, nullptr);
    firstPicture_.setSingleShot(true);
    firstPicture_.setInterval(kFirstPictureMs);
    connect(&firstPicture_, &QTimer::timeout, this, &VideoPlayback::FirstPictureOverdue);
}

VideoPlayback::~VideoPlayback() { Stop(); }

QImage VideoPlayback::CurrentFrame() const {
    if (!shared_)
        return {};
    std::lock_guard<std::mutex> guard(shared_->lock);
    return shared_->frame;
}

bool VideoPlayback::Play(const QString& path, QString* error) {
    Stop();
    auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    const QFileInfo info(path);
    if (!info.isFile())
        return fail(QStringLiteral("File not found: %1").arg(path));
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return fail(file.errorString());
        const QString refusal = AviPictureRefusal(file.read(kHeaderBytes), file.size());
        if (!refusal.isEmpty())
            return fail(refusal);
    }
    if (!gst_is_initialized())
        return fail(QStringLiteral("GStreamer is not available"));

    GstElement* bin = gst_element_factory_make("playbin", nullptr);
    GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
    GstElement* videoSink = gst_element_factory_make("appsink", nullptr);
    GstElement* audioSink = gst_element_factory_make("fakesink", nullptr);
    if (!bin || !convert || !videoSink || !audioSink) {
        for (GstElement* e : {bin, convert, videoSink, audioSink})
            if (e)
                gst_object_unref(e);
        return fail(QStringLiteral("the video player cannot be made (playbin, videoconvert, appsink, fakesink)"));
    }
    // 32-bit pixels in the byte order of QImage::Format_RGB32, no larger than a camera's. The
    // pictures are never scaled on the way (native video: no scaler of playbin's own), so a
    // stream whose pictures are larger than its header said fails to link instead of being
    // decoded at full size.
    GstCaps* caps = gst_caps_from_string(
        QStringLiteral("video/x-raw,format=BGRx,width=[1,%1],height=[1,%1]").arg(kMaxPictureSide).toLatin1().constData());
    g_object_set(videoSink, "caps", caps, "sync", TRUE, "max-buffers", 2, nullptr);
    gst_caps_unref(caps);
    GstElement* videoBin = gst_bin_new(nullptr);
    gst_bin_add_many(GST_BIN(videoBin), convert, videoSink, nullptr);
    gst_element_link(convert, videoSink);
    GstPad* convertIn = gst_element_get_static_pad(convert, "sink");
    gst_element_add_pad(videoBin, gst_ghost_pad_new("sink", convertIn));
    gst_object_unref(convertIn);
    g_object_set(audioSink, "sync", TRUE, nullptr);
    const QByteArray uri = QUrl::fromLocalFile(info.absoluteFilePath()).toEncoded();
    guint flags = 0;
    g_object_get(bin, "flags", &flags, nullptr);
    g_object_set(bin, "uri", uri.constData(), "video-sink", videoBin, "audio-sink", audioSink, "flags",
                 flags | kNativeVideoFlag, nullptr);

    auto shared = std::make_shared<Shared>();
    shared->owner = this;
    shared->generation = ++generation_;

    GstAppSinkCallbacks callbacks{};
    callbacks.new_sample = [](GstAppSink* sink, gpointer data) -> GstFlowReturn {
        auto* s = static_cast<std::shared_ptr<Shared>*>(data)->get();
        GstSample* sample = gst_app_sink_pull_sample(sink);
        if (!sample)
            return GST_FLOW_OK;
        GstVideoInfo vinfo;
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        GstMapInfo map;
        if (gst_video_info_from_caps(&vinfo, gst_sample_get_caps(sample)) && buffer &&
            gst_buffer_map(buffer, &map, GST_MAP_READ)) {
            const int width = GST_VIDEO_INFO_WIDTH(&vinfo);
            const int height = GST_VIDEO_INFO_HEIGHT(&vinfo);
            const int stride = GST_VIDEO_INFO_PLANE_STRIDE(&vinfo, 0);
            if (width > 0 && height > 0 && qint64(stride) * height <= qint64(map.size)) {
                QImage image(width, height, QImage::Format_RGB32);
                if (!image.isNull())
                    for (int y = 0; y < height; ++y)
                        std::memcpy(image.scanLine(y), map.data + qint64(stride) * y,
                                    size_t(width) * 4);
                std::lock_guard<std::mutex> guard(s->lock);
                if (s->owner && !image.isNull()) {
                    s->frame = image;
                    s->owner->frames_.fetch_add(1);
                    if (!s->framePending) {
                        s->framePending = true;
                        QCoreApplication::postEvent(s->owner, new QEvent(kFrameEvent));
                    }
                }
            }
            gst_buffer_unmap(buffer, &map);
        }
        gst_sample_unref(sample);
        return GST_FLOW_OK;
    };
    gst_app_sink_set_callbacks(GST_APP_SINK(videoSink), &callbacks,
                               new std::shared_ptr<Shared>(shared),
                               [](gpointer d) { delete static_cast<std::shared_ptr<Shared>*>(d); });

    GstBus* bus = gst_element_get_bus(bin);
    gst_bus_set_sync_handler(
        bus,
        [](GstBus*, GstMessage* message, gpointer data) -> GstBusSyncReply {
            auto* s = static_cast<std::shared_ptr<Shared>*>(data)->get();
            const GstMessageType type = GST_MESSAGE_TYPE(message);
            if (type != GST_MESSAGE_EOS && type != GST_MESSAGE_ERROR)
                return GST_BUS_DROP;
            QString text;
            if (type == GST_MESSAGE_ERROR) {
                GError* err = nullptr;
                gst_message_parse_error(message, &err, nullptr);
                text = err ? QString::fromUtf8(err->message) : QStringLiteral("playback failed");
                if (err)
                    g_error_free(err);
            }
            std::lock_guard<std::mutex> guard(s->lock);
            if (VideoPlayback* owner = s->owner) {
                const quint64 generation = s->generation;
                const bool end = type == GST_MESSAGE_EOS;
                QMetaObject::invokeMethod(
                    owner, [owner, generation, end, text] { owner->OnBusMessage(generation, end, text); },
                    Qt::QueuedConnection);
            }
            return GST_BUS_DROP;
        },
        new std::shared_ptr<Shared>(shared),
        [](gpointer d) { delete static_cast<std::shared_ptr<Shared>*>(d); });
    gst_object_unref(bus);

    pipeline_ = bin;
    shared_ = shared;
    frames_ = 0;
    firstPicture_.start();
    if (gst_element_set_state(bin, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        Stop();
        return fail(QStringLiteral("the player does not start"));
    }
    return true;
}

void VideoPlayback::Stop() {
    if (shared_) {
        std::lock_guard<std::mutex> guard(shared_->lock);
        shared_->owner = nullptr;
        shared_->framePending = false;
        shared_->frame = QImage(); // its memory goes back now, not at the next play
    }
    ++generation_;
    firstPicture_.stop();
    if (!pipeline_)
        return;
    GstElement* bin = pipeline_;
    pipeline_ = nullptr;
    gst_element_set_state(bin, GST_STATE_NULL); // the streaming threads are gone after this
    gst_object_unref(bin);
}

void VideoPlayback::OnBusMessage(quint64 generation, bool endOfStream, const QString& error) {
    if (generation != generation_ || !pipeline_)
        return;
    Stop();
    if (endOfStream && frames_ == 0)
        emit Finished(false, QStringLiteral("the file holds no picture"));
    else
        emit Finished(endOfStream, endOfStream ? QString() : error);
}

void VideoPlayback::FirstPictureOverdue() {
    if (!pipeline_ || frames_ > 0)
        return;
    Stop();
    emit Finished(false, QStringLiteral("no picture came from the file within %1 seconds").arg(kFirstPictureMs / 1000));
}

bool VideoPlayback::event(QEvent* e) {
    if (e->type() != kFrameEvent)
        return QObject::event(e);
    if (shared_) {
        std::lock_guard<std::mutex> guard(shared_->lock);
        shared_->framePending = false;
    }
    if (pipeline_)
        emit FrameReady();
    return true;
}

} // namespace platform
