#pragma once
// Camera health for the main window: a lost camera's button reads "LOST" in the off colour,
// the station says so once, and the camera is reconnected by its device (else by its name)
// with a growing pause until it runs again or is switched off.
class MainWindow;

// Watches every camera view the window makes (connect before its first views are made).
void BindCameraHealth(MainWindow& mainWindow);
