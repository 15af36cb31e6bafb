#pragma once
// What the main window needs from the machine, gathered so tests can replace it:
// the screen size, blocking pauses, ending the application, the screen-saver switch,
// starting our own executable and the installer hand-off file.
#include <QDateTime>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

struct StationEnvironment {
    // Size of the primary screen.
    std::function<QSize()> ScreenSize;
    // Blocks the GUI thread for the given milliseconds (shutdown pauses).
    std::function<void(int)> Pause;
    // The clock (suggested file names); unset means the system clock.
    std::function<QDateTime()> Now;
    // Ends the message loop; windows are destroyed by their owner afterwards.
    std::function<void()> Terminate;
    // The screen-saver switch: False inhibits it for this process, True releases it.
    std::function<void(bool)> EnableScreenSaver;
    // Starts our own executable detached; False with a reason when it could not.
    std::function<bool(QString* error)> StartOwnExecutable;
    // The names of the capture devices, read afresh; unset: the capture side's list.
    std::function<QStringList()> CaptureDeviceNames;
    // The computer's name, which picture names carry; unset: the machine's host name.
    std::function<QString()> ComputerName;
    // The installer hand-off file ($HOME/torvek/Setup.Dat) and our executable's path.
    QString InstallerHandOffFile;
    QString OwnExecutable;

    // The real machine.
    static StationEnvironment System();
};
