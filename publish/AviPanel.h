#pragma once
// The picture log's AVI panel: status, progress and the Open, Play, Create and Close buttons.
// It binds its controls to AviPanelLogic; the log window embeds it and fills the hooks that
// concern the list, the settings panel and the player. The dialogs default to our own.
#include "publish/AviPanelLogic.h"

#include <QFrame>

class QCheckBox;
class SaveFileNameAsker;
class QLabel;
class QProgressBar;
class QPushButton;

class AviPanel : public QFrame {
    Q_OBJECT
public:
    explicit AviPanel(QWidget* parent = nullptr);

    // The dialogs start in this folder.
    void SetProgramFolder(const QString& folder) { programFolder_ = folder; }
    // The station's save dialog, used instead of our own when set.
    void SetSaveFileNameAsker(SaveFileNameAsker* asker) { saveAsker_ = asker; }
    // Hooks left empty get the panel's own: the save and open dialogs ("AVI file (*.avi)"),
    // the Yes/No question, the compression choice and "Use Compression".
    void SetHooks(AviPanelHooks hooks);
    AviPanelLogic& Logic() { return logic_; }

    QLabel* statusLabel = nullptr;
    QProgressBar* creationProgressBar = nullptr;
    QPushButton* openButton = nullptr;
    QPushButton* playButton = nullptr;
    QPushButton* createButton = nullptr;
    QCheckBox* compressionBox = nullptr;
    QPushButton* closeButton = nullptr;

private:
    AviPanelHooks WithDefaults(AviPanelHooks hooks);

    AviPanelLogic logic_;
    QString programFolder_;
    SaveFileNameAsker* saveAsker_ = nullptr;
    AviCompressionChoice lastCompression_{platform::AviCodec::MotionJpeg, 90};
};
