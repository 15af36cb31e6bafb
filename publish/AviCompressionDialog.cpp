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
    FullFrames = new QRadioButton(QStringLiteral("Full frames (uncompressed)"), this);
    FullFrames->setObjectName(QStringLiteral("FullFrames"));
    MotionJpeg = new QRadioButton(QStringLiteral("Motion JPEG"), this);
    MotionJpeg->setObjectName(QStringLiteral("MotionJpeg"));
    Quality = new QSlider(Qt::Horizontal, this);
    Quality->setObjectName(QStringLiteral("Quality"));
    Quality->setRange(1, 100);
    QualityValue = new QLabel(this);
    QualityValue->setObjectName(QStringLiteral("QualityValue"));
    QualityValue->setMinimumWidth(QualityValue->fontMetrics().horizontalAdvance(QStringLiteral("Quality 100")));
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* qualityRow = new QHBoxLayout;
    qualityRow->addSpacing(20);
    qualityRow->addWidget(Quality, 1);
    qualityRow->addWidget(QualityValue);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FullFrames);
    layout->addWidget(MotionJpeg);
    layout->addLayout(qualityRow);
    layout->addWidget(Buttons);

    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Quality, &QSlider::valueChanged, this, &AviCompressionDialog::UpdateQuality);
    connect(MotionJpeg, &QRadioButton::toggled, this, &AviCompressionDialog::UpdateQuality);
    SetChoice({});
}

void AviCompressionDialog::SetChoice(const AviCompressionChoice& choice) {
    (choice.Codec == platform::AviCodec::MotionJpeg ? MotionJpeg : FullFrames)->setChecked(true);
    Quality->setValue(qBound(1, choice.Quality, 100));
    UpdateQuality();
}

AviCompressionChoice AviCompressionDialog::Choice() const {
    return {MotionJpeg->isChecked() ? platform::AviCodec::MotionJpeg : platform::AviCodec::Dib,
            Quality->value()};
}

void AviCompressionDialog::UpdateQuality() {
    Quality->setEnabled(MotionJpeg->isChecked());
    QualityValue->setEnabled(MotionJpeg->isChecked());
    QualityValue->setText(QStringLiteral("Quality %1").arg(Quality->value()));
}

std::optional<AviCompressionChoice> AviCompressionDialog::Ask(QWidget* parent,
                                                              const AviCompressionChoice& initial) {
    AviCompressionDialog dialog(parent);
    dialog.SetChoice(initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}
