#include "app/ProgramStartup.h"

#include "app/PlaceholderWindows.h"
#include "app/ProvisionalLayout.h"
#include "app/Splash.h"
#include "app/StationEnvironment.h"
#include "app/StationHooks.h"
#include "app/Tzones.h"
#include "core/SettingsStore.h"
#include "core/StartupFlags.h"
#include "platform/TerminationWatcher.h"

#include <QApplication>
#include <QGuiApplication>
#include <memory>

int ProgramStartup(const StartupOptions& options) {
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

    // Owned here, in creation order; destroyed in reverse when the loop has ended.
    auto fontSettings = std::make_unique<TFontSettings>();
    auto form1 = std::make_unique<TForm1>();
    auto form2 = std::make_unique<TForm2>();
    auto zones = std::make_unique<Tzones>(store, flags, hooks, StationEnvironment::System(),
                                          fontSettings.get(), form1.get(), form2.get());
    hooks.Relayout = [z = zones.get()] { ProvisionalRelayout(*z); };
    auto setupForm = std::make_unique<TsetupForm>();
    auto httpUpLoader = std::make_unique<ThttpUpLoader>();
    auto logWin = std::make_unique<TLogWin>();
    auto secondSplash = std::make_unique<TSplash>(options.splashDurationMs);
    auto passwordBox = std::make_unique<TpasswordBox>();
    auto timerForm = std::make_unique<TTimerForm>();
    auto aviPlayer = std::make_unique<Taviplayerform>();
    auto ftpMainForm = std::make_unique<TFTPMainForm>();
    auto helpForm = std::make_unique<Thelpform>();
    auto zoom = std::make_unique<TZoom>();
    auto installForm = std::make_unique<TinstallForm>();
    auto emailSender = std::make_unique<TemailSender>();
    secondSplash.reset();

    // SIGTERM, SIGINT and the end of the desktop session take the orderly way out.
    platform::TerminationWatcher watcher;
    QObject::connect(&watcher, &platform::TerminationWatcher::TerminationRequested, zones.get(),
                     &Tzones::ShutDown);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, zones.get(), &Tzones::ShutDown,
                     Qt::DirectConnection);

    zones->show();
    const int result = QApplication::exec();

    zones.reset(); // the main window goes first: it releases the screen saver
    return result;
}
