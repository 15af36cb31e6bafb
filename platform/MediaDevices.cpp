#include "platform/MediaDevices.h"
#include "platform/MediaInternal.h"
#include "platform/MediaTestCameras.h"

#include <gst/audio/audio.h>
#include <gst/video/video.h>

#include <QHash>
#include <QSize>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <fcntl.h>
#include <linux/videodev2.h>
#include <mutex>
#include <sys/ioctl.h>
#include <unistd.h>

namespace platform {

namespace {
constexpr qint64 kUnitsPerSecond = 10000000; // 100-ns units

QString FromUtf8(const gchar* s) {
    return s ? QString::fromUtf8(s) : QString();
}
} // namespace

QString MediaGuid::ToString() const {
    return QString("{%1-%2-%3-%4%5-%6%7%8%9%10%11}")
        .arg(Data1, 8, 16, QChar('0'))
        .arg(Data2, 4, 16, QChar('0'))
        .arg(Data3, 4, 16, QChar('0'))
        .arg(Data4[0], 2, 16, QChar('0'))
        .arg(Data4[1], 2, 16, QChar('0'))
        .arg(Data4[2], 2, 16, QChar('0'))
        .arg(Data4[3], 2, 16, QChar('0'))
        .arg(Data4[4], 2, 16, QChar('0'))
        .arg(Data4[5], 2, 16, QChar('0'))
        .arg(Data4[6], 2, 16, QChar('0'))
        .arg(Data4[7], 2, 16, QChar('0'))
        .toUpper();
}

bool MediaInitialize() {
    static bool ok = false;
    static std::once_flag once;
    std::call_once(once, [] {
        GError* error = nullptr;
        ok = gst_init_check(nullptr, nullptr, &error);
        if (error) {
            qWarning("GStreamer cannot start: %s", error->message);
            g_error_free(error);
        }
        if (ok) {
            media_internal::RegisterTestCameraProvider();
            media_internal::InstallTestCamerasFromEnvironment();
        }
    });
    return ok;
}

MediaMoniker::Impl::~Impl() {
    if (Device) gst_object_unref(Device);
    if (Factory) gst_object_unref(Factory);
}

MediaMoniker::MediaMoniker(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
MediaMoniker::~MediaMoniker() = default;
MediaCategory MediaMoniker::Category() const {
    return impl_->Category;
}
const QString& MediaMoniker::Key() const {
    return impl_->Key;
}
const QString& MediaMoniker::FriendlyName() const {
    return impl_->FriendlyName;
}

QString MediaMoniker::CapsText() const {
    if (!impl_->Device) return {};
    GstCaps* caps = gst_device_get_caps(impl_->Device);
    if (!caps) return {};
    gchar* text = gst_caps_to_string(caps);
    QString result = FromUtf8(text);
    g_free(text);
    gst_caps_unref(caps);
    return result;
}

namespace media_internal {
GstElement* CreateElement(const MediaMoniker& moniker, const char* name) {
    const auto& impl = moniker.Internal();
    if (impl.Device) return gst_device_create_element(impl.Device, name);
    if (impl.Factory) return gst_element_factory_create(impl.Factory, name);
    return nullptr;
}
} // namespace media_internal

// ---------------------------------------------------------------- enumeration

namespace {

QString StructureString(const GstStructure* s, const char* field) {
    return s ? FromUtf8(gst_structure_get_string(s, field)) : QString();
}

// A key that stays the same for the same physical device across refreshes.
QString DeviceKey(GstDevice* device, const char* prefix) {
    GstStructure* props = gst_device_get_properties(device);
    // A V4L2 node is known by its path, whichever provider found it.
    QString node = StructureString(props, "api.v4l2.path");
    if (node.isEmpty() && StructureString(props, "device.api") == QLatin1String("v4l2"))
        node = StructureString(props, "device.path");
    if (!node.isEmpty()) {
        gst_structure_free(props);
        return QStringLiteral("v4l2:") + node;
    }
    QString id;
    for (const char* field : {"api.v4l2.path", "device.path", "torvek.camera", "udev.id",
                              "node.name", "device.string"}) {
        id = StructureString(props, field);
        if (!id.isEmpty()) break;
    }
    if (props) gst_structure_free(props);
    if (id.isEmpty() && g_object_class_find_property(G_OBJECT_GET_CLASS(device), "internal-name")) {
        gchar* internal = nullptr;
        g_object_get(device, "internal-name", &internal, nullptr);
        id = FromUtf8(internal);
        g_free(internal);
    }
    if (id.isEmpty()) {
        gchar* display = gst_device_get_display_name(device);
        id = FromUtf8(display);
        g_free(display);
    }
    return QString::fromLatin1(prefix) + ':' + id;
}

void AddProviderDevices(const char* providerName, const char* keyPrefix, const char* deviceClass,
                        MediaCategory category, QList<MediaMonikerPtr>& out) {
    GstDeviceProvider* provider = gst_device_provider_factory_get_by_name(providerName);
    if (!provider) return;
    GList* devices = gst_device_provider_get_devices(provider);
    for (GList* l = devices; l; l = l->next) {
        auto* device = GST_DEVICE(l->data);
        if (!gst_device_has_classes(device, deviceClass)) {
            gst_object_unref(device);
            continue;
        }
        auto impl = std::make_unique<MediaMoniker::Impl>();
        impl->Category = category;
        impl->Key = DeviceKey(device, keyPrefix);
        gchar* name = gst_device_get_display_name(device);
        impl->FriendlyName = FromUtf8(name);
        g_free(name);
        impl->Device = device; // takes the list's reference
        out.append(std::make_shared<const MediaMoniker>(std::move(impl)));
    }
    g_list_free(devices);
    gst_object_unref(provider);
}

GstCaps* AviMuxSinkCaps(const char* templateName) {
    GstElementFactory* mux = gst_element_factory_find("avimux");
    if (!mux) return nullptr;
    GstCaps* result = nullptr;
    for (const GList* l = gst_element_factory_get_static_pad_templates(mux); l; l = l->next) {
        auto* tmpl = static_cast<GstStaticPadTemplate*>(l->data);
        if (tmpl->direction == GST_PAD_SINK && g_strcmp0(tmpl->name_template, templateName) == 0)
            result = gst_static_pad_template_get_caps(tmpl);
    }
    gst_object_unref(mux);
    return result;
}

bool FactoryFeedsCaps(GstElementFactory* factory, const GstCaps* accepted) {
    for (const GList* l = gst_element_factory_get_static_pad_templates(factory); l; l = l->next) {
        auto* tmpl = static_cast<GstStaticPadTemplate*>(l->data);
        if (tmpl->direction != GST_PAD_SRC) continue;
        GstCaps* caps = gst_static_pad_template_get_caps(tmpl);
        bool ok = gst_caps_can_intersect(caps, accepted);
        gst_caps_unref(caps);
        if (ok) return true;
    }
    return false;
}

void AddEncoders(MediaCategory category, QList<MediaMonikerPtr>& out) {
    const bool video = category == MediaCategory::VideoCompressor;
    GstCaps* accepted = AviMuxSinkCaps(video ? "video_%u" : "audio_%u");
    if (!accepted) return;
    GList* factories =
        gst_element_factory_list_get_elements(GST_ELEMENT_FACTORY_TYPE_ENCODER, GST_RANK_NONE);
    QList<GstElementFactory*> chosen;
    for (GList* l = factories; l; l = l->next) {
        auto* factory = GST_ELEMENT_FACTORY(l->data);
        const gchar* klass = gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_KLASS);
        const bool isVideo = klass && (strstr(klass, "Video") || strstr(klass, "Image"));
        const bool isAudio = klass && strstr(klass, "Audio");
        if ((video ? isVideo : isAudio) && FactoryFeedsCaps(factory, accepted))
            chosen.append(factory);
    }
    // Registry order is not stable between runs; the factory name is.
    std::sort(chosen.begin(), chosen.end(), [](GstElementFactory* a, GstElementFactory* b) {
        return g_strcmp0(GST_OBJECT_NAME(a), GST_OBJECT_NAME(b)) < 0;
    });
    for (GstElementFactory* factory : chosen) {
        auto impl = std::make_unique<MediaMoniker::Impl>();
        impl->Category = category;
        impl->Key = "enc:" + FromUtf8(GST_OBJECT_NAME(factory));
        impl->FriendlyName =
            FromUtf8(gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_LONGNAME));
        impl->Factory = GST_ELEMENT_FACTORY(gst_object_ref(factory));
        out.append(std::make_shared<const MediaMoniker>(std::move(impl)));
    }
    gst_plugin_feature_list_free(factories);
    gst_caps_unref(accepted);
}

} // namespace

namespace {
std::atomic<int> enumerations[4];
} // namespace

int MediaEnumerationCount(MediaCategory category) {
    return enumerations[int(category)].load();
}

QList<MediaMonikerPtr> EnumerateMediaDevices(MediaCategory category) {
    QList<MediaMonikerPtr> out;
    if (!MediaInitialize()) return out;
    ++enumerations[int(category)];
    switch (category) {
    case MediaCategory::VideoInput:
        AddProviderDevices("v4l2deviceprovider", "v4l2", "Video/Source", category, out);
        if (TestCamerasInstalled())
            AddProviderDevices(media_internal::kTestProviderName, "test", "Video/Source", category,
                               out);
        break;
    case MediaCategory::AudioInput: {
        const int before = out.size();
        AddProviderDevices("pulsedeviceprovider", "pulse", "Audio/Source", category, out);
        if (out.size() == before)
            AddProviderDevices("alsadeviceprovider", "alsa", "Audio/Source", category, out);
        break;
    }
    case MediaCategory::VideoCompressor:
    case MediaCategory::AudioCompressor:
        AddEncoders(category, out);
        break;
    }
    return out;
}

// ---------------------------------------------------------------- capabilities

namespace {

struct VideoSubtype {
    MediaGuid Guid;
    int Bits = 0;
    bool TopDown = false;
};

VideoSubtype SubtypeOfRawFormat(const QString& name) {
    using namespace guids;
    static const struct {
        const char* Name;
        MediaGuid Guid;
        int Bits;
        bool TopDown;
    } table[] = {
        {"YUY2", MEDIASUBTYPE_YUY2, 16, false},   {"UYVY", MEDIASUBTYPE_UYVY, 16, false},
        {"YVYU", MEDIASUBTYPE_YVYU, 16, false},   {"YVU9", MEDIASUBTYPE_YVU9, 9, false},
        {"IYU1", MEDIASUBTYPE_Y411, 12, false},   {"BGR", MEDIASUBTYPE_RGB24, 24, true},
        {"BGRx", MEDIASUBTYPE_RGB32, 32, true},   {"BGRA", MEDIASUBTYPE_ARGB32, 32, true},
        {"RGB16", MEDIASUBTYPE_RGB565, 16, true}, {"RGB15", MEDIASUBTYPE_RGB555, 16, true},
    };
    for (const auto& row : table)
        if (name == QLatin1String(row.Name)) return {row.Guid, row.Bits, row.TopDown};

    // Any other raw format: its FOURCC (or the first letters of its name) as subtype and the
    // bits per pixel of a reference frame, so the description stays the same between runs.
    VideoSubtype result;
    const QByteArray utf8 = name.toUtf8();
    GstVideoFormat format = gst_video_format_from_string(utf8.constData());
    quint32 fourcc = format != GST_VIDEO_FORMAT_UNKNOWN ? gst_video_format_to_fourcc(format) : 0;
    if (fourcc == 0) {
        QByteArray padded = (utf8 + "    ").left(4);
        fourcc = MakeFourCC(padded[0], padded[1], padded[2], padded[3]);
    }
    result.Guid = FourCCGuid(fourcc);
    if (format != GST_VIDEO_FORMAT_UNKNOWN) {
        GstVideoInfo info;
        gst_video_info_init(&info);
        if (gst_video_info_set_format(&info, format, 320, 240))
            result.Bits = int(GST_VIDEO_INFO_SIZE(&info) * 8 / (320 * 240));
        result.TopDown = GST_VIDEO_FORMAT_INFO_IS_RGB(gst_video_format_get_info(format));
    }
    return result;
}

QList<int> IntValues(const GValue* v, const QList<int>& rangeCandidates = {}) {
    QList<int> out;
    if (!v) return out;
    if (G_VALUE_HOLDS_INT(v)) {
        out.append(g_value_get_int(v));
    } else if (GST_VALUE_HOLDS_LIST(v)) {
        for (guint i = 0; i < gst_value_list_get_size(v); ++i)
            out += IntValues(gst_value_list_get_value(v, i), rangeCandidates);
    } else if (GST_VALUE_HOLDS_INT_RANGE(v)) {
        const int lo = gst_value_get_int_range_min(v), hi = gst_value_get_int_range_max(v);
        for (int c : rangeCandidates)
            if (c >= lo && c <= hi) out.append(c);
        if (rangeCandidates.isEmpty()) out.append(hi); // a size range: its largest size
    }
    return out;
}

QStringList StringValues(const GValue* v) {
    QStringList out;
    if (!v) return out;
    if (G_VALUE_HOLDS_STRING(v)) {
        out.append(FromUtf8(g_value_get_string(v)));
    } else if (GST_VALUE_HOLDS_LIST(v)) {
        for (guint i = 0; i < gst_value_list_get_size(v); ++i)
            out += StringValues(gst_value_list_get_value(v, i));
    }
    return out;
}

// Frame rates as (min, max) frames per second; max also serves as the default rate.
void CollectRates(const GValue* v, double& lo, double& hi) {
    if (!v) return;
    auto take = [&](double r) {
        if (r <= 0) return;
        lo = lo <= 0 ? r : std::min(lo, r);
        hi = std::max(hi, r);
    };
    if (GST_VALUE_HOLDS_FRACTION(v)) {
        const int d = gst_value_get_fraction_denominator(v);
        if (d > 0) take(double(gst_value_get_fraction_numerator(v)) / d);
    } else if (GST_VALUE_HOLDS_LIST(v)) {
        for (guint i = 0; i < gst_value_list_get_size(v); ++i)
            CollectRates(gst_value_list_get_value(v, i), lo, hi);
    } else if (GST_VALUE_HOLDS_FRACTION_RANGE(v)) {
        CollectRates(gst_value_get_fraction_range_min(v), lo, hi);
        CollectRates(gst_value_get_fraction_range_max(v), lo, hi);
    }
}

qint64 IntervalOf(double rate) {
    return rate > 0 ? qint64(std::llround(double(kUnitsPerSecond) / rate)) : 0;
}

void AddVideoCapability(QList<MediaCapability>& out, const MediaType& type, double lo, double hi) {
    for (MediaCapability& existing : out) {
        if (existing.Type.Caps == type.Caps) { // the same format and size: widen its rates
            if (lo > 0) {
                const qint64 maxInterval = IntervalOf(lo);
                existing.StreamCaps.MaxFrameInterval =
                    std::max(existing.StreamCaps.MaxFrameInterval, maxInterval);
            }
            if (hi > 0) {
                const qint64 minInterval = IntervalOf(hi);
                if (existing.StreamCaps.MinFrameInterval == 0 ||
                    minInterval < existing.StreamCaps.MinFrameInterval)
                    existing.StreamCaps.MinFrameInterval = minInterval;
            }
            return;
        }
    }
    MediaCapability cap;
    cap.Type = type;
    cap.Type.AvgTimePerFrame = IntervalOf(hi);
    cap.StreamCaps.MinFrameInterval = IntervalOf(hi);
    cap.StreamCaps.MaxFrameInterval = IntervalOf(lo);
    out.append(cap);
}

bool InRange(const GValue* v, int value) {
    const int lo = gst_value_get_int_range_min(v), hi = gst_value_get_int_range_max(v);
    const int step = std::max(1, gst_value_get_int_range_step(v));
    return value >= lo && value <= hi && (value - lo) % step == 0;
}

// The sizes of a structure: every width with every height listed, or for a camera that gives
// a stepwise range, the standard sizes inside it and its largest.
QList<QSize> VideoSizes(const GstStructure* s) {
    const GValue* w = gst_structure_get_value(s, "width");
    const GValue* h = gst_structure_get_value(s, "height");
    QList<QSize> sizes;
    if (w && h && GST_VALUE_HOLDS_INT_RANGE(w) && GST_VALUE_HOLDS_INT_RANGE(h)) {
        static const QSize standard[] = {
            {160, 120},  {176, 144},  {320, 240},   {352, 288},   {640, 360},
            {640, 480},  {800, 600},  {1024, 768},  {1280, 720},  {1280, 960},
            {1280, 1024}, {1600, 1200}, {1920, 1080}, {2560, 1440}, {3840, 2160}};
        for (const QSize& size : standard)
            if (InRange(w, size.width()) && InRange(h, size.height())) sizes.append(size);
        const QSize largest(gst_value_get_int_range_max(w), gst_value_get_int_range_max(h));
        if (!sizes.contains(largest)) sizes.append(largest);
        return sizes;
    }
    for (int width : IntValues(w))
        for (int height : IntValues(h))
            sizes.append(QSize(width, height));
    return sizes;
}

void AddVideoStructure(const GstStructure* s, QList<MediaCapability>& out) {
    const QString media = FromUtf8(gst_structure_get_name(s));
    const bool jpeg = media == "image/jpeg";
    if (!jpeg && media != "video/x-raw") return;
    QStringList formats =
        jpeg ? QStringList{QString()} : StringValues(gst_structure_get_value(s, "format"));
    const QList<QSize> sizes = VideoSizes(s);
    double lo = 0, hi = 0;
    CollectRates(gst_structure_get_value(s, "framerate"), lo, hi);
    for (const QString& format : formats) {
        for (const QSize& size : sizes) {
            const int w = size.width(), h = size.height();
            if (w <= 0 || h <= 0) continue;
            MediaType type;
            type.MajorType = guids::MEDIATYPE_Video;
            type.FormatType = MediaFormatType::VideoInfo;
            type.BiWidth = w;
            if (jpeg) {
                type.SubType = guids::MEDIASUBTYPE_MJPG;
                type.BiHeight = h;
                type.BiBitCount = 24;
                type.Caps = QString("image/jpeg, width=(int)%1, height=(int)%2").arg(w).arg(h);
            } else {
                const VideoSubtype sub = SubtypeOfRawFormat(format);
                type.SubType = sub.Guid;
                type.BiHeight = sub.TopDown ? -h : h;
                type.BiBitCount = quint16(sub.Bits);
                type.Caps =
                    QString("video/x-raw, format=(string)%1, width=(int)%2, height=(int)%3")
                        .arg(format)
                        .arg(w)
                        .arg(h);
            }
            AddVideoCapability(out, type, lo, hi);
        }
    }
}

void AddAudioStructure(const GstStructure* s, QList<MediaCapability>& out) {
    if (QLatin1String(gst_structure_get_name(s)) != QLatin1String("audio/x-raw")) return;
    static const QList<int> commonRates{8000, 11025, 16000, 22050, 32000, 44100, 48000};
    const QStringList formats = StringValues(gst_structure_get_value(s, "format"));
    const QList<int> rates = IntValues(gst_structure_get_value(s, "rate"), commonRates);
    const QList<int> channels = IntValues(gst_structure_get_value(s, "channels"), {1, 2});
    for (const QString& format : formats) {
        const GstAudioFormat f = gst_audio_format_from_string(format.toUtf8().constData());
        if (f == GST_AUDIO_FORMAT_UNKNOWN) continue;
        const GstAudioFormatInfo* info = gst_audio_format_get_info(f);
        const int width = GST_AUDIO_FORMAT_INFO_WIDTH(info);
        for (int rate : rates) {
            for (int ch : channels) {
                if (rate <= 0 || ch <= 0) continue;
                MediaType type;
                type.MajorType = guids::MEDIATYPE_Audio;
                type.SubType = GST_AUDIO_FORMAT_INFO_IS_FLOAT(info) ? guids::MEDIASUBTYPE_IEEE_FLOAT
                                                                    : guids::MEDIASUBTYPE_PCM;
                type.FormatType = MediaFormatType::WaveFormatEx;
                type.Channels = quint16(ch);
                type.SamplesPerSec = quint32(rate);
                type.BitsPerSample = quint16(width);
                type.AvgBytesPerSec = quint32(rate) * quint32(ch) * quint32(width / 8);
                type.Caps = QString("audio/x-raw, format=(string)%1, layout=(string)interleaved, "
                                    "rate=(int)%2, channels=(int)%3")
                                .arg(format)
                                .arg(rate)
                                .arg(ch);
                bool seen = false;
                for (const MediaCapability& c : out)
                    seen = seen || c.Type.Caps == type.Caps;
                if (!seen) out.append({type, {}});
            }
        }
    }
}

} // namespace

QList<MediaCapability> MediaCapabilitiesFromCaps(const QString& capsText) {
    QList<MediaCapability> out;
    if (capsText.isEmpty() || !MediaInitialize()) return out;
    GstCaps* caps = gst_caps_from_string(capsText.toUtf8().constData());
    if (!caps) return out;
    for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
        const GstStructure* s = gst_caps_get_structure(caps, i);
        AddVideoStructure(s, out);
        AddAudioStructure(s, out);
    }
    gst_caps_unref(caps);
    return out;
}

QString MediaTypeToCaps(const MediaType& type) {
    QString caps = type.Caps;
    if (!caps.isEmpty() && type.MajorType == guids::MEDIATYPE_Video && type.AvgTimePerFrame > 0) {
        // Intervals are whole 100-ns units: 333333 stands for 30/1, 333667 for 30000/1001.
        const double rate = double(kUnitsPerSecond) / double(type.AvgTimePerFrame);
        const double ntsc = rate * 1.001;
        gint num = 0, den = 1;
        if (std::abs(rate - std::round(rate)) < 0.01) {
            num = int(std::round(rate));
        } else if (std::abs(ntsc - std::round(ntsc)) < 0.01) {
            num = int(std::round(ntsc)) * 1000;
            den = 1001;
        } else {
            // The simplest fraction with this interval, as devices give them: 7.5 is 15/2,
            // and NTSC rates are over 1001 (7500/1001).
            for (gint i = 1; i <= 1000 && num == 0; ++i) {
                const gint d = i == 1 ? 1001 : i;
                const qint64 n = std::llround(rate * d);
                if (n > 0 && n <= G_MAXINT &&
                    std::llround(double(kUnitsPerSecond) * d / double(n)) == type.AvgTimePerFrame) {
                    num = gint(n);
                    den = d;
                }
            }
            if (num == 0) gst_util_double_to_fraction(rate, &num, &den);
        }
        caps += QString(", framerate=(fraction)%1/%2").arg(num).arg(den);
    }
    return caps;
}

// ---------------------------------------------------------------- stream configuration

namespace {

// The format a V4L2 device is set to right now, as caps-like fields; empty when unknown.
bool ReadV4l2CurrentFormat(const QString& path, QString& gstFormat, int& width, int& height) {
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK);
    if (fd < 0) return false;
    v4l2_format fmt{};
    fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    const bool ok = ::ioctl(fd, VIDIOC_G_FMT, &fmt) == 0;
    ::close(fd);
    if (!ok) return false;
    width = int(fmt.fmt.pix.width);
    height = int(fmt.fmt.pix.height);
    switch (fmt.fmt.pix.pixelformat) {
    case V4L2_PIX_FMT_YUYV:
        gstFormat = "YUY2";
        break;
    case V4L2_PIX_FMT_UYVY:
        gstFormat = "UYVY";
        break;
    case V4L2_PIX_FMT_YVYU:
        gstFormat = "YVYU";
        break;
    case V4L2_PIX_FMT_BGR24:
        gstFormat = "BGR";
        break;
    case V4L2_PIX_FMT_RGB24:
        gstFormat = "RGB";
        break;
    case V4L2_PIX_FMT_YUV420:
        gstFormat = "I420";
        break;
    case V4L2_PIX_FMT_NV12:
        gstFormat = "NV12";
        break;
    case V4L2_PIX_FMT_GREY:
        gstFormat = "GRAY8";
        break;
    case V4L2_PIX_FMT_MJPEG:
    case V4L2_PIX_FMT_JPEG:
        gstFormat = "JPEG";
        break;
    default:
        return false;
    }
    return true;
}

V4l2FormatReader& FormatReader() {
    static V4l2FormatReader reader; // GUI thread only
    return reader;
}

bool ReadCurrentFormat(const QString& path, QString& gstFormat, int& width, int& height) {
    if (FormatReader()) return FormatReader()(path, gstFormat, width, height);
    return ReadV4l2CurrentFormat(path, gstFormat, width, height);
}

QHash<QString, MediaType>& LastSetFormats() {
    static QHash<QString, MediaType> formats; // GUI thread only
    return formats;
}

} // namespace

void SetV4l2FormatReader(V4l2FormatReader reader) {
    FormatReader() = std::move(reader);
}

void media_internal::ForgetChosenFormats(const QString& keyPrefix) {
    auto& formats = LastSetFormats();
    for (auto it = formats.begin(); it != formats.end();)
        it = it.key().startsWith(keyPrefix) ? formats.erase(it) : std::next(it);
}

namespace {

class DeviceStreamConfig final : public MediaStreamConfig {
public:
    explicit DeviceStreamConfig(const MediaMonikerPtr& moniker)
        : key_(moniker->Key()), caps_(MediaCapabilitiesFromCaps(moniker->CapsText())) {
        if (key_.startsWith("v4l2:")) {
            QString format;
            int w = 0, h = 0;
            if (ReadCurrentFormat(key_.mid(5), format, w, h)) {
                for (const MediaCapability& c : caps_) {
                    const bool jpeg = c.Type.SubType == guids::MEDIASUBTYPE_MJPG;
                    const bool sameFormat =
                        jpeg ? format == "JPEG"
                             : c.Type.Caps.contains(QString("format=(string)%1,").arg(format));
                    if (sameFormat && c.Type.BiWidth == w && std::abs(c.Type.BiHeight) == h) {
                        deviceCurrent_ = c.Type;
                        hasDeviceCurrent_ = true;
                        break;
                    }
                }
            }
        }
    }

    int GetNumberOfCapabilities() const override { return int(caps_.size()); }

    bool GetStreamCaps(int index, MediaType& type, MediaStreamCaps& caps) const override {
        if (index < 0 || index >= caps_.size()) return false;
        type = caps_[index].Type;
        caps = caps_[index].StreamCaps;
        return true;
    }

    bool GetFormat(MediaType& type) const override {
        // A format chosen earlier counts only while the device now at this path still
        // offers it: another camera may have been plugged into the same port.
        auto it = LastSetFormats().constFind(key_);
        if (it != LastSetFormats().constEnd() && Offers(it->Caps)) {
            type = *it;
            return true;
        }
        if (hasDeviceCurrent_) {
            type = deviceCurrent_;
            return true;
        }
        if (caps_.isEmpty()) return false;
        type = caps_.first().Type;
        return true;
    }

    bool SetFormat(const MediaType& type) override {
        for (const MediaCapability& c : caps_) {
            if (c.Type.Caps != type.Caps) continue;
            const qint64 interval = type.AvgTimePerFrame;
            if (interval > 0 && c.StreamCaps.MinFrameInterval > 0 &&
                c.StreamCaps.MaxFrameInterval > 0) {
                // A rate outside what the device offers would fail at negotiation.
                const qint64 slack = 10; // 1 us of rounding
                if (interval < c.StreamCaps.MinFrameInterval - slack ||
                    interval > c.StreamCaps.MaxFrameInterval + slack)
                    return false;
            }
            LastSetFormats()[key_] = type;
            return true;
        }
        return false;
    }

private:
    bool Offers(const QString& caps) const {
        return std::any_of(caps_.begin(), caps_.end(),
                           [&](const MediaCapability& c) { return c.Type.Caps == caps; });
    }

    QString key_;
    QList<MediaCapability> caps_;
    MediaType deviceCurrent_;
    bool hasDeviceCurrent_ = false;
};

} // namespace

std::unique_ptr<MediaStreamConfig> CreateDeviceStreamConfig(const MediaMonikerPtr& moniker) {
    if (!moniker || !moniker->Internal().Device) return nullptr;
    auto config = std::make_unique<DeviceStreamConfig>(moniker);
    if (config->GetNumberOfCapabilities() <= 0) return nullptr;
    return config;
}

} // namespace platform
