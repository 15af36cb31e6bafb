#include "app/StationEnvironment.h"

#include "capture/CaptureDevices.h"
#include "platform/ScreenSaver.h"
#include "platform/SelfRestart.h"
#include "platform/SystemInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

StationEnvironment StationEnvironment::System() {
    StationEnvironment env;
    env.ScreenSize = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().size() : QSize(1024, 768);
    };
    env.Pause = [](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); };
    env.Now = [] { return QDateTime::currentDateTime(); };
    env.Terminate = [] { QCoreApplication::exit(0); };
    env.EnableScreenSaver = [](bool on) { platform::EnableScreenSaver(on); };
    env.StartOwnExecutable = [](QString* error) { return platform::StartOwnExecutableDetached(error); };
    env.CaptureDeviceNames = [] { return VideoSourceNames(true); };
    env.ComputerName = [] { return platform::ComputerName(); };
    env.InstallerHandOffFile = QDir::homePath() + "/torvek/Setup.Dat";
    env.OwnExecutable = QCoreApplication::applicationFilePath();
    return env;
}
