#pragma once
// Hidden stand-ins for windows whose own work comes later. Each has the class name the
// station creates at start-up, so the creation order stands; the issue that builds a
// window removes its stand-in here and creates the real one in ProgramStartup.cpp.
#include <QDialog>

#define TORVEK_PLACEHOLDER_WINDOW(Name)                                                      \
    class Name : public QDialog {                                                              \
    public:                                                                                    \
        explicit Name(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(#Name); }   \
    };

TORVEK_PLACEHOLDER_WINDOW(ThttpUpLoader)

#undef TORVEK_PLACEHOLDER_WINDOW
