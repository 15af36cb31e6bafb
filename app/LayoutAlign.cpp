#include "app/LayoutAlign.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace {

constexpr const char* kAlignProperty = "layoutAlign";

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

class AlignFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            for (QObject* child : watched->children()) {
                if (child->isWidgetType())
                    Apply(static_cast<QWidget*>(child));
            }
        }
        return false;
    }
};

} // namespace

void SetAlign(QWidget* widget, Align align) {
    widget->setProperty(kAlignProperty, int(align));
    QWidget* parent = widget->parentWidget();
    if (!parent)
        return;
    if (!parent->findChild<AlignFilter*>(QString(), Qt::FindDirectChildrenOnly)) {
        auto* filter = new AlignFilter(parent);
        parent->installEventFilter(filter);
    }
    Apply(widget);
}

Align AlignOf(const QWidget* widget) {
    const QVariant value = widget->property(kAlignProperty);
    return value.isValid() ? Align(value.toInt()) : Align::None;
}
