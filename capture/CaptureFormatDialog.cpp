#include "capture/CaptureFormatDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CaptureFormatDialog::CaptureFormatDialog(const QStringList& formats, int current, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Camera Capture Pin"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Video format"), this));
    videoFormatList_ = new QListWidget(this);
    videoFormatList_->setObjectName(QStringLiteral("formatList"));
    videoFormatList_->addItems(formats);
    if (current >= 0 && current < formats.size())
        videoFormatList_->setCurrentRow(current);
    layout->addWidget(videoFormatList_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(videoFormatList_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto updateOk = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(videoFormatList_->currentRow() >= 0);
    };
    connect(videoFormatList_, &QListWidget::currentRowChanged, this, updateOk);
    updateOk();
    layout->addWidget(buttons);
    resize(320, 300);
}

int CaptureFormatDialog::Chosen() const {
    return videoFormatList_->currentRow();
}
