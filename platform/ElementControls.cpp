#include "platform/ElementControls.h"

#include <gst/base/gstbasesrc.h>
#include <gst/base/gstbasetransform.h>
#include <gst/base/gstpushsrc.h>
#include <gst/gst.h>
#include <gst/video/gstvideoencoder.h>

#include <climits>
#include <cstring>

namespace platform {

namespace {

bool IsGenericOwner(GType owner) {
    const GType generic[] = {GST_TYPE_OBJECT,         GST_TYPE_ELEMENT,         GST_TYPE_BIN,
                             GST_TYPE_BASE_SRC,       GST_TYPE_PUSH_SRC,        GST_TYPE_BASE_TRANSFORM,
                             GST_TYPE_VIDEO_ENCODER,  G_TYPE_OBJECT,            G_TYPE_INITIALLY_UNOWNED};
    for (GType g : generic)
        if (owner == g)
            return true;
    return false;
}

// Own properties that steer the stream's timing rather than the picture.
bool IsTimingProperty(const char* name) {
    return std::strcmp(name, "is-live") == 0 || std::strcmp(name, "timestamp-offset") == 0;
}

bool Describe(GParamSpec* pspec, GObject* object, DeviceControl& c) {
    GValue value = G_VALUE_INIT;
    g_value_init(&value, pspec->value_type);
    g_object_get_property(object, pspec->name, &value);
    bool ok = true;
    if (G_IS_PARAM_SPEC_ENUM(pspec)) {
        GParamSpecEnum* e = G_PARAM_SPEC_ENUM(pspec);
        c.kind = ControlKind::Menu;
        for (guint i = 0; i < e->enum_class->n_values; ++i) {
            const GEnumValue& v = e->enum_class->values[i];
            c.choices.append(MenuChoice{v.value, QString::fromUtf8(v.value_nick)});
        }
        c.minimum = e->enum_class->minimum;
        c.maximum = e->enum_class->maximum;
        c.defaultValue = e->default_value;
        c.value = g_value_get_enum(&value);
    } else if (G_IS_PARAM_SPEC_BOOLEAN(pspec)) {
        c.kind = ControlKind::Boolean;
        c.minimum = 0;
        c.maximum = 1;
        c.defaultValue = G_PARAM_SPEC_BOOLEAN(pspec)->default_value ? 1 : 0;
        c.value = g_value_get_boolean(&value) ? 1 : 0;
    } else if (G_IS_PARAM_SPEC_INT(pspec)) {
        GParamSpecInt* i = G_PARAM_SPEC_INT(pspec);
        c.minimum = i->minimum;
        c.maximum = i->maximum;
        c.defaultValue = i->default_value;
        c.value = g_value_get_int(&value);
    } else if (G_IS_PARAM_SPEC_UINT(pspec) && G_PARAM_SPEC_UINT(pspec)->maximum <= guint(INT_MAX)) {
        GParamSpecUInt* u = G_PARAM_SPEC_UINT(pspec);
        c.minimum = int(u->minimum);
        c.maximum = int(u->maximum);
        c.defaultValue = int(u->default_value);
        c.value = int(g_value_get_uint(&value));
    } else {
        ok = false;
    }
    g_value_unset(&value);
    c.name = QString::fromUtf8(pspec->name);
    return ok;
}

// A wrapped source (a bin around the element that makes the pictures) keeps its settings
// on that inner source element. Returns a new reference.
GstElement* SettingsElement(GstElement* element) {
    GstElement* current = GST_ELEMENT(gst_object_ref(element));
    while (GST_IS_BIN(current)) {
        GstIterator* it = gst_bin_iterate_sources(GST_BIN(current));
        GValue item = G_VALUE_INIT;
        GstElement* inner = nullptr;
        if (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
            inner = GST_ELEMENT(gst_object_ref(g_value_get_object(&item)));
            g_value_unset(&item);
        }
        gst_iterator_free(it);
        if (!inner)
            break;
        gst_object_unref(current);
        current = inner;
    }
    return current;
}

} // namespace

ElementControlModel::ElementControlModel(GstElement* element) {
    if (element)
        element_ = SettingsElement(element);
    Reload();
}

ElementControlModel::~ElementControlModel() {
    if (element_)
        gst_object_unref(element_);
}

bool ElementControlModel::Reload() {
    controls_.clear();
    names_.clear();
    if (!element_)
        return false;
    guint count = 0;
    GParamSpec** pspecs = g_object_class_list_properties(G_OBJECT_GET_CLASS(element_), &count);
    for (guint i = 0; i < count; ++i) {
        GParamSpec* pspec = pspecs[i];
        const GParamFlags flags = pspec->flags;
        if (!(flags & G_PARAM_READABLE) || !(flags & G_PARAM_WRITABLE) ||
            (flags & (G_PARAM_CONSTRUCT_ONLY | G_PARAM_DEPRECATED)))
            continue;
        if (IsGenericOwner(pspec->owner_type) || IsTimingProperty(pspec->name))
            continue;
        // Settings the element takes only while stopped cannot change a running stream.
        if (flags & (GST_PARAM_MUTABLE_READY | GST_PARAM_MUTABLE_PAUSED))
            continue;
        DeviceControl c;
        if (!Describe(pspec, G_OBJECT(element_), c))
            continue;
        c.id = quint32(names_.size());
        names_.append(QByteArray(pspec->name));
        controls_.append(c);
    }
    g_free(pspecs);
    return true;
}

bool ElementControlModel::SetValue(quint32 id, int value, QString* error) {
    const std::optional<DeviceControl> control = Find(id);
    if (!control || id >= quint32(names_.size())) {
        if (error)
            *error = QStringLiteral("The camera has no such setting.");
        return false;
    }
    if (!CheckValue(*control, value, error))
        return false;
    const QByteArray name = names_.at(int(id));
    GParamSpec* pspec = g_object_class_find_property(G_OBJECT_GET_CLASS(element_), name.constData());
    if (!pspec) {
        if (error)
            *error = QStringLiteral("The camera has no such setting.");
        return false;
    }
    GValue v = G_VALUE_INIT;
    g_value_init(&v, pspec->value_type);
    switch (control->kind) {
    case ControlKind::Menu:
        g_value_set_enum(&v, value);
        break;
    case ControlKind::Boolean:
        g_value_set_boolean(&v, value != 0);
        break;
    case ControlKind::Integer:
        if (G_IS_PARAM_SPEC_UINT(pspec))
            g_value_set_uint(&v, guint(value));
        else
            g_value_set_int(&v, value);
        break;
    }
    g_object_set_property(G_OBJECT(element_), name.constData(), &v);
    g_value_unset(&v);
    Reload();
    return true;
}

} // namespace platform
