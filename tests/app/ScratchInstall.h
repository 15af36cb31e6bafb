#pragma once
// The installer's machine in a scratch home: real files, desktop entries and trash inside the
// test's folder; only the free space, the questions and program starts are scripted.
#include "app/Installer.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <functional>

class ScratchSystem : public platform::ShellInstallerSystem {
public:
    explicit ScratchSystem(const QString& root) : ShellInstallerSystem({}), root_(root) {}
    QList<platform::InstallBase> Bases() override { return {{root_ + "home", freeBytes}, {root_ + "usb", 1LL << 33}}; }
    QString DesktopFolder() override { return root_ + "home/Desktop"; }
    bool SameVolume(const QString& a, const QString& b) override { return a.startsWith(root_ + "home") && b.startsWith(root_ + "home"); }
    bool AskYesNo(const QString& question) override {
        questions << question;
        return answers.isEmpty() ? answerYes : answers.takeFirst();
    }
    bool StartProgram(const QString& exe, const QString&) override {
        started << exe;
        return true;
    }
    QStringList CaptureDeviceNames() override { return devices; }
    bool MoveToTrash(const QString& path, QString* error) override {
        if (whileMoving)
            whileMoving();
        if (trashFails) {
            *error = "no trash here";
            return false;
        }
        return ShellInstallerSystem::MoveToTrash(path, error);
    }

    std::optional<qint64> freeBytes = 500LL << 20;
    QList<bool> answers;
    bool answerYes = false; // once the scripted answers are used up
    QStringList questions, started, devices;
    bool trashFails = false;
    std::function<void()> whileMoving; // runs beside the window's event loop

private:
    QString root_;
};

// A scratch home with the running program in <root>/media/ (and its payload bin/torvek).
struct Scratch {
    Scratch() : system(dir.path()) {
        qputenv("XDG_DATA_HOME", (dir.path() + "home/.local/share").toUtf8());
        QDir().mkpath(dir.path() + "home");
        QDir().mkpath(dir.path() + "media/bin");
        TestSupport::WriteAll(Program(), "#!/bin/sh\necho running\n");
        TestSupport::WriteAll(dir.path() + "media/bin/torvek", "payload");
    }
    QString Program() const { return dir.path() + "media/setup"; }
    QString Home(const QString& rel = {}) const { return dir.path() + "home" + (rel.isEmpty() ? "" : "/" + rel); }
    Installer Make() { return Installer(system, dir.path() + "media/", Program()); }

    TestSupport::TempProgramFolder dir;
    ScratchSystem system;
};
