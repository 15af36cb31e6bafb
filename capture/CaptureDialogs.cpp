#include "capture/CaptureDialogs.h"

#include <QDialog>

const char* const CaptureDialogNames[CaptureDialogCount] = {
    "Camera Format",        "Camera Source",       "Camera Display",     "Camera Capture Filter",
    "Camera Crossbar",      "TV Tuner",            "Sound Capture Filter", "Sound Crossbar",
    "TV Sound",             "Camera Capture Pin",  "Camera Preview Pin", "Sound Capture Pin",
    "Camera Compressor",    "Sound Compressor",
};

namespace {

DialogFlags Bit(int number) {
    return DialogFlags(1u << number);
}

ModalDialogRunner& Runner() {
    static ModalDialogRunner runner;
    return runner;
}

} // namespace

DialogFlags FindCaptureDialogs(const CaptureDialogFacts& facts) {
    DialogFlags set = 0;
    if (facts.hasVideoCompressor && facts.compressorHasSettings)
        set |= Bit(dlgVideoCompressor);
    if (facts.hasVideoSource) {
        if (facts.sourceHasSettings)
            set |= Bit(dlgVideoSource);
        // One pin carries capture and preview here, so there is no separate preview pin page.
        if (facts.captureHasFormats)
            set |= Bit(dlgVideoCapturePin);
    }
    return set;
}

bool ShowCaptureDialog(CaptureDialogHost& host, DialogFlags set, int number) {
    if (!DialogInSet(set, number) || host.IsCapturing())
        return false;
    switch (number) {
    case dlgVideoSource:
        // Settings change on the running stream: nothing to stop.
        host.ShowSourceSettings();
        break;
    case dlgVideoCapturePin:
        // A new format needs a new graph; the restart builds it.
        host.TearDownGraphForDialog();
        host.ShowCaptureFormats();
        if (host.WantsPreview())
            host.StartPreviewAfterDialog();
        break;
    case dlgVideoCompressor:
        host.StopPreviewForDialog();
        host.ShowCompressorSettings();
        if (host.WantsPreview())
            host.StartPreviewAfterDialog();
        break;
    default:
        break; // no dialog behind this number
    }
    return true;
}

void SetModalDialogRunner(ModalDialogRunner runner) {
    Runner() = std::move(runner);
}

int RunModalDialog(QDialog& dialog) {
    // A copy: the runner may replace itself while it runs.
    if (const ModalDialogRunner runner = Runner())
        return runner(dialog);
    return dialog.exec();
}
