#include "platform/MediaPipeline.h"
#include "platform/MediaInternal.h"

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

#include <QCoreApplication>
#include <QEvent>

#include <chrono>
#include <cstring>
#include <condition_variable>
#include <vector>

namespace platform {

namespace {

enum EventType {
    kGrabbedEvent = QEvent::User + 0x3A1,
    kRenderedEvent,
    kBusEvent,
    kFirstFrameEvent,
};

struct StreamEvent : QEvent {
    StreamEvent(int type, int generation, GstMessage* message = nullptr)
        : QEvent(QEvent::Type(type)), Generation(generation), Message(message) {}
    ~StreamEvent() override {
        if (Message) gst_message_unref(Message);
    }
    int Generation;
    GstMessage* Message;
};

GstElement* Make(const char* factory, const char* name = nullptr) {
    return gst_element_factory_make(factory, name);
}

GstElement* AsElement(void* p) {
    return static_cast<GstElement*>(p);
}

bool IsInside(GstObject* object, void* ancestor) {
    return ancestor && object &&
           (object == GST_OBJECT(ancestor) ||
            gst_object_has_as_ancestor(object, GST_OBJECT(ancestor)));
}

} // namespace

struct MediaCapturePipeline::Gst {
    GstElement* Pipeline = nullptr;
    GstElement* VideoTee = nullptr;
    GstElement* AudioTee = nullptr;
    std::vector<GstElement*> Downstream; // everything TearDown removes
};

// The recording branch: a bin holding queue ! ... ! avimux ! filesink, fed from the tee(s).
struct MediaCapturePipeline::FileBranch {
    struct Link {
        GstPad* TeePad = nullptr;  // request pad of the tee
        GstPad* SinkPad = nullptr; // ghost pad of the bin
        gulong IdleProbe = 0;
    };
    ~FileBranch() {
        if (Bin) gst_object_unref(Bin);
    }
    GstElement* Bin = nullptr; // our own reference, so the bus handler may still look at it
    Link Video, Audio;
    std::mutex Lock;
    std::condition_variable Done;
    bool Eos = false;
    bool Failed = false; // an element of the branch posted an error: its end never comes
};

MediaCapturePipeline::MediaCapturePipeline(QObject* parent) : QObject(parent), gst_(new Gst) {
    MediaInitialize();
    gst_->Pipeline = gst_pipeline_new(nullptr);
    gst_object_ref_sink(gst_->Pipeline);
    GstBus* bus = gst_element_get_bus(gst_->Pipeline);
    gst_bus_set_sync_handler(
        bus,
        [](GstBus*, GstMessage* message, gpointer self) {
            static_cast<MediaCapturePipeline*>(self)->OnBusMessage(message);
            return GST_BUS_DROP;
        },
        this, nullptr);
    gst_object_unref(bus);
}

MediaCapturePipeline::~MediaCapturePipeline() {
    if (fileBranch_) StopFileBranch(0);
    gst_element_set_state(gst_->Pipeline, GST_STATE_NULL); // joins the streaming threads
    if (grabber_) {
        GstAppSinkCallbacks none{};
        gst_app_sink_set_callbacks(GST_APP_SINK(grabber_), &none, nullptr, nullptr);
    }
    GstBus* bus = gst_element_get_bus(gst_->Pipeline);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(gst_->Pipeline);
}

bool MediaCapturePipeline::SetVideoSource(const MediaMonikerPtr& moniker) {
    if (videoSource_ || !moniker) return false;
    GstElement* source = media_internal::CreateElement(*moniker, nullptr);
    if (!source) return false;
    if (!gst_bin_add(GST_BIN(gst_->Pipeline), source)) return false;
    videoSource_ = source;
    return true;
}

bool MediaCapturePipeline::SetAudioSource(const MediaMonikerPtr& moniker) {
    if (audioSource_ || !moniker) return false;
    GstElement* source = media_internal::CreateElement(*moniker, nullptr);
    if (!source) return false;
    if (!gst_bin_add(GST_BIN(gst_->Pipeline), source)) return false;
    audioSource_ = source;
    return true;
}

namespace {
// Adds the elements to the bin and links them in order; false (and nothing left added) on
// any failure.
bool AddChain(GstElement* bin, std::vector<GstElement*>& owned,
              std::initializer_list<GstElement*> chain) {
    for (GstElement* e : chain) {
        if (!e) {
            for (GstElement* f : chain)
                if (f) gst_object_unref(gst_object_ref_sink(f));
            return false;
        }
    }
    for (GstElement* e : chain)
        gst_bin_add(GST_BIN(bin), e);
    GstElement* previous = nullptr;
    bool linked = true;
    for (GstElement* e : chain) {
        if (previous) linked = linked && gst_element_link(previous, e);
        previous = e;
    }
    if (!linked) {
        for (GstElement* e : chain)
            gst_bin_remove(GST_BIN(bin), e);
        return false;
    }
    owned.insert(owned.end(), chain.begin(), chain.end());
    return true;
}

GstElement* CapsFilter(const QString& caps) {
    GstElement* filter = Make("capsfilter");
    if (filter && !caps.isEmpty()) {
        GstCaps* c = gst_caps_from_string(caps.toUtf8().constData());
        if (!c) {
            gst_object_unref(gst_object_ref_sink(filter));
            return nullptr;
        }
        g_object_set(filter, "caps", c, nullptr);
        gst_caps_unref(c);
    }
    return filter;
}
} // namespace

bool MediaCapturePipeline::BuildVideoTee(const QString& caps) {
    if (!videoSource_ || gst_->VideoTee) return false;
    GstElement* filter = CapsFilter(caps);
    GstElement* tee = Make("tee", "MySmartTee");
    if (tee) g_object_set(tee, "allow-not-linked", TRUE, nullptr);
    std::vector<GstElement*> added;
    if (!AddChain(gst_->Pipeline, added, {filter, tee})) return false;
    if (!gst_element_link(AsElement(videoSource_), filter)) {
        gst_bin_remove(GST_BIN(gst_->Pipeline), filter);
        gst_bin_remove(GST_BIN(gst_->Pipeline), tee);
        return false;
    }
    gst_->Downstream.insert(gst_->Downstream.end(), added.begin(), added.end());
    gst_->VideoTee = tee;
    videoIsJpeg_ = caps.startsWith("image/jpeg");
    // Every frame from the source, whether or not anything previews it.
    GstPad* pad = gst_element_get_static_pad(tee, "sink");
    gst_pad_add_probe(
        pad, GST_PAD_PROBE_TYPE_BUFFER,
        [](GstPad*, GstPadProbeInfo*, gpointer self) {
            static_cast<MediaCapturePipeline*>(self)->OnSourceBuffer();
            return GST_PAD_PROBE_OK;
        },
        this, nullptr);
    gst_object_unref(pad);
    return true;
}

bool MediaCapturePipeline::BuildAudioTee(const QString& caps, bool wantAudioPreview) {
    if (!audioSource_ || gst_->AudioTee) return false;
    GstElement* filter = CapsFilter(caps);
    GstElement* tee = Make("tee", "MyInfTee");
    if (tee) g_object_set(tee, "allow-not-linked", TRUE, nullptr);
    std::vector<GstElement*> added;
    if (!AddChain(gst_->Pipeline, added, {filter, tee})) return false;
    if (!gst_element_link(AsElement(audioSource_), filter)) {
        gst_bin_remove(GST_BIN(gst_->Pipeline), filter);
        gst_bin_remove(GST_BIN(gst_->Pipeline), tee);
        return false;
    }
    gst_->Downstream.insert(gst_->Downstream.end(), added.begin(), added.end());
    gst_->AudioTee = tee;
    if (wantAudioPreview) {
        GstElement* queue = Make("queue");
        if (queue) g_object_set(queue, "leaky", 2, nullptr);
        // No sound card: play into nothing rather than fail the camera.
        GstElement* sink = Make("autoaudiosink");
        if (!sink) sink = Make("fakesink");
        if (!AddChain(gst_->Pipeline, gst_->Downstream, {queue, Make("audioconvert"), sink}) ||
            !gst_element_link(tee, queue))
            return false;
    }
    return true;
}

bool MediaCapturePipeline::BuildPreview(bool wantGrabber) {
    if (!gst_->VideoTee) return false;
    GstElement* queue = Make("queue");
    if (queue)
        g_object_set(queue, "leaky", 2, "max-size-buffers", 2u, "max-size-bytes", 0u,
                     "max-size-time", guint64(0), nullptr);
    GstElement* decoder = videoIsJpeg_ ? Make("jpegdec") : nullptr;
    GstElement* convert = Make("videoconvert");
    // Each pixel takes the chroma sample of its own pair: no resampling filter and about 40 %
    // less work per frame; at most a sharp colour edge moves by one pixel.
    if (convert) gst_util_set_object_arg(G_OBJECT(convert), "chroma-mode", "none");
    GstElement* sink = nullptr;
    if (wantGrabber) {
        sink = Make("appsink", "MyBitmapGrabber");
        if (sink) {
            // The camera's own format where it is a common one (the conversion element
            // passes it through); the frames are converted to QImage::Format_RGB32 here, only
            // where they changed.
            GstCaps* raw = gst_caps_from_string(
                "video/x-raw, format=(string){ YUY2, UYVY, YVYU, I420, YV12, NV12, NV21, Y42B, "
                "Y444, GRAY8, RGB, BGR, BGRx, xRGB, RGBx, xBGR, BGRA, ARGB, RGBA, ABGR }");
            g_object_set(sink, "caps", raw, "sync", FALSE, "max-buffers", 1u, "drop", TRUE,
                         "enable-last-sample", FALSE, nullptr);
            gst_caps_unref(raw);
            GstAppSinkCallbacks callbacks{};
            callbacks.new_sample = [](GstAppSink* appsink, gpointer self) {
                GstSample* sample = gst_app_sink_pull_sample(appsink);
                if (sample) {
                    static_cast<MediaCapturePipeline*>(self)->OnSample(sample);
                    gst_sample_unref(sample);
                }
                return GST_FLOW_OK;
            };
            gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, this, nullptr);
        }
    } else {
        sink = Make("fakesink");
    }
    const bool ok =
        videoIsJpeg_ ? AddChain(gst_->Pipeline, gst_->Downstream, {queue, decoder, convert, sink})
                     : AddChain(gst_->Pipeline, gst_->Downstream, {queue, convert, sink});
    if (!ok || !gst_element_link(gst_->VideoTee, queue)) return false;
    grabber_ = wantGrabber ? sink : nullptr;
    grabbing_ = wantGrabber;
    // Frames nobody asked for are dropped before they are queued, decoded or converted: the
    // branch's thread does not even wake for them.
    GstPad* out = gst_element_get_static_pad(queue, "sink");
    gst_pad_add_probe(
        out, GST_PAD_PROBE_TYPE_BUFFER,
        [](GstPad*, GstPadProbeInfo*, gpointer self) {
            return static_cast<MediaCapturePipeline*>(self)->OnPreviewBuffer()
                       ? GST_PAD_PROBE_OK
                       : GST_PAD_PROBE_DROP;
        },
        this, nullptr);
    gst_object_unref(out);
    return true;
}

void MediaCapturePipeline::TearDown() {
    if (fileBranch_) StopFileBranch(0);
    Stop();
    if (grabber_) {
        GstAppSinkCallbacks none{};
        gst_app_sink_set_callbacks(GST_APP_SINK(grabber_), &none, nullptr, nullptr);
        grabber_ = nullptr;
        grabbing_ = false;
    }
    for (GstElement* e : gst_->Downstream)
        gst_bin_remove(GST_BIN(gst_->Pipeline), e);
    gst_->Downstream.clear();
    gst_->VideoTee = nullptr;
    gst_->AudioTee = nullptr;
}

bool MediaCapturePipeline::Run(QString* error) {
    firstFrame_ = false;
    const GstStateChangeReturn ret = gst_element_set_state(gst_->Pipeline, GST_STATE_PLAYING);
    if (ret == GST_STATE_CHANGE_FAILURE) {
        if (error) *error = "The pipeline cannot start.";
        Stop();
        return false;
    }
    running_ = true;
    return true;
}

void MediaCapturePipeline::Stop() {
    gst_element_set_state(gst_->Pipeline, GST_STATE_NULL);
    converter_.Reset(); // no streaming thread runs now; the next run may bring another format
    lastKey_ = 0;
    running_ = false;
    wantFrame_ = false;
    quietUntil_ = 0;
    ++generation_; // whatever the old run posted is stale now
}

// ---------------------------------------------------------------- recording branch

bool MediaCapturePipeline::StartFileBranch(const QString& fileName,
                                           const MediaMonikerPtr& videoEncoder,
                                           const MediaMonikerPtr& audioEncoder, QString* error) {
    auto fail = [&](const char* text) {
        if (error) *error = QString::fromLatin1(text);
        return false;
    };
    if (fileBranch_) return fail("Already recording.");
    if (!gst_->VideoTee || !running_) return fail("The pipeline is not running.");

    auto branch = std::make_shared<FileBranch>();
    branch->Bin = GST_ELEMENT(gst_object_ref_sink(gst_bin_new("MyCaptureBranch")));
    GstBin* bin = GST_BIN(branch->Bin);
    std::vector<GstElement*> added;

    GstElement* mux = Make("avimux");
    GstElement* sink = Make("filesink");
    if (!mux || !sink) return fail("avimux or filesink is missing.");
    g_object_set(sink, "location", fileName.toLocal8Bit().constData(), "async", FALSE, nullptr);
    gst_bin_add_many(bin, mux, sink, nullptr);
    gst_element_link(mux, sink);

    // Video: queue ! [jpegdec] ! [videoconvert] ! [encoder] ! avimux.video_0
    GstElement* vqueue = Make("queue");
    g_object_set(vqueue, "max-size-buffers", 0u, "max-size-bytes", 0u, "max-size-time",
                 guint64(3 * GST_SECOND), nullptr);
    GstElement* encoder =
        videoEncoder ? media_internal::CreateElement(*videoEncoder, "MyVideoCompressor") : nullptr;
    if (videoEncoder && !encoder) {
        gst_object_unref(gst_object_ref_sink(vqueue));
        return fail("The video compressor cannot be made.");
    }
    std::vector<GstElement*> chain{vqueue};
    if (videoIsJpeg_ && encoder) chain.push_back(Make("jpegdec"));
    if (!videoIsJpeg_ || encoder) chain.push_back(Make("videoconvert"));
    if (encoder) chain.push_back(encoder);
    bool ok = true;
    for (GstElement* e : chain)
        ok = ok && e && gst_bin_add(bin, e);
    for (size_t i = 1; ok && i < chain.size(); ++i)
        ok = gst_element_link(chain[i - 1], chain[i]);
    GstPad* muxVideo = ok ? gst_element_request_pad_simple(mux, "video_%u") : nullptr;
    GstPad* lastVideo = gst_element_get_static_pad(chain.back(), "src");
    ok = ok && muxVideo && gst_pad_link(lastVideo, muxVideo) == GST_PAD_LINK_OK;
    gst_object_unref(lastVideo);
    if (muxVideo) gst_object_unref(muxVideo);
    if (ok) {
        GstPad* target = gst_element_get_static_pad(vqueue, "sink");
        branch->Video.SinkPad = gst_ghost_pad_new("video", target);
        gst_object_unref(target);
        gst_element_add_pad(branch->Bin, branch->Video.SinkPad);
    }

    // Audio: queue ! audioconvert ! audioresample ! [encoder] ! avimux.audio_0
    if (ok && gst_->AudioTee) {
        GstElement* aqueue = Make("queue");
        g_object_set(aqueue, "max-size-buffers", 0u, "max-size-bytes", 0u, "max-size-time",
                     guint64(3 * GST_SECOND), nullptr);
        std::vector<GstElement*> achain{aqueue, Make("audioconvert"), Make("audioresample")};
        if (audioEncoder)
            achain.push_back(media_internal::CreateElement(*audioEncoder, "MyAudioCompressor"));
        for (GstElement* e : achain)
            ok = ok && e && gst_bin_add(bin, e);
        for (size_t i = 1; ok && i < achain.size(); ++i)
            ok = gst_element_link(achain[i - 1], achain[i]);
        GstPad* muxAudio = ok ? gst_element_request_pad_simple(mux, "audio_%u") : nullptr;
        if (ok && muxAudio) {
            GstPad* lastAudio = gst_element_get_static_pad(achain.back(), "src");
            ok = gst_pad_link(lastAudio, muxAudio) == GST_PAD_LINK_OK;
            gst_object_unref(lastAudio);
        } else {
            ok = false;
        }
        if (muxAudio) gst_object_unref(muxAudio);
        if (ok) {
            GstPad* target = gst_element_get_static_pad(aqueue, "sink");
            branch->Audio.SinkPad = gst_ghost_pad_new("audio", target);
            gst_object_unref(target);
            gst_element_add_pad(branch->Bin, branch->Audio.SinkPad);
        }
    }
    if (!ok) return fail("The recording branch cannot be linked.");

    // The file is finished when its EOS reaches the sink.
    GstPad* sinkPad = gst_element_get_static_pad(sink, "sink");
    gst_pad_add_probe(
        sinkPad, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM,
        [](GstPad*, GstPadProbeInfo* info, gpointer data) {
            if (GST_EVENT_TYPE(GST_PAD_PROBE_INFO_EVENT(info)) == GST_EVENT_EOS) {
                auto* b = static_cast<FileBranch*>(data);
                std::lock_guard lock(b->Lock);
                b->Eos = true;
                b->Done.notify_all();
            }
            return GST_PAD_PROBE_OK;
        },
        branch.get(), nullptr);
    gst_object_unref(sinkPad);

    gst_bin_add(GST_BIN(gst_->Pipeline), branch->Bin);
    if (!gst_element_sync_state_with_parent(branch->Bin)) {
        gst_element_set_state(branch->Bin, GST_STATE_NULL);
        gst_bin_remove(GST_BIN(gst_->Pipeline), branch->Bin);
        ++generation_; // the branch's own error message is answered here
        return fail("The capture file cannot be opened.");
    }
    auto attach = [&](GstElement* tee, FileBranch::Link& link) {
        if (!tee || !link.SinkPad) return true;
        link.TeePad = gst_element_request_pad_simple(tee, "src_%u");
        return link.TeePad && gst_pad_link(link.TeePad, link.SinkPad) == GST_PAD_LINK_OK;
    };
    {
        std::lock_guard lock(branchLock_);
        fileBranch_ = std::move(branch);
    }
    if (!attach(gst_->VideoTee, fileBranch_->Video) ||
        !attach(gst_->AudioTee, fileBranch_->Audio)) {
        StopFileBranch(0);
        return fail("The recording branch cannot be attached.");
    }
    return true;
}

bool MediaCapturePipeline::StopFileBranch(int timeoutMs) {
    if (!fileBranch_) return false;
    const std::shared_ptr<FileBranch> keep = fileBranch_;
    FileBranch& b = *keep;
    // Unlink from the tee between two buffers, then end the branch's stream.
    auto detach = [](FileBranch::Link& link) {
        if (!link.TeePad) return;
        link.IdleProbe = gst_pad_add_probe(
            link.TeePad, GST_PAD_PROBE_TYPE_IDLE,
            [](GstPad* teePad, GstPadProbeInfo*, gpointer data) {
                auto* l = static_cast<FileBranch::Link*>(data);
                gst_pad_unlink(teePad, l->SinkPad);
                gst_pad_send_event(l->SinkPad, gst_event_new_eos());
                l->IdleProbe = 0;
                return GST_PAD_PROBE_REMOVE;
            },
            &link, nullptr);
    };
    bool finished = false;
    if (timeoutMs > 0 && running_) {
        detach(b.Video);
        detach(b.Audio);
        std::unique_lock lock(b.Lock);
        b.Done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                        [&] { return b.Eos || b.Failed; });
        finished = b.Eos;
    }
    for (FileBranch::Link* link : {&b.Video, &b.Audio}) {
        if (link->TeePad && link->IdleProbe) gst_pad_remove_probe(link->TeePad, link->IdleProbe);
    }
    gst_element_set_state(b.Bin, GST_STATE_NULL);
    for (auto [tee, link] :
         {std::pair{gst_->VideoTee, &b.Video}, std::pair{gst_->AudioTee, &b.Audio}}) {
        if (!link->TeePad) continue;
        if (GstPad* peer = gst_pad_get_peer(link->TeePad)) {
            gst_pad_unlink(link->TeePad, peer);
            gst_object_unref(peer);
        }
        if (tee) gst_element_release_request_pad(tee, link->TeePad);
        gst_object_unref(link->TeePad);
        link->TeePad = nullptr;
    }
    gst_bin_remove(GST_BIN(gst_->Pipeline), b.Bin);
    std::lock_guard lock(branchLock_);
    fileBranch_.reset();
    return finished;
}

// ---------------------------------------------------------------- frames and messages

void MediaCapturePipeline::PostStreamingEvent(int type, std::atomic<bool>& pending) {
    if (!pending.exchange(true))
        QCoreApplication::postEvent(this, new StreamEvent(type, generation_.load()));
}

void MediaCapturePipeline::OnSourceBuffer() {
    ++arrived_;
    if (!firstFrame_.exchange(true))
        QCoreApplication::postEvent(this, new StreamEvent(kFirstFrameEvent, generation_.load()));
}

bool MediaCapturePipeline::OnPreviewBuffer() {
    if (!grabbing_.load()) return false; // nothing takes preview frames
    ++rendered_;
    if (wantFrame_.load()) return true; // announced once it has been copied
    const qint64 now = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now().time_since_epoch())
                           .count();
    if (now >= quietUntil_.load()) PostStreamingEvent(kRenderedEvent, renderedPending_);
    return false;
}

void MediaCapturePipeline::HoldNotices(int ms) {
    const qint64 now = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now().time_since_epoch())
                           .count();
    quietUntil_.store(ms > 0 ? now + ms : 0);
}

void MediaCapturePipeline::OnSample(void* sampleHandle) {
    auto* sample = static_cast<GstSample*>(sampleHandle);
    if (wantFrame_.exchange(false)) {
        GstVideoFrame frame;
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        // The caps object stays the same from frame to frame: parsed once.
        const GstVideoInfo* info = converter_.InfoOf(gst_sample_get_caps(sample));
        GstVideoInfo mapped;
        if (info) mapped = *info; // gst_video_frame_map takes it writable
        if (buffer && info && gst_video_frame_map(&frame, &mapped, buffer, GST_MAP_READ)) {
            QImage image = converter_.Convert(frame);
            gst_video_frame_unmap(&frame);
            if (!image.isNull()) {
                // The views paint again only the rows that changed since the last picture.
                if (lastKey_ != 0)
                    NoteFrameChange(lastKey_, image.cacheKey(), converter_.ChangedTop(),
                                    converter_.ChangedBottom());
                lastKey_ = image.cacheKey();
                {
                    std::lock_guard lock(frameLock_);
                    std::swap(frame_, image);
                }
                ++copied_;
                PostStreamingEvent(kGrabbedEvent, grabbedPending_);
            }
        }
    }
    PostStreamingEvent(kRenderedEvent, renderedPending_);
}

bool MediaCapturePipeline::TakeFrame(QImage& image) {
    std::lock_guard lock(frameLock_);
    if (frame_.isNull()) return false;
    image = frame_; // shared with the pool: whoever writes into it gets a copy of their own
    return true;
}

void MediaCapturePipeline::OnBusMessage(void* messageHandle) {
    auto* message = static_cast<GstMessage*>(messageHandle);
    if (GST_MESSAGE_TYPE(message) != GST_MESSAGE_ERROR) return;
    std::shared_ptr<FileBranch> branch;
    {
        std::lock_guard lock(branchLock_);
        branch = fileBranch_;
    }
    if (branch && IsInside(GST_MESSAGE_SRC(message), branch->Bin)) {
        // A failed writer (disk full) never passes the end on: nobody may wait for it.
        std::lock_guard lock(branch->Lock);
        branch->Failed = true;
        branch->Done.notify_all();
    }
    QCoreApplication::postEvent(
        this, new StreamEvent(kBusEvent, generation_.load(), gst_message_ref(message)));
}

bool MediaCapturePipeline::event(QEvent* e) {
    switch (int(e->type())) {
    case kGrabbedEvent:
    case kRenderedEvent: {
        auto* se = static_cast<StreamEvent*>(e);
        const bool grabbed = e->type() == QEvent::Type(kGrabbedEvent);
        (grabbed ? grabbedPending_ : renderedPending_).store(false);
        if (se->Generation != generation_.load()) return true; // from a run that has since stopped
        if (grabbed)
            emit FrameGrabbed();
        else
            emit FrameRendered();
        return true;
    }
    case kFirstFrameEvent:
        if (static_cast<StreamEvent*>(e)->Generation == generation_.load() && running_)
            emit FirstFrame();
        return true;
    case kBusEvent: {
        auto* se = static_cast<StreamEvent*>(e);
        if (se->Generation != generation_.load() || !se->Message) return true;
        // An element taken out since (a finished recording branch) no longer speaks for the
        // camera: one failed recording is one abort.
        if (!IsInside(GST_MESSAGE_SRC(se->Message), gst_->Pipeline)) return true;
        GError* err = nullptr;
        gchar* debug = nullptr;
        gst_message_parse_error(se->Message, &err, &debug);
        GstObject* origin = GST_MESSAGE_SRC(se->Message);
        const bool fromSource =
            IsInside(origin, videoSource_) || IsInside(origin, audioSource_);
        const bool fromRecording = fileBranch_ && IsInside(origin, fileBranch_->Bin);
        const bool deviceGone =
            err && err->domain == GST_RESOURCE_ERROR &&
            (err->code == GST_RESOURCE_ERROR_NOT_FOUND || err->code == GST_RESOURCE_ERROR_READ ||
             err->code == GST_RESOURCE_ERROR_OPEN_READ ||
             err->code == GST_RESOURCE_ERROR_OPEN_READ_WRITE);
        const QString text = err ? QString::fromUtf8(err->message) : QString();
        if (err) g_error_free(err);
        g_free(debug);
        emit PipelineError(fromRecording               ? MediaFault::Recording
                           : fromSource && deviceGone ? MediaFault::DeviceLost
                                                      : MediaFault::Stream,
                           text);
        return true;
    }
    default:
        return QObject::event(e);
    }
}

} // namespace platform
