#pragma once
// The station's upload target: the picture store hands saved pictures to the FTP uploader
// through it. The online picture service side stays empty until that client exists.
#include "core/PictureUploadTarget.h"

class FtpUploader;

class FtpPictureUploadTarget : public PictureUploadTarget {
public:
    explicit FtpPictureUploadTarget(FtpUploader& ftp) : ftp_(ftp) {}

    bool TransferBusy() const override;
    bool IsGalleryConnected() const override { return false; }
    void UploadPictureToGallery(const QString&, const QString&) override {}
    bool IsFtpConnected() const override;
    bool IsFtpBusy() const override;
    FtpExportChoices ExportChoices() const override;
    void FtpUploadCapturedImage(const QString& localPath, const QString& remoteName, int camera) override;

private:
    FtpUploader& ftp_;
};
