#include "platform/V4l2Controls.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace platform {

namespace {

// A driver that keeps answering would otherwise keep us enumerating for ever.
constexpr int kMaxControls = 1024;

class DeviceNodeIo : public V4l2ControlIo {
public:
    explicit DeviceNodeIo(int fd) : fd_(fd) {}
    ~DeviceNodeIo() override { ::close(fd_); }

    int QueryControl(v4l2_queryctrl& q) override { return Call(VIDIOC_QUERYCTRL, &q); }
    int QueryMenu(v4l2_querymenu& m) override { return Call(VIDIOC_QUERYMENU, &m); }
    int GetControl(v4l2_control& c) override { return Call(VIDIOC_G_CTRL, &c); }
    int SetControl(v4l2_control& c) override { return Call(VIDIOC_S_CTRL, &c); }

private:
    int Call(unsigned long request, void* arg) {
        int r;
        do {
            r = ::ioctl(fd_, request, arg);
        } while (r < 0 && errno == EINTR);
        return r < 0 ? errno : 0;
    }
    int fd_;
};

QString FixedText(const __u8* bytes, size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(bytes), int(strnlen(reinterpret_cast<const char*>(bytes), size)));
}

QString ErrnoText(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

namespace {
V4l2DeviceOpener& Opener() {
    static V4l2DeviceOpener opener; // GUI thread only
    return opener;
}
} // namespace

void SetV4l2DeviceOpener(V4l2DeviceOpener opener) {
    Opener() = std::move(opener);
}

std::unique_ptr<V4l2ControlIo> OpenV4l2Device(const QString& path, QString* error) {
    if (Opener()) {
        auto io = Opener()(path);
        if (!io && error)
            *error = QStringLiteral("Can't open %1").arg(path);
        return io;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = QStringLiteral("Can't open %1: %2").arg(path, ErrnoText(errno));
        return nullptr;
    }
    return std::make_unique<DeviceNodeIo>(fd);
}

V4l2ControlModel::V4l2ControlModel(std::unique_ptr<V4l2ControlIo> io) : io_(std::move(io)) {
    Reload();
}

bool V4l2ControlModel::ReadControl(const v4l2_queryctrl& q, DeviceControl& c) {
    if (q.flags & V4L2_CTRL_FLAG_DISABLED)
        return false;
    // Write-only controls (relative pan, reset buttons) have no value to show.
    if (q.flags & V4L2_CTRL_FLAG_WRITE_ONLY)
        return false;
    switch (q.type) {
    case V4L2_CTRL_TYPE_INTEGER:
        c.kind = ControlKind::Integer;
        break;
    case V4L2_CTRL_TYPE_BOOLEAN:
        c.kind = ControlKind::Boolean;
        break;
    case V4L2_CTRL_TYPE_MENU:
    case V4L2_CTRL_TYPE_INTEGER_MENU:
        c.kind = ControlKind::Menu;
        break;
    default:
        return false;
    }
    c.id = q.id;
    c.name = FixedText(q.name, sizeof q.name);
    c.minimum = q.minimum;
    c.maximum = q.maximum;
    c.step = q.step > 0 ? int(q.step) : 1;
    c.defaultValue = q.default_value;
    c.readOnly = (q.flags & (V4L2_CTRL_FLAG_READ_ONLY | V4L2_CTRL_FLAG_GRABBED)) != 0;
    c.inactive = (q.flags & V4L2_CTRL_FLAG_INACTIVE) != 0;
    c.choices.clear();
    if (c.kind == ControlKind::Menu) {
        for (qint64 index = q.minimum; index <= q.maximum && index - q.minimum < kMaxControls; ++index) {
            v4l2_querymenu m{};
            m.id = q.id;
            m.index = __u32(index);
            if (io_->QueryMenu(m) != 0)
                continue; // menus may have gaps
            MenuChoice choice;
            choice.value = int(index);
            choice.text = q.type == V4L2_CTRL_TYPE_INTEGER_MENU ? QString::number(qint64(m.value))
                                                                : FixedText(m.name, sizeof m.name);
            c.choices.append(choice);
        }
        if (c.choices.isEmpty())
            return false;
    }
    v4l2_control value{};
    value.id = q.id;
    if (io_->GetControl(value) == 0) {
        c.value = value.value;
    } else {
        // A value we cannot read is not one we overwrite blindly.
        c.value = q.default_value;
        c.readOnly = true;
    }
    return true;
}

bool V4l2ControlModel::EnumerateNext() {
    v4l2_queryctrl q{};
    q.id = V4L2_CTRL_FLAG_NEXT_CTRL;
    if (io_->QueryControl(q) != 0)
        return false;
    quint32 last = 0;
    for (int n = 0; n < kMaxControls; ++n) {
        if ((q.id & ~V4L2_CTRL_FLAG_NEXT_CTRL) <= last && n > 0)
            break; // the driver went backwards: stop rather than loop
        last = q.id;
        DeviceControl c;
        if (ReadControl(q, c))
            controls_.append(c);
        const quint32 next = q.id | V4L2_CTRL_FLAG_NEXT_CTRL;
        q = v4l2_queryctrl{};
        q.id = next;
        if (io_->QueryControl(q) != 0)
            break;
    }
    return true;
}

void V4l2ControlModel::EnumerateByRange() {
    // Old drivers without V4L2_CTRL_FLAG_NEXT_CTRL: the standard user controls, then the
    // driver's private ones up to the first gap.
    for (quint32 id = V4L2_CID_BASE; id < V4L2_CID_LASTP1; ++id) {
        v4l2_queryctrl q{};
        q.id = id;
        DeviceControl c;
        if (io_->QueryControl(q) == 0 && q.id == id && ReadControl(q, c))
            controls_.append(c);
    }
    for (quint32 id = V4L2_CID_PRIVATE_BASE; id < V4L2_CID_PRIVATE_BASE + kMaxControls; ++id) {
        v4l2_queryctrl q{};
        q.id = id;
        if (io_->QueryControl(q) != 0)
            break;
        DeviceControl c;
        if (ReadControl(q, c))
            controls_.append(c);
    }
}

bool V4l2ControlModel::Reload() {
    controls_.clear();
    if (!io_)
        return false;
    if (!EnumerateNext())
        EnumerateByRange();
    return true;
}

bool V4l2ControlModel::SetValue(quint32 id, int value, QString* error) {
    const std::optional<DeviceControl> control = Find(id);
    if (!control) {
        if (error)
            *error = QStringLiteral("The camera has no such setting.");
        return false;
    }
    if (!CheckValue(*control, value, error))
        return false;
    v4l2_control set{};
    set.id = id;
    set.value = value;
    const int code = io_->SetControl(set);
    // Changing one control can change the value or state of others (auto modes), and a
    // refused write must show the value the device really kept.
    Reload();
    if (code != 0) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(control->name, ErrnoText(code));
        return false;
    }
    return true;
}

} // namespace platform
