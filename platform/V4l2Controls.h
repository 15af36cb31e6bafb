#pragma once
// The controls of a V4L2 camera (brightness, contrast, white balance, ...) as a
// DeviceControlModel. The four driver calls go through V4l2ControlIo so that tests can
// stand a table in for the device.
#include "platform/DeviceControls.h"

#include <linux/videodev2.h>

#include <functional>
#include <memory>

namespace platform {

// Each call returns 0 or the errno value the driver gave.
class V4l2ControlIo {
public:
    virtual ~V4l2ControlIo() = default;
    virtual int QueryControl(v4l2_queryctrl& query) = 0; // VIDIOC_QUERYCTRL
    virtual int QueryMenu(v4l2_querymenu& menu) = 0;     // VIDIOC_QUERYMENU
    virtual int GetControl(v4l2_control& control) = 0;   // VIDIOC_G_CTRL
    virtual int SetControl(v4l2_control& control) = 0;   // VIDIOC_S_CTRL
};

// Opens a device node (/dev/videoN) for its controls; nullptr with *error when it cannot.
std::unique_ptr<V4l2ControlIo> OpenV4l2Device(const QString& path, QString* error = nullptr);

// Replaces how OpenV4l2Device reaches a device node (tests stand a table in for it); an
// empty opener restores the real one.
using V4l2DeviceOpener = std::function<std::unique_ptr<V4l2ControlIo>(const QString& path)>;
void SetV4l2DeviceOpener(V4l2DeviceOpener opener);

class V4l2ControlModel : public DeviceControlModel {
public:
    explicit V4l2ControlModel(std::unique_ptr<V4l2ControlIo> io);

    QList<DeviceControl> Controls() const override { return controls_; }
    bool Reload() override;
    bool SetValue(quint32 id, int value, QString* error) override;

private:
    bool ReadControl(const v4l2_queryctrl& query, DeviceControl& control);
    bool EnumerateNext();
    void EnumerateByRange();

    std::unique_ptr<V4l2ControlIo> io_;
    QList<DeviceControl> controls_;
};

} // namespace platform
