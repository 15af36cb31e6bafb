#pragma once
// Capture modes: the video and audio mode records, their one-line descriptions (stored in
// the settings file, so they never change between runs), comparison, and the control's mode
// methods over a stream configuration, DV sources with their four fixed modes included.
#include "platform/MediaFormat.h"

#include <QString>

#include <memory>

using FormatGuid = platform::MediaGuid;

struct VideoMode {
    FormatGuid MajorType;
    FormatGuid MediaSubType;
    qint32 Width = 0;
    qint32 Height = 0;
    qint32 Bits = 0;
    double AvgFrameRate = 0;
    double MinFrameRate = 0;
    double MaxFrameRate = 0;
};

struct AudioMode {
    FormatGuid MajorType;
    FormatGuid MediaSubType;
    qint32 SampleRate = 0;
    qint32 SampleSize = 0;
    qint32 Channels = 0;
    qint32 AvgSampleRate = 0; // bytes per second
};

enum DvResolution { dvrDontWorry, dvrFull, dvrHalf, dvrQuarter, dvrDC };

// The DV decoder display sizes of the four fixed DV modes.
inline constexpr int DVRESOLUTION_FULL = 1000;
inline constexpr int DVRESOLUTION_HALF = 1001;
inline constexpr int DVRESOLUTION_QUARTER = 1002;
inline constexpr int DVRESOLUTION_DC = 1003;

QString DescribeVideoMode(const VideoMode& mode);
QString DescribeAudioMode(const AudioMode& mode);
bool IsSameVideoMode(const VideoMode& a, const VideoMode& b);
bool IsSameAudioMode(const AudioMode& a, const AudioMode& b);

// Mode records from media types (zero-filled when the format block is not the right kind).
VideoMode VideoModeFromMediaType(const platform::MediaType& type,
                                  const platform::MediaStreamCaps* caps);
AudioMode AudioModeFromMediaType(const platform::MediaType& type);

// The control's mode methods. The capture control derives from it and supplies the graph
// side through the hooks; everything here runs on the GUI thread.
class CaptureModeControl {
public:
    virtual ~CaptureModeControl() = default;

    int VideoModeCount() const;
    void GetVideoMode(int index, VideoMode& mode) const;
    void GetCurrentVideoMode(VideoMode& mode) const;
    bool SetVideoMode(int index);
    bool SelectVideoMode(const VideoMode& mode);

    int AudioModeCount() const;
    void GetAudioMode(int index, AudioMode& mode) const;
    void GetCurrentAudioMode(AudioMode& mode) const;
    bool SetAudioMode(int index);
    bool SelectAudioMode(const AudioMode& mode);

    bool IsDVSource() const;
    DvResolution DVResolution() const { return dvResolution_; }
    void SetDVResolution(DvResolution value);

    // Stream configurations of the video capture pin and of the audio side (may be null).
    void SetVideoStreamConfig(std::unique_ptr<platform::MediaStreamConfig> config);
    void SetAudioStreamConfig(std::unique_ptr<platform::MediaStreamConfig> config);
    platform::MediaStreamConfig* VideoStreamConfig() const { return videoConfig_.get(); }
    platform::MediaStreamConfig* AudioStreamConfig() const { return audioConfig_.get(); }

protected:
    virtual bool ModeIsCapturing() const = 0;
    virtual bool ModeIsPreviewing() const = 0;
    virtual bool ModeHasGraphBuilder() const = 0;
    virtual void ModeTearDownGraph() = 0;
    virtual bool ModeStartPreview() = 0;
    virtual bool ModeStopPreview() = 0;
    // The DV decoder's display size, 0 when there is no decoder.
    virtual int ModeDVDisplaySize() const { return 0; }
    // Hands a display size to the DV decoder; false when there is none.
    virtual bool ModeApplyDVDisplaySize(int) { return false; }
    virtual void RaiseChangeVCapMode() = 0;
    virtual void RaiseChangeACapMode() = 0;

    DvResolution dvResolution_ = dvrDontWorry;

private:
    std::unique_ptr<platform::MediaStreamConfig> videoConfig_;
    std::unique_ptr<platform::MediaStreamConfig> audioConfig_;
};
