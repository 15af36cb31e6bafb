#pragma once
// Keeps a control along its parent's bottom edge or over its whole client area while the
// parent changes size; None leaves it where it was put.
class QWidget;

enum class Align { None, Bottom, Client };

void SetAlign(QWidget* widget, Align align);
Align AlignOf(const QWidget* widget);
