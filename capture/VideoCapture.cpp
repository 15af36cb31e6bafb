#include "capture/VideoCapture.h"
#include "capture/CaptureConfirm.h"
#include "capture/CaptureFlags.h"
#include "platform/MediaPipeline.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMetaMethod>
#include <QPointer>

#include <cmath>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kEosWaitMs = 5000;
constexpr int kNoCode = 0;

QString WithCode(QString text, int code) {
    return text.replace("%x", QString::number(uint(code), 16));
}

// Reserves the space up front; false when the disk cannot hold it.
bool AllocCapFile(const QString& path, qint64 bytes) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0) return false;
    const bool ok = ::posix_fallocate(fd, 0, off_t(bytes)) == 0;
    ::close(fd);
    return ok;
}

} // namespace

VideoCapture::VideoCapture(const platform::ProgramFolder& folder, QObject* parent)
    : QObject(parent), folder_(folder) {
    progressTimer_.setInterval(100);
    connect(&progressTimer_, &QTimer::timeout, this, &VideoCapture::ProgressTimer);
    frameWatch_.setInterval(250);
    connect(&frameWatch_, &QTimer::timeout, this, &VideoCapture::WatchFrames);
}

VideoCapture::~VideoCapture() {
    destroying_ = true; // nothing restarts from here on
    StopCapture();      // the file gets its end before the pipeline stops
    StopPreview();
    TearDownGraph();
    progressTimer_.stop();
    ReleaseFilters();
    ClearDeviceLists();
}

void VideoCapture::SetFrameRate(double value) {
    frameRate_ = (value >= 1.0 && value <= 50.0) ? value : 25.0;
}

void VideoCapture::ReportCaptureError(const QString&, int) {
    CaptureErrorFlag = 1;
}

QString VideoCapture::ResolveFileName(const QString& name) const {
    if (name.isEmpty() || QFileInfo(name).isAbsolute()) return name;
    return folder_.IsValid() ? folder_.File(name) : QDir::current().absoluteFilePath(name);
}

quint64 VideoCapture::FramesRendered() const {
    return pipeline_ ? pipeline_->FramesRendered() : 0;
}

// ---------------------------------------------------------------- device names

int VideoCapture::VideoSourceIndex() {
    int index = IndexOfDeviceMoniker(VideoInputDevices, VideoSourceMoniker);
    if (index < 0 && VideoSourceMoniker) {
        EnumerateVideoInputs();
        index = IndexOfDeviceMoniker(VideoInputDevices, VideoSourceMoniker);
    }
    return index;
}

namespace {
QString NameWithRefresh(CaptureDeviceList& list, void (*enumerate)(), const DeviceMoniker& moniker) {
    if (!moniker) return {}; // no device chosen: nothing a refresh could name
    QString name = DeviceNameOfMoniker(list, moniker);
    if (name.isEmpty()) {
        enumerate();
        name = DeviceNameOfMoniker(list, moniker);
    }
    return name;
}
} // namespace

QString VideoCapture::VideoSourceName() {
    return NameWithRefresh(VideoInputDevices, EnumerateVideoInputs, VideoSourceMoniker);
}
QString VideoCapture::AudioSourceName() {
    return NameWithRefresh(AudioInputDevices, EnumerateAudioInputs, AudioSourceMoniker);
}
QString VideoCapture::VideoCompressorName() {
    return NameWithRefresh(VideoCompressorDevices, EnumerateVideoCompressors,
                           VideoCompressorMoniker);
}
QString VideoCapture::AudioCompressorName() {
    return NameWithRefresh(AudioCompressorDevices, EnumerateAudioCompressors,
                           AudioCompressorMoniker);
}

// ---------------------------------------------------------------- building

void VideoCapture::MakePipeline() {
    pipeline_ = std::make_unique<platform::MediaCapturePipeline>();
    connect(pipeline_.get(), &platform::MediaCapturePipeline::FrameGrabbed, this,
            &VideoCapture::WMBitmapGrabbed);
    connect(pipeline_.get(), &platform::MediaCapturePipeline::FrameRendered, this,
            &VideoCapture::OnFrameRendered);
    connect(pipeline_.get(), &platform::MediaCapturePipeline::PipelineError, this,
            [this](platform::MediaFault fault, const QString&) { WMGraphNotify(fault); });
}

bool VideoCapture::InitGraphBuilders() {
    if (!pipeline_ && platform::MediaInitialize()) MakePipeline();
    EnumerateAllDevices();
    return !VideoInputDevices.isEmpty();
}

void VideoCapture::ReleaseFilters() {
    if (pipeline_) {
        TearDownGraph(); // a running capture gets its end first
        graphBuilt_ = false;
        capturing_ = false;
        previewing_ = false;
        pipeline_.reset(); // to NULL first, then its callbacks go
    }
    SetVideoStreamConfig(nullptr);
    SetAudioStreamConfig(nullptr);
}

bool VideoCapture::BuildCaptureFilters() {
    ReleaseFilters();
    if (!platform::MediaInitialize()) {
        ReportCaptureError("Can't init graph builder. Probably DirectShow is not installed!");
        return false;
    }
    MakePipeline();

    if (!VideoSourceMoniker || !pipeline_->SetVideoSource(VideoSourceMoniker)) {
        ReportCaptureError(WithCode("Error %x.\r\nCan't create Camera capture filter - propably "
                                    "you havn't Camera capture device!",
                                    kNoCode));
    } else {
        SetVideoStreamConfig(platform::CreateDeviceStreamConfig(VideoSourceMoniker));
        if (!VideoStreamConfig())
            ReportCaptureError(WithCode("Error %x: Can't find VCapture:IAMStreamConfig!", kNoCode));
    }

    if (WantAudio) {
        if (!AudioSourceMoniker || !pipeline_->SetAudioSource(AudioSourceMoniker)) {
            ReportCaptureError("Can't create Sound capture filter!");
        } else {
            SetAudioStreamConfig(platform::CreateDeviceStreamConfig(AudioSourceMoniker));
            if (!AudioStreamConfig()) ReportCaptureError("Can't find ACapture:IAMStreamConfig!");
        }
    }
    return true;
}

bool VideoCapture::BuildGraph() {
    if (!pipeline_) return false;
    if (graphBuilt_) return true;
    if (!pipeline_->HasVideoSource()) return false;
    if (WantAudio && !pipeline_->HasAudioSource()) return false;
    if (WantCapture) {
        const QString name = UseTempFile ? tempCaptureFileName_ : CaptureFileName;
        if (name.isEmpty()) {
            ReportCaptureError("Capture filename required!");
            return false;
        }
        // The old file is replaced when a capture starts, not here: a rebuild must not
        // destroy a recording just made.
    }

    // The frame rate goes into the format the capsfilter asks of the source.
    if (UseFrameRate && VideoStreamConfig()) {
        platform::MediaType type;
        if (VideoStreamConfig()->GetFormat(type) &&
            type.FormatType == platform::MediaFormatType::VideoInfo) {
            const double rate = frameRate_ > 0 ? frameRate_ : 25.0;
            type.AvgTimePerFrame = std::llround(10000000.0 / rate);
            if (!VideoStreamConfig()->SetFormat(type))
                ReportCaptureError(WithCode("%x: can't set preview frame rate!", kNoCode));
        } else {
            ReportCaptureError("Cannot set frame rate for capture!");
        }
    }

    platform::MediaType videoType;
    QString videoCaps;
    if (VideoStreamConfig() && VideoStreamConfig()->GetFormat(videoType))
        videoCaps = platform::MediaTypeToCaps(videoType);
    if (!pipeline_->BuildVideoTee(videoCaps)) ReportCaptureError("Can't add SmartTee");

    if (pipeline_->HasAudioSource() && WantAudio) {
        platform::MediaType audioType;
        QString audioCaps;
        if (AudioStreamConfig() && AudioStreamConfig()->GetFormat(audioType))
            audioCaps = platform::MediaTypeToCaps(audioType);
        if (!pipeline_->BuildAudioTee(audioCaps, WantPreview && WantAudioPreview))
            ReportCaptureError("Can't add InfiniteTee");
    }

    if (WantPreview && !pipeline_->BuildPreview(WantBitmaps))
        ReportCaptureError("Can't render preview stream!");

    graphBuilt_ = true;
    return true;
}

void VideoCapture::TearDownGraph() {
    if (!graphBuilt_) return;
    if (capturing_) StopCapture();
    if (previewing_) StopPreview();
    if (pipeline_) pipeline_->TearDown();
    graphBuilt_ = false;
    if (WantCapture && !tempCaptureFileName_.isEmpty())
        QFile::remove(ResolveFileName(tempCaptureFileName_));
}

// ---------------------------------------------------------------- preview and capture

bool VideoCapture::RunUntilFirstFrame() {
    platform::MediaCapturePipeline* pipeline = pipeline_.get();
    if (pipeline->IsRunning()) return true;
    if (!pipeline->Run()) return false;
    if (!pipeline->HasFirstFrame()) {
        const QPointer<VideoCapture> self(this);
        const QPointer<platform::MediaCapturePipeline> running(pipeline);
        QEventLoop loop;
        QTimer timeout;
        timeout.setSingleShot(true);
        connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(pipeline, &platform::MediaCapturePipeline::FirstFrame, &loop, &QEventLoop::quit);
        connect(pipeline, &platform::MediaCapturePipeline::PipelineError, &loop,
                &QEventLoop::quit);
        connect(pipeline, &QObject::destroyed, &loop, &QEventLoop::quit);
        starting_ = true;
        timeout.start(FirstFrameTimeoutMs);
        loop.exec();
        if (!self) return false; // the control went while it waited
        starting_ = false;
        if (!running || pipeline_.get() != pipeline) return false; // replaced meanwhile
    }
    if (pipeline->IsRunning() && pipeline->HasFirstFrame()) {
        static quint64 runs = 0; // GUI thread only
        runNumber_ = ++runs;
        framesSeen_ = pipeline->FramesArrived();
        sinceFrame_.start();
        frameWatch_.start();
        return true;
    }
    pipeline->Stop(); // a camera that opens and sends nothing has not started
    return false;
}

bool VideoCapture::StartPreview() {
    if (capturing_) return true; // the recording goes on; the preview runs beside it anyway
    if (previewing_) return true;
    if (destroying_ || failing_ || starting_ || !BuildGraph()) return false;
    if (!RunUntilFirstFrame()) {
        ReportCaptureError(WithCode("Error %x: Cannot run preview graph!", kNoCode));
        return false;
    }
    if (previewing_ || capturing_) return true; // started again while this one waited
    previewing_ = true;
    emit OnStartPreview();
    return true;
}

bool VideoCapture::StopPreview() {
    if (!previewing_) return false;
    if (pipeline_) pipeline_->Stop();
    frameWatch_.stop();
    emit OnStopPreview();
    previewing_ = false;
    return true;
}

void VideoCapture::StopPipelineIfIdle() {
    if (pipeline_ && !previewing_ && !capturing_) {
        pipeline_->Stop();
        frameWatch_.stop();
    }
}

bool VideoCapture::StartCapture(bool confirm) {
    if (!WantCapture) return false;
    if (capturing_) return true;
    progressTimer_.stop();
    if (!BuildGraph()) return false;

    const QString file = ResolveFileName(UseTempFile ? tempCaptureFileName_ : CaptureFileName);
    if (file.isEmpty()) {
        ReportCaptureError("Capture filename required!");
        return false;
    }
    if (QFileInfo::exists(file) && !QFile::remove(file)) {
        ReportCaptureError("Can't set capture file!");
        return false;
    }
    if (DoPreallocFile && !AllocCapFile(file, qint64(PreallocFileSize) * 1048576)) {
        QFile::remove(file);
        ReportCaptureError("Can't allocate space for capture file! Disk full?");
        return false;
    }

    if (starting_) return false;
    const QPointer<VideoCapture> guard(this);
    if (!RunUntilFirstFrame()) {
        if (!guard) return false;
        ReportCaptureError(WithCode("Error %x: Cannot run graph!", kNoCode));
        previewing_ = false;
        return false; // a capture that cannot run is not reported as started
    }
    if (capturing_) return true;
    previewing_ = false;

    if (confirm) {
        // The question runs a nested event loop: the camera may be previewed again, switched
        // away or lost (or the control freed) before the answer comes.
        const QPointer<VideoCapture> self(this);
        const bool yes = ConfirmStartCapture("Starting capture!");
        if (!self) return false;
        if (!yes) {
            if (WantPreview)
                StartPreview();
            else
                StopPipelineIfIdle();
            return false;
        }
        if (capturing_) return true;
        if (!graphBuilt_ || !pipeline_ || !pipeline_->IsRunning()) {
            ReportCaptureError(WithCode("Error %x: Cannot run graph!", kNoCode));
            return false;
        }
        previewing_ = false;
    }

    QString error;
    if (!pipeline_->StartFileBranch(file, VideoCompressorMoniker,
                                    WantAudio ? AudioCompressorMoniker : nullptr, &error)) {
        ReportCaptureError("Can't render Camera capture stream!");
        if (WantPreview)
            StartPreview();
        else
            StopPipelineIfIdle();
        return false;
    }
    captureFileInUse_ = file;
    captureClock_.start();
    elapsedMs_ = 0;
    progressTimer_.start();
    capturing_ = true;
    return true;
}

bool VideoCapture::StopCapture() {
    if (!capturing_) return false;
    progressTimer_.stop();
    const bool finished = pipeline_ && pipeline_->StopFileBranch(kEosWaitMs);
    if (!finished) ReportCaptureError(WithCode("Error %x: Cannot stop graph!", kNoCode));
    elapsedMs_ = captureClock_.isValid() ? captureClock_.elapsed() : 0;
    capturing_ = false;
    previewing_ = false;
    if (UseTempFile && CopyCaptureFile(CaptureFileName))
        QFile::remove(ResolveFileName(tempCaptureFileName_));
    emit OnCaptureProgress();
    emit OnStopCapture();
    if (WantPreview && !destroying_)
        StartPreview();
    else
        StopPipelineIfIdle();
    return finished;
}

void VideoCapture::SetMasterStream(int index) {
    // avimux interleaves by time and has no master stream to set; keep the choice.
    masterStream_ = index;
}

bool VideoCapture::CopyCaptureFile(const QString& destination) {
    if (captureFileInUse_.isEmpty() || destination.isEmpty()) return false;
    const QString target = ResolveFileName(destination);
    if (target == captureFileInUse_) return true;
    if (QFileInfo::exists(target) && !QFile::remove(target)) return false;
    return QFile::copy(captureFileInUse_, target);
}

void VideoCapture::ProgressTimer() {
    elapsedMs_ = captureClock_.isValid() ? captureClock_.elapsed() : 0;
    if (!capturing_) return;
    if (UseTimeLimit && elapsedMs_ / 1000 >= TimeLimit) {
        StopCapture();
        if (WantPreview) StartPreview();
    } else {
        emit OnCaptureProgress();
    }
}

// ---------------------------------------------------------------- frames and events

bool VideoCapture::RequestBitmap() {
    const bool possible =
        pipeline_ && pipeline_->HasGrabber() && WantBitmaps && (previewing_ || capturing_);
    if (pipeline_) pipeline_->RequestFrame(possible);
    return possible;
}

void VideoCapture::HoldFrameNotices(int ms) {
    if (pipeline_) pipeline_->HoldNotices(ms);
}

void VideoCapture::WMBitmapGrabbed() {
    QImage frame;
    if (!pipeline_ || !pipeline_->TakeFrame(frame)) return;
    const QPointer<VideoCapture> self(this);
    emit OnPictureGrabbed(frame);
    // The 24-bit bitmap is made only for those who take it.
    static const QMetaMethod bitmapSignal = QMetaMethod::fromSignal(&VideoCapture::OnBitmapGrabbed);
    if (self && isSignalConnected(bitmapSignal)) {
        const CapturedBitmap bitmap(frame);
        emit OnBitmapGrabbed(bitmap);
    }
}

void VideoCapture::WMGraphNotify(platform::MediaFault fault) {
    if (fault == platform::MediaFault::Recording) {
        // The file failed (disk full): the recording ends, the camera goes on.
        const bool wasCapturing = capturing_;
        const bool wasPreviewing = previewing_;
        StopCapture();
        emit OnAborted();
        if ((capturing_ != wasCapturing || previewing_ != wasPreviewing) && WantPreview &&
            !destroying_)
            StartPreview();
        return;
    }
    // The camera itself failed: a frozen picture must not pass for a running camera. The
    // pipeline stops, the recording gets its end, and starting it again is up to the owner.
    ReportCaptureError("The camera stopped.");
    const bool wasRunning = previewing_ || capturing_;
    failing_ = true;
    if (fault == platform::MediaFault::DeviceLost && wasRunning) emit OnDeviceLost();
    StopCapture();
    StopPreview();
    if (pipeline_) pipeline_->Stop();
    frameWatch_.stop();
    failing_ = false;
    if (fault != platform::MediaFault::DeviceLost && wasRunning) emit OnAborted();
}

void VideoCapture::WatchFrames() {
    if (!pipeline_ || !(previewing_ || capturing_)) {
        frameWatch_.stop();
        return;
    }
    const quint64 seen = pipeline_->FramesArrived();
    if (seen != framesSeen_) {
        framesSeen_ = seen;
        sinceFrame_.start();
    } else if (sinceFrame_.hasExpired(StallTimeoutMs)) {
        WMGraphNotify(platform::MediaFault::Stream); // a hung camera is a failed stream
    }
}
