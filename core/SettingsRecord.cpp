#include "core/SettingsRecord.h"

#include "core/RecordFields.h"

// The layout of X290607.dat's record. Every offset is the file format; do not reorder.
template <class Record, class Visitor> void SettingsRecord::VisitFields(Record& r, Visitor&& v) {
    v(0, "Zone1Left", r.Zone1Left);
    v(2, "Zone2Left", r.Zone2Left);
    v(4, "Zone1Top", r.Zone1Top);
    v(6, "Zone2Top", r.Zone2Top);
    v(8, "Zone1Size", r.Zone1Size);
    v(10, "Zone2Size", r.Zone2Size);
    v(12, "Sensitivity1", r.Sensitivity1);
    v(14, "Sensitivity2", r.Sensitivity2);
    v(16, "BufferSize1", r.BufferSize1);
    v(18, "BufferSize2", r.BufferSize2);
    v(54, "StartScreenWidth", r.StartScreenWidth);
    v(56, "StartScreenHeight", r.StartScreenHeight);
    v(59, "Cam1Folder", r.Cam1Folder, 255);
    v(315, "LockPassword", r.LockPassword, 25);
    v(341, "Cam2Folder", r.Cam2Folder, 255);
    v(597, "Cam1Name", r.Cam1Name, 100);
    v(698, "Cam2Name", r.Cam2Name, 100);
    v(800, "DefaultCam1Index", r.DefaultCam1Index);
    v(802, "DefaultCam2Index", r.DefaultCam2Index);
    v(804, "AutoStart1", r.AutoStart1);
    v(805, "AutoStart2", r.AutoStart2);
    v(806, "CaptionTransparent", r.CaptionTransparent);
    v(986, "LogListView", r.LogListView);
    v(1241, "SiteLocation", r.SiteLocation, 100);
    v(1344, "FtpCreateImageLog", r.FtpCreateImageLog);
    v(1345, "FtpPassword", r.FtpPassword, 25);
    v(1371, "FtpUser", r.FtpUser, 25);
    v(1397, "FtpHost", r.FtpHost, 255);
    v(1653, "FtpExportName1", r.FtpExportName1, 55);
    v(1709, "FtpRemoteDir", r.FtpRemoteDir, 255);
    v(1965, "FtpPassive", r.FtpPassive);
    v(1966, "FtpSaveSettings", r.FtpSaveSettings);
    v(1967, "FtpExportAs", r.FtpExportAs);
    v(1968, "FtpMaxImages", r.FtpMaxImages);
    v(1970, "FtpExportDisabled", r.FtpExportDisabled);
    v(1971, "FtpExportAll", r.FtpExportAll);
    v(1972, "FtpRecycle", r.FtpRecycle);
    v(1974, "FtpJpegQuality", r.FtpJpegQuality);
    v(1976, "FtpExportName2", r.FtpExportName2, 55);
    v(2032, "FtpDialUp", r.FtpDialUp);
    v(2033, "CaptionTransparent2", r.CaptionTransparent2);
    v(2034, "SoundAlarm", r.SoundAlarm);
    v(2035, "CaptionsOff1", r.CaptionsOff1);
    v(2036, "CaptionsOff2", r.CaptionsOff2);
    v(2037, "EnableAutoStart", r.EnableAutoStart);
    v(2038, "ZoomTop", r.ZoomTop);
    v(2048, "ZoomLeft", r.ZoomLeft);
    v(2058, "ZoomSize", r.ZoomSize);
    v(2072, "ClassicCaption", r.ClassicCaption);
    v(2073, "CaptionTopRight", r.CaptionTopRight);
    v(2074, "TvOut", r.TvOut);
    v(2076, "CaptionTextColor", r.CaptionTextColor);
    v(2078, "CaptionBackColor", r.CaptionBackColor);
    v(2080, "CaptionFontName", r.CaptionFontName, 40);
    v(2122, "CaptionFontSize", r.CaptionFontSize);
    v(2124, "CaptionColorPreset", r.CaptionColorPreset);
    v(2152, "DateFormatIndex", r.DateFormatIndex);
    v(2156, "TimeLapseStart1", r.TimeLapseStart1);
    v(2158, "TimeLapseStart2", r.TimeLapseStart2);
    v(2160, "TimeLapseStop1", r.TimeLapseStop1);
    v(2162, "TimeLapseStop2", r.TimeLapseStop2);
    v(2164, "Action1", r.Action1);
    v(2166, "Action2", r.Action2);
    v(2168, "TimeWindow1", r.TimeWindow1);
    v(2169, "TimeWindow2", r.TimeWindow2);
    v(2187, "FtpAutoConnect", r.FtpAutoConnect);
    v(2188, "RecycleDiskSpace", r.RecycleDiskSpace);
    v(2189, "HotZone1", r.HotZone1);
    v(2190, "HotZone2", r.HotZone2);
    v(2191, "PlaceOnTray", r.PlaceOnTray);
    v(2192, "StartMotionAtStart", r.StartMotionAtStart);
    v(2193, "StartTimeLapseAtStart", r.StartTimeLapseAtStart);
    v(2194, "TimeLapseSeconds", r.TimeLapseSeconds);
    v(2196, "SampleRateMs", r.SampleRateMs);
    v(2198, "AlertPeriodMinutes", r.AlertPeriodMinutes);
    v(2200, "AlertMaxImages", r.AlertMaxImages);
    v(2204, "EmailLimit", r.EmailLimit);
    v(2208, "AlertEmail", r.AlertEmail, 255);
    v(2464, "NotifyActive", r.NotifyActive);
    v(2466, "AlertFormat", r.AlertFormat);
    v(2468, "SetupTabIndex", r.SetupTabIndex);
    v(2470, "DialUp", r.DialUp);
    v(2472, "RecycleThresholdMB", r.RecycleThresholdMB);
    v(2474, "ClearQueueOnSend", r.ClearQueueOnSend);
    v(2475, "VideoMode1", r.VideoMode1, 50);
    v(2526, "VideoMode2", r.VideoMode2, 50);
    v(2577, "PhoneNumber", r.PhoneNumber, 50);
    v(2628, "PhoneCode", r.PhoneCode, 50);
    v(2679, "PhonePictureSize", r.PhonePictureSize, 5);
    v(2685, "PhoneAutoConnect", r.PhoneAutoConnect);
    v(2686, "AviReady1", r.AviReady1);
    v(2687, "AviReady2", r.AviReady2);
    v(2688, "ScanRed", r.ScanRed);
    v(2689, "ScanGreen", r.ScanGreen);
    v(2690, "ScanBlue", r.ScanBlue);
    v(2692, "ColorThreshold", r.ColorThreshold);
    v(2694, "DiskControl", r.DiskControl);
}

template struct FixedRecord<SettingsRecord, SettingsRecord::kSize>;

std::vector<std::pair<int, int>> SettingsRecord::ReservedRanges() {
    return {{20, 53},     {58, 58},     {799, 799},   {807, 985},   {987, 1240},  {1342, 1343},
            {1973, 1973}, {2068, 2071}, {2075, 2075}, {2121, 2121}, {2126, 2151}, {2170, 2186},
            {2202, 2203}, {2465, 2465}, {2471, 2471}, {2691, 2691}, {2695, 2703}};
}
