#include "publish/GalleryService.h"

#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "platform/Ansi.h"
#include "platform/Jpeg.h"
#include "publish/BitmapScaling.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

// Holds the busy flag for one post and gives it back on every way out.
class BusyScope {
public:
    explicit BusyScope(const std::function<void(bool)>& set) : set_(set) {
        if (set_)
            set_(true);
    }
    ~BusyScope() {
        if (set_)
            set_(false);
    }

private:
    const std::function<void(bool)>& set_;
};

} // namespace

QString GalleryUploadPath(const QString& galleryPath) {
    QString trimmed = galleryPath;
    trimmed.remove('\r');
    trimmed.remove('\n');
    trimmed = trimmed.trimmed();
    QStringList segments = trimmed.split('/');
    for (QString& segment : segments)
        segment = QString::fromLatin1(QUrl::toPercentEncoding(segment));
    return QStringLiteral("/torvek/upload/") + segments.join('/') + QStringLiteral("/");
}

GalleryService::GalleryService(SettingsStore& store, GalleryHttp& http, GalleryPageView& page,
                               std::function<void(bool)> setTransferBusy)
    : store_(store), http_(http), page_(page), setTransferBusy_(std::move(setTransferBusy)) {}

QString GalleryService::AuthorizeGalleryUser(const QString& user, const QString& password) {
    BusyScope busy(setTransferBusy_);
    const GalleryReply reply = http_.Post(QStringLiteral("/torvek/auth.php"),
                                          {{"u", user.toUtf8(), {}, {}},
                                           {"p", password.trimmed().toUtf8(), {}, {}},
                                           {"passwordok", "OK", {}, {}}});
    // An empty answer names no gallery: as good as a refusal.
    if (!reply.ok)
        connectError_ = reply.error;
    else if (reply.body.trimmed().isEmpty())
        connectError_ = QStringLiteral("The service's answer was empty.");
    else if (reply.body.trimmed() == kFailed.toUtf8())
        connectError_ = QStringLiteral("The service refused the user ID or pass code.");
    else
        return QString::fromUtf8(reply.body);
    return kFailed;
}

void GalleryService::ToggleConnection() {
    if (connecting_)
        return;
    log_.clear();
    const QString sizeText = page_.SizeText().trimmed();
    size_ = SafeStrToInt(sizeText) == 0 ? QStringLiteral("300") : sizeText;
    user_ = page_.UserText().trimmed();
    password_ = page_.CodeText().trimmed();

    if (!connected_) {
        page_.SetSizeText(SafeStrToInt(sizeText) == 0 ? QStringLiteral("150") : sizeText);
        connecting_ = true;
        path_ = AuthorizeGalleryUser(user_, password_);
        connecting_ = false;
        if (path_ == kFailed) {
            log_ << QStringLiteral("Status: Server Failed") << QString()
                 << QStringLiteral("Try again latter Please contact support.");
            connected_ = false;
            ShowLog();
            return;
        }
        store_.WriteSettingsFile();
        log_ = QStringList{QString(),
                           QStringLiteral("Welcome! Connected to torvek Z4 service"),
                           QString(),
                           QStringLiteral("Thank you for using the TORVEK picture service."),
                           QStringLiteral("We work hard to bring this service to you."),
                           QStringLiteral("If you encounter any problems please contact support."),
                           QString()} +
               log_;
        page_.SetConnectCaption(QStringLiteral("Dis-Connect"));
        connected_ = true;
        connectFailureTold_ = false;
        ShowLog();
        return;
    }

    connected_ = false;
    if (user_.isEmpty() || password_.isEmpty())
        log_.prepend(QStringLiteral("<<=== You need to eneter the correct details!"));
    log_ << QStringLiteral("Not Connected to Z4 System");
    page_.SetConnectCaption(QStringLiteral("Connect"));
    ShowLog();
}

void GalleryService::AutoConnect() {
    if (connected_ || connecting_)
        return;
    ToggleConnection();
    if (connected_ || connectFailureTold_)
        return;
    connectFailureTold_ = true;
    TellFailure(QStringLiteral("The picture service could not be connected: %1").arg(connectError_));
}

void GalleryService::TellFailure(const QString& text) {
    ShowNoticeBox(text + QStringLiteral(" Surveillance goes on."));
}

bool GalleryService::UploadPictureToGallery(const QString& pictureFile, const QString& user,
                                            const QString& password, const QByteArray& text,
                                            const QString& size) {
    if (!QFileInfo::exists(pictureFile))
        return false;
    const int n = SafeStrToInt(store_.Record().PhonePictureSize.trimmed());
    if (n <= 0 || n > kMaxPhonePictureSize)
        return false;
    QImage picture;
    if (!platform::LoadJpeg(pictureFile, &picture))
        return false;
    QImage scaled(n, n, QImage::Format_RGB888);
    SmoothResizeBitmap(picture, scaled);
    page_.ShowPreview(scaled);

    const QString scratchFolder = ScratchFolder();
    QDir().mkpath(scratchFolder);
    const QString fileName = QFileInfo(pictureFile).fileName();
    const QString scratch = scratchFolder + fileName;
    const bool madeCopy = SaveBitmapAsJpeg(scaled, scratch);
    QFile file(scratch);
    const QByteArray jpeg = madeCopy && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    // The copy is only the post's body: it never stays behind to fill the disk.
    QFile::remove(scratch);
    if (jpeg.isEmpty())
        return false;

    log_.clear();
    ShowLog();
    GalleryReply reply;
    QElapsedTimer elapsed;
    {
        BusyScope busy(setTransferBusy_);
        elapsed.start();
        page_.SetTestEnabled(false);
        reply = http_.Post(GalleryUploadPath(path_), {{"uid", user.toUtf8(), {}, {}},
                                                      {"pass", password.toUtf8(), {}, {}},
                                                      {"text", text, {}, {}},
                                                      {"size", size.toUtf8(), {}, {}},
                                                      {"image", jpeg, fileName, QStringLiteral("image")},
                                                      {"passwordok", "OK", {}, {}}});
        page_.SetTestEnabled(true);
    }
    if (!reply.ok) {
        const QString text = QStringLiteral("The picture service did not take %1: %2").arg(fileName, reply.error);
        log_ << text;
        ShowLog();
        if (!failureTold_) {
            failureTold_ = true;
            TellFailure(text);
        }
        return false;
    }
    failureTold_ = false;
    log_ << QString::fromUtf8(reply.body) << reply.statusLine
         << QStringLiteral("Upload Time ") + QString::number(elapsed.elapsed() / 1000.0, 'f', 3) +
                QStringLiteral(" Seconds");
    ShowLog();
    return true;
}

QString GalleryService::ScratchFolder() const {
    // Apart from the camera, history and proof-sheet folders: never a saved picture's place.
    return store_.Folder().Sub(QStringLiteral("temp/z4"));
}

void GalleryService::RemoveScratchCopies() {
    if (!store_.Folder().IsValid())
        return;
    QDir folder(ScratchFolder());
    for (const QString& name : folder.entryList({QStringLiteral("*.jpg")}, QDir::Files | QDir::Hidden))
        folder.remove(name);
}

bool GalleryService::UploadSavedPicture(const QString& pictureFile) {
    QFile note(pictureFile.left(pictureFile.size() - 4) + QStringLiteral(".txt"));
    const QByteArray text = note.open(QIODevice::ReadOnly) ? note.readAll() : QByteArray();
    return UploadPictureToGallery(pictureFile, user_, password_, text, size_);
}
