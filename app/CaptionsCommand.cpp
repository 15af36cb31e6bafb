#include "app/CaptionsCommand.h"

#include "app/MainWindow.h"
#include "core/CaptionSettings.h"
#include "core/CaptionFontDialog.h"

#include <QPushButton>

void BindCaptionsCommand(MainWindow& mainWindow, CaptionFontDialog& window, CaptionSettings& settings) {
    settings.SetCameraViews({
        [&mainWindow](int camera) { return mainWindow.CameraPreviews(camera); },
        [&mainWindow](int camera) {
            CommandCamera* view = mainWindow.CommandCameraOf(camera);
            return view ? view->ImageBitmap() : QImage();
        },
    });
    QObject::connect(mainWindow.captionsButton, &QPushButton::clicked, &mainWindow, [&mainWindow, &window, &settings] {
        CaptionsActionClick(window, settings, mainWindow.CameraPreviews(1), mainWindow.CameraPreviews(2));
    });
}
