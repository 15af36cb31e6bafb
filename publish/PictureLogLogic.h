#pragma once
// What the picture log window does, without its widgets: the list of one camera's
// pictures and its selection, the picture and note shown, the position caption, the
// slideshow, note view, deleting and purging, the settings panel's figures and rules, and
// the hand-off of pictures to e-mail, FTP and rotation. The window binds its controls to
// it and answers its questions through the hooks.
#include "core/PictureRecycler.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

class SettingsStore;

// What the log reaches outside itself. Every hook may stay empty (then: No, nothing, false).
struct PictureLogHooks {
    // Yes/No question.
    std::function<bool(const QString& question)> AskYesNo;
    // The picture save dialog: title, filter, suggested name; empty when cancelled.
    std::function<QString(const QString& title, const QString& filter, const QString& name)> AskSaveFileName;
    // The folder of camera 1 or 2 in use, and the history folder (camera 3).
    std::function<QString(int camera)> CameraFolder;
    // A camera view of the main window previews that camera.
    std::function<bool(int camera)> CameraPreviews;
    // The main window's pop-up menu is up: the log opens full screen.
    std::function<bool()> MainMenuFlag;
    // Disk figures of the drive of the folder shown.
    std::function<std::optional<DiskSpaceMB>()> DiskSpace;
    // Purge: the station's picture counts to zero and its caption.
    std::function<void()> ResetPictureCounts;
    std::function<void(const QString& caption)> SetMainCaption;
    std::function<void()> FillAlertCombos;
    // FTP and e-mail.
    std::function<bool()> IsFtpConnected;
    std::function<void(const QString& path, const QString& remoteName)> FtpUploadFile;
    std::function<void(bool singlePictureMode, int position, const QStringList& pictures, const QString& currentName,
                       int camera)>
        OpenSendImagePage;
    // True while an AVI is made from these pictures: Del, Purge, Rotate, settings Save and
    // Close wait.
    std::function<bool()> AviCreating;
    std::function<void()> HideAviPanel;
};

class PictureLogLogic : public QObject {
    Q_OBJECT
public:
    static constexpr int kSlideshowMs = 100;
    static constexpr int kMaxEmailPictures = 10;
    // RecycleThresholdMB is 16 bits: the slider never offers more.
    static constexpr int kMaxRecycleThresholdMB = 32767;
    static inline const QString kMainCaption = QStringLiteral("TORVEK 7.07");

    explicit PictureLogLogic(SettingsStore& settings, QObject* parent = nullptr);

    PictureLogHooks& Hooks() { return hooks_; }
    SettingsStore& Settings() { return settings_; }

    // Camera 1, 2 or 3 (history) and the folder it shows, as the main window sets them.
    void SetCamera(int camera, const QString& folder);
    int Camera() const { return camera_; }
    const QString& Folder() const { return folder_; }
    QString PathOf(int row) const;

    // The window was shown (not at every return of the focus).
    void Activate();
    void RefreshImageList();
    // A return to the shown window: the folder is read again (pictures saved meanwhile
    // appear), the selected and current pictures stay chosen. Not while a deletion runs.
    void ReadFolderAgain();

    // The list and its selection. Current is the focused row (-1: none).
    const QStringList& Rows() const { return rows_; }
    QList<int> SelectedRows() const;
    int CurrentRow() const { return current_; }
    bool IsSelected(int row) const { return row >= 0 && row < selected_.size() && selected_.at(row); }
    // From the window, when the user changes the selection.
    void SetSelection(const QList<int>& selected, int current);
    // One row selected and current.
    void SelectRow(int row);
    void SelectAll();
    bool ListByName() const { return listByName_; }
    // Time mode: the row's file time as "HH:MM:SS" and "DDD-DD-MMM  "; empty when the file
    // has gone (the row is then not drawn).
    QStringList RowTimes(int row) const;

    // Clicking a row.
    void ShowSelectedImage();
    const QImage& Picture() const { return picture_; }
    const QString& PicturePath() const { return picturePath_; }
    const QString& Caption() const { return caption_; }
    void UpdateCounterCaption();

    // Note view.
    bool NoteView() const { return noteView_; }
    const QString& NoteText() const { return noteText_; }
    const QString& NotePath() const { return notePath_; }
    QString NotesButtonCaption() const { return noteView_ ? QStringLiteral("Images") : QStringLiteral("Notes"); }
    void ToggleNotes();
    // The note view's text as the user edited it.
    void SetNoteText(const QString& text) { noteText_ = text; }

    // "Save": the picture through the save dialog, or the note back to its file.
    void SaveClicked();
    // The list-mode button.
    void ToggleListMode();

    // Slideshow.
    void SlideForward();
    void SlideBackward();
    void SlideStop();
    void SlideshowTick();
    void StopSlideshow();
    bool SlideshowRunning() const { return running_; }
    bool SlideshowForward() const { return forward_; }
    int SlidePosition() const { return position_; }
    // The row the running slideshow shows (-1 when it stands).
    int SlideshowRow() const { return running_ ? position_ : -1; }
    QTimer& SlideshowTimer() { return slideshowTimer_; }

    // Deleting.
    void DeleteSelected();
    void Purge();
    bool PleaseWaitVisible() const { return waitVisible_; }
    const QString& PleaseWaitText() const { return waitText_; }
    int ProgressMax() const { return progressMax_; }
    int ProgressPosition() const { return progressPos_; }

    // Settings panel.
    void OpenSettings();
    void SettingsCancel();
    // Chosen folder (existing directory) and the slider's position.
    void SettingsSave(const QString& chosenFolder);
    void SetTrackPosition(int position);
    bool SettingsVisible() const { return settingsVisible_; }
    void HideSettings();
    int TrackMax() const { return trackMax_; }
    int TrackPosition() const { return trackPos_; }
    const QString& StatsText() const { return statsText_; }
    const QString& FreeAfterText() const { return freeAfterText_; }

    // Hand-offs.
    void EmailSelected();
    void UploadSelected();
    void RotateSelected();

    // Keys of the window.
    void SetFirstKey(bool on) { firstKey_ = on; }
    bool FirstKey() const { return firstKey_; }
    void SetClosedByKey(bool on) { closedByKey_ = on; }
    bool ClosedByKey() const { return closedByKey_; }

    // A view size for the window: normal (350 px high) or full screen.
    bool NormalSizeWanted() const;
    // Full screen shows the live picture when the main window previews this camera.
    bool LiveImageWanted() const;

signals:
    void RowsChanged();
    void SelectionChanged();
    void PictureChanged();
    void NoteChanged();
    void CaptionChanged();
    void SlideshowChanged();
    void ProgressChanged();
    void SettingsChanged();
    void ViewSizeRequested(bool normal);
    void FocusListRequested();

private:
    bool Ask(const QString& question) const { return hooks_.AskYesNo && hooks_.AskYesNo(question); }
    bool AviBusy() const;
    void LoadPicture(const QString& path);
    void ClearPicture();
    void LoadNoteOrMissing(const QString& path);
    void SetWait(bool visible, int max = 0);
    void SetWaitStep(int position, const QString& text);
    void RefreshDiskFigures();
    void UpdateFreeAfter();
    static QString CountQuestion(const QString& verb, int count);

    SettingsStore& settings_;
    PictureLogHooks hooks_;
    int camera_ = 1;
    QString folder_;
    QStringList rows_;
    QList<bool> selected_;
    int current_ = -1;
    bool listByName_ = true;

    QImage picture_;
    QString picturePath_;
    QString caption_;
    bool noteView_ = false;
    QString noteText_;
    QString notePath_;

    QTimer slideshowTimer_;
    bool running_ = false;
    bool forward_ = false;
    int position_ = 0;

    bool waitVisible_ = false;
    QString waitText_;
    int progressMax_ = 0;
    int progressPos_ = 0;

    bool settingsVisible_ = false;
    int trackMax_ = 0;
    int trackPos_ = 0;
    qint64 freeMB_ = 0;
    QString statsText_;
    QString freeAfterText_;

    bool firstKey_ = false;
    bool closedByKey_ = false;
};
