#pragma once
// Where the picture store hands saved pictures: the online picture service when it is
// connected, else FTP. Each side is its own part; this only joins them.
#include "core/PictureUploadTarget.h"

class GalleryService;

class StationUploads : public PictureUploadTarget {
public:
    StationUploads(GalleryService& gallery, PictureUploadTarget& ftp) : gallery_(gallery), ftp_(&ftp) {}

    bool TransferBusy() const override;
    bool IsGalleryConnected() const override;
    void UploadPictureToGallery(const QString& picturePath, const QString& noteText) override;
    bool IsFtpConnected() const override { return ftp_->IsFtpConnected(); }
    bool IsFtpBusy() const override { return ftp_->IsFtpBusy(); }
    FtpExportChoices ExportChoices() const override { return ftp_->ExportChoices(); }
    void FtpUploadCapturedImage(const QString& localPath, const QString& remoteName, int camera) override {
        ftp_->FtpUploadCapturedImage(localPath, remoteName, camera);
    }

private:
    GalleryService& gallery_;
    PictureUploadTarget* ftp_;
};
