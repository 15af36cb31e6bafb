#include "core/PictureStore.h"

#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "core/PictureCaption.h"
#include "core/PictureNames.h"
#include "core/SettingsStore.h"
#include "platform/Ansi.h"
#include "platform/Jpeg.h"
#include "platform/ProgramFolder.h"
#include "platform/SystemInfo.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>

namespace {

QString& CameraFolderField(SettingsRecord& record, int camera) {
    return camera == 1 ? record.Cam1Folder : record.Cam2Folder;
}

const QString& CameraName(const SettingsRecord& record, int camera) {
    return camera == 1 ? record.Cam1Name : record.Cam2Name;
}

bool IsFolder(const QString& folder) { return !folder.isEmpty() && QFileInfo(folder).isDir(); }

// The note's date format; an index with no format (a damaged record) takes the default one,
// as the caption does, so no note loses the time its picture was taken.
QString NoteDateFormat(int index) {
    const QString format = DateFormatByIndex(index);
    return format.isEmpty() ? DateFormatByIndex(6) : format;
}

} // namespace

FtpExportChoices FtpExportChoicesFromRecord(const SettingsRecord& record) {
    FtpExportChoices choices;
    choices.recycle = record.FtpRecycle;
    choices.exportAll = record.FtpExportAll;
    choices.exportAs = record.FtpExportAs;
    choices.exportName1 = record.FtpExportName1;
    choices.exportName2 = record.FtpExportName2;
    choices.maxImages = record.FtpMaxImages;
    return choices;
}

void BindPictureCaptions(PictureStore& store, PictureCaptions& captions) {
    PictureStoreHooks& hooks = store.Hooks();
    hooks.applyCaptionFont = [&captions](platform::PictureCanvas& image) { captions.ApplyCaptionFont(image); };
    hooks.drawPictureCaption = [&captions](platform::PictureCanvas& image, int camera) {
        captions.DrawPictureCaption(image, camera);
    };
    hooks.applyCaptionColors = [&captions](platform::PictureCanvas& image) { captions.ApplyCaptionColors(image); };
}

PictureStore::PictureStore(SettingsStore& settings, DiskSpaceProbe probe)
    : settings_(settings),
      recycler_([this](int camera) { return settings_.CameraFolder(camera); },
                [this] { settings_.MakeCameraFolders(); }, std::move(probe)) {
    recycler_.SetLogWindowVisibleHook([this] { return hooks_.logWindowVisible && hooks_.logWindowVisible(); });
}

QString PictureStore::CounterFilePath() const { return settings_.Folder().Sub("cam1") + "counter.txt"; }

qint32 PictureStore::PictureCount(int camera) const {
    return camera == 1 || camera == 2 ? counts_[camera - 1] : 0;
}

void PictureStore::ResetPictureCounts() { counts_[0] = counts_[1] = 0; }

qint64 PictureStore::ReadCounter() const {
    QFile file(CounterFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = file.readLine(64);
    const qint64 n = SafeStrToInt(TrimText(QString::fromLatin1(line)));
    // A damaged counter counts as none.
    return n > 0 ? n : 0;
}

bool PictureStore::NumberIsTaken(qint64 number) const {
    const QString name = PictureFileNameFor(number, prefix_);
    for (int camera = 1; camera <= 2; ++camera) {
        const QString folder = settings_.CameraFolder(camera);
        if (folder.isEmpty())
            continue;
        if (QFileInfo::exists(platform::JoinPath(folder, name)) ||
            QFileInfo::exists(platform::JoinPath(folder, NoteFileNameFor(name))))
            return true;
    }
    return false;
}

qint64 PictureStore::FirstFreeNumber(qint64 number) const {
    if (!NumberIsTaken(number))
        return number;
    // The counter is behind the pictures on disk (lost or restored): one look at the
    // folders tells which numbers are in use, then the first free one after it is taken.
    QSet<qint64> used;
    for (int camera = 1; camera <= 2; ++camera) {
        const QString folder = settings_.CameraFolder(camera);
        if (folder.isEmpty())
            continue;
        for (const QString& file : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            const qint64 n = PictureNumberOf(file, prefix_);
            if (n >= 0)
                used.insert(n);
        }
    }
    ++number;
    while (used.contains(number) || NumberIsTaken(number))
        ++number;
    return number;
}

QString PictureStore::NextPictureFileName(qint64* pictureNumber) {
    const qint64 number = FirstFreeNumber(ReadCounter() + 1);
    // The user may have moved Cam1Folder away; the counter still lives in cam1/.
    QString error;
    const QString counterPath = CounterFilePath();
    if (!QDir().mkpath(QFileInfo(counterPath).absolutePath()))
        error = "the folder cannot be made";
    else
        platform::RewriteSmallFile(counterPath, FormatPictureNumber(number).toLatin1() + "\r\n", &error);
    if (!error.isEmpty()) {
        if (!counterFailureShown_)
            PostMessageBox("The picture counter " + counterPath + " could not be written: " + error);
        counterFailureShown_ = true;
    } else {
        counterFailureShown_ = false;
    }
    if (pictureNumber)
        *pictureNumber = number;
    return PictureFileNameFor(number, prefix_);
}

QString PictureStore::EnsurePictureFolder(int camera, QString* error) {
    const QString inUse = settings_.CameraFolder(camera);
    if (IsFolder(inUse))
        return inUse;
    SettingsRecord& record = settings_.Record();
    const QString stored = TrimText(CameraFolderField(record, camera));
    if (IsFolder(stored)) {
        settings_.SetCameraFolder(camera, stored);
        return settings_.CameraFolder(camera);
    }
    const QString fallback = settings_.Folder().Sub(camera == 1 ? "cam1" : "cam2");
    if (!QDir().mkpath(fallback)) {
        if (error)
            *error = "the folder " + fallback + " cannot be made";
        return {};
    }
    CameraFolderField(record, camera) = fallback;
    settings_.SetCameraFolder(camera, fallback);
    settings_.SaveSettings();
    return settings_.CameraFolder(camera);
}

QString PictureStore::TimeText(const QString& pattern) const {
    return FormatDateTime(pattern, hooks_.now ? hooks_.now() : QDateTime::currentDateTime());
}

void PictureStore::SetGroupBoxColour(quint32 colour) {
    if (hooks_.cameraViewIs180High && hooks_.cameraViewIs180High())
        return;
    if (hooks_.setGroupBoxColour)
        hooks_.setGroupBoxColour(colour);
}

void PictureStore::ReportFailure(const QString& text) {
    // Surveillance goes on; the user hears of a failing disk once, not at every motion, and
    // only after the save returned, so the motion timer is back on behind the message.
    if (!failureShown_)
        PostMessageBox(text);
    failureShown_ = true;
}

bool PictureStore::SaveMotionPicture(const QImage& picture, int camera) {
    platform::PictureCanvas canvas(picture);
    return SaveMotionPicture(canvas, camera);
}

bool PictureStore::SaveMotionPicture(platform::PictureCanvas& image, int camera) {
    if (camera != 1 && camera != 2)
        return false;
    SetGroupBoxColour(kRed);
    const SettingsRecord& record = settings_.Record();
    const bool ftpConnected = uploads_ && uploads_->IsFtpConnected();
    const int quality = ftpConnected ? (record.FtpJpegQuality & 0xFF) : 100;

    QString error;
    const QString folder = EnsurePictureFolder(camera, &error);
    if (folder.isEmpty()) {
        ReportFailure("The picture could not be saved: " + error + ".");
        SetGroupBoxColour(kBlack);
        return false;
    }

    qint64 number = 0;
    const QString name = NextPictureFileName(&number);
    ++counts_[camera - 1];

    if (hooks_.applyCaptionFont)
        hooks_.applyCaptionFont(image);
    const bool tvOut = hooks_.tvOut ? hooks_.tvOut() : record.TvOut;
    if (!tvOut && hooks_.drawPictureCaption)
        hooks_.drawPictureCaption(image, camera);
    if (hooks_.applyCaptionColors)
        hooks_.applyCaptionColors(image);

    const QStringList noteLines =
        PictureNoteLines(number, name, record.SiteLocation, CameraName(record, camera),
                         TimeText(NoteDateFormat(record.DateFormatIndex)));
    const QString noteText = noteLines.join("\r\n") + "\r\n";

    const QString path = platform::JoinPath(folder, name);
    const QString notePath = platform::JoinPath(folder, NoteFileNameFor(name));
    // Both files go to temporary names first and the note is put in place before the
    // picture: a stop in between leaves at worst a note without its picture (removed at the
    // next start), never a picture nobody can explain.
    QByteArray jpeg;
    platform::StagedFile note;
    platform::StagedFile picture;
    bool saved = platform::EncodeJpeg(image.Image(), quality, &jpeg, &error) &&
                 note.Write(notePath, platform::ToAnsi(noteText), &error, platform::FileSync::Cached) &&
                 picture.Write(path, jpeg, &error, platform::FileSync::Cached) && note.Commit(&error);
    if (saved && !picture.Commit(&error)) {
        QFile::remove(notePath);
        saved = false;
    }
    if (!saved) {
        --counts_[camera - 1];
        ReportFailure("The picture " + path + " could not be saved: " + error);
        SetGroupBoxColour(kBlack);
        return false;
    }
    lastPicturePath_ = path;
    // Queued only now: the alert must never mail a picture that is not on disk.
    if (record.NotifyActive)
        alertQueue_.prepend(QString::number(camera) + name);

    if (record.RecycleThresholdMB > 0) {
        const qint64 freeMB = recycler_.GetFreeDiskMB(camera);
        if (freeMB >= 0 && freeMB <= record.RecycleThresholdMB)
            recycler_.DeleteOldestPicture(camera, name);
    }
    SetGroupBoxColour(kGreen);
    HandOffForUpload(camera, folder, name, noteText);
    SetGroupBoxColour(kBlack);
    failureShown_ = false;
    return true;
}

void PictureStore::HandOffForUpload(int camera, const QString& folder, const QString& name,
                                    const QString& noteText) {
    if (!uploads_ || uploads_->TransferBusy())
        return;
    // The transfer starts once the save and the motion poll around it have returned: a slow
    // or silent server then holds up its own upload, never surveillance. Each camera keeps
    // one picture waiting, so both pictures of one tick go, one after the other; a picture
    // saved while its camera's upload still waits is not uploaded.
    for (const WaitingUpload& waiting : std::as_const(waitingUploads_))
        if (waiting.camera == camera)
            return;
    waitingUploads_.append({camera, platform::JoinPath(folder, name), name, noteText});
    if (postingUploads_)
        return;
    postingUploads_ = true;
    QMetaObject::invokeMethod(&uploadQueue_, [this] { PostWaitingUploads(); }, Qt::QueuedConnection);
}

void PictureStore::PostWaitingUploads() {
    // The store may go while a transfer pumps events.
    const QPointer<QObject> alive(&uploadQueue_);
    while (!waitingUploads_.isEmpty()) {
        const WaitingUpload next = waitingUploads_.takeFirst();
        Upload(next.camera, next.path, next.name, next.noteText);
        if (!alive)
            return;
    }
    postingUploads_ = false;
}

void PictureStore::Upload(int camera, const QString& path, const QString& name, const QString& noteText) {
    // Another transfer may have started meanwhile.
    if (!uploads_ || uploads_->TransferBusy())
        return;
    auto online = [this] {
        return hooks_.internetConnected ? hooks_.internetConnected() : platform::IsInternetConnected();
    };
    if (uploads_->IsGalleryConnected() && online()) {
        uploads_->UploadPictureToGallery(path, noteText);
        return;
    }
    if (!uploads_->IsFtpConnected())
        return;
    const FtpExportChoices choices = uploads_->ExportChoices();
    const QString exportName = camera == 1 ? choices.exportName1 : choices.exportName2;
    if (choices.recycle) {
        ftpRing_ = NextFtpRingPosition(ftpRing_, choices.maxImages);
        uploads_->FtpUploadCapturedImage(path, FtpRingRemoteName(exportName, ftpRing_), camera);
    }
    if (choices.exportAll)
        uploads_->FtpUploadCapturedImage(path, name, camera);
    if (choices.exportAs && !uploads_->IsFtpBusy()) {
        const QString remote = FtpExportAsRemoteName(exportName);
        if (!remote.isEmpty())
            uploads_->FtpUploadCapturedImage(path, remote, camera);
    }
}

QString PictureStore::FormatLastImageCaption(int camera) const {
    const QString number = FormatPictureNumber(qint64(counts_[0]) + counts_[1] + 1);
    const int height = hooks_.groupBoxHeight ? hooks_.groupBoxHeight() : 0;
    if (height < 201)
        return number;
    return number + " Last Image " + TrimText(CameraName(settings_.Record(), camera)) + " " +
           TimeText("ddd mmm d,yyyy,HH:mm:ss");
}

namespace {

// The temporaries an earlier version's settings writes left: the file name and six
// letters or digits.
bool IsOldSettingsTemporary(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("^(X290607\\.dat|ETR0511\\.dat|CAM[0-9]{1,9}\\.DAT)\\.[A-Za-z0-9]{6}$"));
    return pattern.match(name).hasMatch();
}

// A note this station wrote: its name is the counter (or "Image" and the counter), at most
// six name characters and ".txt", and it begins with the note's heading.
bool IsStationNote(const QDir& folder, const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^(Image)?[0-9]{6,18}[^/]{0,6}\\.txt$"));
    if (!pattern.match(name).hasMatch())
        return false;
    QFile file(folder.filePath(name));
    return file.open(QIODevice::ReadOnly) && file.read(5) == "N.o. ";
}

} // namespace

QStringList PictureStore::RemoveStrayFiles() {
    QStringList removed;
    const platform::ProgramFolder& program = settings_.Folder();
    if (!program.IsValid())
        return removed;
    QStringList folders{program.Root(), program.Sub("cam1"), program.Sub("cam2")};
    for (int camera = 1; camera <= 2; ++camera)
        if (IsFolder(settings_.CameraFolder(camera)))
            folders << settings_.CameraFolder(camera);
    QSet<QString> seen;
    for (qsizetype i = 0; i < folders.size(); ++i) {
        const QString& path = folders[i];
        const QDir folder(path);
        const QString key = QFileInfo(folder.absolutePath()).canonicalFilePath();
        if (key.isEmpty() || seen.contains(key))
            continue;
        seen.insert(key);
        for (const QString& name : platform::RemoveStrayStagedFiles(path))
            removed << folder.filePath(name);
        const bool programFolder = i == 0;
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            bool stray = programFolder && IsOldSettingsTemporary(name);
            if (!stray && !programFolder && IsStationNote(folder, name))
                stray = !QFileInfo::exists(folder.filePath(name.left(name.size() - 4) + ".jpg"));
            if (stray && QFile::remove(folder.filePath(name)))
                removed << folder.filePath(name);
        }
    }
    return removed;
}
