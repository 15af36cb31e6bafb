#pragma once
// The process entry: splash, the windows in their creation order, the message loop.
#include "platform/ProgramFolder.h"

#include <functional>

class MainWindow;

struct StartupOptions {
    int splashDurationMs = 4000;
    // Empty: the executable's folder.
    platform::ProgramFolder folder;
};

// Runs the station; returns when its message loop ends. Needs a QApplication.
int ProgramStartup(const StartupOptions& options = {});
