#include "platform/DeviceControlDialog.h"
#include "platform/V4l2Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <map>

using namespace platform;

namespace {

// A camera's control table standing in for the driver.
struct FakeControl {
    v4l2_queryctrl query{};
    std::map<__u32, const char*> menu;
    int value = 0;
    int refuseWith = 0; // errno the driver gives on S_CTRL
};

class FakeDevice : public V4l2ControlIo {
public:
    std::map<__u32, FakeControl> table;
    bool supportsNext = true;
    int setCalls = 0;
    // id of a control whose change makes another inactive (like auto white balance)
    __u32 autoId = 0, ruledId = 0;

    FakeControl& Add(__u32 id, __u32 type, const char* name, int min, int max, int step, int def, __u32 flags = 0) {
        FakeControl& c = table[id];
        c.query.id = id;
        c.query.type = type;
        std::strncpy(reinterpret_cast<char*>(c.query.name), name, sizeof c.query.name);
        c.query.minimum = min;
        c.query.maximum = max;
        c.query.step = __u32(step);
        c.query.default_value = def;
        c.query.flags = flags;
        c.value = def;
        return c;
    }

    int QueryControl(v4l2_queryctrl& q) override {
        const bool next = (q.id & V4L2_CTRL_FLAG_NEXT_CTRL) != 0;
        if (next && !supportsNext)
            return EINVAL;
        const __u32 id = q.id & ~V4L2_CTRL_FLAG_NEXT_CTRL;
        auto it = next ? table.upper_bound(id) : table.find(id);
        if (it == table.end())
            return EINVAL;
        q = it->second.query;
        return 0;
    }
    int QueryMenu(v4l2_querymenu& m) override {
        auto it = table.find(m.id);
        if (it == table.end())
            return EINVAL;
        auto item = it->second.menu.find(m.index);
        if (item == it->second.menu.end())
            return EINVAL;
        std::strncpy(reinterpret_cast<char*>(m.name), item->second, sizeof m.name);
        return 0;
    }
    int GetControl(v4l2_control& c) override {
        auto it = table.find(c.id);
        if (it == table.end())
            return EINVAL;
        c.value = it->second.value;
        return 0;
    }
    int SetControl(v4l2_control& c) override {
        ++setCalls;
        auto it = table.find(c.id);
        if (it == table.end())
            return EINVAL;
        if (it->second.refuseWith)
            return it->second.refuseWith;
        // Like real drivers, keep the value inside the range.
        it->second.value = std::clamp(c.value, it->second.query.minimum, it->second.query.maximum);
        if (c.id == autoId) {
            __u32& flags = table[ruledId].query.flags;
            flags = c.value ? (flags | V4L2_CTRL_FLAG_INACTIVE) : (flags & ~V4L2_CTRL_FLAG_INACTIVE);
        }
        return 0;
    }
};

constexpr __u32 kBrightness = V4L2_CID_BRIGHTNESS;
constexpr __u32 kAutoWhite = V4L2_CID_AUTO_WHITE_BALANCE;
constexpr __u32 kWhiteTemp = V4L2_CID_WHITE_BALANCE_TEMPERATURE;
constexpr __u32 kPowerLine = V4L2_CID_POWER_LINE_FREQUENCY;
constexpr __u32 kGain = V4L2_CID_GAIN;
constexpr __u32 kSharpness = V4L2_CID_SHARPNESS;

// A typical USB camera: integer, boolean and menu controls, one read-only, one inactive,
// one disabled, one button and a class marker that must not become rows.
FakeDevice* MakeCamera() {
    auto* d = new FakeDevice;
    d->Add(V4L2_CID_USER_CLASS, V4L2_CTRL_TYPE_CTRL_CLASS, "User Controls", 0, 0, 0, 0);
    d->Add(kBrightness, V4L2_CTRL_TYPE_INTEGER, "Brightness", -64, 64, 1, 0).value = 10;
    d->Add(kAutoWhite, V4L2_CTRL_TYPE_BOOLEAN, "White Balance, Automatic", 0, 1, 1, 1);
    d->Add(kGain, V4L2_CTRL_TYPE_INTEGER, "Gain", 0, 100, 1, 50, V4L2_CTRL_FLAG_READ_ONLY);
    FakeControl& power = d->Add(kPowerLine, V4L2_CTRL_TYPE_MENU, "Power Line Frequency", 0, 2, 1, 1);
    power.menu = {{0, "Disabled"}, {2, "60 Hz"}}; // index 1 missing: menus may have gaps
    power.value = 2;
    d->Add(kWhiteTemp, V4L2_CTRL_TYPE_INTEGER, "White Balance Temperature", 2800, 6500, 10, 4600,
           V4L2_CTRL_FLAG_INACTIVE);
    d->Add(kSharpness, V4L2_CTRL_TYPE_INTEGER, "Sharpness", 0, 7, 1, 3, V4L2_CTRL_FLAG_DISABLED);
    d->Add(V4L2_CID_PAN_RESET, V4L2_CTRL_TYPE_BUTTON, "Pan, Reset", 0, 0, 0, 0);
    d->autoId = kAutoWhite;
    d->ruledId = kWhiteTemp;
    return d;
}

// One line per control: name, kind, range, value, menu choices and state.
QStringList Describe(const V4l2ControlModel& model) {
    QStringList lines;
    for (const DeviceControl& c : model.Controls()) {
        QString line = QString("%1 %2 %3..%4 =%5")
                           .arg(c.name, c.kind == ControlKind::Menu      ? "menu"
                                        : c.kind == ControlKind::Boolean ? "bool"
                                                                         : "int")
                           .arg(c.minimum)
                           .arg(c.maximum)
                           .arg(c.value);
        for (const MenuChoice& m : c.choices)
            line += QString(" %1:%2").arg(m.value).arg(m.text);
        if (c.readOnly) line += " read-only";
        if (c.inactive) line += " inactive";
        lines << line;
    }
    return lines;
}

} // namespace

TEST(V4l2Controls, ReadsIntegerBooleanAndMenuControlsWithTheirState) {
    V4l2ControlModel model{std::unique_ptr<V4l2ControlIo>(MakeCamera())};
    // Class markers, disabled controls and buttons are no settings.
    EXPECT_EQ(Describe(model), (QStringList{"Brightness int -64..64 =10", "White Balance, Automatic bool 0..1 =1",
                                            "Gain int 0..100 =50 read-only",
                                            "Power Line Frequency menu 0..2 =2 0:Disabled 2:60 Hz",
                                            "White Balance Temperature int 2800..6500 =4600 inactive"}));
}

TEST(V4l2Controls, WritesOnlyWhatTheControlCanTakeAndFollowsTheDevice) {
    auto* device = MakeCamera();
    V4l2ControlModel model{std::unique_ptr<V4l2ControlIo>(device)};
    QString error;
    EXPECT_TRUE(model.SetValue(kBrightness, -20, &error)) << error.toStdString();
    EXPECT_EQ(device->table[kBrightness].value, -20);
    EXPECT_TRUE(model.SetValue(kPowerLine, 0, &error));
    EXPECT_EQ(device->table[kPowerLine].value, 0);

    // Read-only and inactive controls, and values a control cannot hold, never reach the
    // driver.
    const int calls = device->setCalls;
    EXPECT_FALSE(model.SetValue(kGain, 10, &error));
    EXPECT_TRUE(error.contains("Gain"));
    EXPECT_FALSE(model.SetValue(kWhiteTemp, 5000, &error));
    EXPECT_FALSE(model.SetValue(kBrightness, 65, &error));
    EXPECT_TRUE(error.contains("-64")) << error.toStdString();
    EXPECT_FALSE(model.SetValue(kPowerLine, 1, &error)); // the gap in the menu
    EXPECT_FALSE(model.SetValue(kAutoWhite, 2, &error));
    EXPECT_FALSE(model.SetValue(0x12345678, 1, &error));
    EXPECT_EQ(device->setCalls, calls);

    // Switching the automatic mode off makes the ruled control writable.
    ASSERT_TRUE(model.SetValue(kAutoWhite, 0, &error));
    ASSERT_TRUE(model.Find(kWhiteTemp)->Writable());
    // A value off the control's step is taken to the nearest step.
    ASSERT_TRUE(model.SetValue(kWhiteTemp, 5004, &error));
    EXPECT_EQ(device->table[kWhiteTemp].value, 5000);

    // A refusal is reported with the driver's reason and the shown value stays the device's.
    device->table[kBrightness].refuseWith = EBUSY;
    EXPECT_FALSE(model.SetValue(kBrightness, 30, &error));
    EXPECT_TRUE(error.startsWith("Brightness: ")) << error.toStdString();
    EXPECT_EQ(model.Find(kBrightness)->value, -20);
}

TEST(V4l2Controls, EnumeratesDriversWithoutNextFlagAndStopsOnBadAnswers) {
    auto* device = MakeCamera();
    device->supportsNext = false;
    device->Add(V4L2_CID_PRIVATE_BASE, V4L2_CTRL_TYPE_INTEGER, "Private", 0, 9, 1, 4);
    V4l2ControlModel model{std::unique_ptr<V4l2ControlIo>(device)};
    EXPECT_TRUE(model.Find(kPowerLine) && model.Find(V4L2_CID_PRIVATE_BASE));

    // A driver that answers every "next" query with the same control must not hang us.
    struct Stuck : FakeDevice {
        int QueryControl(v4l2_queryctrl& q) override {
            q = table.begin()->second.query;
            return 0;
        }
    };
    auto* stuck = new Stuck;
    stuck->Add(kBrightness, V4L2_CTRL_TYPE_INTEGER, "Brightness", 0, 255, 1, 128);
    V4l2ControlModel stuckModel{std::unique_ptr<V4l2ControlIo>(stuck)};
    EXPECT_EQ(stuckModel.Controls().size(), 1);
}

TEST(V4l2Controls, DialogEditsReachTheDeviceAndLockedRowsStayLocked) {
    auto* device = MakeCamera();
    V4l2ControlModel model{std::unique_ptr<V4l2ControlIo>(device)};
    DeviceControlDialog dialog(model, "Camera Capture Filter");

    auto* brightness = qobject_cast<QSpinBox*>(dialog.Editor(kBrightness));
    auto* autoWhite = qobject_cast<QCheckBox*>(dialog.Editor(kAutoWhite));
    auto* power = qobject_cast<QComboBox*>(dialog.Editor(kPowerLine));
    ASSERT_TRUE(brightness && autoWhite && power);
    EXPECT_FALSE(dialog.Editor(kGain)->isEnabled());
    EXPECT_FALSE(dialog.Editor(kWhiteTemp)->isEnabled());

    brightness->setValue(33);
    EXPECT_EQ(device->table[kBrightness].value, 33);
    power->setCurrentIndex(0);
    emit power->activated(0);
    EXPECT_EQ(device->table[kPowerLine].value, 0);
    autoWhite->setChecked(false);
    EXPECT_EQ(device->table[kAutoWhite].value, 0);
    EXPECT_TRUE(dialog.Editor(kWhiteTemp)->isEnabled()); // rows follow the device's flags

    device->table[kBrightness].refuseWith = EIO;
    brightness->setValue(40);
    EXPECT_EQ(brightness->value(), 33); // back to what the device kept
    EXPECT_TRUE(dialog.StatusText().startsWith("Brightness")) << dialog.StatusText().toStdString();
}
