#pragma once
// Hidden stand-ins for windows whose own work comes later. Each has the class name the
// station creates at start-up, so the creation order stands; the issue that builds a
// window removes its stand-in here and creates the real one in ProgramStartup.cpp.
#include <QDialog>

class QLineEdit;

#define TORVEK_PLACEHOLDER_WINDOW(Name)                                                      \
    class Name : public QDialog {                                                              \
    public:                                                                                    \
        explicit Name(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(#Name); }   \
    };

// Zone window of one camera (TForm1: camera 2, TForm2: camera 1): holds the zone and
// sensitivity edits the settings copy reads and writes.
class ZoneWindowPlaceholder : public QDialog {
public:
    ZoneWindowPlaceholder(const QString& name, QWidget* parent);
    QLineEdit* CalLeft = nullptr;
    QLineEdit* calTop = nullptr;
    QLineEdit* scales = nullptr;
    QLineEdit* Sensitivity = nullptr;
};

class TForm1 : public ZoneWindowPlaceholder {
public:
    explicit TForm1(QWidget* parent = nullptr) : ZoneWindowPlaceholder(QStringLiteral("Form1"), parent) {}
};

class TForm2 : public ZoneWindowPlaceholder {
public:
    explicit TForm2(QWidget* parent = nullptr) : ZoneWindowPlaceholder(QStringLiteral("Form2"), parent) {}
};

TORVEK_PLACEHOLDER_WINDOW(ThttpUpLoader)
TORVEK_PLACEHOLDER_WINDOW(TLogWin)
TORVEK_PLACEHOLDER_WINDOW(TpasswordBox)
TORVEK_PLACEHOLDER_WINDOW(TFTPMainForm)
TORVEK_PLACEHOLDER_WINDOW(Thelpform)
TORVEK_PLACEHOLDER_WINDOW(TZoom)
TORVEK_PLACEHOLDER_WINDOW(TinstallForm)
TORVEK_PLACEHOLDER_WINDOW(TemailSender)

#undef TORVEK_PLACEHOLDER_WINDOW
