#include "capture/CaptureModes.h"

#include <cstdlib>

using namespace platform;

namespace {

struct SubtypeName {
    MediaGuid SubType;
    const char* Name;
};
// Searched in this order, first match wins.
const SubtypeName kSubtypeNames[] = {
    {guids::MEDIASUBTYPE_YVU9, "(YVU9)"},     {guids::MEDIASUBTYPE_Y411, "(Y411)"},
    {guids::MEDIASUBTYPE_Y41P, "(Y41P)"},     {guids::MEDIASUBTYPE_YUY2, "(YUY2)"},
    {guids::MEDIASUBTYPE_YVYU, "(YVYU)"},     {guids::MEDIASUBTYPE_UYVY, "(UYVY)"},
    {guids::MEDIASUBTYPE_Y211, "(Y211)"},     {guids::MEDIASUBTYPE_RGB24, "(RGB24)"},
    {guids::MEDIASUBTYPE_RGB32, "(RGB32)"},   {guids::MEDIASUBTYPE_RGB565, "(RGB565)"},
    {guids::MEDIASUBTYPE_RGB555, "(RGB555)"}, {guids::MEDIASUBTYPE_ARGB32, "(ARGB32)"},
};

struct DVRow {
    int Width, Height, Bits;
    DvResolution Resolution;
    int DisplaySize;
};
const DVRow kDVModes[4] = {
    {720, 576, 24, dvrFull, DVRESOLUTION_FULL},
    {360, 288, 24, dvrHalf, DVRESOLUTION_HALF},
    {180, 144, 24, dvrQuarter, DVRESOLUTION_QUARTER},
    {88, 72, 24, dvrDC, DVRESOLUTION_DC},
};

double RateOf(qint64 interval) {
    return interval > 0 ? 10000000.0 / double(interval) : 0.0;
}

bool IsVideoInfo(const MediaType& type) {
    return type.FormatType == MediaFormatType::VideoInfo ||
           type.FormatType == MediaFormatType::VideoInfo2;
}

} // namespace

QString DescribeVideoMode(const VideoMode& mode) {
    QString text = QString("%1x%2x%3b").arg(mode.Width).arg(mode.Height).arg(mode.Bits);
    for (const SubtypeName& row : kSubtypeNames) {
        if (row.SubType == mode.MediaSubType) {
            text += ' ' + QLatin1String(row.Name);
            break;
        }
    }
    return text;
}

QString DescribeAudioMode(const AudioMode& mode) {
    if (mode.MediaSubType == guids::MEDIASUBTYPE_PCM)
        return QString("%1Hzx%2bx%3").arg(mode.SampleRate).arg(mode.SampleSize).arg(mode.Channels);
    const qint64 kbits = qint64(mode.AvgSampleRate) * 8 / 1000; // truncates toward zero
    return QString("%1kBits/s, %2Hz, %3").arg(kbits).arg(mode.SampleRate).arg(mode.Channels);
}

bool IsSameVideoMode(const VideoMode& a, const VideoMode& b) {
    return a.MediaSubType == b.MediaSubType && a.Height == b.Height && a.Width == b.Width &&
           a.Bits == b.Bits;
}

bool IsSameAudioMode(const AudioMode& a, const AudioMode& b) {
    if (!(a.MediaSubType == b.MediaSubType)) return false;
    const bool rates = a.MediaSubType == guids::MEDIASUBTYPE_PCM
                           ? a.SampleRate == b.SampleRate && a.SampleSize == b.SampleSize
                           : a.AvgSampleRate == b.AvgSampleRate && a.SampleRate == b.SampleRate;
    return rates && a.Channels == b.Channels;
}

VideoMode VideoModeFromMediaType(const MediaType& type, const MediaStreamCaps* caps) {
    VideoMode mode;
    mode.MajorType = type.MajorType;
    mode.MediaSubType = type.SubType;
    if (IsVideoInfo(type)) {
        mode.Width = std::abs(type.BiWidth);
        mode.Height = std::abs(type.BiHeight);
        mode.Bits = type.BiBitCount;
    }
    if (caps) {
        mode.AvgFrameRate = RateOf(type.AvgTimePerFrame);
        mode.MinFrameRate = RateOf(caps->MaxFrameInterval);
        mode.MaxFrameRate = RateOf(caps->MinFrameInterval);
    }
    return mode;
}

AudioMode AudioModeFromMediaType(const MediaType& type) {
    AudioMode mode;
    if (type.FormatType != MediaFormatType::WaveFormatEx) return mode;
    mode.MajorType = type.MajorType;
    mode.MediaSubType = type.SubType;
    mode.SampleRate = qint32(type.SamplesPerSec);
    mode.SampleSize = type.BitsPerSample;
    mode.Channels = type.Channels;
    mode.AvgSampleRate = qint32(type.AvgBytesPerSec);
    return mode;
}

// ---------------------------------------------------------------- the control's methods

void CaptureModeControl::SetVideoStreamConfig(std::unique_ptr<MediaStreamConfig> config) {
    videoConfig_ = std::move(config);
}
void CaptureModeControl::SetAudioStreamConfig(std::unique_ptr<MediaStreamConfig> config) {
    audioConfig_ = std::move(config);
}

bool CaptureModeControl::IsDVSource() const {
    MediaType type;
    if (!videoConfig_ || !videoConfig_->GetFormat(type)) return false;
    return type.MajorType == guids::MEDIATYPE_Interleaved;
}

int CaptureModeControl::VideoModeCount() const {
    if (IsDVSource()) return 4;
    if (!videoConfig_) return 0;
    const int n = videoConfig_->GetNumberOfCapabilities();
    return n > 0 ? n : 0;
}

void CaptureModeControl::GetVideoMode(int index, VideoMode& mode) const {
    mode = VideoMode{};
    if (IsDVSource()) {
        if (index >= 0 && index < 4) {
            mode.Width = kDVModes[index].Width;
            mode.Height = kDVModes[index].Height;
            mode.Bits = kDVModes[index].Bits;
        }
        return;
    }
    if (index < 0 || index >= VideoModeCount()) return;
    MediaType type;
    MediaStreamCaps caps;
    if (videoConfig_->GetStreamCaps(index, type, caps)) mode = VideoModeFromMediaType(type, &caps);
}

void CaptureModeControl::GetCurrentVideoMode(VideoMode& mode) const {
    mode = VideoMode{};
    if (IsDVSource()) {
        if (!ModeHasGraphBuilder()) return;
        const int size = ModeDVDisplaySize();
        for (const DVRow& row : kDVModes) {
            if (row.DisplaySize == size) {
                mode.Width = row.Width;
                mode.Height = row.Height;
                mode.Bits = row.Bits;
            }
        }
        return;
    }
    MediaType type;
    if (videoConfig_ && videoConfig_->GetFormat(type)) mode = VideoModeFromMediaType(type, nullptr);
}

bool CaptureModeControl::SetVideoMode(int index) {
    if (ModeIsCapturing()) return false;
    ModeTearDownGraph();
    if (IsDVSource()) {
        if (index >= 0 && index < 4) dvResolution_ = kDVModes[index].Resolution;
        return false;
    }
    if (!videoConfig_ || index < 0 || index >= VideoModeCount()) return false;
    MediaType type;
    MediaStreamCaps caps;
    if (!videoConfig_->GetStreamCaps(index, type, caps) || !videoConfig_->SetFormat(type))
        return false;
    RaiseChangeVCapMode();
    return true;
}

bool CaptureModeControl::SelectVideoMode(const VideoMode& mode) {
    VideoMode current;
    GetCurrentVideoMode(current);
    if (IsSameVideoMode(mode, current)) return true;
    const int count = VideoModeCount();
    for (int i = 0; i < count; ++i) {
        VideoMode candidate;
        GetVideoMode(i, candidate);
        if (IsSameVideoMode(mode, candidate)) return SetVideoMode(i);
    }
    return false;
}

int CaptureModeControl::AudioModeCount() const {
    if (!audioConfig_) return 0;
    const int n = audioConfig_->GetNumberOfCapabilities();
    return n > 0 ? n : 0;
}

void CaptureModeControl::GetAudioMode(int index, AudioMode& mode) const {
    mode = AudioMode{};
    if (index < 0 || index >= AudioModeCount()) return;
    MediaType type;
    MediaStreamCaps caps;
    if (audioConfig_->GetStreamCaps(index, type, caps)) mode = AudioModeFromMediaType(type);
}

void CaptureModeControl::GetCurrentAudioMode(AudioMode& mode) const {
    mode = AudioMode{};
    MediaType type;
    if (audioConfig_ && audioConfig_->GetFormat(type)) mode = AudioModeFromMediaType(type);
}

bool CaptureModeControl::SetAudioMode(int index) {
    if (ModeIsCapturing()) return false;
    const bool wasPreviewing = ModeIsPreviewing();
    if (!audioConfig_ || index < 0 || index >= AudioModeCount()) return false;
    MediaType type;
    MediaStreamCaps caps;
    if (!audioConfig_->GetStreamCaps(index, type, caps)) return false;
    ModeStopPreview();
    const bool ok = audioConfig_->SetFormat(type);
    if (wasPreviewing) ModeStartPreview();
    if (ok) RaiseChangeACapMode();
    return ok;
}

bool CaptureModeControl::SelectAudioMode(const AudioMode& mode) {
    AudioMode current;
    GetCurrentAudioMode(current);
    if (IsSameAudioMode(mode, current)) return true;
    const int count = AudioModeCount();
    for (int i = 0; i < count; ++i) {
        AudioMode candidate;
        GetAudioMode(i, candidate);
        if (IsSameAudioMode(mode, candidate)) return SetAudioMode(i);
    }
    return false;
}

void CaptureModeControl::SetDVResolution(DvResolution value) {
    if (ModeIsCapturing()) return;
    dvResolution_ = value;
    if (!ModeHasGraphBuilder() || !IsDVSource() || value == dvrDontWorry) return;
    ModeTearDownGraph();
    for (const DVRow& row : kDVModes)
        if (row.Resolution == value) ModeApplyDVDisplaySize(row.DisplaySize);
}
