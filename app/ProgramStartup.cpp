#include "app/ProgramStartup.h"

#include "app/CaptionsCommand.h"
#include "app/LoggedPictures.h"
#include "app/PlaceholderWindows.h"
#include "app/NetworkPanel.h"
#include "app/Splash.h"
#include "app/StationGallery.h"
#include "app/StationLayout.h"
#include "app/StationUploads.h"
#include "app/InstallerWindow.h"
#include "capture/GraphConfigBuilder.h"
#include "app/PasswordPrompt.h"
#include "app/HelpWindow.h"
#include "app/StationAlerts.h"
#include "app/StationEAlertMail.h"
#include "app/StationLifetime.h"
#include "app/StationEnvironment.h"
#include "app/StationLinks.h"
#include "app/StationMagnifiers.h"
#include "app/StationMotion.h"
#include "app/StationParts.h"
#include "app/StationTimeLapse.h"
#include "app/StationTray.h"
#include "app/ZoomWindow.h"
#include "app/MainWindow.h"
#include "app/ZoneWindows.h"
#include "capture/CameraChoiceWidgets.h"
#include "capture/DriverAliasRegistry.h"
#include "capture/DriverSetupHandlers.h"
#include "capture/CameraSetupScreen.h"
#include "capture/CameraView.h"
#include "core/CaptionChoices.h"
#include "core/CaptionSettings.h"
#include "core/MessageWindow.h"
#include "core/PictureCaption.h"
#include "core/CaptionFontDialog.h"
#include "core/SettingsStore.h"
#include "core/StartupFlags.h"
#include "platform/FolderClaim.h"
#include "platform/OwnedWindow.h"
#include "platform/TrayIcon.h"
#include "publish/AlertsTab.h"
#include "publish/FtpStation.h"
#include "publish/FtpWindow.h"
#include "publish/PictureLogWindow.h"
#include "publish/AviPlayerWindow.h"
#include "publish/EmailWindow.h"

#include <QApplication>
#include <QDir>
#include <QCheckBox>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

int ProgramStartup(const StartupOptions& options) {
    StationLifetime lifetime;
    QApplication::setApplicationName(QStringLiteral("TORVEK"));
    QApplication::setApplicationDisplayName(QStringLiteral("TORVEK"));
    // The station ends only through its own shutdown paths.
    QApplication::setQuitOnLastWindowClosed(false);

    const platform::ProgramFolder folder =
        options.folder.IsValid() ? options.folder : platform::ProgramFolder::FromApplication();
    // Before any file of the folder is read or written: two stations on one folder would
    // overwrite each other's settings, counter and pictures.
    platform::FolderClaim claim;
    switch (claim.Take(folder.Root())) {
    case platform::FolderClaim::Result::Taken:
        break;
    case platform::FolderClaim::Result::Busy:
        lifetime.TellAndEnd(AlreadyRunningText(folder.Root()));
        return 1;
    case platform::FolderClaim::Result::Unavailable:
        // Where the folder cannot be locked (some network file systems) the station still runs.
        std::fprintf(stderr, "The program folder %s cannot be locked (%s): a second start on it is not refused.\n",
                     QDir::cleanPath(folder.Root()).toLocal8Bit().constData(), claim.Error().toLocal8Bit().constData());
        break;
    }
    if (!lifetime.RunSplash(options.splashDurationMs))
        return 0;
    SettingsStore store(folder);
    StartupFlags flags;
    StationLinks links;

    CaptionChoices captionChoices;
    PictureCaptions pictureCaptions(store.Record(), captionChoices);
    CaptionSettings captionSettings(store, captionChoices, pictureCaptions);
    CaptionWindow captionWindow(captionSettings);
    links.captionWindow = &captionWindow;
    StationMotion motion(store, pictureCaptions, captionChoices);
    links.motion = &motion;
    StationMagnifiers magnifiers(motion.Pictures());
    links.magnifier = &magnifiers;
    StationAlerts alerts(store, links, motion.Pictures(), flags);
    links.alerts = &alerts;
    // Devices are known to the user by their aliases.
    CameraChoiceWidgets cameraChoices;
    DriverAliasRegistry aliasRegistry(folder, store, cameraChoices);
    RegistryDriverAliases aliases(aliasRegistry);
    links.aliases = &aliases;

    // Owned here, in creation order; destroyed in reverse when the loop has ended.
    auto captionFontDialog = std::make_unique<CaptionFontDialog>(captionSettings);
    auto camera2ZoneWindow = std::make_unique<Camera2ZoneWindow>(store.Record());
    auto camera1ZoneWindow = std::make_unique<Camera1ZoneWindow>(store.Record());
    links.zoneWindow1 = camera1ZoneWindow.get();
    links.zoneWindow2 = camera2ZoneWindow.get();
    StationEnvironment environment = StationEnvironment::System();
    environment.Terminate = lifetime.Terminator();
    // The restarted copy takes the folder over: it is let go just before the copy starts
    // (nothing is written from then on), and taken back when the copy could not start.
    environment.StartOwnExecutable = [&claim, start = environment.StartOwnExecutable](QString* error) {
        const bool held = claim.Held();
        claim.Release();
        if (start(error))
            return true;
        if (held)
            claim.Take(claim.Folder());
        return false;
    };
    auto mainWindow = std::make_unique<MainWindow>(store, flags, links, std::move(environment));
    links.networkPanel = mainWindow->networkPanel;
    StationLayout layout(*mainWindow);
    links.layout = &layout;
    // The captioned pictures go to the camera panels' frames.
    magnifiers.BindMainWindow(*mainWindow);
    BindCameraPictures(*mainWindow, pictureCaptions);
    platform::SystemTrayIcon trayIcon(StationIcon(), QStringLiteral("TORVEK"));
    StationTray tray(*mainWindow, trayIcon);
    tray.placeStatusPanel = [&layout] { layout.PlaceStatusPanel(); };
    links.tray = &tray;
    pictureCaptions.Hooks().diskStatsTicked = [&tray] { return tray.DiskStatsTicked(); };
    cameraChoices.SetCameraLists(mainWindow->cam1List, mainWindow->cam2List);
    DriverSetupHandlers driverHandlers(aliasRegistry, store);
    driverHandlers.StoreCameraChoice = [z = mainWindow.get()] { z->StoreCameraChoice(); };
    driverHandlers.FillCameraLists = [z = mainWindow.get()] { z->FillCameraLists(); };
    HostDriverSetupPage(*mainWindow, aliasRegistry, driverHandlers, cameraChoices);
    tray.refreshDrivers = [&driverHandlers] { driverHandlers.RefreshDrivers(); };
    motion.BindMainWindow(*mainWindow);
    BindZoneWindows(*camera1ZoneWindow, *camera2ZoneWindow, *mainWindow, *links.layout, motion);
    motion.SetAfterTick([f2 = camera1ZoneWindow.get(), f1 = camera2ZoneWindow.get()] { RefreshShownZoneWindows(*f2, *f1); });
    alerts.BindMainWindow(*mainWindow, &motion.Detector());
    StationEAlertMail alertMail(*mainWindow, store);
    alerts.SetSender(&alertMail.Sender());
    captionSettings.SetGatherAndSave([z = mainWindow.get()] { z->GatherAndSaveSettings(); });
    BindCaptionsCommand(*mainWindow, *captionFontDialog, captionSettings);
    auto cameraSetupScreen = std::make_unique<CameraSetupScreen>(folder, aliasRegistry);
    SetupScreen setupScreen(*cameraSetupScreen);
    links.cameraSetup = &setupScreen;
    auto httpUpLoader = std::make_unique<ThttpUpLoader>();
    CurlGalleryHttp galleryHttp;
    StationGallery gallery(*mainWindow, store, galleryHttp);
    links.onlineService = &gallery;
    MessageWindow::Instance(); // kept by the message box until the application ends
    auto pictureLogWindow = std::make_unique<PictureLogWindow>(store);
    auto secondSplash = std::make_unique<SplashScreen>(options.splashDurationMs);
    auto passwordPrompt = std::make_unique<PasswordPrompt>(store);
    StationAccessLock accessLock(*passwordPrompt, [z = mainWindow.get()] { return z->lockBox->isChecked(); });
    links.accessLock = &accessLock;
    StationTimeLapse timeLapse(*mainWindow, store, links, motion.Pictures(), pictureCaptions);
    links.timeLapse = &timeLapse;
    auto aviPlayer = std::make_unique<AviPlayerWindow>();
    FtpStation ftp(store, flags, *mainWindow);
    auto ftpWindow = std::make_unique<FtpWindow>(
        ftp.Uploader(), [&window = static_cast<MainWindowLink&>(*mainWindow)] { window.ShowHelp(5); });
    ftp.SetWindow(ftpWindow.get());
    ftp.SetResetFtpRing([&motion] { motion.Pictures().ResetFtpRing(); });
    StationUploads uploads(gallery.Service(), ftp.UploadTarget());
    motion.Pictures().SetUploadTarget(&uploads);
    links.ftp = &ftp;
    auto helpForm = std::make_unique<HelpWindow>();
    links.help = helpForm.get();
    auto zoom = std::make_unique<ZoomWindow>(*mainWindow, motion.Pictures());
    platform::ShellInstallerSystem installerSystem(&GetCaptureDeviceNames);
    auto installerWindow = std::make_unique<InstallerWindow>(installerSystem, folder.Root(),
                                                      QCoreApplication::applicationFilePath(),
                                                      [z = mainWindow.get()] { z->ShutDown(); });
    installerWindow->endAllowed = [&accessLock] { return accessLock.AccessAllowed(); };
    installerSystem.SetQuestionParent(installerWindow.get());
    links.installer = installerWindow.get();
    ReportWindowLinks reportLinks;
    reportLinks.smtpEdits = [z = mainWindow.get()] { return z->alertsPage->SmtpEditTexts(); };
    auto emailWindow = std::make_unique<EmailWindow>(store, *mainWindow, nullptr, reportLinks);
    links.email = emailWindow.get();
    // The log takes the e-mail link as it is bound now.
    BindPictureLog(*pictureLogWindow, *mainWindow, motion.Pictures(), aviPlayer.get());
    pictureLogWindow->Hooks().FtpUploadFile = [&ftp](const QString& path, const QString& remoteName) {
        ftp.Uploader().FtpUploadFile(path, remoteName);
    };
    secondSplash.reset();

    // Borderless and without a task-bar entry, these would be lost under the full-screen
    // main window after one click on it.
    for (QWidget* owned : std::initializer_list<QWidget*>{
             ftpWindow.get(), pictureLogWindow.get(), emailWindow.get(), camera2ZoneWindow.get(), camera1ZoneWindow.get(), helpForm.get(),
             &timeLapse.Dialog(), captionFontDialog.get(), passwordPrompt.get(), aviPlayer.get(), zoom.get(),
             cameraSetupScreen.get(), installerWindow.get()})
        platform::KeepAboveOwner(owned, mainWindow.get());

    lifetime.MainWindowMade(*mainWindow);
    mainWindow->show();
    const int result = lifetime.Run();

    lifetime.MainWindowGone();
    UnbindCameraPictures(pictureCaptions);
    pictureCaptions.Hooks().diskStatsTicked = {};
    mainWindow.reset(); // the main window goes first: it releases the screen saver
    return result;
}
