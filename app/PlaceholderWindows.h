#pragma once
// Hidden stand-ins for windows whose own work comes later. Each has the class name the
// station creates at start-up, so the creation order stands; the issue that builds a
// window removes its stand-in here and creates the real one in ProgramStartup.cpp.
#include "core/ZoneWindow.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

#define TORVEK_PLACEHOLDER_WINDOW(Name)                                                      \
    class Name : public QDialog {                                                              \
    public:                                                                                    \
        explicit Name(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(#Name); }   \
    };

// Zone window of one camera (TForm1: camera 2, TForm2: camera 1): holds the zone and
// sensitivity edits the settings copy reads and writes, and the Target box. It cannot be
// shown yet: ShowModal says so in the log and returns.
class ZoneWindowPlaceholder : public QDialog, public ZoneWindow {
public:
    ZoneWindowPlaceholder(const QString& name, QWidget* parent);
    QLineEdit* CalLeft = nullptr;
    QLineEdit* calTop = nullptr;
    QLineEdit* scales = nullptr;
    QLineEdit* Sensitivity = nullptr;
    QCheckBox* Target = nullptr;

    ZoneEditValues ZoneValues() const override;
    void SetZoneValues(const ZoneEditValues& values) override;
    void SetSensitivityText(const QString& text) override;
    bool TargetTicked() const override;
    void SetTargetTicked(bool ticked) override;
    bool IsShown() const override { return isVisible(); }
    void ShowModal() override { ReportLinkUnavailable("ZoneWindow", "ShowModal"); }
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
TORVEK_PLACEHOLDER_WINDOW(TZoom)
TORVEK_PLACEHOLDER_WINDOW(TinstallForm)
TORVEK_PLACEHOLDER_WINDOW(TemailSender)

#undef TORVEK_PLACEHOLDER_WINDOW
