#include "publish/FtpPictureUploadTarget.h"

#include "core/TransferBusy.h"
#include "core/SettingsRecord.h"
#include "core/SettingsStore.h"
#include "publish/FtpUploader.h"

bool FtpPictureUploadTarget::TransferBusy() const { return ::TransferBusy::IsBusy(); }

bool FtpPictureUploadTarget::IsFtpConnected() const { return ftp_.IsFtpConnected(); }

bool FtpPictureUploadTarget::IsFtpBusy() const { return ftp_.IsFtpBusy(); }

FtpExportChoices FtpPictureUploadTarget::ExportChoices() const {
    const FtpForm& form = ftp_.Form();
    FtpExportChoices choices;
    choices.recycle = form.exportMode == FtpExportMode::Recycle;
    choices.exportAll = form.exportMode == FtpExportMode::ExportAll;
    choices.exportAs = form.exportMode == FtpExportMode::ExportAs;
    choices.exportName1 = form.exportName1;
    choices.exportName2 = form.exportName2;
    choices.maxImages = ftp_.MaxImages();
    return choices;
}

void FtpPictureUploadTarget::FtpUploadCapturedImage(const QString& localPath, const QString& remoteName, int camera) {
    ftp_.FtpUploadCapturedImage(localPath, remoteName, camera);
}
