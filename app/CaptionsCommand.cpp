#include "app/CaptionsCommand.h"

#include "app/Tzones.h"
#include "core/CaptionSettings.h"
#include "core/TFontSettings.h"

#include <QPushButton>

void BindCaptionsCommand(Tzones& zones, TFontSettings& window, CaptionSettings& settings) {
    settings.SetCameraViews({
        [&zones](int camera) { return zones.CameraPreviews(camera); },
        [&zones](int camera) {
            CommandCamera* view = zones.CameraView(camera);
            return view ? view->ImageBitmap() : QImage();
        },
    });
    QObject::connect(zones.Button30, &QPushButton::clicked, &zones, [&zones, &window, &settings] {
        Captions1Click(window, settings, zones.CameraPreviews(1), zones.CameraPreviews(2));
    });
}
