#include "platform/MediaTestCameras.h"
#include "platform/MediaInternal.h"

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

struct TestCameraSource; // the source element of one test camera

namespace {

// ---------------------------------------------------------------- shared state

struct State {
    std::mutex Lock;
    QList<TestCameraSpec> Cameras;
    std::vector<bool> Plugged;
    std::vector<bool> Stalled;
    std::vector<TestCameraSource*> Live; // running sources, for simulated unplugging
};

State& Shared() {
    static State* state = new State; // lives to the end: sources may finalize late
    return *state;
}

bool IsPlugged(int index) {
    State& s = Shared();
    std::lock_guard lock(s.Lock);
    return index >= 0 && index < int(s.Plugged.size()) && s.Plugged[size_t(index)];
}

QString CapsOf(const TestCameraSpec& cameraSpec) {
    gint num = 30, den = 1;
    if (cameraSpec.FramesPerSecond > 0)
        gst_util_double_to_fraction(cameraSpec.FramesPerSecond, &num, &den);
    const bool jpeg = cameraSpec.Format.compare("JPEG", Qt::CaseInsensitive) == 0;
    QStringList parts;
    for (const QString& format : cameraSpec.Format.split(',', Qt::SkipEmptyParts)) {
        for (const QSize& size : cameraSpec.Sizes) {
            const QString common =
                QString("width=(int)%1, height=(int)%2, framerate=(fraction)%3/%4")
                    .arg(size.width())
                    .arg(size.height())
                    .arg(num)
                    .arg(den);
            if (jpeg)
                parts << "image/jpeg, " + common;
            else
                parts << QString("video/x-raw, format=(string)%1, ").arg(format.trimmed()) + common;
        }
    }
    return parts.join("; ");
}

bool IsStalled(int index) {
    State& s = Shared();
    std::lock_guard lock(s.Lock);
    return index >= 0 && index < int(s.Stalled.size()) && s.Stalled[size_t(index)];
}

} // namespace

// ---------------------------------------------------------------- the source element

struct TestCameraSource {
    GstBin Parent;
    std::atomic<int> Index; // changed on the GUI thread, read by streaming threads
    std::atomic<bool> Unplugged;
    std::atomic<bool> Failed; // a stream error ended this run
};
struct TestCameraSourceClass {
    GstBinClass ParentClass;
};

G_DEFINE_TYPE(TestCameraSource, torvek_test_camera_source, GST_TYPE_BIN)

static GstStateChangeReturn TestSourceChangeState(GstElement* element, GstStateChange transition) {
    auto* self = reinterpret_cast<TestCameraSource*>(element);
    if (transition == GST_STATE_CHANGE_NULL_TO_READY) {
        if (!IsPlugged(self->Index)) {
            // What a camera that was pulled out does when it is opened.
            GST_ELEMENT_ERROR(element, RESOURCE, NOT_FOUND,
                              ("Test camera %d is unplugged.", self->Index + 1), (nullptr));
            return GST_STATE_CHANGE_FAILURE;
        }
        self->Unplugged = false; // plugged in again: it opens as a real camera would
        self->Failed = false;
    }
    return GST_ELEMENT_CLASS(torvek_test_camera_source_parent_class)
        ->change_state(element, transition);
}

static void TestSourceFinalize(GObject* object) {
    State& s = Shared();
    {
        std::lock_guard lock(s.Lock);
        auto& live = s.Live;
        live.erase(
            std::remove(live.begin(), live.end(), reinterpret_cast<TestCameraSource*>(object)),
            live.end());
    }
    G_OBJECT_CLASS(torvek_test_camera_source_parent_class)->finalize(object);
}

static void torvek_test_camera_source_class_init(TestCameraSourceClass* klass) {
    GST_ELEMENT_CLASS(klass)->change_state = TestSourceChangeState;
    G_OBJECT_CLASS(klass)->finalize = TestSourceFinalize;
    gst_element_class_set_static_metadata(GST_ELEMENT_CLASS(klass), "TORVEK test camera",
                                          "Source/Video", "Test-pattern camera", "TORVEK");
}

static void torvek_test_camera_source_init(TestCameraSource* self) {
    new (&self->Index) std::atomic<int>(-1);
    new (&self->Unplugged) std::atomic<bool>(false);
    new (&self->Failed) std::atomic<bool>(false);
}

static GstPadProbeReturn DropWhenUnplugged(GstPad*, GstPadProbeInfo*, gpointer data) {
    auto* self = static_cast<TestCameraSource*>(data);
    const bool silent = self->Unplugged || self->Failed || IsStalled(self->Index);
    return silent ? GST_PAD_PROBE_DROP : GST_PAD_PROBE_OK;
}

// Sensor noise: the lowest bit of each byte of the raw frame flipped at random, so no two
// frames have a row alike. A colour channel moves by at most about 3, below the detector's
// default threshold, as the noise of a good camera does.
static GstPadProbeReturn AddSensorNoise(GstPad*, GstPadProbeInfo* info, gpointer) {
    GstBuffer* buffer = gst_buffer_make_writable(GST_PAD_PROBE_INFO_BUFFER(info));
    GST_PAD_PROBE_INFO_DATA(info) = buffer;
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READWRITE)) return GST_PAD_PROBE_OK;
    thread_local quint64 state = 0x9E3779B97F4A7C15ull ^ quint64(quintptr(&state));
    const size_t words = map.size / 8;
    auto* data = map.data;
    for (size_t i = 0; i < words; ++i) {
        state ^= state << 13; // xorshift64: cheap enough to be a small part of the pattern's cost
        state ^= state >> 7;
        state ^= state << 17;
        quint64 word;
        memcpy(&word, data + i * 8, 8);
        word ^= state & 0x0101010101010101ull;
        memcpy(data + i * 8, &word, 8);
    }
    gst_buffer_unmap(buffer, &map);
    return GST_PAD_PROBE_OK;
}

static GstElement* CreateTestSource(int index, const TestCameraSpec& cameraSpec, const gchar* name) {
    auto* self = static_cast<TestCameraSource*>(
        g_object_new(torvek_test_camera_source_get_type(), name ? "name" : nullptr, name, nullptr));
    self->Index = index;
    GstElement* bin = GST_ELEMENT(self);

    GstElement* src = gst_element_factory_make("videotestsrc", "pattern");
    if (!src) {
        gst_object_unref(gst_object_ref_sink(bin));
        return nullptr;
    }
    g_object_set(src, "is-live", TRUE, nullptr);
    gst_util_set_object_arg(G_OBJECT(src), "pattern", cameraSpec.Pattern.toUtf8().constData());
    gst_bin_add(GST_BIN(bin), src);
    if (cameraSpec.Noise) {
        GstPad* raw = gst_element_get_static_pad(src, "src");
        gst_pad_add_probe(raw, GST_PAD_PROBE_TYPE_BUFFER, AddSensorNoise, nullptr, nullptr);
        gst_object_unref(raw);
    }
    GstElement* last = src;
    if (cameraSpec.Format.compare("JPEG", Qt::CaseInsensitive) == 0) {
        GstElement* enc = gst_element_factory_make("jpegenc", "encoder");
        if (!enc) {
            gst_object_unref(gst_object_ref_sink(bin));
            return nullptr;
        }
        gst_bin_add(GST_BIN(bin), enc);
        gst_element_link(src, enc);
        last = enc;
    }
    // Like a real camera, it delivers only the formats it offers.
    GstElement* offered = gst_element_factory_make("capsfilter", "offered");
    GstCaps* caps = gst_caps_from_string(CapsOf(cameraSpec).toUtf8().constData());
    if (!offered || !caps) {
        if (caps) gst_caps_unref(caps);
        if (offered) gst_object_unref(gst_object_ref_sink(offered));
        gst_object_unref(gst_object_ref_sink(bin));
        return nullptr;
    }
    g_object_set(offered, "caps", caps, nullptr);
    gst_caps_unref(caps);
    gst_bin_add(GST_BIN(bin), offered);
    gst_element_link(last, offered);
    last = offered;
    GstPad* target = gst_element_get_static_pad(last, "src");
    gst_pad_add_probe(target, GST_PAD_PROBE_TYPE_BUFFER, DropWhenUnplugged, self, nullptr);
    gst_element_add_pad(bin, gst_ghost_pad_new("src", target));
    gst_object_unref(target);

    State& s = Shared();
    std::lock_guard lock(s.Lock);
    s.Live.push_back(self);
    return bin;
}

// ---------------------------------------------------------------- device and provider

struct TestCameraDevice {
    GstDevice Parent;
    int Index;
};
struct TestCameraDeviceClass {
    GstDeviceClass ParentClass;
};

G_DEFINE_TYPE(TestCameraDevice, torvek_test_camera_device, GST_TYPE_DEVICE)

static GstElement* TestDeviceCreateElement(GstDevice* device, const gchar* name) {
    const int index = reinterpret_cast<TestCameraDevice*>(device)->Index;
    TestCameraSpec cameraSpec;
    {
        State& s = Shared();
        std::lock_guard lock(s.Lock);
        if (index < 0 || index >= s.Cameras.size()) return nullptr;
        cameraSpec = s.Cameras[index];
    }
    return CreateTestSource(index, cameraSpec, name);
}

static void torvek_test_camera_device_class_init(TestCameraDeviceClass* klass) {
    GST_DEVICE_CLASS(klass)->create_element = TestDeviceCreateElement;
}
static void torvek_test_camera_device_init(TestCameraDevice* self) {
    self->Index = -1;
}

struct TestCameraProvider {
    GstDeviceProvider Parent;
};
struct TestCameraProviderClass {
    GstDeviceProviderClass ParentClass;
};

G_DEFINE_TYPE(TestCameraProvider, torvek_test_camera_provider, GST_TYPE_DEVICE_PROVIDER)

static GList* TestProviderProbe(GstDeviceProvider*) {
    QList<TestCameraSpec> cameras;
    std::vector<bool> plugged;
    {
        State& s = Shared();
        std::lock_guard lock(s.Lock);
        cameras = s.Cameras;
        plugged = s.Plugged;
    }
    GList* devices = nullptr;
    for (int i = 0; i < cameras.size(); ++i) {
        if (!plugged[size_t(i)]) continue;
        GstCaps* caps = gst_caps_from_string(CapsOf(cameras[i]).toUtf8().constData());
        GstStructure* props =
            gst_structure_new("torvek-test-camera", "torvek.camera", G_TYPE_STRING,
                              QByteArray::number(i + 1).constData(), nullptr);
        if (!cameras[i].V4l2Path.isEmpty()) {
            // What the V4L2 provider publishes for a device node.
            const QByteArray path = cameras[i].V4l2Path.toUtf8();
            gst_structure_set(props, "device.api", G_TYPE_STRING, "v4l2", "device.path",
                              G_TYPE_STRING, path.constData(), "api.v4l2.path", G_TYPE_STRING,
                              path.constData(), nullptr);
        }
        auto* device = static_cast<TestCameraDevice*>(
            g_object_new(torvek_test_camera_device_get_type(), "display-name",
                         cameras[i].Name.toUtf8().constData(), "caps", caps, "device-class",
                         "Video/Source", "properties", props, nullptr));
        device->Index = i;
        gst_caps_unref(caps);
        gst_structure_free(props);
        devices = g_list_append(devices, gst_object_ref_sink(device));
    }
    return devices;
}

static void torvek_test_camera_provider_class_init(TestCameraProviderClass* klass) {
    GST_DEVICE_PROVIDER_CLASS(klass)->probe = TestProviderProbe;
    gst_device_provider_class_set_static_metadata(GST_DEVICE_PROVIDER_CLASS(klass),
                                                  "TORVEK test cameras", "Source/Video",
                                                  "Test-pattern cameras", "TORVEK");
}
static void torvek_test_camera_provider_init(TestCameraProvider*) {}

static gboolean TestCamerasPluginInit(GstPlugin* plugin) {
    return gst_device_provider_register(plugin, media_internal::kTestProviderName, GST_RANK_NONE,
                                        torvek_test_camera_provider_get_type());
}

// ---------------------------------------------------------------- public side

static void SetCameras(const QList<TestCameraSpec>& cameras);

namespace media_internal {

void RegisterTestCameraProvider() {
    static std::once_flag once;
    std::call_once(once, [] {
        gst_plugin_register_static(GST_VERSION_MAJOR, GST_VERSION_MINOR, "torvektestcameras",
                                   "Test-pattern cameras", TestCamerasPluginInit, "1.0", "LGPL",
                                   "torvek", "torvek", "torvek");
    });
}

void InstallTestCamerasFromEnvironment() {
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("TORVEK_TEST_CAMERAS", &ok);
    if (!ok || count < 1 || count > 4) return;
    QList<TestCameraSpec> cameras = DefaultTestCameras(count);
    // For benchmarks: one frame size only (e.g. "1280x720"), so every start takes that size.
    const QStringList size = qEnvironmentVariable("TORVEK_TEST_CAMERA_SIZE").split('x');
    const int width = size.size() == 2 ? size[0].toInt() : 0;
    const int height = size.size() == 2 ? size[1].toInt() : 0;
    if (width >= 16 && height >= 16 && width <= 4096 && height <= 4096)
        for (TestCameraSpec& camera : cameras)
            camera.Sizes = {QSize(width, height)};
    // For benchmarks and trials: frames with a sensor's noise (every row changes every frame).
    if (qEnvironmentVariableIntValue("TORVEK_TEST_CAMERA_NOISE") == 1)
        for (TestCameraSpec& camera : cameras)
            camera.Noise = true;
    SetCameras(cameras);
    // For trying out a whole station: the file names the test cameras (1-based) that are
    // unplugged right now; editing it plugs and unplugs them while the station runs.
    const QString unplugged = qEnvironmentVariable("TORVEK_TEST_CAMERAS_UNPLUGGED");
    if (unplugged.isEmpty()) return;
    std::thread([unplugged, count] {
        QList<bool> was(count, true);
        for (;;) {
            QList<bool> plugged(count, true);
            QFile file(unplugged);
            if (file.open(QIODevice::ReadOnly)) {
                const QString text = QString::fromUtf8(file.readAll());
                for (const QString& word : text.split(QRegularExpression("[^0-9]+"), Qt::SkipEmptyParts)) {
                    const int n = word.toInt();
                    if (n >= 1 && n <= count) plugged[n - 1] = false;
                }
            }
            for (int i = 0; i < count; ++i)
                if (plugged[i] != was[i]) SetTestCameraPlugged(i, plugged[i]);
            was = plugged;
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
    }).detach();
}

} // namespace media_internal

QList<TestCameraSpec> DefaultTestCameras(int count) {
    QList<TestCameraSpec> cameras;
    for (int i = 1; i <= count; ++i) {
        TestCameraSpec cameraSpec;
        cameraSpec.Name = QString("TORVEK Test Camera %1").arg(i);
        if (i == 3) {
            cameraSpec.Name = "TORVEK Test Camera 3 (JPEG)";
            cameraSpec.Format = "JPEG";
        }
        cameras << cameraSpec;
    }
    return cameras;
}

static void SetCameras(const QList<TestCameraSpec>& cameras) {
    State& s = Shared();
    std::lock_guard lock(s.Lock);
    s.Cameras = cameras;
    s.Plugged.assign(size_t(cameras.size()), true);
    s.Stalled.assign(size_t(cameras.size()), false);
    for (TestCameraSource* live : s.Live)
        live->Index = -1; // sources of a former set no longer belong to any camera
}

void InstallTestCameras(const QList<TestCameraSpec>& cameras) {
    MediaInitialize(); // also registers the provider
    SetCameras(cameras);
    media_internal::ForgetChosenFormats("test:"); // these are new devices
}

void RemoveTestCameras() {
    InstallTestCameras({});
}

bool TestCamerasInstalled() {
    State& s = Shared();
    std::lock_guard lock(s.Lock);
    return !s.Cameras.isEmpty();
}

void SetTestCameraPlugged(int index, bool plugged) {
    State& s = Shared();
    std::lock_guard lock(s.Lock);
    if (index < 0 || index >= int(s.Plugged.size())) return;
    s.Plugged[size_t(index)] = plugged;
    if (plugged) return;
    for (TestCameraSource* live : s.Live) {
        if (live->Index != index || live->Unplugged.exchange(true)) continue;
        // A camera pulled out while streaming: frames stop and the pipeline hears of it.
        GST_ELEMENT_ERROR(GST_ELEMENT(live), RESOURCE, NOT_FOUND,
                          ("Test camera %d was unplugged.", index + 1), (nullptr));
    }
}

void FailTestCameraStream(int index) {
    State& s = Shared();
    std::lock_guard lock(s.Lock);
    for (TestCameraSource* live : s.Live) {
        if (live->Index != index || live->Failed.exchange(true)) continue;
        // What a source posts when a dequeue fails and the stream stops.
        GST_ELEMENT_ERROR(GST_ELEMENT(live), STREAM, FAILED, ("Internal data stream error."),
                          ("simulated failure of test camera %d", index + 1));
    }
}

void SetTestCameraStalled(int index, bool stalled) {
    State& s = Shared();
    std::lock_guard lock(s.Lock);
    if (index >= 0 && index < int(s.Stalled.size())) s.Stalled[size_t(index)] = stalled;
}

} // namespace platform
