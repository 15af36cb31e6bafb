#pragma once
// The capture control of one camera: turns the chosen source into a running pipeline,
// delivers grabbed frames one at a time (32-bit for showing, 24-bit bitmaps for those who
// take them), records AVI files on request and
// follows the pipeline's errors (abort, device lost). Its failures never raise: each failing
// step sets CaptureErrorFlag, and callers decide by Previewing / Capturing.
#include "capture/CaptureDevices.h"
#include "capture/CaptureModes.h"
#include "capture/CapturedBitmap.h"
#include "platform/ProgramFolder.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

namespace platform {
class MediaCapturePipeline;
enum class MediaFault;
}

enum PixelFormatBits {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};

class VideoCapture : public QObject, public CaptureModeControl {
    Q_OBJECT
public:
    // Relative capture file names resolve against the program folder.
    explicit VideoCapture(const platform::ProgramFolder& folder, QObject* parent = nullptr);
    // Finishes a running capture (EOS) before the pipeline stops, then frees everything.
    ~VideoCapture() override;

    // ---- published properties
    bool WantBitmaps = true;
    PixelFormatBits BitmapPixelFormat = pf24bit; // bitmaps are always delivered as 24-bit RGB
    bool WantAudio = true;
    bool WantDVAudio = true;
    bool WantAudioPreview = true;
    bool WantPreview = true;
    bool WantCapture = false;
    bool UseFrameRate = false;
    QString CaptureFileName;
    bool UseTempFile = false;
    bool UseTimeLimit = false;
    qint32 TimeLimit = 0; // seconds
    bool DoPreallocFile = false;
    quint32 PreallocFileSize = 1; // megabytes

    // A start counts once the camera's first frame is in; none within this time is a failed
    // start. While the camera runs, no frame for StallTimeoutMs ends it as a failed stream.
    // The GUI thread keeps running meanwhile.
    int FirstFrameTimeoutMs = 5000;
    int StallTimeoutMs = 10000;

    double FrameRate() const { return frameRate_; }
    // Keeps 1.0 to 50.0; anything else (NaN included) becomes 25.0.
    void SetFrameRate(double value);
    QString TempCaptureFileName() const { return tempCaptureFileName_; }
    void SetTempCaptureFileName(const QString& name) { tempCaptureFileName_ = name; }

    // ---- devices (set before BuildCaptureFilters, usually with FindDeviceMonikerByName)
    DeviceMoniker VideoSourceMoniker;
    DeviceMoniker AudioSourceMoniker;
    DeviceMoniker VideoCompressorMoniker;
    DeviceMoniker AudioCompressorMoniker;

    int VideoSourceIndex();
    QString VideoSourceName();
    QString AudioSourceName();
    QString VideoCompressorName();
    QString AudioCompressorName();

    // ---- graph
    bool InitGraphBuilders();
    void ReleaseFilters();
    bool BuildCaptureFilters();
    bool BuildGraph();
    void TearDownGraph();
    bool StartPreview();
    bool StopPreview();
    bool StartCapture(bool confirm);
    bool StopCapture();
    void SetMasterStream(int index);
    bool CopyCaptureFile(const QString& destination);
    // Arms the grabber for one frame; false (and the request withdrawn) when no frame can come.
    bool RequestBitmap();
    // No OnFrameRendered for the next ms milliseconds (0: again for every frame).
    void HoldFrameNotices(int ms);

    bool Capturing() const { return capturing_; }
    bool Previewing() const { return previewing_; }
    bool GraphBuilt() const { return graphBuilt_; }
    int MasterStream() const { return masterStream_; }
    // The file the last capture wrote (full path), empty before the first.
    QString CaptureFileInUse() const { return captureFileInUse_; }
    // Frames that passed the grabber since the pipeline was made (for tests and benchmarks).
    quint64 FramesRendered() const;
    // Unique across the process for each time the camera's stream was started afresh; frames
    // and zones from an earlier run do not belong to this one. 0 before the first start.
    quint64 RunNumber() const { return runNumber_; }

    // The pipeline of the current filters (null before BuildCaptureFilters).
    platform::MediaCapturePipeline* Pipeline() const { return pipeline_.get(); }

    // The path a capture file name stands for.
    QString ResolveFileName(const QString& name) const;

signals:
    void OnStartPreview();
    void OnStopPreview();
    void OnCaptureProgress();
    void OnStopCapture();
    void OnAborted();
    void OnDeviceLost();
    void OnChangeDevice();
    void OnChangeCompressor();
    void OnChangeVCapMode();
    void OnChangeACapMode();
    void OnFrameRendered();
    // Each grabbed frame, first as the 32-bit picture the live view shows, then (only when
    // something listens) as the 24-bit bitmap.
    void OnPictureGrabbed(const QImage& picture);
    void OnBitmapGrabbed(const CapturedBitmap& CapturedImage);

protected:
    bool ModeIsCapturing() const override { return capturing_; }
    bool ModeIsPreviewing() const override { return previewing_; }
    bool ModeHasGraphBuilder() const override { return pipeline_ != nullptr; }
    void ModeTearDownGraph() override { TearDownGraph(); }
    bool ModeStartPreview() override { return StartPreview(); }
    bool ModeStopPreview() override { return StopPreview(); }
    void RaiseChangeVCapMode() override { emit OnChangeVCapMode(); }
    void RaiseChangeACapMode() override { emit OnChangeACapMode(); }

private:
    void MakePipeline();
    void ReportCaptureError(const QString& message, int code = 0);
    void ProgressTimer();
    void WMBitmapGrabbed();
    void WMGraphNotify(platform::MediaFault fault);
    void StopPipelineIfIdle();
    // Runs the pipeline and waits (events still served) for the first frame.
    bool RunUntilFirstFrame();
    void WatchFrames();

    platform::ProgramFolder folder_;
    std::unique_ptr<platform::MediaCapturePipeline> pipeline_;
    bool graphBuilt_ = false;
    bool capturing_ = false;
    bool previewing_ = false;
    bool destroying_ = false;
    bool starting_ = false; // waiting for a start's first frame
    bool failing_ = false;  // the camera failed: stops must not start it again
    QTimer frameWatch_;
    quint64 framesSeen_ = 0;
    quint64 runNumber_ = 0;
    QElapsedTimer sinceFrame_;
    int masterStream_ = -1;
    double frameRate_ = 0;
    QString tempCaptureFileName_;
    QString captureFileInUse_;
    QTimer progressTimer_;
    QElapsedTimer captureClock_;
    qint64 elapsedMs_ = 0;
};
