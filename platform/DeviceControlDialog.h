#pragma once
// The driver settings window: one row per control of a DeviceControlModel (spin box,
// check box or choice list). A change is written to the device at once; the rows then show
// what the device kept, and a refused change is explained under the rows.
#include "platform/DeviceControls.h"

#include <QDialog>
#include <QMap>

class QLabel;
class QWidget;

namespace platform {

class DeviceControlDialog : public QDialog {
    Q_OBJECT
public:
    DeviceControlDialog(DeviceControlModel& model, const QString& title, QWidget* parent = nullptr);

    // The editing widget of a control (QSpinBox, QCheckBox or QComboBox), nullptr when none.
    QWidget* Editor(quint32 id) const { return editors_.value(id); }
    QString StatusText() const;

private:
    void Apply(quint32 id, int value);
    void ShowValues();

    DeviceControlModel& model_;
    QMap<quint32, QWidget*> editors_;
    QLabel* statusLabel_ = nullptr;
};

} // namespace platform
