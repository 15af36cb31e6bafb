#include "support/AviReadback.h"

#include "platform/AviWriter.h"
#include "platform/Jpeg.h"

#include <QFileInfo>
#include <QUrl>
#include <QtEndian>

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>
#include <gst/video/video.h>

#include <cstring>

namespace TestSupport {

namespace {

void Say(QString* why, const QString& text) {
    if (why)
        *why = text;
}

bool ParseChildren(const QByteArray& file, qint64 begin, qint64 end, QList<RiffChunk>* out,
                   QString* why) {
    qint64 at = begin;
    while (at < end) {
        if (at % 2) {
            Say(why, QStringLiteral("chunk at odd offset %1").arg(at));
            return false;
        }
        if (end - at < 8) {
            Say(why, QStringLiteral("%1 bytes left over at %2").arg(end - at).arg(at));
            return false;
        }
        RiffChunk chunk;
        chunk.Id = file.mid(at, 4);
        chunk.Offset = at;
        chunk.Size = Le32(file, at + 4);
        const qint64 dataEnd = at + 8 + chunk.Size;
        if (dataEnd > end) {
            Say(why, QStringLiteral("chunk %1 at %2 runs past its parent")
                         .arg(QString::fromLatin1(chunk.Id))
                         .arg(at));
            return false;
        }
        if (chunk.Id == "LIST" || chunk.Id == "RIFF") {
            chunk.ListType = file.mid(at + 8, 4);
            if (!ParseChildren(file, at + 12, dataEnd, &chunk.Children, why))
                return false;
        }
        out->append(chunk);
        at = dataEnd + (chunk.Size & 1);
    }
    if (at != end) {
        Say(why, QStringLiteral("padding runs past the parent's end at %1").arg(end));
        return false;
    }
    return true;
}

void EnsureGst() {
    if (!gst_is_initialized())
        gst_init(nullptr, nullptr);
}

// Runs the pipeline until its appsink "sink" ends; each sample goes to take().
template <typename Take>
bool PullAll(const QString& description, Take take, QString* why) {
    EnsureGst();
    GError* err = nullptr;
    GstElement* pipeline = gst_parse_launch(description.toUtf8().constData(), &err);
    if (!pipeline || err) {
        Say(why, err ? QString::fromUtf8(err->message) : QStringLiteral("no pipeline"));
        if (err)
            g_error_free(err);
        if (pipeline)
            gst_object_unref(pipeline);
        return false;
    }
    GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
    GstBus* bus = gst_element_get_bus(pipeline);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    bool ok = true;
    for (;;) {
        GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink), 5 * GST_SECOND);
        if (!sample) {
            if (!gst_app_sink_is_eos(GST_APP_SINK(sink))) {
                ok = false;
                Say(why, QStringLiteral("no sample and no end"));
                if (GstMessage* m = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR)) {
                    GError* e = nullptr;
                    gst_message_parse_error(m, &e, nullptr);
                    if (e) {
                        Say(why, QString::fromUtf8(e->message));
                        g_error_free(e);
                    }
                    gst_message_unref(m);
                }
            }
            break;
        }
        take(sample);
        gst_sample_unref(sample);
    }
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(bus);
    gst_object_unref(sink);
    gst_object_unref(pipeline);
    return ok;
}

} // namespace

const RiffChunk* RiffChunk::Find(const QByteArray& idOrType) const {
    for (const RiffChunk& child : Children) {
        if (child.Id == idOrType || child.ListType == idOrType)
            return &child;
        if (const RiffChunk* found = child.Find(idOrType))
            return found;
    }
    return nullptr;
}

quint32 Le32(const QByteArray& data, qint64 offset) {
    if (offset < 0 || offset + 4 > data.size())
        return 0xDEADBEEF;
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

bool ParseRiff(const QByteArray& file, RiffChunk* root, QString* why) {
    *root = RiffChunk();
    root->Id = "file";
    return ParseChildren(file, 0, file.size(), &root->Children, why);
}

QImage PatternPicture(int width, int height, int number) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            // Smooth ramps (JPEG keeps them well) with a band whose place tells the number.
            const bool band = (y * 8 / qMax(1, height)) == number % 8;
            row[3 * x + 0] = uchar(band ? 240 : (x * 200) / qMax(1, width));
            row[3 * x + 1] = uchar((y * 200) / qMax(1, height));
            row[3 * x + 2] = uchar((number * 37) % 200 + 20);
        }
    }
    return image;
}

bool WritePatternJpeg(const QString& path, int width, int height, int number) {
    return platform::SaveJpeg(PatternPicture(width, height, number), 95, path);
}

bool WritePatternFilm(const QString& path, int frames) {
    platform::AviWriter writer;
    if (!writer.Open(path, 32, 24, platform::AviCodec::Dib, 90, 10))
        return false;
    for (int i = 0; i < frames; ++i)
        if (writer.AddFrame(PatternPicture(32, 24, i)) != platform::AviWriter::AddResult::Written)
            return false;
    return writer.Finish();
}

bool DiscoverVideo(const QString& path, double* seconds, int* width, int* height, QString* why) {
    EnsureGst();
    GError* err = nullptr;
    GstDiscoverer* discoverer = gst_discoverer_new(10 * GST_SECOND, &err);
    const QByteArray uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
    GstDiscovererInfo* info =
        discoverer ? gst_discoverer_discover_uri(discoverer, uri.constData(), &err) : nullptr;
    GList* videos = nullptr;
    if (info && gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK)
        videos = gst_discoverer_info_get_video_streams(info);
    const bool ok = videos != nullptr;
    if (ok) {
        auto* video = GST_DISCOVERER_VIDEO_INFO(videos->data);
        *seconds = double(gst_discoverer_info_get_duration(info)) / GST_SECOND;
        *width = int(gst_discoverer_video_info_get_width(video));
        *height = int(gst_discoverer_video_info_get_height(video));
        gst_discoverer_stream_info_list_free(videos);
    } else {
        Say(why, err ? QString::fromUtf8(err->message) : QStringLiteral("no video stream found"));
    }
    if (err)
        g_error_free(err);
    if (info)
        gst_discoverer_info_unref(info);
    if (discoverer) g_object_unref(discoverer);
    return ok;
}

bool DecodeFrames(const QString& path, QList<QImage>* pictures, QString* why) {
    pictures->clear();
    return PullAll(
        QStringLiteral("filesrc location=\"%1\" ! avidemux ! decodebin ! videoconvert ! "
                       "video/x-raw,format=RGB ! appsink name=sink sync=false")
            .arg(path),
        [&](GstSample* sample) {
            GstVideoInfo info;
            GstBuffer* buffer = gst_sample_get_buffer(sample);
            GstMapInfo map;
            if (!gst_video_info_from_caps(&info, gst_sample_get_caps(sample)) || !buffer ||
                !gst_buffer_map(buffer, &map, GST_MAP_READ))
                return;
            const int w = GST_VIDEO_INFO_WIDTH(&info);
            const int h = GST_VIDEO_INFO_HEIGHT(&info);
            const int stride = GST_VIDEO_INFO_PLANE_STRIDE(&info, 0);
            QImage image(w, h, QImage::Format_RGB888);
            for (int y = 0; y < h && qint64(stride) * (y + 1) <= qint64(map.size); ++y)
                std::memcpy(image.scanLine(y), map.data + qint64(stride) * y, size_t(w) * 3);
            gst_buffer_unmap(buffer, &map);
            pictures->append(image);
        },
        why);
}

} // namespace TestSupport
