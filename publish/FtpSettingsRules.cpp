#include "publish/FtpSettingsRules.h"

#include "core/Helpers.h"
#include "core/SettingsRecord.h"

#include <algorithm>

FtpExportMode ExportModeFromRecord(const SettingsRecord& record) {
    FtpExportMode mode = FtpExportMode::Disabled;
    if (record.FtpExportAs)
        mode = FtpExportMode::ExportAs;
    if (record.FtpExportDisabled)
        mode = FtpExportMode::Disabled;
    if (record.FtpExportAll)
        mode = FtpExportMode::ExportAll;
    if (record.FtpRecycle)
        mode = FtpExportMode::Recycle;
    return mode;
}

void LoadFtpSettings(SettingsRecord& record, FtpForm& form) {
    if (TrimText(record.FtpExportName1).isEmpty())
        record.FtpExportName1 = QStringLiteral("netcam1");
    if (TrimText(record.FtpExportName2).isEmpty())
        record.FtpExportName2 = QStringLiteral("netcam2");
    form.host = TrimText(record.FtpHost);
    form.user = TrimText(record.FtpUser);
    form.password = TrimText(record.FtpPassword);
    form.remoteDir = TrimText(record.FtpRemoteDir);
    form.exportName1 = TrimText(record.FtpExportName1);
    form.exportName2 = TrimText(record.FtpExportName2);
    form.maxImagesText = QString::number(record.FtpMaxImages);
    form.quality = std::clamp<int>(record.FtpJpegQuality, 10, 100);
    form.createWebPage = record.FtpCreateImageLog;
    form.passive = record.FtpPassive;
    form.saveSettings = record.FtpSaveSettings;
    form.autoConnect = record.FtpAutoConnect;
    form.dialUp = record.FtpDialUp;
    form.exportMode = ExportModeFromRecord(record);
}

bool StoreFtpSettings(const FtpForm& form, SettingsRecord& record) {
    if (!form.saveSettings)
        return false;
    record.FtpPassword = TrimText(form.password).left(25);
    record.FtpUser = TrimText(form.user).left(25);
    record.FtpHost = TrimText(form.host).left(255);
    record.FtpExportName1 = TrimText(form.exportName1).left(55);
    record.FtpExportName2 = TrimText(form.exportName2).left(55);
    record.FtpRemoteDir = TrimText(form.remoteDir).left(255);
    record.FtpCreateImageLog = form.createWebPage;
    record.FtpPassive = form.passive;
    record.FtpSaveSettings = form.saveSettings;
    record.FtpAutoConnect = form.autoConnect;
    record.FtpDialUp = form.dialUp;
    record.FtpExportDisabled = form.exportMode == FtpExportMode::Disabled;
    record.FtpExportAll = form.exportMode == FtpExportMode::ExportAll;
    record.FtpRecycle = form.exportMode == FtpExportMode::Recycle;
    record.FtpExportAs = form.exportMode == FtpExportMode::ExportAs;
    const qint32 maxImages = SafeStrToInt(TrimText(form.maxImagesText));
    if (maxImages >= 1 && maxImages <= kFtpMaxImagesLimit)
        record.FtpMaxImages = qint16(maxImages);
    record.FtpJpegQuality = qint16(std::clamp(form.quality, 10, 100));
    return true;
}

QString CompressionLabelText(int position) { return "Compression   %" + QString::number(position) + "   "; }
