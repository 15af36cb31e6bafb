#include "platform/DeviceControls.h"

namespace platform {

std::optional<DeviceControl> DeviceControlModel::Find(quint32 id) const {
    for (const DeviceControl& c : Controls())
        if (c.id == id)
            return c;
    return std::nullopt;
}

bool DeviceControlModel::CheckValue(const DeviceControl& control, int& value, QString* error) {
    auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (control.readOnly)
        return fail(QStringLiteral("%1 cannot be changed.").arg(control.name));
    if (control.inactive)
        return fail(QStringLiteral("%1 cannot be changed at the moment.").arg(control.name));
    switch (control.kind) {
    case ControlKind::Boolean:
        if (value != 0 && value != 1)
            return fail(QStringLiteral("%1 takes only on or off.").arg(control.name));
        return true;
    case ControlKind::Menu:
        for (const MenuChoice& choice : control.choices)
            if (choice.value == value)
                return true;
        return fail(QStringLiteral("%1 has no choice %2.").arg(control.name).arg(value));
    case ControlKind::Integer:
        break;
    }
    if (value < control.minimum || value > control.maximum)
        return fail(QStringLiteral("%1 must lie between %2 and %3.")
                        .arg(control.name)
                        .arg(control.minimum)
                        .arg(control.maximum));
    if (control.step > 1) {
        // Drivers refuse values off their step; take the nearest one that stays in range.
        const qint64 offset = qint64(value) - control.minimum;
        qint64 snapped = control.minimum + (offset + control.step / 2) / control.step * control.step;
        if (snapped > control.maximum)
            snapped -= control.step;
        value = int(snapped);
    }
    return true;
}

} // namespace platform
