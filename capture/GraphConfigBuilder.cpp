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

bool BuildCameraConfig(int camera, CaptureGraphConfig& config, const CaptureDeviceNameLists& lists) {
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
        config.DVResolution = DvResolution(dvRow);
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

bool ListVideoSources(const CaptureGraphConfig& config, const QStringList& videoInputs, QStringList& list) {
    for (const QString& name : videoInputs) {
        if (name == config.VCapSource)
            break;
        list << name;
    }
    return false;
}

namespace {
QStringList NamesIn(const CaptureDeviceList& list) {
    QStringList names;
    for (const CaptureDeviceInfo& info : list)
        names << info.Name;
    return names;
}
} // namespace

CaptureDeviceNameLists CurrentDeviceNameLists(bool refresh) {
    CaptureDeviceNameLists lists;
    if (!refresh) {
        lists.VideoInputs = NamesIn(VideoInputDevices);
        lists.AudioInputs = NamesIn(AudioInputDevices);
        lists.VideoCompressors = NamesIn(VideoCompressorDevices);
        lists.AudioCompressors = NamesIn(AudioCompressorDevices);
        return lists;
    }
    lists.VideoInputs = VideoSourceNames(refresh);
    lists.AudioInputs = AudioSourceNames(refresh);
    lists.VideoCompressors = VideoCompressorNames(refresh);
    lists.AudioCompressors = AudioCompressorNames(refresh);
    return lists;
}

bool BuildCamera1Config(CaptureGraphConfig& config, bool refreshDevices) {
    return BuildCameraConfig(1, config, CurrentDeviceNameLists(refreshDevices));
}

bool BuildCamera2Config(CaptureGraphConfig& config, bool refreshDevices) {
    return BuildCameraConfig(2, config, CurrentDeviceNameLists(refreshDevices));
}

bool ListVideoSourcesViaConfigForm(CaptureGraphConfig& config, QStringList& list) {
    return ListVideoSources(config, VideoSourceNames(true), list);
}

QStringList GetCaptureDeviceNames() {
    CaptureGraphConfig config(0);
    QStringList names;
    ListVideoSourcesViaConfigForm(config, names);
    return names;
}
