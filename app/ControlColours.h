#pragma once
// The font colour of a button, list or label, as the station's controls show their state
// (a camera button's red "ON", the surveillance button's red while it watches).
#include <QColor>

class QPalette;
class QWidget;

namespace ControlColours {
inline const QColor kRed(255, 0, 0);
inline const QColor kBlack(0, 0, 0);
inline const QColor kYellow(255, 255, 0);
inline const QColor kSilver(192, 192, 192);
} // namespace ControlColours

void SetFontColour(QWidget* control, const QColor& colour);
// A colour set for every state would show a disabled control as enabled: its text goes grey.
void GreyWhenDisabled(QPalette& palette);
QColor FontColour(const QWidget* control);
