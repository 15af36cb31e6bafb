// Reading a capture configuration from a capture control and applying one to it.
#include "capture/CaptureGraphConfig.h"

#include "capture/CaptureDevices.h"
#include "capture/CaptureFlags.h"
#include "capture/VideoCapture.h"

#include <QPointer>

void CaptureGraphConfig::ReadFrom(VideoCapture& cap, qint32 number) {
    CaptureGraphConfig& config = *this;
    config.SetDefaults(number);
    config.UseTempFile = false;
    config.WantBitmaps = cap.WantBitmaps;
    config.DoPreallocFile = cap.DoPreallocFile;
    config.WantCapture = cap.WantCapture;
    config.WantPreview = cap.WantPreview;
    config.WantDVAudio = cap.WantDVAudio;
    config.WantAudio = cap.WantAudio;
    config.WantAudioPreview = cap.WantAudioPreview;
    config.PreallocFileSize = cap.PreallocFileSize;
    config.TempCaptureFileName = cap.TempCaptureFileName();
    config.CaptureFileName = cap.CaptureFileName;
    config.DVResolution = cap.DVResolution();
    config.PixelFormat = int(cap.BitmapPixelFormat);
    cap.GetCurrentAudioMode(config.ACapMode);
    cap.GetCurrentVideoMode(config.VCapMode);
    config.VCompState.clear(); // encoders keep no private state blob here
    config.VCapSource = cap.VideoSourceName();
    config.ACapSource = cap.AudioSourceName();
    config.VComp = cap.VideoCompressorName();
    config.AComp = cap.AudioCompressorName();
}

void CaptureGraphConfig::ApplyTo(VideoCapture& cap, bool refreshDevices) const {
    const CaptureGraphConfig& config = *this;
    cap.TearDownGraph();
    cap.ReleaseFilters();
    cap.UseTempFile = false;
    cap.WantBitmaps = config.WantBitmaps;
    cap.DoPreallocFile = config.DoPreallocFile;
    cap.WantCapture = config.WantCapture;
    cap.WantPreview = config.WantPreview;
    cap.WantDVAudio = config.WantDVAudio;
    cap.WantAudio = config.WantAudio;
    cap.WantAudioPreview = config.WantAudioPreview;
    cap.PreallocFileSize = config.PreallocFileSize;
    cap.SetDVResolution(config.DVResolution);
    if (config.PixelFormat >= int(pfDevice) && config.PixelFormat <= int(pfCustom))
        cap.BitmapPixelFormat = PixelFormatBits(config.PixelFormat);
    if (!config.TempCaptureFileName.isEmpty())
        cap.SetTempCaptureFileName(config.TempCaptureFileName);
    if (!config.CaptureFileName.isEmpty())
        cap.CaptureFileName = config.CaptureFileName;

    if (refreshDevices)
        EnumerateAllDevices();
    cap.VideoSourceMoniker = FindDeviceMonikerByName(VideoInputDevices, config.VCapSource);
    cap.AudioSourceMoniker = FindDeviceMonikerByName(AudioInputDevices, config.ACapSource);
    cap.AudioCompressorMoniker = FindDeviceMonikerByName(AudioCompressorDevices, config.AComp);
    cap.VideoCompressorMoniker = FindDeviceMonikerByName(VideoCompressorDevices, config.VComp);

    CaptureErrorFlag = cap.BuildCaptureFilters() ? 1 : 0;
    try {
        cap.SelectAudioMode(config.ACapMode);
        cap.SelectVideoMode(config.VCapMode);
        // A start waits for its first frame with events running: the control (and this
        // configuration with it) may be gone when it returns.
        const QPointer<VideoCapture> alive(&cap);
        if (cap.BuildGraph() && cap.WantPreview)
            cap.StartPreview();
        if (!alive)
            return;
        emit cap.OnChangeDevice();
        emit cap.OnChangeCompressor();
    } catch (...) {
        CaptureErrorFlag = 1; // the control reports failures only through the flag
    }
}
