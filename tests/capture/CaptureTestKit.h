#pragma once
// What the capture tests share: test-pattern cameras, a look at a recorded file, and a disk
// that fills up.
#include "capture/CaptureDevices.h"
#include "platform/MediaTestCameras.h"
#include "support/TestSupport.h"

#include <gst/pbutils/pbutils.h>
#include <gtest/gtest.h>

#include <QColor>
#include <QElapsedTimer>
#include <QUrl>

#include <csignal>
#include <sys/resource.h>

namespace capture_test {

constexpr int kWait = 20000; // generous: waits are for conditions, never for speed

inline platform::TestCameraSpec Camera(const QString& name, const QString& format = "YUY2",
                                       const QString& pattern = "ball") {
    platform::TestCameraSpec camera;
    camera.Name = name;
    camera.Format = format;
    camera.Pattern = pattern;
    return camera;
}

// Every test ends without test cameras and with empty device lists.
class CameraTest : public ::testing::Test {
protected:
    void TearDown() override {
        platform::RemoveTestCameras();
        ClearDeviceLists();
    }
};

// Each channel of p within `tolerance` of colour's.
inline bool NearColour(QRgb p, QRgb colour, int tolerance) {
    return qAbs(qRed(p) - qRed(colour)) < tolerance && qAbs(qGreen(p) - qGreen(colour)) < tolerance &&
           qAbs(qBlue(p) - qBlue(colour)) < tolerance;
}

// Lets the event loop run for a while (for "nothing more happens" checks).
inline void Pause(int ms) {
    QElapsedTimer clock;
    clock.start();
    TestSupport::WaitFor([&] { return clock.elapsed() >= ms; }, ms + 1000);
}

// What GStreamer's discoverer reads back from a recorded file.
struct AviFacts {
    bool Readable = false;
    int Width = 0, Height = 0;
    double Seconds = 0;
};

inline AviFacts Discover(const QString& path) {
    AviFacts facts;
    GError* error = nullptr;
    GstDiscoverer* discoverer = gst_discoverer_new(10 * GST_SECOND, &error);
    g_clear_error(&error);
    if (!discoverer) return facts;
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
    GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer, uri.constData(), &error);
    g_clear_error(&error);
    if (info && gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK) {
        facts.Readable = true;
        facts.Seconds = double(gst_discoverer_info_get_duration(info)) / GST_SECOND;
        if (GList* videos = gst_discoverer_info_get_video_streams(info)) {
            auto* v = GST_DISCOVERER_VIDEO_INFO(videos->data);
            facts.Width = int(gst_discoverer_video_info_get_width(v));
            facts.Height = int(gst_discoverer_video_info_get_height(v));
            gst_discoverer_stream_info_list_free(videos);
        }
    }
    if (info) gst_discoverer_info_unref(info);
    g_object_unref(discoverer);
    return facts;
}

// While it lives, files of this process cannot grow past `bytes` (a full disk).
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes) : oldSignal_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    void (*oldSignal_)(int);
    rlimit old_{};
};

} // namespace capture_test
