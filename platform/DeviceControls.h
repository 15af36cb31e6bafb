#pragma once
// A camera's adjustable settings as a flat list of integer, on/off and choice controls,
// whatever they come from (V4L2 device controls or a GStreamer element's properties).
// The settings dialog is built from this list and writes through SetValue.
#include <QList>
#include <QString>
#include <optional>

namespace platform {

enum class ControlKind { Integer, Boolean, Menu };

struct MenuChoice {
    int value = 0;
    QString text;
};

struct DeviceControl {
    quint32 id = 0;
    ControlKind kind = ControlKind::Integer;
    QString name;
    int minimum = 0;
    int maximum = 0;
    int step = 1;
    int defaultValue = 0;
    int value = 0;
    bool readOnly = false; // the device never takes a value for it
    bool inactive = false; // it takes none at the moment (another control rules it)
    QList<MenuChoice> choices; // Menu only, in the device's order

    bool Writable() const { return !readOnly && !inactive; }
};

class DeviceControlModel {
public:
    virtual ~DeviceControlModel() = default;

    // The controls as last read from the device.
    virtual QList<DeviceControl> Controls() const = 0;
    // Reads every control again (values and flags); false when the device did not answer.
    virtual bool Reload() = 0;
    // Writes one value and reads the controls back. Refuses read-only and inactive controls
    // and values the control cannot hold; false with a message in *error when nothing was
    // written or the device refused.
    virtual bool SetValue(quint32 id, int value, QString* error) = 0;

    // The control with this id, nothing when none.
    std::optional<DeviceControl> Find(quint32 id) const;

protected:
    // Checks (and for integers, snaps to the control's step) a value before it is written.
    static bool CheckValue(const DeviceControl& control, int& value, QString* error);
};

} // namespace platform
