#pragma once
// Where the process's shutdown requests (SIGTERM, SIGINT, the end of the desktop session)
// go at each phase of its life, and how the station's end ends the process: during the
// splash at once; while the windows are made, once the main window has loaded; then
// through the main window's orderly shutdown. The shutdown ends the message loop, every
// modal loop that runs inside it, and keeps the loop from starting when it came first.
#include "platform/TerminationWatcher.h"

#include <QString>
#include <functional>

class SplashScreen;
class MainWindow;

class StationLifetime {
public:
    StationLifetime();

    // Shows the splash modally; false when a request ended it (the process should end).
    bool RunSplash(int durationMs);
    // A start that may not go on: the text on stderr and in the message box, which a
    // request also closes. Nothing of the station exists yet.
    void TellAndEnd(const QString& text);
    // What the main window calls to end the process.
    std::function<void()> Terminator();
    // The main window exists: requests go to its shutdown from now on, also while its
    // first show has a message box open.
    void MainWindowMade(MainWindow& mainWindow);
    // After the first show (the settings are loaded): carries out a request that came while
    // the windows were made, then runs the message loop unless the station has ended; the
    // loop's result.
    int Run();
    // The main window is about to go: requests are only noted.
    void MainWindowGone();

private:
    void Requested();

    platform::TerminationWatcher watcher_;
    SplashScreen* splash_ = nullptr;
    bool ending_ = false;
    MainWindow* mainWindow_ = nullptr;
    bool requested_ = false;
    bool terminated_ = false;
};
