#include "platform/DeviceControlDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace platform {

DeviceControlDialog::DeviceControlDialog(DeviceControlModel& model, const QString& title, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(title);
    auto* outer = new QVBoxLayout(this);
    auto* area = new QScrollArea(this);
    area->setWidgetResizable(true);
    auto* rows = new QWidget(area);
    auto* form = new QFormLayout(rows);
    const QList<DeviceControl> controls = model_.Controls();
    for (const DeviceControl& c : controls) {
        QWidget* editor = nullptr;
        const quint32 id = c.id;
        switch (c.kind) {
        case ControlKind::Integer: {
            auto* spin = new QSpinBox(rows);
            spin->setRange(c.minimum, c.maximum);
            spin->setSingleStep(c.step);
            spin->setKeyboardTracking(false); // write once the number is complete
            connect(spin, &QSpinBox::valueChanged, this, [this, id](int v) { Apply(id, v); });
            editor = spin;
            break;
        }
        case ControlKind::Boolean: {
            auto* box = new QCheckBox(rows);
            connect(box, &QCheckBox::toggled, this, [this, id](bool on) { Apply(id, on ? 1 : 0); });
            editor = box;
            break;
        }
        case ControlKind::Menu: {
            auto* combo = new QComboBox(rows);
            for (const MenuChoice& choice : c.choices)
                combo->addItem(choice.text, choice.value);
            connect(combo, &QComboBox::activated, this,
                    [this, id, combo](int row) { Apply(id, combo->itemData(row).toInt()); });
            editor = combo;
            break;
        }
        }
        editor->setObjectName(c.name);
        editors_.insert(id, editor);
        form->addRow(c.name, editor);
    }
    if (controls.isEmpty())
        form->addRow(new QLabel(QStringLiteral("This camera has no settings to change."), rows));
    area->setWidget(rows);
    outer->addWidget(area);
    statusLabel_ = new QLabel(this);
    statusLabel_->setWordWrap(true);
    outer->addWidget(statusLabel_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    outer->addWidget(buttons);
    ShowValues();
    resize(420, qMin(120 + 34 * int(controls.size()), 600));
}

QString DeviceControlDialog::StatusText() const {
    return statusLabel_->text();
}

void DeviceControlDialog::Apply(quint32 id, int value) {
    QString error;
    if (model_.SetValue(id, value, &error))
        statusLabel_->clear();
    else
        statusLabel_->setText(error);
    ShowValues();
}

void DeviceControlDialog::ShowValues() {
    for (const DeviceControl& c : model_.Controls()) {
        QWidget* editor = editors_.value(c.id);
        if (!editor)
            continue;
        editor->setEnabled(c.Writable());
        if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
            const QSignalBlocker block(spin);
            spin->setValue(c.value);
        } else if (auto* box = qobject_cast<QCheckBox*>(editor)) {
            const QSignalBlocker block(box);
            box->setChecked(c.value != 0);
        } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(combo->findData(c.value));
        }
    }
}

} // namespace platform
