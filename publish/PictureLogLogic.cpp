#include "publish/PictureLogLogic.h"

#include "core/MessageBox.h"
#include "core/PictureNames.h"
#include "core/SettingsStore.h"
#include "platform/Ansi.h"
#include "platform/Jpeg.h"
#include "platform/ProgramFolder.h"
#include "platform/Rounding.h"
#include "platform/WholeFile.h"
#include "publish/PictureLogFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {

bool IsFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

// A record string holds at most 255 Windows-1252 bytes: a folder it cannot hold exactly
// would come back as another folder after the next start.
bool FitsRecordString(const QString& text) {
    if (text.size() > 255)
        return false;
    for (const QChar c : text)
        if (platform::CharToAnsiByte(c) < 0)
            return false;
    return true;
}

} // namespace

PictureLogLogic::PictureLogLogic(SettingsStore& settings, QObject* parent) : QObject(parent), settings_(settings) {
    slideshowTimer_.setInterval(kSlideshowMs);
    connect(&slideshowTimer_, &QTimer::timeout, this, &PictureLogLogic::SlideshowTick);
}

void PictureLogLogic::SetCamera(int camera, const QString& folder) {
    camera_ = camera;
    folder_ = folder;
}

QString PictureLogLogic::PathOf(int row) const {
    if (row < 0 || row >= rows_.size())
        return {};
    return platform::JoinPath(folder_, rows_.at(row));
}

bool PictureLogLogic::NormalSizeWanted() const {
    if (hooks_.MainMenuFlag && hooks_.MainMenuFlag())
        return false;
    return hooks_.CameraPreviews && (hooks_.CameraPreviews(1) || hooks_.CameraPreviews(2));
}

bool PictureLogLogic::LiveImageWanted() const {
    return (camera_ == 1 || camera_ == 2) && hooks_.CameraPreviews && hooks_.CameraPreviews(camera_);
}

bool PictureLogLogic::AviBusy() const {
    if (!(hooks_.AviCreating && hooks_.AviCreating()))
        return false;
    ShowMessageBox(QStringLiteral("An AVI file is being made from these pictures. Please wait until it is finished."));
    return true;
}

void PictureLogLogic::Activate() {
    SetWait(false);
    listByName_ = settings_.Record().LogListView == 'F';
    noteText_.clear();
    notePath_.clear();
    emit ViewSizeRequested(NormalSizeWanted());
    noteView_ = false;
    StopSlideshow();
    position_ = 0;
    forward_ = false;

    // A folder that is missing shows an empty list, never the list of another camera.
    if (hooks_.CameraFolder)
        folder_ = hooks_.CameraFolder(camera_);
    RefreshImageList();
    if (!rows_.isEmpty()) {
        const int last = int(rows_.size()) - 1;
        const QString path = PathOf(last);
        LoadPicture(path);
        SelectRow(last);
        emit FocusListRequested();
        const QString note = PictureNotePath(path);
        if (IsFile(note)) {
            noteText_ = ReadNoteText(note);
            notePath_ = note;
        }
    } else {
        ClearPicture();
    }
    emit NoteChanged();
    UpdateCounterCaption();
}

void PictureLogLogic::RefreshImageList() {
    rows_ = QFileInfo(folder_).isDir() ? ListLogPictures(folder_) : QStringList();
    selected_ = QList<bool>(rows_.size(), false);
    current_ = -1;
    emit RowsChanged();
    emit SelectionChanged();
}

void PictureLogLogic::ReadFolderAgain() {
    if (waitVisible_)
        return;
    const QString currentName = current_ >= 0 && current_ < rows_.size() ? rows_.at(current_) : QString();
    QSet<QString> chosen;
    for (int row : SelectedRows())
        chosen.insert(rows_.at(row));
    RefreshImageList();
    for (int row = 0; row < rows_.size(); ++row)
        selected_[row] = chosen.contains(rows_.at(row));
    current_ = currentName.isEmpty() ? -1 : int(rows_.indexOf(currentName));
    emit SelectionChanged();
    UpdateCounterCaption();
}

QList<int> PictureLogLogic::SelectedRows() const {
    QList<int> rows;
    for (int i = 0; i < selected_.size(); ++i)
        if (selected_.at(i))
            rows << i;
    return rows;
}

QStringList PictureLogLogic::RowTimes(int row) const {
    const QFileInfo info(PathOf(row));
    if (!info.isFile())
        return {};
    const QDateTime when = info.lastModified();
    return {LogRowTimeText(when), LogRowDateText(when)};
}

void PictureLogLogic::SetSelection(const QList<int>& selected, int current) {
    selected_ = QList<bool>(rows_.size(), false);
    for (int row : selected)
        if (row >= 0 && row < selected_.size())
            selected_[row] = true;
    current_ = current >= 0 && current < rows_.size() ? current : -1;
}

void PictureLogLogic::SelectRow(int row) {
    selected_ = QList<bool>(rows_.size(), false);
    current_ = row >= 0 && row < rows_.size() ? row : -1;
    if (current_ >= 0)
        selected_[current_] = true;
    emit SelectionChanged();
}

void PictureLogLogic::SelectAll() {
    selected_ = QList<bool>(rows_.size(), true);
    if (current_ < 0 && !rows_.isEmpty())
        current_ = 0;
    emit SelectionChanged();
}

void PictureLogLogic::LoadPicture(const QString& path) {
    QImage image;
    if (IsShowablePicture(path) && !platform::LoadJpeg(path, &image))
        image.load(path); // a picture of another format under a .jpg name
    // Too small or unreadable: nothing is shown, without a message.
    picture_ = image;
    picturePath_ = image.isNull() ? QString() : path;
    emit PictureChanged();
}

void PictureLogLogic::ClearPicture() {
    picture_ = QImage();
    picturePath_.clear();
    emit PictureChanged();
}

void PictureLogLogic::LoadNoteOrMissing(const QString& path) {
    const QString note = PictureNotePath(path);
    if (IsFile(note)) {
        noteText_ = ReadNoteText(note);
        notePath_ = note;
    } else {
        noteText_ = QStringLiteral("Log File Not found for\n") + path;
    }
    emit NoteChanged();
}

void PictureLogLogic::ShowSelectedImage() {
    StopSlideshow();
    if (current_ >= 0 && current_ < rows_.size()) {
        const QString path = PathOf(current_);
        notePath_.clear();
        if (noteView_)
            LoadNoteOrMissing(path);
        LoadPicture(path);
    }
    UpdateCounterCaption();
}

void PictureLogLogic::UpdateCounterCaption() {
    caption_ = LogCounterCaption(camera_, current_, int(rows_.size()));
    emit CaptionChanged();
}

void PictureLogLogic::ToggleNotes() {
    if (noteView_) {
        noteView_ = false;
        emit NoteChanged();
        return;
    }
    if (!IsFile(notePath_))
        notePath_ = current_ >= 0 ? PictureNotePath(PathOf(current_)) : QString();
    if (!IsFile(notePath_)) {
        notePath_.clear();
        ShowMessageBox(QStringLiteral("No Note File Found"));
        return;
    }
    noteText_ = ReadNoteText(notePath_);
    noteView_ = true;
    emit NoteChanged();
}

void PictureLogLogic::SaveClicked() {
    if (noteView_) {
        if (!IsFile(notePath_))
            return;
        QString error;
        if (!WriteNoteText(notePath_, noteText_, &error))
            ShowMessageBox(QStringLiteral("The note could not be saved to ") + notePath_ + QStringLiteral(": ") + error);
        return;
    }
    if (current_ < 0 || !hooks_.AskSaveFileName)
        return;
    const QString chosen =
        hooks_.AskSaveFileName(QStringLiteral("SaveAs"), QStringLiteral("JPEG files (*.jpg)|*.jpg"), rows_.at(current_));
    if (chosen.trimmed().isEmpty())
        return;
    const QString source = PathOf(current_);
    const QString target = WithJpgExtension(chosen);
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath())
        return; // the picture itself: nothing to write
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessageBox(QStringLiteral("The picture ") + source + QStringLiteral(" could not be read: ") +
                       file.errorString());
        return;
    }
    QString error;
    if (!platform::WriteWholeFile(target, file.readAll(), &error))
        ShowMessageBox(QStringLiteral("The picture could not be saved as ") + target + QStringLiteral(": ") + error);
}

void PictureLogLogic::ToggleListMode() {
    listByName_ = !listByName_;
    settings_.Record().LogListView = listByName_ ? 'F' : 'T';
    position_ = -1;
    RefreshImageList();
    SelectRow(0);
    ShowSelectedImage();
    emit FocusListRequested();
}

void PictureLogLogic::StopSlideshow() {
    const bool was = running_;
    running_ = false;
    slideshowTimer_.stop();
    if (was)
        emit SlideshowChanged();
}

void PictureLogLogic::SlideForward() {
    if (current_ < 0 && !rows_.isEmpty())
        SelectRow(0);
    emit FocusListRequested();
    if (running_ && forward_) {
        StopSlideshow();
        return;
    }
    forward_ = true;
    running_ = true;
    if (position_ == 0)
        position_ = -1; // the first step shows row 0
    slideshowTimer_.start();
    emit SlideshowChanged();
}

void PictureLogLogic::SlideBackward() {
    if (current_ < 0 && !rows_.isEmpty())
        SelectRow(0);
    emit FocusListRequested();
    if (running_ && !forward_) {
        StopSlideshow();
        return;
    }
    forward_ = false;
    running_ = true;
    if (position_ < 10)
        position_ = int(rows_.size()); // the show starts from the last row
    slideshowTimer_.start();
    emit SlideshowChanged();
}

void PictureLogLogic::SlideStop() {
    StopSlideshow();
    if (current_ < 0 && !rows_.isEmpty())
        SelectRow(0);
    emit SelectionChanged();
    emit FocusListRequested();
}

void PictureLogLogic::SlideshowTick() {
    if (!running_)
        return;
    const int count = int(rows_.size());
    // Rows may have gone since the show started.
    position_ = std::clamp(position_, -1, count);
    if (!forward_) {
        if (position_ < 1) {
            StopSlideshow();
            emit FocusListRequested();
            return;
        }
        --position_;
    } else {
        if (position_ >= count - 1) {
            StopSlideshow();
            emit FocusListRequested();
            return;
        }
        ++position_;
    }
    const QString path = PathOf(position_);
    if (noteView_)
        LoadNoteOrMissing(path);
    if (IsFile(path)) {
        SelectRow(position_);
        UpdateCounterCaption();
        LoadPicture(path);
    }
    emit SlideshowChanged();
}

void PictureLogLogic::SetWait(bool visible, int max) {
    waitVisible_ = visible;
    progressMax_ = max;
    progressPos_ = 0;
    waitText_ = QStringLiteral("Please Wait");
    emit ProgressChanged();
}

void PictureLogLogic::SetWaitStep(int position, const QString& text) {
    progressPos_ = position;
    waitText_ = text;
    emit ProgressChanged();
}

QString PictureLogLogic::CountQuestion(const QString& verb, int count) {
    if (count >= 2)
        return QStringLiteral("Do you really want to ") + verb + QLatin1Char(' ') + QString::number(count) +
               QStringLiteral(" files? ");
    return QStringLiteral("Do you really want to ") + verb + QStringLiteral(" this files? ");
}

void PictureLogLogic::DeleteSelected() {
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty() || AviBusy())
        return;
    const int n = int(selected.size());
    if (!Ask(CountQuestion(QStringLiteral("Delete"), n)))
        return;
    StopSlideshow();
    const int was = current_;
    SetWait(true, n);
    for (int k = 1; k <= n; ++k) {
        const int row = selected.at(k - 1);
        SetWaitStep(k, QStringLiteral("Please Wait... %1 of %2").arg(k).arg(n));
        const QString path = PathOf(row);
        // A picture that could not be deleted keeps its note; the list shows what is left.
        if (QFile::remove(path) || !QFileInfo::exists(path)) {
            const QString note = PictureNotePath(path);
            if (QFileInfo::exists(note))
                QFile::remove(note);
        }
    }
    SetWait(false);
    RefreshImageList();
    if (!rows_.isEmpty()) {
        SelectRow(was >= 0 && was < rows_.size() ? was : int(rows_.size()) - 1);
        ShowSelectedImage();
    } else {
        ClearPicture();
        UpdateCounterCaption();
    }
    emit FocusListRequested();
}

void PictureLogLogic::Purge() {
    if (AviBusy())
        return;
    StopSlideshow();
    // Only the station's own pictures go; a user's files stay listed.
    QStringList station;
    for (const QString& row : rows_)
        if (IsStationPictureName(row))
            station << row;
    if (station.isEmpty())
        ShowMessageBox(QStringLiteral("There were no TORVEK pictures to purge."));
    else if (Ask(QStringLiteral("Do you really want to delete ") +
                                  QString::number(station.size()) + QStringLiteral(" files? "))) {
        const int n = int(station.size());
        SetWait(true, n);
        if (hooks_.ResetPictureCounts)
            hooks_.ResetPictureCounts();
        if (hooks_.SetMainCaption)
            hooks_.SetMainCaption(kMainCaption);
        for (int i = 0; i < n; ++i) {
            SetWaitStep(i + 1, QStringLiteral("Please Wait... %1 of %2").arg(i + 1).arg(n));
            const QString path = platform::JoinPath(folder_, station.at(i));
            if (QFile::remove(path) || !QFileInfo::exists(path)) {
                const QString note = PictureNotePath(path);
                if (QFileInfo::exists(note))
                    QFile::remove(note);
            }
        }
        SetWait(false);
        if (camera_ == 1)
            settings_.Record().AviReady1 = true;
        else if (camera_ == 2)
            settings_.Record().AviReady2 = true;
        settings_.SaveSettings();
        RefreshDiskFigures();
        emit SettingsChanged();
    }
    RefreshImageList();
    if (!picturePath_.isEmpty() && !QFileInfo::exists(picturePath_))
        ClearPicture();
    UpdateCounterCaption();
}

void PictureLogLogic::RefreshDiskFigures() {
    const std::optional<DiskSpaceMB> figures = hooks_.DiskSpace ? hooks_.DiskSpace() : std::nullopt;
    if (figures) {
        freeMB_ = figures->freeMB;
        trackMax_ = int(std::clamp<qint64>(figures->freeMB, 0, kMaxRecycleThresholdMB));
        statsText_ = QStringLiteral("Total ") + QString::number(figures->totalMB) + QStringLiteral("Mb  Free ") +
                     QString::number(figures->freeMB) + QStringLiteral("Mb");
    } else {
        // The drive cannot be read: the slider keeps the stored threshold within reach.
        freeMB_ = 0;
        trackMax_ = std::clamp<int>(settings_.Record().RecycleThresholdMB, 0, kMaxRecycleThresholdMB);
        statsText_ = QStringLiteral("Total ?Mb  Free ?Mb");
    }
    trackPos_ = std::min(trackPos_, trackMax_);
    UpdateFreeAfter();
}

void PictureLogLogic::UpdateFreeAfter() { freeAfterText_ = QString::number(freeMB_ - trackPos_) + QStringLiteral(" Mb"); }

void PictureLogLogic::OpenSettings() {
    RefreshDiskFigures();
    trackPos_ = std::clamp<int>(settings_.Record().RecycleThresholdMB, 0, trackMax_);
    UpdateFreeAfter();
    if (hooks_.FillAlertCombos)
        hooks_.FillAlertCombos();
    settingsVisible_ = true;
    if (hooks_.HideAviPanel)
        hooks_.HideAviPanel();
    emit SettingsChanged();
}

void PictureLogLogic::SetTrackPosition(int position) {
    RefreshDiskFigures();
    trackPos_ = std::clamp(position, 0, trackMax_);
    UpdateFreeAfter();
    emit SettingsChanged();
}

void PictureLogLogic::HideSettings() {
    if (!settingsVisible_)
        return;
    settingsVisible_ = false;
    emit SettingsChanged();
}

void PictureLogLogic::SettingsCancel() {
    HideSettings();
    emit FocusListRequested();
}

void PictureLogLogic::SettingsSave(const QString& chosenFolder) {
    if (AviBusy())
        return;
    const QString folder = chosenFolder.trimmed().isEmpty() ? folder_ : platform::WithTrailingSlash(chosenFolder);
    if (!QFileInfo(folder).isDir()) {
        ShowMessageBox(QStringLiteral("The folder ") + folder + QStringLiteral(" does not exist."));
        return;
    }
    if ((camera_ == 1 || camera_ == 2) && !FitsRecordString(folder)) {
        ShowMessageBox(QStringLiteral("The folder ") + folder +
                       QStringLiteral(" cannot be kept in the settings: its name is longer than 255 characters "
                                      "or holds characters the settings file cannot store. Please choose "
                                      "another folder."));
        return;
    }
    folder_ = folder;
    SettingsRecord& record = settings_.Record();
    if (camera_ == 1) {
        record.Cam1Folder = folder;
        settings_.SetCameraFolder(1, folder);
    } else if (camera_ == 2) {
        record.Cam2Folder = folder;
        settings_.SetCameraFolder(2, folder);
    }
    record.RecycleThresholdMB = qint16(trackPos_);
    settings_.SaveSettings();
    HideSettings();
    RefreshImageList();
    if (!rows_.isEmpty()) {
        SelectRow(int(rows_.size()) - 1);
        ShowSelectedImage();
    } else {
        ClearPicture();
        UpdateCounterCaption();
    }
}

void PictureLogLogic::EmailSelected() {
    const QList<int> selected = SelectedRows();
    const int n = int(selected.size());
    if (n > kMaxEmailPictures) {
        ShowMessageBox(QStringLiteral("Too many images. You are only allowed to email 10 or less"));
        return;
    }
    if (!hooks_.OpenSendImagePage)
        return;
    if (n < 2) {
        if (rows_.isEmpty()) {
            hooks_.OpenSendImagePage(true, -1, {}, QString(), camera_);
            return;
        }
        const int position = current_ >= 0 ? current_ : 0;
        hooks_.OpenSendImagePage(true, position, rows_, rows_.at(position), camera_);
        return;
    }
    QStringList pictures;
    int position = 0;
    for (int i = 0; i < n; ++i) {
        pictures << rows_.at(selected.at(i));
        if (selected.at(i) == current_)
            position = i;
    }
    hooks_.OpenSendImagePage(false, position, pictures, pictures.at(position), camera_);
}

void PictureLogLogic::UploadSelected() {
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty())
        return;
    // The one-picture question has always read "Ipload".
    const QString question = selected.size() >= 2 ? CountQuestion(QStringLiteral("Upload"), int(selected.size()))
                                                   : QStringLiteral("Do you really want to Ipload this files? ");
    if (!Ask(question))
        return;
    for (int row : selected) {
        const QString path = PathOf(row);
        if (IsFile(path) && hooks_.FtpUploadFile)
            hooks_.FtpUploadFile(path, rows_.at(row));
    }
    emit FocusListRequested();
}

void PictureLogLogic::RotateSelected() {
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty() || AviBusy())
        return;
    const int n = int(selected.size());
    if (!Ask(CountQuestion(QStringLiteral("Rotate"), n)))
        return;
    StopSlideshow();
    SetWait(true, 100);
    QStringList failures;
    int done = 0;
    for (int row : selected) {
        const QString path = PathOf(row);
        if (!IsFile(path))
            continue;
        SetWaitStep(int(platform::RoundHalfEven(done * 100.0 / n)), QStringLiteral("Please Wait"));
        QString error;
        if (RotatePictureFile(path, &error))
            LoadPicture(path);
        else
            failures << rows_.at(row) + QStringLiteral(": ") + error;
        ++done;
    }
    SetWait(false);
    if (current_ >= 0)
        ShowSelectedImage();
    if (!failures.isEmpty())
        ShowMessageBox(QStringLiteral("These pictures could not be rotated:\n") + failures.join(QLatin1Char('\n')));
}
