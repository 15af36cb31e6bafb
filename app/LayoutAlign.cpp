#include "app/LayoutAlign.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace {

constexpr const char* kAlignProperty = "layoutAlign";
constexpr const char* kFilterProperty = "layoutAlignWatched";

void Apply(QWidget* widget) {
    QWidget* parent = widget->parentWidget();
    if (!parent)
        return;
    switch (AlignOf(widget)) {
    case Align::Client:
        widget->setGeometry(parent->rect());
        break;
    case Align::Bottom:
        widget->setGeometry(0, parent->height() - widget->height(), parent->width(), widget->height());
        break;
    case Align::None:
        break;
    }
}

// Children of a hidden control hear of no resize: the whole tree follows at once.
void ApplyTree(QWidget* parent) {
    for (QObject* child : parent->children()) {
        if (!child->isWidgetType())
            continue;
        auto* widget = static_cast<QWidget*>(child);
        Apply(widget);
        ApplyTree(widget);
    }
}

class AlignFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && watched->isWidgetType())
            ApplyTree(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

void SetAlign(QWidget* widget, Align align) {
    widget->setProperty(kAlignProperty, int(align));
    QWidget* parent = widget->parentWidget();
    if (!parent)
        return;
    if (!parent->property(kFilterProperty).toBool()) {
        parent->setProperty(kFilterProperty, true);
        parent->installEventFilter(new AlignFilter(parent));
    }
    Apply(widget);
    ApplyTree(widget);
}

Align AlignOf(const QWidget* widget) {
    const QVariant value = widget->property(kAlignProperty);
    return value.isValid() ? Align(value.toInt()) : Align::None;
}
