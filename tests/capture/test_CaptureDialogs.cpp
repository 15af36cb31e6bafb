#include "capture/CaptureDialogs.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

struct RecordingHost : CaptureDialogHost {
    bool capturing = false;
    bool wantPreview = true;
    QStringList calls;
    bool IsCapturing() const override { return capturing; }
    bool WantsPreview() const override { return wantPreview; }
    void StopPreviewForDialog() override { calls << "StopPreview"; }
    void TearDownGraphForDialog() override { calls << "TearDownGraph"; }
    void StartPreviewAfterDialog() override { calls << "StartPreview"; }
    void ShowSourceSettings() override { calls << "source"; }
    void ShowCaptureFormats() override { calls << "formats"; }
    void ShowCompressorSettings() override { calls << "compressor"; }
};

QStringList Names(DialogFlags set) {
    QStringList names;
    for (int n = 0; n < CaptureDialogCount; ++n)
        if (DialogInSet(set, n))
            names << CaptureDialogNames[n];
    return names;
}

} // namespace

TEST(CaptureDialogs, OffersOnlyWhatTheGraphHasAndNeverTheWindowsOnlyDialogs) {
    EXPECT_EQ(Names(FindCaptureDialogs({true, true, true, false, false})),
              (QStringList{"Camera Capture Filter", "Camera Capture Pin"}));
    EXPECT_EQ(FindCaptureDialogs({true, false, false, false, false}), 0);
    // Without a source nothing of the source side is offered.
    EXPECT_EQ(Names(FindCaptureDialogs({false, true, true, true, true})), QStringList{"Camera Compressor"});
    EXPECT_EQ(Names(FindCaptureDialogs({true, true, true, true, true})),
              (QStringList{"Camera Capture Filter", "Camera Capture Pin", "Camera Compressor"}));
}

TEST(CaptureDialogs, ShowingStopsAndRestartsTheGraphAsEachDialogNeedsNeverWhileRecording) {
    const DialogFlags set = FindCaptureDialogs(CaptureDialogFacts{true, true, true, true, true});
    const struct {
        int dialog;
        bool wantPreview;
        QStringList calls;
    } cases[] = {{dlgVideoSource, true, {"source"}},
                 {dlgVideoCapturePin, true, {"TearDownGraph", "formats", "StartPreview"}},
                 {dlgVideoCompressor, true, {"StopPreview", "compressor", "StartPreview"}},
                 {dlgVideoCapturePin, false, {"TearDownGraph", "formats"}}};
    for (const auto& c : cases) {
        RecordingHost host;
        host.wantPreview = c.wantPreview;
        EXPECT_TRUE(ShowCaptureDialog(host, set, c.dialog));
        EXPECT_EQ(host.calls, c.calls) << c.dialog;
    }

    // Numbers outside the set, and anything while recording, show nothing and touch nothing.
    const DialogFlags sourceOnly = FindCaptureDialogs(CaptureDialogFacts{true, true, false, false, false});
    RecordingHost host;
    for (int n : {int(dlgVideoCapturePin), -1, 14})
        EXPECT_FALSE(ShowCaptureDialog(host, sourceOnly, n)) << n;
    EXPECT_FALSE(ShowCaptureDialog(host, 0xFFFF, 15));
    host.capturing = true;
    EXPECT_FALSE(ShowCaptureDialog(host, sourceOnly, dlgVideoSource));
    EXPECT_TRUE(host.calls.isEmpty());
}
