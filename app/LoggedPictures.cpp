#include "app/LoggedPictures.h"

#include "app/MainWindow.h"
#include "core/MainWindowLink.h"
#include "core/PictureLogLink.h"
#include "core/PictureStore.h"
#include "publish/PictureLogWindow.h"
#include "publish/AviPlayerWindow.h"

void ShowLoggedPictures(int which, const QString& folder, MainWindowLink& mainWindow, PictureLogLink& log,
                        const std::function<void()>& showToolbar) {
    mainWindow.SetViewSwitchRequest(0);
    log.SetOpenedFromMainWindow(true);
    log.SetLogFolder(folder, which);
    // A shown log lists the folder now; one about to open lists it when it is activated.
    if (log.IsShown())
        log.RefreshImageList();
    else
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

void BindPictureLog(PictureLogWindow& log, MainWindow& mainWindow, PictureStore& pictures, AviPlayerWindow* aviPlayer) {
    StationLinks& links = mainWindow.Links();
    links.pictureLog = &log;
    links.avi = &log.Avi();
    log.SetLinks(&mainWindow, links.ftp, links.email);
    log.SetSaveFileNameAsker(links.saveFileNames);
    pictures.Hooks().logWindowVisible = [&log] { return log.isVisible(); };
    LogWindowHooks& hooks = log.Hooks();
    hooks.ResetPictureCounts = [&pictures] { pictures.ResetPictureCounts(); };
    hooks.DiskSpace = [&pictures](int camera) { return pictures.Recycler().GetDiskSpaceMB(camera); };
    hooks.FillAlertCombos = [&links] { links.alerts->FillAlertCombos(); };
    if (aviPlayer)
        hooks.PlayAviFile = [aviPlayer](const QString& path) { aviPlayer->PlayAviFile(path); };
}
