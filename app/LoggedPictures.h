#pragma once
// The main window's logged-pictures view: opens the picture log on camera 1's or 2's
// pictures or on the history (3) and, when the log was closed by its camera's key, turns to
// that camera's zone window instead.
#include <QString>

#include <functional>

class MainWindowLink;
class PictureLogLink;

void ShowLoggedPictures(int which, const QString& folder, MainWindowLink& mainWindow, PictureLogLink& log,
                        const std::function<void()>& showToolbar = {});

class PictureStore;
class PictureLogWindow;
class AviPlayerWindow;
class MainWindow;

// Binds the picture log window to the station: the main window and its links (FTP, e-mail,
// save dialog), the picture store (no recycling while the log shows, Purge zeroes its
// counts, disk figures), the e-alert lists and the AVI player. Call it once every link
// has been set.
void BindPictureLog(PictureLogWindow& log, MainWindow& mainWindow, PictureStore& pictures, AviPlayerWindow* aviPlayer);
