#pragma once
// The FTP window's controls as plain values, and how they move to and from the settings
// record.
#include "publish/ImageLogPage.h"

#include <QString>

struct SettingsRecord;

struct FtpForm {
    QString host;          // hostEdit
    QString user;          // userEdit
    QString password;      // passwordEdit
    QString remoteDir;     // remoteDirEdit
    QString exportName1;
    QString exportName2;
    QString maxImagesText; // maxImagesEdit
    int quality = 100;     // qualitySlider (10..100)
    bool createWebPage = false; // createWebPageBox
    bool passive = false;       // passiveBox
    bool saveSettings = true;   // saveSettingsBox
    bool autoConnect = false;
    bool dialUp = true;
    FtpExportMode exportMode = FtpExportMode::Disabled;
};

// The export radio button the record's four flags leave on: the flags are applied in
// record order (Export As, Disabled, Export All, Recycle) and the last one set wins, as
// ticking a radio button unticks the others.
FtpExportMode ExportModeFromRecord(const SettingsRecord& record);

// Record into the form: texts trimmed, empty export names become "netcam1" / "netcam2" in
// the record too, the quality kept within the track bar's range.
void LoadFtpSettings(SettingsRecord& record, FtpForm& form);

// Form into the record, only while Save Settings is ticked (false otherwise; the caller
// then saves nothing). Texts are trimmed and cut to their field widths; the maximum is
// stored only when it reads as 1..999.
bool StoreFtpSettings(const FtpForm& form, SettingsRecord& record);

// qualityLabel's text for a track bar position.
QString CompressionLabelText(int position);

// The widest "Maximum Images" the record accepts.
inline constexpr int kFtpMaxImagesLimit = 999;
