#include "core/SettingsStore.h"
// Its failures are told in a box that nothing waits on (and on stderr): the files are read
// and written while the station starts by itself, where nobody may be there to press OK.

#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "core/PasswordScrambler.h"
#include "platform/RecordFile.h"
#include "platform/Rounding.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QStandardPaths>

namespace {

QString WithoutTrailingSlashes(QString path) {
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

bool IsDirectory(const QString& path) {
    const QString trimmed = TrimText(path);
    return !trimmed.isEmpty() && QFileInfo(trimmed).isDir();
}

// A folder holding pictures (any ".jpg", as the picture log lists them) may hold some of
// another size than the camera gives now; an empty or missing one cannot.
bool HoldsPictures(const QString& folder) {
    const QString trimmed = TrimText(folder);
    return IsDirectory(trimmed) && QDirIterator(trimmed, {QStringLiteral("*.jpg")}, QDir::Files).hasNext();
}

} // namespace

SettingsStore::SettingsStore(platform::ProgramFolder folder, QString executablePath,
                             QString desktopFolder)
    : folder_(std::move(folder)), executablePath_(std::move(executablePath)),
      desktopFolder_(std::move(desktopFolder)) {}

SettingsStore::SettingsStore(platform::ProgramFolder folder)
    : SettingsStore(std::move(folder), QCoreApplication::applicationFilePath(),
                    QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)) {}

QString SettingsStore::CameraFolder(int camera) const {
    return camera == 2 ? cameraFolder_[1] : cameraFolder_[0];
}

void SettingsStore::SetCameraFolder(int camera, const QString& folder) {
    (camera == 2 ? cameraFolder_[1] : cameraFolder_[0]) = folder;
}

void SettingsStore::SetMainWindowFont(const QString& family, int pointSize) {
    fontFamily_ = family;
    fontPointSize_ = pointSize;
}

bool SettingsStore::IsRunningAsSetup() const {
    return QFileInfo(executablePath_).fileName().toUpper().contains(QLatin1String("SETUP"));
}

bool SettingsStore::IsWriteSkipped() const {
    if (IsRunningAsSetup()) return true;
    if (!folder_.IsValid()) return true;
    const QString root = folder_.Root();
    if (root.toLower().endsWith(QLatin1String("/desktop/"))) return true;
    if (!desktopFolder_.isEmpty() && WithoutTrailingSlashes(QDir::cleanPath(root)) ==
                                         WithoutTrailingSlashes(QDir::cleanPath(desktopFolder_)))
        return true;
    return false;
}

bool SettingsStore::ReportWriteFailure(const QString& path, const QString& error) {
    // One message per run of failures: the file is written at every activation.
    if (!writeFailureShown_) {
        writeFailureShown_ = true;
        ShowNoticeBox(
            QStringLiteral("The settings could not be saved to %1: %2").arg(path, error));
    }
    return false;
}

bool SettingsStore::WriteSettingsFile() {
    if (IsWriteSkipped() || !recordReady_ || writingStopped_) return false;
    // The file holds 25 characters: memory keeps no more, or FTP would log in with the
    // whole text until the next start and with 25 characters after it.
    record_.FtpPassword = record_.FtpPassword.left(25);
    // The password is scrambled in a copy only, so memory keeps the plain text even when
    // the write fails. Any password that is not empty is scrambled, and unscrambled at
    // loading by the same test: a scrambled form may consist of blanks and control bytes.
    SettingsRecord stored = record_;
    if (!stored.FtpPassword.isEmpty())
        stored.FtpPassword = ScramblePassword(stored.FtpPassword);

    const bool emailWritten = SaveAlertSettingsFile();
    QString error;
    // Owner only: it holds the lock password and the scrambled FTP password.
    if (!platform::WriteRecordFile(SettingsFilePath(), 1, stored.Encode(), &error, true))
        return ReportWriteFailure(SettingsFilePath(), error);
    if (emailWritten) writeFailureShown_ = false;
    return emailWritten;
}

bool SettingsStore::SaveSettings() {
    if (IsWriteSkipped()) return false;
    return WriteSettingsFile();
}

bool SettingsStore::SaveAlertSettingsFile() {
    // A mail file that exists but could not be read is never replaced by an empty record.
    if (emailUnreadable_ || writingStopped_) return false;
    QString error;
    // It holds the mail password: for the owner's eyes only.
    if (!platform::WriteRecordFile(EmailFilePath(), 1, email_.Encode(), &error, true))
        return ReportWriteFailure(EmailFilePath(), error);
    return true;
}

bool SettingsStore::LoadAlertSettingsFile() {
    const QString path = EmailFilePath();
    QByteArray image;
    QString error;
    switch (platform::ReadRecord(path, EmailSettingsRecord::kSize, 1, image, &error)) {
    case platform::RecordReadResult::Ok:
        email_ = EmailSettingsRecord::Decode(image);
        emailUnreadable_ = false;
        return true;
    case platform::RecordReadResult::Missing:
        emailUnreadable_ = false;
        return true;
    case platform::RecordReadResult::Short:
        if (!platform::KeepDamagedFile(path, &error)) {
            emailUnreadable_ = true;
            ShowNoticeBox(QStringLiteral("The e-mail settings file %1 is damaged and could not "
                                          "be set aside (%2). It will not be overwritten.")
                               .arg(path, error));
            return false;
        }
        email_ = EmailSettingsRecord();
        emailUnreadable_ = false;
        ShowNoticeBox(QStringLiteral("The e-mail settings file %1 was damaged. It has been kept "
                                      "as %1.bad and the e-mail settings start empty.")
                           .arg(path));
        return false;
    case platform::RecordReadResult::Failed:
        break;
    }
    emailUnreadable_ = true;
    ShowNoticeBox(QStringLiteral("The e-mail settings file %1 could not be read (%2). It will "
                                  "not be overwritten.")
                       .arg(path, error));
    return false;
}

bool SettingsStore::LoadSettings() {
    const QString path = SettingsFilePath();
    QByteArray image;
    QString error;
    bool usable = true;
    switch (platform::ReadRecord(path, SettingsRecord::kSize, 1, image, &error)) {
    case platform::RecordReadResult::Ok:
        record_ = SettingsRecord::Decode(image);
        SetCameraFolder(1, TrimText(record_.Cam1Folder));
        SetCameraFolder(2, TrimText(record_.Cam2Folder));
        recordReady_ = true;
        break;
    case platform::RecordReadResult::Missing:
        // Nothing on disk to lose.
        recordReady_ = true;
        break;
    case platform::RecordReadResult::Short:
        usable = false;
        if (!platform::KeepDamagedFile(path, &error)) {
            ShowNoticeBox(QStringLiteral("The settings file %1 is damaged and could not be set "
                                          "aside (%2). It will not be overwritten.")
                               .arg(path, error));
            return false;
        }
        LayDownDefaults();
        recordReady_ = true;
        ShowNoticeBox(QStringLiteral("The settings file %1 was damaged. It has been kept as "
                                      "%1.bad and the default settings are used.")
                           .arg(path));
        break;
    case platform::RecordReadResult::Failed:
        ShowNoticeBox(QStringLiteral("The settings file %1 could not be read (%2). It will not "
                                      "be overwritten.")
                           .arg(path, error));
        return false;
    }
    if (!IsDirectory(record_.Cam1Folder)) record_.Cam1Folder.clear();
    if (!IsDirectory(record_.Cam2Folder)) record_.Cam2Folder.clear();
    UnscrambleStoredPassword();
    return usable;
}

void SettingsStore::UnscrambleStoredPassword() {
    if (!record_.FtpPassword.isEmpty())
        record_.FtpPassword = UnscramblePassword(record_.FtpPassword);
}

bool SettingsStore::SetDefaultSettings() {
    if (QFileInfo::exists(SettingsFilePath())) return false;
    email_.ClearForFirstRun();
    LayDownDefaults();
    recordReady_ = true;
    return true;
}

void SettingsStore::LayDownDefaults() {
    SettingsRecord fresh;
    // Reserved bytes stay as they are, except the ones the defaults name.
    fresh.RecordImage = record_.RecordImage;
    fresh.RecordImage.resize(SettingsRecord::kSize, '\0');
    fresh.RecordImage[58] = 0;
    fresh.RecordImage[2068] = 0;
    fresh.RecordImage[2069] = 0;
    fresh.RecordImage[2070] = 0;
    fresh.RecordImage[2071] = 1;
    // The start-up screen size has no default; the start-up sequence owns it.
    fresh.StartScreenWidth = record_.StartScreenWidth;
    fresh.StartScreenHeight = record_.StartScreenHeight;

    QString family = fontFamily_;
    int pointSize = fontPointSize_;
    if (family.isEmpty() && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const QFont font = QGuiApplication::font();
        family = font.family();
        pointSize = font.pointSize();
    }
    fresh.CaptionFontName = family.left(40);
    fresh.CaptionFontSize = platform::SaturateInt16(pointSize > 0 ? pointSize : 8);
    record_ = fresh;

    MakeCameraFolders();
    record_.AviReady1 = !HoldsPictures(record_.Cam1Folder);
    record_.AviReady2 = !HoldsPictures(record_.Cam2Folder);
    record_.ScanRed = record_.ScanGreen = record_.ScanBlue = true;
    record_.ColorThreshold = 3;
}

bool SettingsStore::MakeCameraFolders() {
    bool ok = true;
    for (int camera = 1; camera <= 2; ++camera) {
        const QString folder = folder_.Sub(QStringLiteral("cam%1").arg(camera));
        (camera == 1 ? record_.Cam1Folder : record_.Cam2Folder) = folder;
        SetCameraFolder(camera, folder);
        if (!QDir().mkpath(folder)) {
            ok = false;
            ShowNoticeBox(
                QStringLiteral("The picture folder %1 could not be created.").arg(folder));
        }
    }
    return ok;
}

void SettingsStore::FirstRunInit() {
    if (IsRunningAsSetup()) return;
    MakeCameraFolders();
    if (!QFileInfo::exists(SettingsFilePath())) {
        SetDefaultSettings();
        SaveSettings();
    }
}
