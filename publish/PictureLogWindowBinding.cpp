// The picture log window: what the logic shows goes to the widgets, what the user does goes
// to the logic.
#include "publish/PictureLogWindow.h"

#include "core/EmailWindowsLink.h"
#include "core/FtpLink.h"
#include "core/MainWindowLink.h"
#include "core/SaveFileNameAsker.h"
#include "core/SettingsStore.h"
#include "platform/Rounding.h"
#include "publish/AviPanel.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QTreeView>

void PictureLogWindow::BindLogic() {
    PictureLogHooks& h = logic_.Hooks();
    h.AskYesNo = [this](const QString& question) { return AskYesNo(question); };
    h.AskSaveFileName = [this](const QString& title, const QString& filter, const QString& name) {
        return AskSaveFileName(title, filter, name);
    };
    h.CameraFolder = [this](int camera) {
        if (camera == 3)
            return logic_.Settings().Folder().Sub(QStringLiteral("history"));
        return logic_.Settings().CameraFolder(camera);
    };
    h.CameraPreviews = [this](int camera) { return mainWindow_->CameraPreviews(camera); };
    h.MainMenuFlag = [this] { return hooks_.MainMenuFlag && hooks_.MainMenuFlag(); };
    h.DiskSpace = [this] { return DiskSpace(); };
    h.ResetPictureCounts = [this] {
        if (hooks_.ResetPictureCounts)
            hooks_.ResetPictureCounts();
    };
    h.SetMainCaption = [this](const QString& caption) { mainWindow_->SetCaption(caption); };
    h.FillAlertCombos = [this] {
        if (hooks_.FillAlertCombos)
            hooks_.FillAlertCombos();
    };
    h.IsFtpConnected = [this] { return ftp_->IsFtpConnected(); };
    h.FtpUploadFile = [this](const QString& path, const QString& remote) {
        if (hooks_.FtpUploadFile)
            hooks_.FtpUploadFile(path, remote);
    };
    h.OpenSendImagePage = [this](bool single, int position, const QStringList& pictures, const QString& name,
                                 int camera) { email_->OpenSendImagePage(single, position, pictures, name, camera); };
    h.AviCreating = [this] { return aviPanel->Logic().IsCreating(); };
    h.HideAviPanel = [this] {
        if (aviPanel->isVisible())
            aviPanel->Logic().CloseClicked();
    };

    connect(&logic_, &PictureLogLogic::RowsChanged, this, &PictureLogWindow::ShowRows);
    connect(&logic_, &PictureLogLogic::SelectionChanged, this, &PictureLogWindow::ShowSelection);
    connect(&logic_, &PictureLogLogic::PictureChanged, this, [this] { pictureView->SetImage(logic_.Picture()); });
    connect(&logic_, &PictureLogLogic::NoteChanged, this, &PictureLogWindow::ShowNote);
    connect(&logic_, &PictureLogLogic::CaptionChanged, this, [this] { positionLabel->setText(logic_.Caption()); });
    connect(&logic_, &PictureLogLogic::SlideshowChanged, pictureList->viewport(), qOverload<>(&QWidget::update));
    connect(&logic_, &PictureLogLogic::ProgressChanged, this, &PictureLogWindow::ShowProgress);
    connect(&logic_, &PictureLogLogic::SettingsChanged, this, &PictureLogWindow::ShowSettings);
    connect(&logic_, &PictureLogLogic::ViewSizeRequested, this, &PictureLogWindow::ApplyViewSize);
    connect(&logic_, &PictureLogLogic::FocusListRequested, this, &PictureLogWindow::FocusList);

    connect(pictureList, &QListWidget::itemSelectionChanged, this, &PictureLogWindow::ListSelectionEdited);
    connect(pictureList, &QListWidget::currentRowChanged, this, [this] {
        if (syncing_)
            return;
        ListSelectionEdited();
        logic_.ShowSelectedImage();
    });
    connect(pictureList, &QListWidget::itemClicked, this, [this] {
        ListSelectionEdited();
        logic_.ShowSelectedImage();
    });
    connect(noteEdit, &QPlainTextEdit::textChanged, this, [this] {
        if (!syncing_)
            logic_.SetNoteText(noteEdit->toPlainText());
    });
    connect(limitSlider, &QSlider::valueChanged, this, [this](int value) {
        if (!syncing_ && settingsPanel->isVisible())
            logic_.SetTrackPosition(value);
    });

    connect(closeButton, &QPushButton::clicked, this, &PictureLogWindow::CloseByButton);
    connect(saveButton, &QPushButton::clicked, &logic_, &PictureLogLogic::SaveClicked);
    connect(listModeButton, &QPushButton::clicked, &logic_, &PictureLogLogic::ToggleListMode);
    connect(slideBackButton, &QPushButton::clicked, &logic_, &PictureLogLogic::SlideBackward);
    connect(slideForwardButton, &QPushButton::clicked, &logic_, &PictureLogLogic::SlideForward);
    connect(slideStopButton, &QPushButton::clicked, &logic_, &PictureLogLogic::SlideStop);
    connect(notesButton, &QPushButton::clicked, &logic_, &PictureLogLogic::ToggleNotes);
    connect(settingsButton, &QPushButton::clicked, this, &PictureLogWindow::OpenSettingsPanel);
    connect(emailButton, &QPushButton::clicked, &logic_, &PictureLogLogic::EmailSelected);
    connect(purgeButton, &QPushButton::clicked, &logic_, &PictureLogLogic::Purge);
    connect(settingsPurgeButton, &QPushButton::clicked, &logic_, &PictureLogLogic::Purge);
    connect(aviButton, &QPushButton::clicked, this, [this] { aviPanel->Logic().OpenAviPanel(); });
    connect(settingsSaveButton, &QPushButton::clicked, this, &PictureLogWindow::SaveSettingsPanel);
    connect(settingsCancelButton, &QPushButton::clicked, &logic_, &PictureLogLogic::SettingsCancel);
    connect(rotateButton, &QPushButton::clicked, &logic_, &PictureLogLogic::RotateSelected);
    connect(rotateCloseButton, &QPushButton::clicked, rotatePanel, &QWidget::hide);

    connect(selectAllAction, &QAction::triggered, &logic_, &PictureLogLogic::SelectAll);
    connect(uploadAction, &QAction::triggered, &logic_, &PictureLogLogic::UploadSelected);
    connect(createAviAction, &QAction::triggered, this, [this] { aviPanel->Logic().CreateAviFromMenu(); });
    connect(makeSmallAction, &QAction::triggered, this, [this] { ApplyViewSize(true); });
    connect(makeLargeAction, &QAction::triggered, this, [this] { ApplyViewSize(false); });
    connect(rotateAction, &QAction::triggered, &logic_, &PictureLogLogic::RotateSelected);
}

void PictureLogWindow::BindAviPanel() {
    AviPanelHooks hooks;
    hooks.Rows = [this] { return logic_.Rows(); };
    hooks.SelectedRows = [this] { return logic_.SelectedRows(); };
    hooks.Folder = [this] { return logic_.Folder(); };
    hooks.PlayFile = [this](const QString& path) {
        if (hooks_.PlayAviFile)
            hooks_.PlayAviFile(path);
    };
    hooks.HideSettingsPanel = [this] { logic_.HideSettings(); };
    hooks.FocusList = [this] { FocusList(); };
    // Camera 1's pictures make an AVI only while they all have the current size.
    hooks.AviReady = [this] { return logic_.Camera() != 1 || logic_.Settings().Record().AviReady1; };
    hooks.AskYesNo = [this](const QString& question) { return AskYesNo(question); };
    aviPanel->SetProgramFolder(logic_.Settings().Folder().Root());
    aviPanel->SetHooks(std::move(hooks));
}

void PictureLogWindow::SetSaveFileNameAsker(SaveFileNameAsker* asker) {
    saveAsker_ = asker;
    aviPanel->SetSaveFileNameAsker(asker);
}

AviLink& PictureLogWindow::Avi() { return aviPanel->Logic(); }

bool PictureLogWindow::AskYesNo(const QString& question) {
    if (hooks_.AskYesNo)
        return hooks_.AskYesNo(question);
    return QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

QString PictureLogWindow::AskSaveFileName(const QString& title, const QString& filter, const QString& name) {
    if (saveAsker_)
        return saveAsker_->AskSaveFileName(title, filter, name);
    // "JPEG files (*.jpg)|*.jpg": the text before the bar is what the dialog shows.
    return QFileDialog::getSaveFileName(this, title, QDir(logic_.Folder()).filePath(name), filter.section('|', 0, 0));
}

std::optional<DiskSpaceMB> PictureLogWindow::DiskSpace() {
    const int camera = logic_.Camera();
    if ((camera == 1 || camera == 2) && hooks_.DiskSpace)
        return hooks_.DiskSpace(camera);
    const auto bytes = SystemDiskSpaceProbe()(logic_.Folder());
    if (!bytes)
        return std::nullopt;
    DiskSpaceMB mb;
    mb.freeMB = platform::RoundHalfEven(bytes->freeBytes / 1048576.0);
    mb.totalMB = platform::RoundHalfEven(bytes->totalBytes / 1048576.0);
    mb.usedMB = mb.totalMB - mb.freeMB;
    return mb;
}

void PictureLogWindow::ShowRows() {
    // The button names the mode it switches to.
    listModeButton->setText(logic_.ListByName() ? QStringLiteral("Times") : QStringLiteral("Names"));
    syncing_ = true;
    pictureList->clear();
    pictureList->addItems(logic_.Rows());
    syncing_ = false;
}

void PictureLogWindow::ShowSelection() {
    syncing_ = true;
    const int current = logic_.CurrentRow();
    if (current >= 0)
        pictureList->setCurrentRow(current, QItemSelectionModel::NoUpdate);
    // One selection of runs of rows: "Select All" on a large folder stays one step.
    QItemSelection selection;
    const QList<int> rows = logic_.SelectedRows();
    for (qsizetype i = 0; i < rows.size();) {
        qsizetype j = i;
        while (j + 1 < rows.size() && rows.at(j + 1) == rows.at(j) + 1)
            ++j;
        selection.select(pictureList->model()->index(rows.at(i), 0), pictureList->model()->index(rows.at(j), 0));
        i = j + 1;
    }
    pictureList->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (current >= 0)
        pictureList->scrollToItem(pictureList->item(current));
    pictureList->viewport()->update();
    syncing_ = false;
}

void PictureLogWindow::ListSelectionEdited() {
    if (syncing_)
        return;
    QList<int> selected;
    for (const QListWidgetItem* item : pictureList->selectedItems())
        selected << pictureList->row(item);
    logic_.SetSelection(selected, pictureList->currentRow());
    pictureList->viewport()->update();
}

void PictureLogWindow::ShowNote() {
    syncing_ = true;
    if (noteEdit->toPlainText() != logic_.NoteText())
        noteEdit->setPlainText(logic_.NoteText());
    syncing_ = false;
    noteEdit->setVisible(logic_.NoteView());
    pictureView->setVisible(!logic_.NoteView());
    notesButton->setText(logic_.NotesButtonCaption());
}

void PictureLogWindow::ShowProgress() {
    const bool visible = logic_.PleaseWaitVisible();
    if (visible) {
        pleaseWaitLabel->setText(logic_.PleaseWaitText());
        waitProgressBar->setRange(0, std::max(1, logic_.ProgressMax()));
        waitProgressBar->setValue(logic_.ProgressPosition());
        pleaseWaitPanel->move((width() - pleaseWaitPanel->width()) / 2, (height() - pleaseWaitPanel->height()) / 2);
        pleaseWaitPanel->raise();
    }
    pleaseWaitPanel->setVisible(visible);
    if (visible && isVisible())
        pleaseWaitPanel->repaint(); // the work runs on this thread
}

void PictureLogWindow::ShowSettings() {
    syncing_ = true;
    limitSlider->setRange(0, logic_.TrackMax());
    limitSlider->setValue(logic_.TrackPosition());
    syncing_ = false;
    statsLabel->setText(logic_.StatsText());
    freeAfterLabel->setText(logic_.FreeAfterText());
    if (logic_.SettingsVisible())
        settingsPanel->raise();
    settingsPanel->setVisible(logic_.SettingsVisible());
}

void PictureLogWindow::FocusList() {
    if (isVisible() && pictureList->isVisible())
        pictureList->setFocus();
}

void PictureLogWindow::OpenSettingsPanel() {
    // The folder tree reads the disk only once it is first wanted.
    if (folderModel->rootPath() != QStringLiteral("/"))
        folderModel->setRootPath(QStringLiteral("/"));
    logic_.OpenSettings();
    const QModelIndex folder = folderModel->index(logic_.Folder());
    if (folder.isValid()) {
        folderTree->setCurrentIndex(folder);
        folderTree->scrollTo(folder, QAbstractItemView::PositionAtCenter);
    }
}

void PictureLogWindow::SaveSettingsPanel() {
    const QModelIndex chosen = folderTree->currentIndex();
    logic_.SettingsSave(chosen.isValid() ? folderModel->filePath(chosen) : QString());
}

void PictureLogWindow::SetLogFolder(const QString& folder, int camera) { logic_.SetCamera(camera, folder); }

void PictureLogWindow::RefreshImageList() { logic_.RefreshImageList(); }

void PictureLogWindow::ShowSelectedImage() { logic_.ShowSelectedImage(); }

void PictureLogWindow::UpdateCounterCaption() { logic_.UpdateCounterCaption(); }

void PictureLogWindow::SetOpenedFromMainWindow(bool opened) { logic_.SetFirstKey(opened); }

void PictureLogWindow::RunModal() {
    logic_.SetClosedByKey(false);
    if (!isVisible())
        exec();
}

void PictureLogWindow::FrameGrabbed(int camera, const QImage& frame) {
    if (isVisible() && camera == logic_.Camera() && liveView->isVisible())
        liveView->SetImage(frame);
}

void PictureLogWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        logic_.SetClosedByKey(false);
        logic_.Activate();
        listedForShow_ = true;
    }
}

void PictureLogWindow::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        listedForShow_ = false;
}

void PictureLogWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (!isActiveWindow()) {
        logic_.HideSettings();
    } else if (listedForShow_) {
        listedForShow_ = false; // the show has just listed the folder
    } else if (isVisible()) {
        logic_.ReadFolderAgain();
    }
}
