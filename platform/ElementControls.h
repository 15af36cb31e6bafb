#pragma once
// The writable settings of a GStreamer element (a source without a device node, such as a
// test-pattern camera, or an encoder) as a DeviceControlModel: enum, boolean and integer
// properties of the element's own class. Generic properties of the base classes (name,
// buffer counts, timing) are left out: they are not camera settings and changing them
// under a running stream breaks it.
#include "platform/DeviceControls.h"

typedef struct _GstElement GstElement;

namespace platform {

class ElementControlModel : public DeviceControlModel {
public:
    // Takes a reference on the element for the model's lifetime. For a bin, the settings are
    // those of the source element inside it.
    explicit ElementControlModel(GstElement* element);
    ~ElementControlModel() override;
    ElementControlModel(const ElementControlModel&) = delete;
    ElementControlModel& operator=(const ElementControlModel&) = delete;

    QList<DeviceControl> Controls() const override { return controls_; }
    bool Reload() override;
    bool SetValue(quint32 id, int value, QString* error) override;

private:
    GstElement* element_ = nullptr;
    QList<DeviceControl> controls_;
    QList<QByteArray> names_; // property name per control id
};

} // namespace platform
