#pragma once
// One camera's GStreamer pipeline:
//   source ! capsfilter ! tee name=MySmartTee
//     preview: queue leaky ! [jpegdec] ! videoconvert (passes common formats) ! appsink name=MyBitmapGrabber
//     file (only while recording): queue ! [encoder] ! avimux ! filesink
//   audio source ! capsfilter ! tee name=MyInfTee ! [queue ! audio sink] (+ file branch)
// The streaming threads only convert a requested frame (what changed of it, into a picture of
// a small pool) and hand it over under one lock, and post events; frames,
// bus errors and "rendered" notices reach the owner as signals on the GUI thread. A preview
// frame that nobody has asked for is dropped before decoding and conversion.
#include "platform/FrameConverter.h"
#include "platform/MediaDevices.h"

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>

typedef struct _GstElement GstElement;

namespace platform {

// What a pipeline error stands for: the recording branch failed (the camera goes on), the
// camera's stream failed, or its device went away.
enum class MediaFault { Recording, Stream, DeviceLost };

class MediaCapturePipeline : public QObject {
    Q_OBJECT
public:
    explicit MediaCapturePipeline(QObject* parent = nullptr);
    // Pipeline to NULL first (no streaming thread runs after that), then callbacks cleared.
    ~MediaCapturePipeline() override;

    // Source elements stay in the pipeline until the object goes; false when the device's
    // element cannot be made or added.
    bool SetVideoSource(const MediaMonikerPtr& moniker);
    bool SetAudioSource(const MediaMonikerPtr& moniker);
    bool HasVideoSource() const { return videoSource_ != nullptr; }
    // The camera's source element (for its settings dialog), null when there is none.
    GstElement* VideoSourceElement() const { return static_cast<GstElement*>(videoSource_); }
    bool HasAudioSource() const { return audioSource_ != nullptr; }

    // Building the downstream parts; each false when that part cannot be made or linked.
    bool BuildVideoTee(const QString& caps);
    bool BuildAudioTee(const QString& caps, bool wantAudioPreview);
    bool BuildPreview(bool wantGrabber);
    bool HasGrabber() const { return grabber_ != nullptr; }
    // Stops the pipeline and removes everything downstream of the sources.
    void TearDown();

    // Asks for PLAYING without waiting for it: a camera that sends nothing must not hold up
    // the caller. False only when the change fails outright (device missing, busy).
    // FirstFrame follows once the source's first frame of this run has arrived.
    bool Run(QString* error = nullptr);
    bool HasFirstFrame() const { return firstFrame_.load(); }
    // Frames the source has delivered since the pipeline was made (preview or not).
    quint64 FramesArrived() const { return arrived_.load(); }
    void Stop();
    bool IsRunning() const { return running_; }

    // Attaches the recording branch to the running tee(s); the encoders may be null.
    bool StartFileBranch(const QString& fileName, const MediaMonikerPtr& videoEncoder,
                         const MediaMonikerPtr& audioEncoder, QString* error = nullptr);
    // Detaches it, finishing the file with EOS; false when the end did not reach the file
    // within timeoutMs (the branch is removed all the same).
    bool StopFileBranch(int timeoutMs = 5000);
    bool HasFileBranch() const { return fileBranch_ != nullptr; }

    // Asks the grabber to copy the next frame (or withdraws the request).
    void RequestFrame(bool want) { wantFrame_.store(want); }
    // No FrameRendered for frames that pass in the next ms milliseconds (0: again at once),
    // for an owner that wants no frame before then: the GUI thread is not woken for them.
    void HoldNotices(int ms);
    // The last copied frame as a Format_RGB32 image (shared, not copied again); false when
    // there is none.
    bool TakeFrame(QImage& image);

    // Counters for tests and benchmarks: frames that reached the preview branch (each one
    // announced by FrameRendered), frames handed over.
    quint64 FramesRendered() const { return rendered_.load(); }
    quint64 FramesCopied() const { return copied_.load(); }

signals:
    void FrameGrabbed();
    void FrameRendered();
    void FirstFrame();
    // An error from the running pipeline.
    void PipelineError(platform::MediaFault fault, const QString& text);

protected:
    bool event(QEvent* e) override;

private:
    struct Gst;
    struct FileBranch;

    void OnSample(void* sample);      // streaming thread
    bool OnPreviewBuffer();           // streaming thread: true lets the frame through
    void OnBusMessage(void* message); // any thread
    void PostStreamingEvent(int type, std::atomic<bool>& pending);
    void OnSourceBuffer(); // streaming thread

    std::unique_ptr<Gst> gst_;
    void* videoSource_ = nullptr; // GstElement*
    void* audioSource_ = nullptr;
    void* grabber_ = nullptr;
    std::shared_ptr<FileBranch> fileBranch_; // set and cleared on the GUI thread only
    std::mutex branchLock_;                  // guards fileBranch_ against the bus handler
    bool running_ = false;
    bool videoIsJpeg_ = false;

    std::atomic<bool> wantFrame_{false};
    std::atomic<qint64> quietUntil_{0}; // steady clock, ms
    std::atomic<bool> grabbing_{false}; // grabber_ as the streaming thread sees it
    std::atomic<bool> grabbedPending_{false};
    std::atomic<bool> renderedPending_{false};
    std::atomic<bool> firstFrame_{false};
    std::atomic<quint64> arrived_{0};
    std::atomic<int> generation_{0};
    std::atomic<quint64> rendered_{0};
    std::atomic<quint64> copied_{0};
    std::mutex frameLock_; // the one lock: guards frame_
    QImage frame_;
    FrameConverter converter_; // streaming thread, or with the pipeline stopped
    qint64 lastKey_ = 0;       // the picture handed over last (streaming thread)
};

} // namespace platform
