#include "app/PlaceholderWindows.h"

#include <QCheckBox>
#include <QLineEdit>

TFontSettings::TFontSettings(QWidget* parent) : QDialog(parent) {
    setObjectName("FontSettings");
    transperent = new QCheckBox(this);
    transperent->setObjectName("transperent");
}

ZoneWindowPlaceholder::ZoneWindowPlaceholder(const QString& name, QWidget* parent) : QDialog(parent) {
    setObjectName(name);
    QLineEdit** edits[] = {&CalLeft, &calTop, &scales, &Sensitivity};
    const char* names[] = {"CalLeft", "calTop", "scales", "Sensitivity"};
    for (int i = 0; i < 4; ++i) {
        *edits[i] = new QLineEdit(this);
        (*edits[i])->setObjectName(QString::fromLatin1(names[i]));
    }
}
