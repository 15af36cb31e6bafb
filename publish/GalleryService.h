#pragma once
// The online picture service: connect and disconnect from the set-up panel's phone page, and
// the upload of each saved picture as a scaled JPEG with its note. Works on the page through
// a small view and on the network through GalleryHttp, so it runs without a window.
#include "publish/GalleryClient.h"

#include <QImage>
#include <QStringList>
#include <functional>

class SettingsStore;

// The phone page's controls as the service needs them.
class GalleryPageView {
public:
    virtual ~GalleryPageView() = default;
    virtual QString UserText() const = 0;     // phoneNumberEdit
    virtual QString CodeText() const = 0;     // phoneCodeEdit
    virtual QString SizeText() const = 0;     // phoneSizeCombo
    virtual void SetSizeText(const QString& text) = 0;
    virtual void SetConnectCaption(const QString& caption) = 0; // serviceConnectButton
    virtual void ShowLog(const QStringList& lines) = 0;         // phoneLogEdit
    virtual void ShowPreview(const QImage& picture) = 0;        // previewLabel
    virtual void SetTestEnabled(bool enabled) = 0;              // testPictureButton
};

class GalleryService {
public:
    // setTransferBusy: the station's one network-busy flag, held during each post.
    GalleryService(SettingsStore& store, GalleryHttp& http, GalleryPageView& page,
                   std::function<void(bool busy)> setTransferBusy);

    // ToggleConnection: connects when disconnected, else disconnects. Ignored while a
    // connect is still waiting for the service.
    void ToggleConnection();
    // The connect a camera switched on asks for (auto-connect): nothing when connected or
    // connecting. Its failure, hidden on the page, is told as a failed upload is: once, until
    // a connect succeeds again.
    void AutoConnect();
    // The body of the authorisation reply (the gallery path), or "FAILED!".
    QString AuthorizeGalleryUser(const QString& user, const QString& password);
    // Scales the saved picture to PhonePictureSize square, shows it, makes a scratch copy in
    // <program folder>temp/z4/ and posts it with its note; the copy goes once posted. False
    // when nothing was uploaded; a failed post is logged on the page and, until a post
    // succeeds again, told once.
    bool UploadPictureToGallery(const QString& pictureFile, const QString& user, const QString& password,
                                const QByteArray& text, const QString& size);
    // The picture store's hand-off: the note's bytes as saved beside the picture.
    bool UploadSavedPicture(const QString& pictureFile);

    // Removes the scratch copies an interrupted run left (at start-up).
    void RemoveScratchCopies();

    bool GalleryConnected() const { return connected_; }
    bool Connecting() const { return connecting_; }
    void ResetGalleryConnected() { connected_ = false; }
    const QString& GalleryPath() const { return path_; }
    const QString& GallerySize() const { return size_; }
    const QStringList& LogLines() const { return log_; }

    static inline const QString kFailed = QStringLiteral("FAILED!");

private:
    void ShowLog() { page_.ShowLog(log_); }
    // On stderr and in a box nothing waits on.
    static void TellFailure(const QString& text);

    SettingsStore& store_;
    GalleryHttp& http_;
    GalleryPageView& page_;
    std::function<void(bool)> setTransferBusy_;
    QString ScratchFolder() const;

    bool connected_ = false;
    bool connecting_ = false;
    bool failureTold_ = false;
    bool connectFailureTold_ = false;
    QString connectError_; // why the last authorisation failed
    QString path_, user_, password_, size_;
    QStringList log_;
};

// The upload path for a gallery path as the service sent it: blanks and line ends trimmed,
// each segment percent-encoded, "/" between segments kept.
QString GalleryUploadPath(const QString& galleryPath);
