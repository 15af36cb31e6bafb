#include "app/StationUploads.h"

#include "core/TransferBusy.h"
#include "publish/GalleryService.h"

bool StationUploads::TransferBusy() const { return ::TransferBusy::IsBusy(); }

bool StationUploads::IsGalleryConnected() const { return gallery_.GalleryConnected(); }

void StationUploads::UploadPictureToGallery(const QString& picturePath, const QString&) {
    // The note is sent as it lies beside the picture, bytes as saved.
    gallery_.UploadSavedPicture(picturePath);
}
