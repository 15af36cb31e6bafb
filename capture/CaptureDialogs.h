#pragma once
// The drivers' settings dialogs a camera offers: the numbered names, which of them the
// current graph offers (the dialog set) and how showing one stops and restarts the graph.
// On Linux a camera offers its settings ("Camera Capture Filter": V4L2 controls or the
// source element's properties), its formats ("Camera Capture Pin") and, with an encoder,
// the encoder's settings ("Camera Compressor"). The Video for Windows dialogs, the tuner and
// the sound entries have no counterpart here and are never offered.
#include <QString>
#include <QtGlobal>

#include <functional>

class QDialog;

inline constexpr int CaptureDialogCount = 14;
extern const char* const CaptureDialogNames[CaptureDialogCount];

enum CaptureDialogNumber : int {
    dlgVfwFormat = 0,
    dlgVfwSource = 1,
    dlgVfwDisplay = 2,
    dlgVideoSource = 3,
    dlgVideoCrossbar = 4,
    dlgTvTuner = 5,
    dlgAudioSource = 6,
    dlgAudioCrossbar = 7,
    dlgTvAudio = 8,
    dlgVideoCapturePin = 9,
    dlgVideoPreviewPin = 10,
    dlgAudioCapturePin = 11,
    dlgVideoCompressor = 12,
    dlgAudioCompressor = 13,
};

// A 16-bit set of dialog numbers.
using DialogFlags = quint16;
inline bool DialogInSet(DialogFlags set, int number) {
    return number >= 0 && number < CaptureDialogCount && (set & (1u << number)) != 0;
}

// What the current graph has to offer.
struct CaptureDialogFacts {
    bool hasVideoSource = false;
    bool sourceHasSettings = false; // at least one control or property to show
    bool captureHasFormats = false; // the capture stream configuration lists formats
    bool hasVideoCompressor = false;
    bool compressorHasSettings = false;
};

DialogFlags FindCaptureDialogs(const CaptureDialogFacts& facts);

// The capture control as ShowCaptureDialog needs it.
class CaptureDialogHost {
public:
    virtual ~CaptureDialogHost() = default;
    virtual bool IsCapturing() const = 0;
    virtual bool WantsPreview() const = 0;
    virtual void StopPreviewForDialog() = 0;
    virtual void TearDownGraphForDialog() = 0;
    virtual void StartPreviewAfterDialog() = 0;
    virtual void ShowSourceSettings() = 0;     // "Camera Capture Filter"
    virtual void ShowCaptureFormats() = 0;     // "Camera Capture Pin"
    virtual void ShowCompressorSettings() = 0; // "Camera Compressor"
};

// Shows one dialog of the set, stopping the graph before and restarting the preview after
// where the dialog needs it. False (nothing done) when the number is not in the set or the
// host is capturing; true otherwise, also when the dialog itself failed to open.
bool ShowCaptureDialog(CaptureDialogHost& host, DialogFlags set, int number);

// Runs a modal dialog (exec by default). Tests replace it to work the dialog and close it.
using ModalDialogRunner = std::function<int(QDialog&)>;
void SetModalDialogRunner(ModalDialogRunner runner);
int RunModalDialog(QDialog& dialog);
