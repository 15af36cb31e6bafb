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
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("formatList"));
    list_->addItems(formats);
    if (current >= 0 && current < formats.size())
        list_->setCurrentRow(current);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto updateOk = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(list_->currentRow() >= 0);
    };
    connect(list_, &QListWidget::currentRowChanged, this, updateOk);
    updateOk();
    layout->addWidget(buttons);
    resize(320, 300);
}

int CaptureFormatDialog::Chosen() const {
    return list_->currentRow();
}
