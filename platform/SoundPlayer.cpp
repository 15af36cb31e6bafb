#include "platform/SoundPlayer.h"

#include <QFileInfo>
#include <QPointer>
#include <QUrl>
#include <gst/gst.h>

namespace platform {

namespace {

struct BusContext {
    QPointer<SoundPlayer> player;
    quint64 generation;
};

} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {
    if (!gst_is_initialized())
        gst_init_check(nullptr, nullptr, nullptr);
}

SoundPlayer::~SoundPlayer() { TearDown(); }

bool SoundPlayer::Play(const QString& path) {
    TearDown();
    QFileInfo info(path);
    if (!info.isFile() || !gst_is_initialized())
        return false;

    GstElement* bin = gst_element_factory_make("playbin", nullptr);
    if (!bin)
        return false;
    // Sound only: keep playbin from building a video branch for odd files.
    g_object_set(bin, "flags", 0x2 /* GST_PLAY_FLAG_AUDIO */, nullptr);
    const QByteArray uri = QUrl::fromLocalFile(info.absoluteFilePath()).toEncoded();
    g_object_set(bin, "uri", uri.constData(), nullptr);
    if (!sinkFactory_.isEmpty()) {
        GstElement* sink = gst_element_factory_make(sinkFactory_.toUtf8().constData(), nullptr);
        if (sink) {
            if (g_object_class_find_property(G_OBJECT_GET_CLASS(sink), "sync"))
                g_object_set(sink, "sync", TRUE, nullptr);
            g_object_set(bin, "audio-sink", sink, nullptr);
        }
    }

    const quint64 generation = ++generation_;
    GstBus* bus = gst_element_get_bus(bin);
    // The handler runs on GStreamer's threads; it only posts to the GUI thread.
    gst_bus_set_sync_handler(
        bus,
        [](GstBus*, GstMessage* message, gpointer data) -> GstBusSyncReply {
            const auto* context = static_cast<BusContext*>(data);
            const GstMessageType type = GST_MESSAGE_TYPE(message);
            if (type == GST_MESSAGE_EOS || type == GST_MESSAGE_ERROR) {
                const bool end = type == GST_MESSAGE_EOS;
                const quint64 generation = context->generation;
                QPointer<SoundPlayer> player = context->player;
                if (player)
                    QMetaObject::invokeMethod(
                        player.data(),
                        [player, generation, end] {
                            if (player)
                                player->OnBusMessage(generation, end);
                        },
                        Qt::QueuedConnection);
            }
            return GST_BUS_DROP;
        },
        new BusContext{QPointer<SoundPlayer>(this), generation},
        [](gpointer data) { delete static_cast<BusContext*>(data); });
    gst_object_unref(bus);

    pipeline_ = bin;
    if (gst_element_set_state(bin, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        TearDown();
        return false;
    }
    playing_ = true;
    return true;
}

void SoundPlayer::Stop() {
    const bool was = playing_;
    TearDown();
    if (was)
        emit Finished(false);
}

void SoundPlayer::OnBusMessage(quint64 generation, bool endOfStream) {
    if (generation != generation_ || !playing_)
        return;
    TearDown();
    emit Finished(endOfStream);
}

void SoundPlayer::TearDown() {
    playing_ = false;
    if (!pipeline_)
        return;
    GstElement* bin = pipeline_;
    pipeline_ = nullptr;
    ++generation_;
    gst_element_set_state(bin, GST_STATE_NULL);
    gst_object_unref(bin);
}

} // namespace platform
