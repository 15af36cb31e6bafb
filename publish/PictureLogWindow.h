#pragma once
// The picture log window "Captured Images": one camera's pictures in an owner-drawn list,
// the selected picture or its note, the position caption and the camera's live picture,
// the buttons, the settings panel, the AVI panel and the pop-up menu. It binds to
// PictureLogLogic and is what the main window drives through PictureLogLink.
#include "core/PictureLogLink.h"
#include "core/PictureRecycler.h"
#include "publish/PictureLogLogic.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <optional>

class AviLink;
class AviPanel;
class EmailWindowsLink;
class FtpLink;
class MainWindowLink;
class QAction;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;
class QTreeView;
class SaveFileNameAsker;
class SettingsStore;

// A picture stretched over the widget, its proportions kept, centred on black.
class LogPictureView : public QWidget {
    Q_OBJECT
public:
    explicit LogPictureView(QWidget* parent = nullptr);
    void SetImage(const QImage& image);
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

// What the window reaches beyond the typed links. Every hook may stay empty.
struct LogWindowHooks {
    std::function<void(const QString& path, const QString& remoteName)> FtpUploadFile;
    std::function<void()> FillAlertCombos;
    std::function<void()> ResetPictureCounts;
    // Disk figures of camera 1 or 2 (the picture store's); others and an empty hook read
    // the drive of the folder shown.
    std::function<std::optional<DiskSpaceMB>(int camera)> DiskSpace;
    std::function<bool()> MainMenuFlag;
    std::function<void(const QString& path)> PlayAviFile;
    // Questions and the picture save dialog; empty: the window's own.
    std::function<bool(const QString& question)> AskYesNo;
};

class PictureLogWindow : public QDialog, public PictureLogLink {
    Q_OBJECT
public:
    static constexpr int kNormalHeight = 350;
    static constexpr int kSideWidth = 210; // livePanel, the list and the buttons

    explicit PictureLogWindow(SettingsStore& settings, QWidget* parent = nullptr);
    ~PictureLogWindow() override;

    void SetLinks(MainWindowLink* mainWindow, FtpLink* ftp, EmailWindowsLink* email);
    void SetSaveFileNameAsker(SaveFileNameAsker* asker);
    LogWindowHooks& Hooks() { return hooks_; }
    PictureLogLogic& Logic() { return logic_; }
    AviLink& Avi();

    // PictureLogLink.
    void SetLogFolder(const QString& folder, int camera) override;
    void RefreshImageList() override;
    bool IsShown() const override { return isVisible(); }
    void RunModal() override;
    void SetOpenedFromMainWindow(bool opened) override;
    bool ClosedByKey() const override { return logic_.ClosedByKey(); }
    void FrameGrabbed(int camera, const QImage& frame) override;

    void ShowSelectedImage();
    void UpdateCounterCaption();
    // Normal size (350 px high, centred) or full screen.
    void ApplyViewSize(bool normal);
    bool IsNormalSize() const { return normalSize_; }

    // The parts, by the names the station knows them.
    LogPictureView* pictureView = nullptr;
    QListWidget* pictureList = nullptr;
    QPlainTextEdit* noteEdit = nullptr;
    QWidget* livePanel = nullptr;
    QLabel* positionLabel = nullptr;
    LogPictureView* liveView = nullptr;
    QWidget* buttonPanel = nullptr;
    QPushButton* closeButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* listModeButton = nullptr;
    QPushButton* slideBackButton = nullptr;
    QPushButton* slideForwardButton = nullptr;
    QPushButton* slideStopButton = nullptr;
    QPushButton* notesButton = nullptr;
    QPushButton* settingsButton = nullptr;
    QPushButton* emailButton = nullptr;
    QPushButton* purgeButton = nullptr; // hidden
    QPushButton* aviButton = nullptr; // hidden
    QWidget* settingsPanel = nullptr;
    QTreeView* folderTree = nullptr;
    QFileSystemModel* folderModel = nullptr;
    QLabel* statsLabel = nullptr;
    QLabel* recycleAfterLabel = nullptr;
    QLabel* freeAfterLabel = nullptr;
    QSlider* limitSlider = nullptr;
    QPushButton* settingsSaveButton = nullptr;
    QPushButton* settingsCancelButton = nullptr;
    QPushButton* settingsPurgeButton = nullptr;
    QWidget* pleaseWaitPanel = nullptr;
    QLabel* pleaseWaitLabel = nullptr;
    QProgressBar* waitProgressBar = nullptr;
    AviPanel* aviPanel = nullptr;
    QWidget* rotatePanel = nullptr;
    QList<QRadioButton*> angleButtons;
    QScrollBar* angleScroll = nullptr;
    QPushButton* rotateCloseButton = nullptr;
    QPushButton* rotateButton = nullptr;
    QMenu* pictureMenu = nullptr;
    QAction* selectAllAction = nullptr;
    QAction* uploadAction = nullptr;
    QAction* createAviAction = nullptr;
    QAction* makeSmallAction = nullptr;
    QAction* makeLargeAction = nullptr;
    QAction* rotateAction = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    // PictureLogWindow.cpp: the parts and their places.
    void BuildParts();
    void BuildButtons();
    void BuildSettingsPanel();
    void BuildWaitAndRotatePanels();
    void BuildMenu();
    void LayoutParts();
    // PictureLogWindowBinding.cpp: logic -> widgets, widgets -> logic.
    void BindLogic();
    void BindAviPanel();
    void ShowRows();
    void ShowSelection();
    void ShowNote();
    void ShowSettings();
    void ShowProgress();
    void ListSelectionEdited();
    void FocusList();
    bool AskYesNo(const QString& question);
    QString AskSaveFileName(const QString& title, const QString& filter, const QString& name);
    std::optional<DiskSpaceMB> DiskSpace();
    // PictureLogWindowKeys.cpp: keys and commands.
    bool HandleKey(QKeyEvent* event, bool inList);
    void CloseByButton();
    bool CloseAllowed();
    void OpenSettingsPanel();
    void SaveSettingsPanel();
    void SetAngle(int angle);

    PictureLogLogic logic_;
    LogWindowHooks hooks_;
    MainWindowLink* mainWindow_;
    FtpLink* ftp_;
    EmailWindowsLink* email_;
    SaveFileNameAsker* saveAsker_ = nullptr;
    bool normalSize_ = true;
    bool syncing_ = false;
    bool listedForShow_ = false;
};
