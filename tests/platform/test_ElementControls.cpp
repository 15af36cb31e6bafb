#include "platform/ElementControls.h"

#include <gst/gst.h>
#include <gtest/gtest.h>

using namespace platform;

namespace {

std::optional<DeviceControl> Named(const DeviceControlModel& model, const QString& name) {
    for (const DeviceControl& c : model.Controls())
        if (c.name == name)
            return c;
    return std::nullopt;
}

} // namespace

TEST(ElementControls, OffersTheSourcesOwnSettingsAndWritesThem) {
    gst_init(nullptr, nullptr);
    GstElement* source = gst_element_factory_make("videotestsrc", nullptr);
    ASSERT_NE(source, nullptr);
    gst_object_ref_sink(source);
    {
        ElementControlModel model(source);
        const auto pattern = Named(model, "pattern");
        ASSERT_TRUE(pattern);
        EXPECT_EQ(pattern->kind, ControlKind::Menu);
        int ball = -1;
        for (const MenuChoice& c : pattern->choices)
            if (c.text == "ball")
                ball = c.value;
        ASSERT_GE(ball, 0);
        EXPECT_EQ(Named(model, "flip")->kind, ControlKind::Boolean);
        EXPECT_EQ(Named(model, "horizontal-speed")->kind, ControlKind::Integer);
        // Generic and timing properties are not camera settings.
        for (const char* hidden : {"name", "parent", "num-buffers", "blocksize", "do-timestamp", "is-live",
                                   "timestamp-offset", "typefind"})
            EXPECT_FALSE(Named(model, hidden)) << hidden;

        QString error;
        ASSERT_TRUE(model.SetValue(pattern->id, ball, &error)) << error.toStdString();
        int value = -1;
        g_object_get(source, "pattern", &value, nullptr);
        EXPECT_EQ(value, ball);
        EXPECT_EQ(Named(model, "pattern")->value, ball);
        EXPECT_FALSE(model.SetValue(pattern->id, 999, &error));
    }
    gst_object_unref(source);
}

TEST(ElementControls, AWrappedSourceShowsTheSettingsOfTheSourceInside) {
    gst_init(nullptr, nullptr);
    GError* error = nullptr;
    GstElement* bin = gst_parse_bin_from_description("videotestsrc name=inner ! videoconvert", TRUE, &error);
    ASSERT_NE(bin, nullptr);
    gst_object_ref_sink(bin);
    {
        ElementControlModel model(bin);
        const auto pattern = Named(model, "pattern");
        ASSERT_TRUE(pattern);
        QString text;
        ASSERT_TRUE(model.SetValue(pattern->id, 1, &text));
        GstElement* inner = gst_bin_get_by_name(GST_BIN(bin), "inner");
        int value = -1;
        g_object_get(inner, "pattern", &value, nullptr);
        EXPECT_EQ(value, 1);
        gst_object_unref(inner);
    }
    gst_object_unref(bin);
}

TEST(ElementControls, LeavesOutSettingsThatOnlyAStoppedElementTakes) {
    gst_init(nullptr, nullptr);
    GstElement* valve = gst_element_factory_make("valve", nullptr);
    ASSERT_NE(valve, nullptr);
    gst_object_ref_sink(valve);
    {
        ElementControlModel model(valve);
        EXPECT_TRUE(Named(model, "drop"));        // changeable while playing
        EXPECT_FALSE(Named(model, "drop-mode")); // only in NULL or READY
    }
    gst_object_unref(valve);
}
