#pragma once
// The choice of how AVI frames are stored: full frames, or Motion JPEG at a quality.
#include "publish/AviPanelLogic.h"

#include <QDialog>

#include <optional>

class QDialogButtonBox;
class QLabel;
class QRadioButton;
class QSlider;

class AviCompressionDialog : public QDialog {
    Q_OBJECT
public:
    explicit AviCompressionDialog(QWidget* parent = nullptr);

    void SetChoice(const AviCompressionChoice& choice);
    AviCompressionChoice Choice() const;

    // Shows the dialog modally; nothing when it is cancelled.
    static std::optional<AviCompressionChoice> Ask(QWidget* parent, const AviCompressionChoice& initial);

    QRadioButton* fullFramesRadio = nullptr;
    QRadioButton* motionJpegRadio = nullptr;
    QSlider* qualitySlider = nullptr;
    QLabel* qualityLabel = nullptr;
    QDialogButtonBox* buttonBox = nullptr;

private:
    void UpdateQuality();
};
