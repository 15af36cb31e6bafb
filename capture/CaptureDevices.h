#pragma once
// The four process-wide device lists (video inputs, audio inputs, video and audio
// compressors), shared by every capture control, and the look-ups between display names,
// monikers and list positions.
#include "platform/MediaDevices.h"

#include <QList>
#include <QString>
#include <QStringList>

// A device's moniker: shared, so a list being cleared never frees what a control uses.
// Two monikers are the same device when their identity keys are equal.
using DeviceMoniker = platform::MediaMonikerPtr;
using DeviceCategory = platform::MediaCategory;

struct CaptureDeviceInfo {
    CaptureDeviceInfo(const QString& baseName, const QString& name, DeviceMoniker moniker)
        : BaseName(baseName), Name(name), Moniker(std::move(moniker)) {}
    QString BaseName; // the friendly name exactly as the device gives it
    QString Name;     // BaseName, plus " (n)" for the n-th device of that name
    DeviceMoniker Moniker;
};
using CaptureDeviceList = QList<CaptureDeviceInfo>;

extern CaptureDeviceList VideoInputDevices;
extern CaptureDeviceList AudioInputDevices;
extern CaptureDeviceList VideoCompressorDevices;
extern CaptureDeviceList AudioCompressorDevices;

// Refills one list from the media layer (blank names skipped, repeats numbered).
void EnumerateDevices(DeviceCategory category, CaptureDeviceList& list);
// Fills a list from monikers already enumerated; the naming rule lives here.
void FillDeviceList(const QList<DeviceMoniker>& monikers, CaptureDeviceList& list);
void EnumerateVideoInputs();
void EnumerateAudioInputs();
void EnumerateVideoCompressors();
void EnumerateAudioCompressors();
void EnumerateAllDevices();
void ClearDeviceLists();

// Display names in list order; the list is refilled first when asked or when it is empty.
QStringList VideoSourceNames(bool refresh);
QStringList AudioSourceNames(bool refresh);
QStringList VideoCompressorNames(bool refresh);
QStringList AudioCompressorNames(bool refresh);

bool IsSameMoniker(const DeviceMoniker& a, const DeviceMoniker& b);
int IndexOfDeviceMoniker(const CaptureDeviceList& list, const DeviceMoniker& moniker);
QString DeviceNameOfMoniker(const CaptureDeviceList& list, const DeviceMoniker& moniker);
DeviceMoniker FindDeviceMonikerByName(const CaptureDeviceList& list, const QString& name);
int CountDevicesNamed(const QString& baseName, const CaptureDeviceList& list);
