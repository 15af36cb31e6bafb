// Test tool: a station that starts (clearing what an earlier run left) and saves pictures of
// both cameras into a program folder, optionally stopping itself dead after step N of the
// file writes, as a kill or a power cut would.
//   tool_PictureSaver <program folder> <pictures> <stop after step, 0 = never> <name part>
#include "core/MessageBox.h"
#include "core/PictureStore.h"
#include "core/SettingsStore.h"
#include "platform/WholeFile.h"

#include <QGuiApplication>
#include <QImage>
#include <csignal>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <program folder> <pictures> <stop after step> <name part>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    SetMessageBoxHandler([](const QString& text) { std::fprintf(stderr, "[message box] %s\n", qPrintable(text)); });
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int pictures = QByteArray(argv[2]).toInt();
    const long stopAfter = QByteArray(argv[3]).toLong();

    SettingsStore settings(platform::ProgramFolder(folder), folder + "/torvek", "/nonexistent/Desktop");
    if (!settings.LoadSettings() || !settings.MakeCameraFolders())
        return 3;
    PictureStore store(settings);
    store.SetPictureNamePrefix(QString::fromLocal8Bit(argv[4]));
    store.RemoveStrayFiles();

    long step = 0;
    platform::SetFileStepObserver([&step, stopAfter] {
        if (++step == stopAfter)
            std::raise(SIGKILL);
    });
    QImage frame(32, 24, QImage::Format_RGB888);
    for (int i = 0; i < pictures; ++i) {
        frame.fill(QColor::fromHsv((i * 37) % 360, 200, 200));
        if (!store.SaveMotionPicture(frame, 1 + i % 2))
            return 4;
    }
    return 0;
}
