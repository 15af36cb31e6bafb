#pragma once
// The station's settings: record 1 of X290607.dat, 2704 bytes of fixed layout.
// The record keeps its whole byte image, so bytes that no field names round-trip.
#include "core/FixedRecord.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <utility>
#include <vector>

// The largest phone screen size (pixels a side) the gallery pictures are scaled to.
constexpr int kMaxPhonePictureSize = 2000;

struct SettingsRecord : FixedRecord<SettingsRecord, 2704> {
    // The layout: calls v(offset, name, member[, capacity]) for every field.
    template <class Record, class Visitor> static void VisitFields(Record& r, Visitor&& v);

    // Bytes that belong to no field: first and last offset, both included.
    static std::vector<std::pair<int, int>> ReservedRanges();

    qint16 Zone1Left = 100;
    qint16 Zone2Left = 100;
    qint16 Zone1Top = 100;
    qint16 Zone2Top = 100;
    qint16 Zone1Size = 30;
    qint16 Zone2Size = 30;
    qint16 Sensitivity1 = 3000;
    qint16 Sensitivity2 = 3000;
    qint16 BufferSize1 = 10;
    qint16 BufferSize2 = 10;
    qint16 StartScreenWidth = 0;
    qint16 StartScreenHeight = 0;
    QString Cam1Folder;
    QString LockPassword;
    QString Cam2Folder;
    QString Cam1Name = QStringLiteral("Cam 1");
    QString Cam2Name = QStringLiteral("Cam 2");
    qint16 DefaultCam1Index = 0;
    qint16 DefaultCam2Index = 0;
    bool AutoStart1 = false;
    bool AutoStart2 = false;
    bool CaptionTransparent = false;
    char LogListView = 0;
    QString SiteLocation;
    bool FtpCreateImageLog = false;
    QString FtpPassword; // plain in memory, scrambled in the file
    QString FtpUser;
    QString FtpHost;
    QString FtpExportName1 = QStringLiteral("netcam1");
    QString FtpRemoteDir;
    bool FtpPassive = false;
    bool FtpSaveSettings = true;
    bool FtpExportAs = true;
    qint16 FtpMaxImages = 20;
    bool FtpExportDisabled = true;
    bool FtpExportAll = false;
    bool FtpRecycle = false;
    qint16 FtpJpegQuality = 100;
    QString FtpExportName2 = QStringLiteral("netcam2");
    bool FtpDialUp = true;
    bool CaptionTransparent2 = false;
    bool SoundAlarm = false;
    bool CaptionsOff1 = false;
    bool CaptionsOff2 = false;
    bool EnableAutoStart = false;
    std::array<qint16, 5> ZoomTop{};
    std::array<qint16, 5> ZoomLeft{};
    std::array<qint16, 5> ZoomSize{};
    bool ClassicCaption = true;
    bool CaptionTopRight = false;
    bool TvOut = false;
    qint16 CaptionTextColor = 0;
    qint16 CaptionBackColor = 1;
    QString CaptionFontName;
    qint16 CaptionFontSize = 0;
    qint16 CaptionColorPreset = 3;
    qint32 DateFormatIndex = 6;
    qint16 TimeLapseStart1 = 0;
    qint16 TimeLapseStart2 = 0;
    qint16 TimeLapseStop1 = 144;
    qint16 TimeLapseStop2 = 144;
    qint16 Action1 = 0;
    qint16 Action2 = 0;
    bool TimeWindow1 = false;
    bool TimeWindow2 = false;
    bool FtpAutoConnect = false;
    bool RecycleDiskSpace = false;
    bool HotZone1 = true;
    bool HotZone2 = true;
    bool PlaceOnTray = false;
    bool StartMotionAtStart = false;
    bool StartTimeLapseAtStart = false;
    qint16 TimeLapseSeconds = 2;
    qint16 SampleRateMs = 400;
    qint16 AlertPeriodMinutes = 10;
    qint16 AlertMaxImages = 5;
    qint32 EmailLimit = 10;
    QString AlertEmail;
    bool NotifyActive = false;
    qint16 AlertFormat = 0;
    qint16 SetupTabIndex = 0;
    bool DialUp = true;
    qint16 RecycleThresholdMB = 0;
    bool ClearQueueOnSend = true;
    QString VideoMode1;
    QString VideoMode2;
    QString PhoneNumber;
    QString PhoneCode;
    QString PhonePictureSize; // empty is read as "150"; 1..kMaxPhonePictureSize
    bool PhoneAutoConnect = false;
    bool AviReady1 = false;
    bool AviReady2 = false;
    bool ScanRed = true;
    bool ScanGreen = true;
    bool ScanBlue = true;
    qint16 ColorThreshold = 3;
    bool DiskControl = true;
};

extern template struct FixedRecord<SettingsRecord, SettingsRecord::kSize>;
