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
