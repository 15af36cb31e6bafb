#include "app/StationLifetime.h"

#include "app/Splash.h"
#include "app/MainWindow.h"
#include "core/MessageBox.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>

StationLifetime::StationLifetime() {
    QObject::connect(&watcher_, &platform::TerminationWatcher::TerminationRequested, &watcher_,
                     [this] { Requested(); });
}

void StationLifetime::Requested() {
    if (ending_) {
        QCoreApplication::exit(1); // closes the message box's loop too
    } else if (splash_) {
        // Nothing is loaded yet: nothing to save.
        requested_ = true;
        splash_->done(QDialog::Rejected);
    } else if (mainWindow_) {
        mainWindow_->ShutDown();
    } else {
        requested_ = true;
    }
}

bool StationLifetime::RunSplash(int durationMs) {
    SplashScreen splash(durationMs);
    splash_ = &splash;
    splash.exec();
    splash_ = nullptr;
    return !requested_;
}

void StationLifetime::TellAndEnd(const QString& text) {
    ending_ = true;
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
    ShowMessageBox(text);
}

std::function<void()> StationLifetime::Terminator() {
    return [this] {
        terminated_ = true;
        QCoreApplication::exit(0);
    };
}

void StationLifetime::MainWindowMade(MainWindow& mainWindow) {
    mainWindow_ = &mainWindow;
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &mainWindow, &MainWindow::ShutDown, Qt::DirectConnection);
}

int StationLifetime::Run() {
    if (requested_ && mainWindow_)
        mainWindow_->ShutDown();
    return terminated_ ? 0 : QApplication::exec();
}

void StationLifetime::MainWindowGone() { mainWindow_ = nullptr; }
