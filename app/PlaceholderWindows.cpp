#include "app/PlaceholderWindows.h"

#include <QCheckBox>
#include <QLineEdit>

ZoneWindowPlaceholder::ZoneWindowPlaceholder(const QString& name, QWidget* parent) : QDialog(parent) {
    setObjectName(name);
    QLineEdit** edits[] = {&CalLeft, &calTop, &scales, &Sensitivity};
    const char* names[] = {"CalLeft", "calTop", "scales", "Sensitivity"};
    for (int i = 0; i < 4; ++i) {
        *edits[i] = new QLineEdit(this);
        (*edits[i])->setObjectName(QString::fromLatin1(names[i]));
    }
    Target = new QCheckBox(QStringLiteral("Target"), this);
    Target->setObjectName(QStringLiteral("Target"));
}

ZoneEditValues ZoneWindowPlaceholder::ZoneValues() const {
    return {CalLeft->text(), calTop->text(), scales->text(), Sensitivity->text()};
}

void ZoneWindowPlaceholder::SetZoneValues(const ZoneEditValues& values) {
    CalLeft->setText(values.CalLeft);
    calTop->setText(values.calTop);
    scales->setText(values.scales);
    Sensitivity->setText(values.Sensitivity);
}

void ZoneWindowPlaceholder::SetSensitivityText(const QString& text) { Sensitivity->setText(text); }

bool ZoneWindowPlaceholder::TargetTicked() const { return Target->isChecked(); }

void ZoneWindowPlaceholder::SetTargetTicked(bool ticked) { Target->setChecked(ticked); }
