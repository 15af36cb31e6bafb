#pragma once
// Device enumeration over GStreamer: cameras, sound inputs and the encoders that can feed an
// AVI file, each reached through a moniker with a stable identity key.
#include "platform/MediaFormat.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace platform {

// Initialises GStreamer once (and the test cameras when TORVEK_TEST_CAMERAS asks for them).
// Every media entry point calls it; false when GStreamer cannot start.
bool MediaInitialize();

enum class MediaCategory { VideoInput, AudioInput, VideoCompressor, AudioCompressor };

// One enumerated device or encoder. Shared: the device lists and the capture controls all
// hold it, so clearing a list never frees what a running camera uses.
class MediaMoniker {
public:
    struct Impl;
    explicit MediaMoniker(std::unique_ptr<Impl> impl);
    ~MediaMoniker();
    MediaMoniker(const MediaMoniker&) = delete;
    MediaMoniker& operator=(const MediaMoniker&) = delete;

    MediaCategory Category() const;
    // "v4l2:/dev/video0", "test:2", "pulse:<name>", "enc:jpegenc": the same across refreshes.
    const QString& Key() const;
    // The friendly name exactly as the device or encoder gives it (not trimmed).
    const QString& FriendlyName() const;
    // Raw caps text of the device (empty for encoders).
    QString CapsText() const;
    const Impl& Internal() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};
using MediaMonikerPtr = std::shared_ptr<const MediaMoniker>;

// The devices of a category in enumeration order. Never blocks long: a missing provider or
// sound server just gives fewer entries.
QList<MediaMonikerPtr> EnumerateMediaDevices(MediaCategory category);
// How many times the category was enumerated since start (each pass opens every device).
int MediaEnumerationCount(MediaCategory category);

// One capability per (format, width, height) for video, per (format, rate, channels) for
// audio, in caps order; frame-rate ranges give the interval limits.
struct MediaCapability {
    MediaType Type;
    MediaStreamCaps StreamCaps;
};
QList<MediaCapability> MediaCapabilitiesFromCaps(const QString& capsText);

// The stream configuration of a device's capture pin. The current format is the one last set
// for this device (kept per identity key for the whole process), else the device's own
// current format when it can be read, else the first capability.
std::unique_ptr<MediaStreamConfig> CreateDeviceStreamConfig(const MediaMonikerPtr& moniker);

// Reads the format a V4L2 device node is set to now (VIDIOC_G_FMT) as a GStreamer format
// name ("YUY2", "JPEG", ...) and size; false when it cannot be read. Replaceable for tests
// (an empty reader restores the real one).
using V4l2FormatReader =
    std::function<bool(const QString& path, QString& gstFormat, int& width, int& height)>;
void SetV4l2FormatReader(V4l2FormatReader reader);

// The caps text a chosen type asks of the source, with the frame rate when one is set.
QString MediaTypeToCaps(const MediaType& type);

} // namespace platform
