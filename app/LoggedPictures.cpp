#include "app/LoggedPictures.h"

#include "core/MainWindowLink.h"
#include "core/PictureLogLink.h"

void ShowLoggedPictures(int which, const QString& folder, MainWindowLink& mainWindow, PictureLogLink& log,
                        const std::function<void()>& showToolbar) {
    mainWindow.SetViewSwitchRequest(0);
    log.SetOpenedFromMainWindow(true);
    log.SetLogFolder(folder, which);
    log.RefreshImageList();
    if (!log.IsShown())
        log.RunModal();
    if (mainWindow.IsShuttingDown())
        return;
    if (mainWindow.ViewSwitchRequest() != 0 || log.ClosedByKey()) {
        mainWindow.SetViewSwitchRequest(1);
        // The camera's other view: its zone window. Camera 1 not running gets no zone
        // window, so the request is still there: help explains instead.
        if (which == 1 || which == 2)
            mainWindow.AimCamera(which);
        if (mainWindow.ViewSwitchRequest() != 0 && which == 1 && !mainWindow.CameraPreviews(1))
            mainWindow.ShowHelp(0);
        mainWindow.SetViewSwitchRequest(0);
    }
    if (showToolbar)
        showToolbar();
}
