#pragma once
// Where a saved picture is handed for upload: the online picture service first, then FTP.
// The FTP window and the online-service client implement it; until they exist the
// station runs with NullPictureUploadTarget, which is never connected.
#include <QString>

// The FTP window's export choices (its radio buttons, export names and ring size).
struct FtpExportChoices {
    bool recycle = false;   // "Recycle ": numbered ring of remote pictures
    bool exportAll = false; // "Export All": under the picture's own name
    bool exportAs = false;  // "Export As": under the camera's export name
    QString exportName1;    // exportName1Edit (camera 1)
    QString exportName2;    // exportName2Edit (camera 2)
    int maxImages = 20;     // size of the ring
};

class PictureUploadTarget {
public:
    virtual ~PictureUploadTarget() = default;

    // The program-wide flag set while any transfer runs.
    virtual bool TransferBusy() const = 0;

    virtual bool IsGalleryConnected() const = 0;
    virtual void UploadPictureToGallery(const QString& picturePath, const QString& noteText) = 0;

    virtual bool IsFtpConnected() const = 0;
    virtual bool IsFtpBusy() const = 0;
    virtual FtpExportChoices ExportChoices() const = 0;
    virtual void FtpUploadCapturedImage(const QString& localPath, const QString& remoteName, int camera) = 0;
};

class NullPictureUploadTarget : public PictureUploadTarget {
public:
    bool TransferBusy() const override { return false; }
    bool IsGalleryConnected() const override { return false; }
    void UploadPictureToGallery(const QString&, const QString&) override {}
    bool IsFtpConnected() const override { return false; }
    bool IsFtpBusy() const override { return false; }
    FtpExportChoices ExportChoices() const override { return {}; }
    void FtpUploadCapturedImage(const QString&, const QString&, int) override {}
};
