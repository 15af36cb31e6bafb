#include "capture/CaptureDevices.h"

CaptureDeviceList VideoInputDevices;
CaptureDeviceList AudioInputDevices;
CaptureDeviceList VideoCompressorDevices;
CaptureDeviceList AudioCompressorDevices;

void FillDeviceList(const QList<DeviceMoniker>& monikers, CaptureDeviceList& list) {
    list.clear();
    for (const DeviceMoniker& moniker : monikers) {
        if (!moniker) continue;
        const QString name = moniker->FriendlyName();
        if (name.trimmed().isEmpty()) continue;
        const int n = CountDevicesNamed(name, list);
        const QString display = n > 1 ? name + QString(" (%1)").arg(n) : name;
        list.append(CaptureDeviceInfo(name, display, moniker));
    }
}

void EnumerateDevices(DeviceCategory category, CaptureDeviceList& list) {
    list.clear();
    FillDeviceList(platform::EnumerateMediaDevices(category), list);
}

void EnumerateVideoInputs() {
    EnumerateDevices(DeviceCategory::VideoInput, VideoInputDevices);
}
void EnumerateAudioInputs() {
    EnumerateDevices(DeviceCategory::AudioInput, AudioInputDevices);
}
void EnumerateVideoCompressors() {
    EnumerateDevices(DeviceCategory::VideoCompressor, VideoCompressorDevices);
}
void EnumerateAudioCompressors() {
    EnumerateDevices(DeviceCategory::AudioCompressor, AudioCompressorDevices);
}

void EnumerateAllDevices() {
    EnumerateVideoInputs();
    EnumerateAudioInputs();
    EnumerateVideoCompressors();
    EnumerateAudioCompressors();
}

void ClearDeviceLists() {
    VideoInputDevices.clear();
    AudioInputDevices.clear();
    VideoCompressorDevices.clear();
    AudioCompressorDevices.clear();
}

namespace {
QStringList NamesOf(CaptureDeviceList& list, bool refresh, void (*enumerate)()) {
    if (refresh || list.isEmpty()) enumerate();
    QStringList names;
    for (const CaptureDeviceInfo& info : list)
        names << info.Name;
    return names;
}
} // namespace

QStringList VideoSourceNames(bool refresh) {
    return NamesOf(VideoInputDevices, refresh, EnumerateVideoInputs);
}
QStringList AudioSourceNames(bool refresh) {
    return NamesOf(AudioInputDevices, refresh, EnumerateAudioInputs);
}
QStringList VideoCompressorNames(bool refresh) {
    return NamesOf(VideoCompressorDevices, refresh, EnumerateVideoCompressors);
}
QStringList AudioCompressorNames(bool refresh) {
    return NamesOf(AudioCompressorDevices, refresh, EnumerateAudioCompressors);
}

bool IsSameMoniker(const DeviceMoniker& a, const DeviceMoniker& b) {
    if (!a || !b) return false;
    return a == b || (a->Category() == b->Category() && a->Key() == b->Key());
}

int IndexOfDeviceMoniker(const CaptureDeviceList& list, const DeviceMoniker& moniker) {
    for (int i = 0; i < list.size(); ++i)
        if (IsSameMoniker(list[i].Moniker, moniker)) return i;
    return -1;
}

QString DeviceNameOfMoniker(const CaptureDeviceList& list, const DeviceMoniker& moniker) {
    const int i = IndexOfDeviceMoniker(list, moniker);
    return i < 0 ? QString() : list[i].Name;
}

DeviceMoniker FindDeviceMonikerByName(const CaptureDeviceList& list, const QString& name) {
    for (const CaptureDeviceInfo& info : list)
        if (info.Name == name) return info.Moniker;
    return nullptr;
}

int CountDevicesNamed(const QString& baseName, const CaptureDeviceList& list) {
    int n = 1;
    for (const CaptureDeviceInfo& info : list)
        if (info.BaseName == baseName) ++n;
    return n;
}
