#include "app/ProgramStartup.h"

#include "app/CaptionsCommand.h"
#include "app/PlaceholderWindows.h"
#include "app/ProvisionalLayout.h"
#include "app/CameraSwitchingBinding.h"
#include "app/Splash.h"
#include "app/StationAlerts.h"
#include "app/StationEAlertMail.h"
#include "app/StationCommands.h"
#include "app/StationMotion.h"
#include "app/StationTimeLapse.h"
#include "app/StationEnvironment.h"
#include "app/StationHooks.h"
#include "app/Tzones.h"
#include "capture/CameraChoiceWidgets.h"
#include "capture/DriverAliasRegistry.h"
#include "capture/TsetupForm.h"
#include "capture/TtorCap.h"
#include "core/CaptionChoices.h"
#include "core/CaptionSettings.h"
#include "core/OKBox.h"
#include "core/PictureCaption.h"
#include "core/TFontSettings.h"
#include "core/SettingsStore.h"
#include "core/StartupFlags.h"
#include "platform/TerminationWatcher.h"
#include "publish/Taviplayerform.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <memory>

int ProgramStartup(const StartupOptions& options) {
    // SIGTERM, SIGINT and the end of the desktop session take the orderly way out; a
    // request that comes before the main window exists is carried out once it does.
    platform::TerminationWatcher watcher;
    Tzones* mainWindow = nullptr;
    bool terminationPending = false;
    QObject::connect(&watcher, &platform::TerminationWatcher::TerminationRequested, &watcher, [&] {
        if (mainWindow)
            mainWindow->ShutDown();
        else
            terminationPending = true;
    });

    {
        TSplash splash(options.splashDurationMs);
        splash.exec();
    }
    QApplication::setApplicationName(QStringLiteral("TORVEK"));
    QApplication::setApplicationDisplayName(QStringLiteral("TORVEK"));
    // The station ends only through its own shutdown paths.
    QApplication::setQuitOnLastWindowClosed(false);

    const platform::ProgramFolder folder =
        options.folder.IsValid() ? options.folder : platform::ProgramFolder::FromApplication();
    SettingsStore store(folder);
    StartupFlags flags;
    StationHooks hooks;

    CaptionChoices captionChoices;
    PictureCaptions pictureCaptions(store.Record(), captionChoices);
    CaptionSettings captionSettings(store, captionChoices, pictureCaptions);

    TtorCap::SetCaptionPainter([&pictureCaptions](platform::PictureCanvas& image, int camera) {
        pictureCaptions.DrawPictureCaption(image, camera);
    });
    hooks.CreateVideoCap = CameraViewFactory(folder);

    // Owned here, in creation order; destroyed in reverse when the loop has ended.
    auto fontSettings = std::make_unique<TFontSettings>(captionSettings);
    auto form1 = std::make_unique<TForm1>();
    auto form2 = std::make_unique<TForm2>();
    auto zones = std::make_unique<Tzones>(store, flags, hooks, StationEnvironment::System(),
                                          fontSettings.get(), form1.get(), form2.get());
    hooks.Relayout = [z = zones.get()] { ProvisionalRelayout(*z); };
    hooks.ArrangeCameraPanels = [z = zones.get()] { ProvisionalArrangeCameraPanels(*z); };
    hooks.RestoreFullView = [z = zones.get()] { ProvisionalArrangeCameraPanels(*z); };
    hooks.ArrangeAfterStart = [z = zones.get()] {
        z->Timer3.SetEnabled(false);
        ProvisionalArrangeCameraPanels(*z);
    };
    // Devices are known to the user by their aliases.
    CameraChoiceWidgets cameraChoices;
    cameraChoices.SetCameraLists(zones->cam1List, zones->cam2List);
    cameraChoices.SetDefaultWidgets(zones->DefaultCam1, zones->DefaultCam2, zones->Location1, zones->Location2);
    DriverAliasRegistry aliases(folder, store, cameraChoices);
    hooks.LoadDriverList = [&aliases] { aliases.LoadDriverList(); };
    hooks.RefreshDriverStatus = [&aliases] { aliases.RefreshDriverStatus(); };
    hooks.DriverAlias = [&aliases](const QString& name) { return aliases.GetDriverAlias(name); };
    BindCameraSwitching(*zones, hooks);
    StationCommands commands(*zones, hooks);
    StationMotion motion(*zones, store, hooks, pictureCaptions, captionChoices);
    StationEAlertMail alertMail(*zones, store);
    StationAlerts alerts(*zones, store, hooks, motion.Pictures(), flags, &motion.Detector());
    alerts.SetSender(&alertMail.Sender());
    hooks.FontSettingsLoadFromSettings = [&captionSettings] { captionSettings.LoadFromSettings(); };
    hooks.FontSettingsFillColorLists = [&captionSettings] { captionSettings.FillColorLists(); };
    captionSettings.SetGatherAndSave([z = zones.get()] { z->GatherAndSaveSettings(); });
    BindCaptionsCommand(*zones, *fontSettings, captionSettings);
    auto setupForm = std::make_unique<TsetupForm>(folder, aliases);
    hooks.OpenSetupScreen = [form = setupForm.get()](int deviceIndex, int camera) {
        form->OpenSetupScreen(deviceIndex, camera);
    };
    auto httpUpLoader = std::make_unique<ThttpUpLoader>();
    TOKBox::Instance(); // kept by the message box until the application ends
    auto logWin = std::make_unique<TLogWin>();
    auto secondSplash = std::make_unique<TSplash>(options.splashDurationMs);
    auto passwordBox = std::make_unique<TpasswordBox>();
    StationTimeLapse timeLapse(*zones, store, hooks, motion.Pictures(), pictureCaptions);
    auto aviPlayer = std::make_unique<Taviplayerform>();
    auto ftpMainForm = std::make_unique<TFTPMainForm>();
    auto helpForm = std::make_unique<Thelpform>();
    auto zoom = std::make_unique<TZoom>();
    auto installForm = std::make_unique<TinstallForm>();
    auto emailSender = std::make_unique<TemailSender>();
    secondSplash.reset();

    mainWindow = zones.get();
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, zones.get(), &Tzones::ShutDown,
                     Qt::DirectConnection);

    zones->show();
    if (terminationPending)
        QTimer::singleShot(0, zones.get(), &Tzones::ShutDown);
    const int result = QApplication::exec();

    mainWindow = nullptr;
    zones.reset(); // the main window goes first: it releases the screen saver
    TtorCap::SetCaptionPainter({});
    return result;
}
