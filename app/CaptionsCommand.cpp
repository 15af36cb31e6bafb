#include "app/CaptionsCommand.h"

#include "app/Tzones.h"
#include "capture/TtorCap.h"
#include "core/CaptionSettings.h"
#include "core/TFontSettings.h"

#include <QPushButton>

void BindCaptionsCommand(Tzones& zones, TFontSettings& window, CaptionSettings& settings) {
    settings.SetCameraViews({
        [&zones](int camera) { return zones.IsPreviewing(camera); },
        [&zones](int camera) {
            TtorCap* view = zones.Cap(camera);
            return view ? view->ImageBitmap().Image() : QImage();
        },
    });
    QObject::connect(zones.Button30, &QPushButton::clicked, &zones, [&zones, &window, &settings] {
        Captions1Click(window, settings, zones.IsPreviewing(1), zones.IsPreviewing(2));
    });
}
