// The settings of a source without a device node: its element's writable properties.
#include "platform/ElementControls.h"

#include <gst/gst.h>
#include <gtest/gtest.h>

#include <cstring>

using namespace platform;

namespace {

std::optional<DeviceControl> Named(const DeviceControlModel& model, const QString& name) {
    for (const DeviceControl& c : model.Controls())
        if (c.name == name) return c;
    return std::nullopt;
}

// An element (or a bin, for a launch line with links) owned by the object.
struct Element {
    explicit Element(const char* description) {
        gst_init(nullptr, nullptr);
        handle = strchr(description, '!') ? gst_parse_bin_from_description(description, TRUE, nullptr)
                                          : gst_element_factory_make(description, "inner");
        if (handle) gst_object_ref_sink(handle);
    }
    ~Element() {
        if (handle) gst_object_unref(handle);
    }
    int Pattern() const {
        GstElement* inner = GST_IS_BIN(handle) ? gst_bin_get_by_name(GST_BIN(handle), "inner")
                                               : GST_ELEMENT(gst_object_ref(handle));
        int value = -1;
        g_object_get(inner, "pattern", &value, nullptr);
        gst_object_unref(inner);
        return value;
    }
    GstElement* handle = nullptr;
};

} // namespace

TEST(ElementControls, OffersTheSourcesOwnSettingsAndWritesThem) {
    Element source("videotestsrc");
    ASSERT_TRUE(source.handle);
    ElementControlModel model(source.handle);
    const auto pattern = Named(model, "pattern");
    ASSERT_TRUE(pattern);
    EXPECT_EQ(pattern->kind, ControlKind::Menu);
    int ball = -1;
    for (const MenuChoice& c : pattern->choices)
        if (c.text == "ball") ball = c.value;
    ASSERT_GE(ball, 0);
    EXPECT_EQ(Named(model, "flip")->kind, ControlKind::Boolean);
    EXPECT_EQ(Named(model, "horizontal-speed")->kind, ControlKind::Integer);
    // Generic and timing properties are not camera settings.
    for (const char* hidden : {"name", "parent", "num-buffers", "blocksize", "do-timestamp", "is-live",
                               "timestamp-offset", "typefind"})
        EXPECT_FALSE(Named(model, hidden)) << hidden;

    QString error;
    ASSERT_TRUE(model.SetValue(pattern->id, ball, &error)) << error.toStdString();
    EXPECT_EQ(source.Pattern(), ball);
    EXPECT_EQ(Named(model, "pattern")->value, ball);
    EXPECT_FALSE(model.SetValue(pattern->id, 999, &error));

    // A source wrapped in a bin shows the settings of the source inside.
    Element wrapped("videotestsrc name=inner ! videoconvert");
    ElementControlModel wrappedModel(wrapped.handle);
    ASSERT_TRUE(Named(wrappedModel, "pattern"));
    ASSERT_TRUE(wrappedModel.SetValue(Named(wrappedModel, "pattern")->id, 1, &error));
    EXPECT_EQ(wrapped.Pattern(), 1);
}

TEST(ElementControls, LeavesOutSettingsThatOnlyAStoppedElementTakes) {
    Element valve("valve");
    ASSERT_TRUE(valve.handle);
    ElementControlModel model(valve.handle);
    EXPECT_TRUE(Named(model, "drop"));       // changeable while playing
    EXPECT_FALSE(Named(model, "drop-mode")); // only in NULL or READY
}
