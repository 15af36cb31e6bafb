#include "publish/AviCompressionDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

AviCompressionDialog::AviCompressionDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AviCompressionDialog"));
    setWindowTitle(QStringLiteral("Video Compression"));
    fullFramesRadio = new QRadioButton(QStringLiteral("Full frames (uncompressed)"), this);
    fullFramesRadio->setObjectName(QStringLiteral("fullFramesRadio"));
    motionJpegRadio = new QRadioButton(QStringLiteral("Motion JPEG"), this);
    motionJpegRadio->setObjectName(QStringLiteral("motionJpegRadio"));
    qualitySlider = new QSlider(Qt::Horizontal, this);
    qualitySlider->setObjectName(QStringLiteral("qualitySlider"));
    qualitySlider->setRange(1, 100);
    qualityLabel = new QLabel(this);
    qualityLabel->setObjectName(QStringLiteral("qualityLabel"));
    qualityLabel->setMinimumWidth(qualityLabel->fontMetrics().horizontalAdvance(QStringLiteral("Quality 100")));
    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* qualityRow = new QHBoxLayout;
    qualityRow->addSpacing(20);
    qualityRow->addWidget(qualitySlider, 1);
    qualityRow->addWidget(qualityLabel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fullFramesRadio);
    layout->addWidget(motionJpegRadio);
    layout->addLayout(qualityRow);
    layout->addWidget(buttonBox);

    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(qualitySlider, &QSlider::valueChanged, this, &AviCompressionDialog::UpdateQuality);
    connect(motionJpegRadio, &QRadioButton::toggled, this, &AviCompressionDialog::UpdateQuality);
    SetChoice({});
}

void AviCompressionDialog::SetChoice(const AviCompressionChoice& choice) {
    (choice.Codec == platform::AviCodec::MotionJpeg ? motionJpegRadio : fullFramesRadio)->setChecked(true);
    qualitySlider->setValue(qBound(1, choice.Quality, 100));
    UpdateQuality();
}

AviCompressionChoice AviCompressionDialog::Choice() const {
    return {motionJpegRadio->isChecked() ? platform::AviCodec::MotionJpeg : platform::AviCodec::Dib,
            qualitySlider->value()};
}

void AviCompressionDialog::UpdateQuality() {
    qualitySlider->setEnabled(motionJpegRadio->isChecked());
    qualityLabel->setEnabled(motionJpegRadio->isChecked());
    qualityLabel->setText(QStringLiteral("Quality %1").arg(qualitySlider->value()));
}

std::optional<AviCompressionChoice> AviCompressionDialog::Ask(QWidget* parent,
                                                              const AviCompressionChoice& initial) {
    AviCompressionDialog dialog(parent);
    dialog.SetChoice(initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}
