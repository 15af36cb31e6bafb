#include "app/PlaceholderWindows.h"

#include <QLineEdit>

ZoneWindowPlaceholder::ZoneWindowPlaceholder(const QString& name, QWidget* parent) : QDialog(parent) {
    setObjectName(name);
    QLineEdit** edits[] = {&CalLeft, &calTop, &scales, &Sensitivity};
    const char* names[] = {"CalLeft", "calTop", "scales", "Sensitivity"};
    for (int i = 0; i < 4; ++i) {
        *edits[i] = new QLineEdit(this);
        (*edits[i])->setObjectName(QString::fromLatin1(names[i]));
    }
}
