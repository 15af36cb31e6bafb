#include "capture/GraphConfigBuilder.h"

#include "capture/CaptureDevices.h"

namespace {

// The row a combo of fixed rows shows for an ordinal; -1 (nothing selected) when out of range.
int RowOf(int ordinal, int rowCount) {
    return ordinal >= 0 && ordinal < rowCount ? ordinal : -1;
}

QString TextOf(const QStringList& rows, int row) {
    return row >= 0 ? rows[row] : QString();
}

} // namespace

bool BuildCameraConfig(int camera, TGraphConfig& config, const CaptureDeviceNameLists& lists) {
    // The settings window's boxes as the configuration fills them; camera 1 always previews
    // and preallocates.
    const bool firstCamera = camera == 1;
    const bool boxPreview = firstCamera || config.WantPreview;
    const bool boxCapture = config.WantCapture;
    const bool boxBitmaps = config.WantBitmaps;
    const bool boxDVAudio = config.WantDVAudio;
    const bool boxPrealloc = firstCamera || config.DoPreallocFile;
    const bool boxTempFile = config.UseTempFile;
    const bool boxAudio = config.WantAudio;
    const bool boxAudioPreview = config.WantAudioPreview;
    const int dvRow = RowOf(int(config.DVResolution), kDVResolutionCount);
    const int pixelRow = RowOf(config.PixelFormat, kPixelFormatCount);

    const int videoRow = lists.VideoInputs.indexOf(config.VCapSource);
    const int audioRow = lists.AudioInputs.indexOf(config.ACapSource);
    const int vCompRow = lists.VideoCompressors.indexOf(config.VComp);
    const int aCompRow = lists.AudioCompressors.indexOf(config.AComp);
    const bool useVComp = vCompRow >= 0;
    const bool useAComp = aCompRow >= 0;

    config.SetDefaults(videoRow);
    if (firstCamera) {
        config.WantPreview = true;
        config.WantCapture = false;
        config.WantBitmaps = boxBitmaps;
        config.WantDVAudio = true;
        config.DoPreallocFile = true;
        config.UseTempFile = false;
        config.WantAudio = false;
        config.WantAudioPreview = false;
    } else {
        config.WantPreview = boxPreview;
        config.WantCapture = boxCapture;
        config.WantBitmaps = boxBitmaps;
        config.WantDVAudio = boxDVAudio;
        config.DoPreallocFile = boxPrealloc;
        config.UseTempFile = boxTempFile;
        config.WantAudio = boxAudio;
        config.WantAudioPreview = boxAudioPreview;
    }
    if (dvRow >= 0)
        config.DVResolution = TDVResolution(dvRow);
    if (pixelRow >= 0)
        config.PixelFormat = pixelRow;
    config.VCapSource = TextOf(lists.VideoInputs, videoRow);
    config.ACapSource = TextOf(lists.AudioInputs, audioRow);
    if (useVComp)
        config.VComp = TextOf(lists.VideoCompressors, vCompRow);
    if (useAComp)
        config.AComp = TextOf(lists.AudioCompressors, aCompRow);
    config.VCompState.clear();
    return true;
}

bool ListVideoSources(const TGraphConfig& config, const QStringList& videoInputs, QStringList& list) {
    for (const QString& name : videoInputs) {
        if (name == config.VCapSource)
            break;
        list << name;
    }
    return false;
}

CaptureDeviceNameLists CurrentDeviceNameLists() {
    CaptureDeviceNameLists lists;
    lists.VideoInputs = VideoSourceNames(true);
    lists.AudioInputs = AudioSourceNames(true);
    lists.VideoCompressors = VideoCompressorNames(true);
    lists.AudioCompressors = AudioCompressorNames(true);
    return lists;
}

bool BuildCamera1Config(TGraphConfig& config) {
    return BuildCameraConfig(1, config, CurrentDeviceNameLists());
}

bool BuildCamera2Config(TGraphConfig& config) {
    return BuildCameraConfig(2, config, CurrentDeviceNameLists());
}

bool ListVideoSourcesViaConfigForm(TGraphConfig& config, QStringList& list) {
    return ListVideoSources(config, VideoSourceNames(true), list);
}

QStringList GetCaptureDeviceNames() {
    TGraphConfig config(0);
    QStringList names;
    ListVideoSourcesViaConfigForm(config, names);
    return names;
}
