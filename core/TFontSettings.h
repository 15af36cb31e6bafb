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

class TFontSettings : public QDialog {
    Q_OBJECT
public:
    explicit TFontSettings(CaptionSettings& settings, QWidget* parent = nullptr);

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
    QLabel* label24_ = nullptr;
    QRadioButton* topRight_ = nullptr;
    QRadioButton* classicCaption_ = nullptr;
    QListWidget* fontcolor_ = nullptr;
    QListWidget* backcolor_ = nullptr;
    QCheckBox* transperent_ = nullptr;
    QListWidget* fontList_ = nullptr;
    QListWidget* fontSizeList_ = nullptr;
    QLabel* image1_ = nullptr;
    QListWidget* formatList_ = nullptr;
    QPushButton* button36_ = nullptr;
    QListWidget* colorCombos_ = nullptr;
};

// The main window's Captions command: refuses with a message while no camera runs, otherwise
// opens the window with the running camera's latest frame in its preview.
void Captions1Click(TFontSettings& window, CaptionSettings& settings, bool camera1Previewing,
                    bool camera2Previewing);
