// The picture log window: what the logic shows goes to the widgets, what the user does goes
// to the logic.
#include "publish/TLogWin.h"

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

void TLogWin::BindLogic() {
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
    h.AviCreating = [this] { return Panel5->Logic().IsCreating(); };
    h.HideAviPanel = [this] {
        if (Panel5->isVisible())
            Panel5->Logic().CloseClicked();
    };

    connect(&logic_, &PictureLogLogic::RowsChanged, this, &TLogWin::ShowRows);
    connect(&logic_, &PictureLogLogic::SelectionChanged, this, &TLogWin::ShowSelection);
    connect(&logic_, &PictureLogLogic::PictureChanged, this, [this] { Image1->SetImage(logic_.Picture()); });
    connect(&logic_, &PictureLogLogic::NoteChanged, this, &TLogWin::ShowNote);
    connect(&logic_, &PictureLogLogic::CaptionChanged, this, [this] { Panel3->setText(logic_.Caption()); });
    connect(&logic_, &PictureLogLogic::SlideshowChanged, ImageList->viewport(), qOverload<>(&QWidget::update));
    connect(&logic_, &PictureLogLogic::ProgressChanged, this, &TLogWin::ShowProgress);
    connect(&logic_, &PictureLogLogic::SettingsChanged, this, &TLogWin::ShowSettings);
    connect(&logic_, &PictureLogLogic::ViewSizeRequested, this, &TLogWin::ApplyViewSize);
    connect(&logic_, &PictureLogLogic::FocusListRequested, this, &TLogWin::FocusList);

    connect(ImageList, &QListWidget::itemSelectionChanged, this, &TLogWin::ListSelectionEdited);
    connect(ImageList, &QListWidget::currentRowChanged, this, [this] {
        if (syncing_)
            return;
        ListSelectionEdited();
        logic_.ShowSelectedImage();
    });
    connect(ImageList, &QListWidget::itemClicked, this, [this] {
        ListSelectionEdited();
        logic_.ShowSelectedImage();
    });
    connect(RichEdit1, &QPlainTextEdit::textChanged, this, [this] {
        if (!syncing_)
            logic_.SetNoteText(RichEdit1->toPlainText());
    });
    connect(TrackBar1, &QSlider::valueChanged, this, [this](int value) {
        if (!syncing_ && Panel1->isVisible())
            logic_.SetTrackPosition(value);
    });

    connect(Button7, &QPushButton::clicked, this, &TLogWin::CloseByButton);
    connect(Button2, &QPushButton::clicked, &logic_, &PictureLogLogic::SaveClicked);
    connect(Button3, &QPushButton::clicked, &logic_, &PictureLogLogic::ToggleListMode);
    connect(Button9, &QPushButton::clicked, &logic_, &PictureLogLogic::SlideBackward);
    connect(Button10, &QPushButton::clicked, &logic_, &PictureLogLogic::SlideForward);
    connect(Button11, &QPushButton::clicked, &logic_, &PictureLogLogic::SlideStop);
    connect(Button12, &QPushButton::clicked, &logic_, &PictureLogLogic::ToggleNotes);
    connect(Button18, &QPushButton::clicked, this, &TLogWin::OpenSettingsPanel);
    connect(Button19, &QPushButton::clicked, &logic_, &PictureLogLogic::EmailSelected);
    connect(Button1, &QPushButton::clicked, &logic_, &PictureLogLogic::Purge);
    connect(Button20, &QPushButton::clicked, &logic_, &PictureLogLogic::Purge);
    connect(Button13, &QPushButton::clicked, this, [this] { Panel5->Logic().OpenAviPanel(); });
    connect(Button6, &QPushButton::clicked, this, &TLogWin::SaveSettingsPanel);
    connect(Button4, &QPushButton::clicked, &logic_, &PictureLogLogic::SettingsCancel);
    connect(Button22, &QPushButton::clicked, &logic_, &PictureLogLogic::RotateSelected);
    connect(Button21, &QPushButton::clicked, RototePanel, &QWidget::hide);

    connect(SelectAllItem, &QAction::triggered, &logic_, &PictureLogLogic::SelectAll);
    connect(UploadItem, &QAction::triggered, &logic_, &PictureLogLogic::UploadSelected);
    connect(CreateAviItem, &QAction::triggered, this, [this] { Panel5->Logic().CreateAviFromMenu(); });
    connect(MakeSmallItem, &QAction::triggered, this, [this] { ApplyViewSize(true); });
    connect(MakeLargeItem, &QAction::triggered, this, [this] { ApplyViewSize(false); });
    connect(RotateItem, &QAction::triggered, &logic_, &PictureLogLogic::RotateSelected);
}

void TLogWin::BindAviPanel() {
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
    Panel5->SetProgramFolder(logic_.Settings().Folder().Root());
    Panel5->SetHooks(std::move(hooks));
}

void TLogWin::SetSaveFileNameAsker(SaveFileNameAsker* asker) {
    saveAsker_ = asker;
    Panel5->SetSaveFileNameAsker(asker);
}

AviLink& TLogWin::Avi() { return Panel5->Logic(); }

bool TLogWin::AskYesNo(const QString& question) {
    if (hooks_.AskYesNo)
        return hooks_.AskYesNo(question);
    return QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

QString TLogWin::AskSaveFileName(const QString& title, const QString& filter, const QString& name) {
    if (saveAsker_)
        return saveAsker_->AskSaveFileName(title, filter, name);
    // "JPEG files (*.jpg)|*.jpg": the text before the bar is what the dialog shows.
    return QFileDialog::getSaveFileName(this, title, QDir(logic_.Folder()).filePath(name), filter.section('|', 0, 0));
}

std::optional<DiskSpaceMB> TLogWin::DiskSpace() {
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

void TLogWin::ShowRows() {
    // The button names the mode it switches to.
    Button3->setText(logic_.ListByName() ? QStringLiteral("Times") : QStringLiteral("Names"));
    syncing_ = true;
    ImageList->clear();
    ImageList->addItems(logic_.Rows());
    syncing_ = false;
}

void TLogWin::ShowSelection() {
    syncing_ = true;
    const int current = logic_.CurrentRow();
    if (current >= 0)
        ImageList->setCurrentRow(current, QItemSelectionModel::NoUpdate);
    // One selection of runs of rows: "Select All" on a large folder stays one step.
    QItemSelection selection;
    const QList<int> rows = logic_.SelectedRows();
    for (qsizetype i = 0; i < rows.size();) {
        qsizetype j = i;
        while (j + 1 < rows.size() && rows.at(j + 1) == rows.at(j) + 1)
            ++j;
        selection.select(ImageList->model()->index(rows.at(i), 0), ImageList->model()->index(rows.at(j), 0));
        i = j + 1;
    }
    ImageList->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (current >= 0)
        ImageList->scrollToItem(ImageList->item(current));
    ImageList->viewport()->update();
    syncing_ = false;
}

void TLogWin::ListSelectionEdited() {
    if (syncing_)
        return;
    QList<int> selected;
    for (const QListWidgetItem* item : ImageList->selectedItems())
        selected << ImageList->row(item);
    logic_.SetSelection(selected, ImageList->currentRow());
    ImageList->viewport()->update();
}

void TLogWin::ShowNote() {
    syncing_ = true;
    if (RichEdit1->toPlainText() != logic_.NoteText())
        RichEdit1->setPlainText(logic_.NoteText());
    syncing_ = false;
    RichEdit1->setVisible(logic_.NoteView());
    Image1->setVisible(!logic_.NoteView());
    Button12->setText(logic_.NotesButtonCaption());
}

void TLogWin::ShowProgress() {
    const bool visible = logic_.PleaseWaitVisible();
    if (visible) {
        PleaseWaitLabel->setText(logic_.PleaseWaitText());
        ProgressBar2->setRange(0, std::max(1, logic_.ProgressMax()));
        ProgressBar2->setValue(logic_.ProgressPosition());
        pleaseWaitPanel->move((width() - pleaseWaitPanel->width()) / 2, (height() - pleaseWaitPanel->height()) / 2);
        pleaseWaitPanel->raise();
    }
    pleaseWaitPanel->setVisible(visible);
    if (visible && isVisible())
        pleaseWaitPanel->repaint(); // the work runs on this thread
}

void TLogWin::ShowSettings() {
    syncing_ = true;
    TrackBar1->setRange(0, logic_.TrackMax());
    TrackBar1->setValue(logic_.TrackPosition());
    syncing_ = false;
    stats->setText(logic_.StatsText());
    Label4->setText(logic_.FreeAfterText());
    if (logic_.SettingsVisible())
        Panel1->raise();
    Panel1->setVisible(logic_.SettingsVisible());
}

void TLogWin::FocusList() {
    if (isVisible() && ImageList->isVisible())
        ImageList->setFocus();
}

void TLogWin::OpenSettingsPanel() {
    // The folder tree reads the disk only once it is first wanted.
    if (FolderModel->rootPath() != QStringLiteral("/"))
        FolderModel->setRootPath(QStringLiteral("/"));
    logic_.OpenSettings();
    const QModelIndex folder = FolderModel->index(logic_.Folder());
    if (folder.isValid()) {
        DirectoryListBox1->setCurrentIndex(folder);
        DirectoryListBox1->scrollTo(folder, QAbstractItemView::PositionAtCenter);
    }
}

void TLogWin::SaveSettingsPanel() {
    const QModelIndex chosen = DirectoryListBox1->currentIndex();
    logic_.SettingsSave(chosen.isValid() ? FolderModel->filePath(chosen) : QString());
}

void TLogWin::SetLogFolder(const QString& folder, int camera) { logic_.SetCamera(camera, folder); }

void TLogWin::RefreshImageList() { logic_.RefreshImageList(); }

void TLogWin::ShowSelectedImage() { logic_.ShowSelectedImage(); }

void TLogWin::UpdateCounterCaption() { logic_.UpdateCounterCaption(); }

void TLogWin::SetOpenedFromMainWindow(bool opened) { logic_.SetFirstKey(opened); }

void TLogWin::RunModal() {
    logic_.SetClosedByKey(false);
    if (!isVisible())
        exec();
}

void TLogWin::FrameGrabbed(int camera, const QImage& frame) {
    if (isVisible() && camera == logic_.Camera() && Image2->isVisible())
        Image2->SetImage(frame);
}

void TLogWin::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        logic_.SetClosedByKey(false);
        logic_.Activate();
        listedForShow_ = true;
    }
}

void TLogWin::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        listedForShow_ = false;
}

void TLogWin::changeEvent(QEvent* event) {
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
