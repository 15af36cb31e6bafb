#pragma once
// What the picture log's AVI panel does, without its widgets: the current AVI file, the
// Open, Play, Create and Close rules and the creation of an AVI from the listed pictures.
// The log window answers the questions (rows, selection, dialogs) through the hooks.
#include "core/AviLink.h"
#include "publish/AviCreation.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct AviCompressionChoice {
    platform::AviCodec Codec = platform::AviCodec::Dib;
    int Quality = 90;
};

struct AviPanelHooks {
    // The picture list: its row texts, the selected row numbers and the folder it shows.
    std::function<QStringList()> Rows;
    std::function<QList<int>()> SelectedRows;
    std::function<QString()> Folder;
    // Questions to the user; an empty name means the dialog was cancelled.
    std::function<bool(const QString& question)> AskYesNo;
    std::function<QString()> AskSaveFileName;
    std::function<QString()> AskOpenFileName;
    // Called only when "Use Compression" is ticked; nothing means Cancel.
    std::function<std::optional<AviCompressionChoice>()> AskCompression;
    std::function<bool()> UseCompression;
    // The player, the log window's other panel and its list.
    std::function<void(const QString& path)> PlayFile;
    std::function<void()> HideSettingsPanel;
    std::function<void()> FocusList;
    // False refuses "Create AVI" (camera 1 after a change of picture size).
    std::function<bool()> AviReady;
};

class AviPanelLogic : public QObject, public AviLink {
    Q_OBJECT
public:
    explicit AviPanelLogic(AviPanelHooks hooks, QObject* parent = nullptr);

    void SetHooks(AviPanelHooks hooks) { hooks_ = std::move(hooks); }
    // Tests make the size limit small.
    void SetSizeLimit(qint64 bytes) { sizeLimit_ = bytes; }

    const QString& CurrentAvi() const { return currentAvi_; }
    const QString& StatusText() const { return status_; }
    bool PanelVisible() const { return panelVisible_; }
    bool ProgressVisible() const { return progressVisible_; }
    int ProgressPercent() const { return progress_; }
    // True while a file is being made: the log window's Del, Purge, Rotate, settings Save
    // and Close wait for it.
    bool IsCreating() const { return creation_.IsRunning(); }

    // The "AVI" button: settings panel hidden, AVI panel shown with the current file.
    void OpenAviPanel() override;
    // The "Create AVI" menu item.
    void CreateAviFromMenu();
    // "&Create".
    void CreateAviFromPictures() override;
    // "&Open", "&Play", "C&lose".
    void OpenClicked();
    void PlayClicked();
    void CloseClicked();

    // The name rules of the two dialogs.
    static QString SaveNameWithExtension(const QString& name);
    static QString OpenNameWithExtension(const QString& name);

signals:
    void StatusChanged(const QString& text);
    void ProgressChanged(int percent);
    void ProgressVisibleChanged(bool visible);
    void PanelVisibleChanged(bool visible);
    // A creation is over (made or failed).
    void CreationFinished(const AviCreationResult& result);

private:
    void SetStatus(const QString& text);
    void SetProgressVisible(bool visible);
    void SetPanelVisible(bool visible);
    void OnFinished(const AviCreationResult& result);

    AviPanelHooks hooks_;
    AviCreation creation_;
    QString currentAvi_;
    QString status_;
    bool panelVisible_ = false;
    bool progressVisible_ = false;
    int progress_ = 0;
    qint64 sizeLimit_ = platform::kAviSizeLimit;
};
