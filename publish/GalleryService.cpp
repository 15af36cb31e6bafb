#include "publish/GalleryService.h"

#include "core/Helpers.h"
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
    if (!reply.ok || reply.body.trimmed().isEmpty())
        return kFailed;
    return QString::fromUtf8(reply.body);
}

void GalleryService::Connect2Z4Click() {
    log_.clear();
    const QString sizeText = page_.SizeText().trimmed();
    size_ = SafeStrToInt(sizeText) == 0 ? QStringLiteral("300") : sizeText;
    user_ = page_.UserText().trimmed();
    password_ = page_.CodeText().trimmed();

    if (!connected_) {
        page_.SetSizeText(SafeStrToInt(sizeText) == 0 ? QStringLiteral("150") : sizeText);
        path_ = AuthorizeGalleryUser(user_, password_);
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

    // Apart from the camera, history and proof-sheet folders: never a saved picture's place.
    const QString scratchFolder = store_.Folder().Sub(QStringLiteral("temp/z4"));
    QDir().mkpath(scratchFolder);
    const QString fileName = QFileInfo(pictureFile).fileName();
    const QString scratch = scratchFolder + fileName;
    if (!SaveBitmapAsJpeg(scaled, scratch))
        return false;
    QFile file(scratch);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray jpeg = file.readAll();

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
    if (!reply.ok)
        return false;
    log_ << QString::fromUtf8(reply.body) << reply.statusLine
         << QStringLiteral("Upload Time ") + QString::number(elapsed.elapsed() / 1000.0, 'f', 3) +
                QStringLiteral(" Seconds");
    ShowLog();
    return true;
}

bool GalleryService::UploadSavedPicture(const QString& pictureFile) {
    QFile note(pictureFile.left(pictureFile.size() - 4) + QStringLiteral(".txt"));
    const QByteArray text = note.open(QIODevice::ReadOnly) ? note.readAll() : QByteArray();
    return UploadPictureToGallery(pictureFile, user_, password_, text, size_);
}
