#include "app/ControlColours.h"

#include <QPalette>
#include <QWidget>

void SetFontColour(QWidget* control, const QColor& colour) {
    if (!control)
        return;
    QPalette p = control->palette();
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
        p.setColor(role, colour);
    GreyWhenDisabled(p);
    control->setPalette(p);
}

void GreyWhenDisabled(QPalette& palette) {
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
}

QColor FontColour(const QWidget* control) {
    return control ? control->palette().color(QPalette::ButtonText) : QColor();
}
