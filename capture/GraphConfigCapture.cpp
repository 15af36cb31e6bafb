// Moving a configuration between a TGraphConfig and a running capture control.
#include "capture/TGraphConfig.h"

#include "capture/CaptureDevices.h"
#include "capture/CaptureFlags.h"
#include "capture/VideoCapture.h"

void TGraphConfig::ReadFrom(TVideoCapture& control, qint32 number) {
    SetDefaults(number);
    UseTempFile = false;
    WantBitmaps = control.WantBitmaps;
    DoPreallocFile = control.DoPreallocFile;
    WantCapture = control.WantCapture;
    WantPreview = control.WantPreview;
    WantDVAudio = control.WantDVAudio;
    WantAudio = control.WantAudio;
    WantAudioPreview = control.WantAudioPreview;
    PreallocFileSize = control.PreallocFileSize;
    TempCaptureFileName = control.TempCaptureFileName();
    CaptureFileName = control.CaptureFileName;
    DVResolution = control.DVResolution();
    PixelFormat = int(control.BitmapPixelFormat);
    control.GetCurrentAudioMode(ACapMode);
    control.GetCurrentVideoMode(VCapMode);
    // Our encoders keep no private state blob to carry over.
    VCompState.clear();
    VCapSource = control.VideoSourceName();
    ACapSource = control.AudioSourceName();
    VComp = control.VideoCompressorName();
    AComp = control.AudioCompressorName();
}

void TGraphConfig::ApplyTo(TVideoCapture* control) const {
    if (!control)
        return;
    control->TearDownGraph();
    control->ReleaseFilters();

    control->UseTempFile = false;
    control->WantBitmaps = WantBitmaps;
    control->DoPreallocFile = DoPreallocFile;
    control->WantCapture = WantCapture;
    control->WantPreview = WantPreview;
    control->WantDVAudio = WantDVAudio;
    control->WantAudio = WantAudio;
    control->WantAudioPreview = WantAudioPreview;
    control->PreallocFileSize = PreallocFileSize;
    control->SetDVResolution(DVResolution);
    control->BitmapPixelFormat = TPixelFormat(PixelFormat);
    if (!TempCaptureFileName.isEmpty())
        control->SetTempCaptureFileName(TempCaptureFileName);
    if (!CaptureFileName.isEmpty())
        control->CaptureFileName = CaptureFileName;

    EnumerateAllDevices();
    control->VideoSourceMoniker = FindDeviceMonikerByName(VideoInputDevices, VCapSource);
    control->AudioSourceMoniker = FindDeviceMonikerByName(AudioInputDevices, ACapSource);
    control->AudioCompressorMoniker = FindDeviceMonikerByName(AudioCompressorDevices, AComp);
    control->VideoCompressorMoniker = FindDeviceMonikerByName(VideoCompressorDevices, VComp);

    CaptureErrorFlag = control->BuildCaptureFilters() ? 1 : 0;

    try {
        control->SelectAudioMode(ACapMode);
        control->SelectVideoMode(VCapMode);
        if (control->BuildGraph() && WantPreview)
            control->StartPreview();
        emit control->OnChangeDevice();
        emit control->OnChangeCompressor();
    } catch (...) {
        // Failures inside the control travel through CaptureErrorFlag.
    }
}
