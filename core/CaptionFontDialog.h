#pragma once
// The caption settings window: colour preset, size, date format and position of the caption,
// with a live preview. A thin window over CaptionSettings.
#include <QDialog>

class CaptionSettings;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

class CaptionFontDialog : public QDialog {
    Q_OBJECT
public:
    explicit CaptionFontDialog(CaptionSettings& settings, QWidget* parent = nullptr);

    // Loads the window from the settings and shows it modally.
    void ShowDialog();
    // Shows the settings' current state in the controls.
    void Refresh();

protected:
    bool event(QEvent* event) override;

private:
    QListWidget* MakeList(const QString& name, int rowHeight, bool formats);
    void FillList(QListWidget* list, const QStringList& rows, int current);
    void Bind();
    void CentreOnScreen();

    CaptionSettings& settings_;
    bool syncing_ = false;

    QWidget* captionPanel_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QRadioButton* topRightButton_ = nullptr;
    QRadioButton* bottomOfImageButton_ = nullptr;
    QListWidget* fontColourList_ = nullptr;
    QListWidget* backColourList_ = nullptr;
    QCheckBox* transparentBox_ = nullptr;
    QListWidget* fontList_ = nullptr;
    QListWidget* fontSizeList_ = nullptr;
    QLabel* previewImage_ = nullptr;
    QListWidget* formatList_ = nullptr;
    QPushButton* hideButton_ = nullptr;
    QListWidget* colourPresetList_ = nullptr;
};

// The main window's Captions command: refuses with a message while no camera runs, otherwise
// opens the window with the running camera's latest frame in its preview.
void CaptionsActionClick(CaptionFontDialog& window, CaptionSettings& settings, bool camera1Previewing,
                    bool camera2Previewing);
