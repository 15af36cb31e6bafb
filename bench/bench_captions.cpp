// Cost of stamping the caption on one grabbed frame, as the camera view does for every frame
// of both cameras.
#include "core/CaptionChoices.h"
#include "core/PictureCaption.h"
#include "core/SettingsRecord.h"
#include "platform/PictureCanvas.h"

#include <QDir>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

struct Setup {
    SettingsRecord record;
    CaptionChoices choices;
    PictureCaptions captions{record, choices};
    platform::PictureCanvas canvas;

    Setup(int width, int height) {
        record.SiteLocation = "Warehouse North";
        record.Cam1Name = "Loading Bay";
        record.CaptionFontName = "Courier New";
        record.CaptionFontSize = 10;
        QImage frame(width, height, QImage::Format_RGB888);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width * 3; ++x)
                frame.scanLine(y)[x] = uchar(x ^ y);
        canvas.SetImage(frame);
        canvas.Image().detach();
    }
};

void BM_CaptionClassic(benchmark::State& state) {
    Setup s(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        s.captions.DrawPictureCaption(s.canvas, 1);
        benchmark::DoNotOptimize(s.canvas.Image().constBits());
    }
}
BENCHMARK(BM_CaptionClassic)->Args({640, 480})->Args({1280, 720})->Unit(benchmark::kMillisecond);

void BM_CaptionClassicTransparent(benchmark::State& state) {
    Setup s(640, 480);
    s.record.CaptionTransparent = true;
    for (auto _ : state) {
        s.captions.DrawPictureCaption(s.canvas, 1);
        benchmark::DoNotOptimize(s.canvas.Image().constBits());
    }
}
BENCHMARK(BM_CaptionClassicTransparent)->Unit(benchmark::kMillisecond);

void BM_CaptionTopRight(benchmark::State& state) {
    Setup s(640, 480);
    s.choices.topRight = true;
    for (auto _ : state) {
        s.captions.DrawPictureCaption(s.canvas, 1);
        benchmark::DoNotOptimize(s.canvas.Image().constBits());
    }
}
BENCHMARK(BM_CaptionTopRight)->Unit(benchmark::kMillisecond);

void BM_CaptionWithDiskStats(benchmark::State& state) {
    Setup s(640, 480);
    s.captions.Hooks().diskStatsTicked = [] { return true; };
    s.captions.Hooks().diskSpace = [](const QString&) {
        return CaptionDiskSpace{"/srv", 3LL << 30, 10LL << 30};
    };
    for (auto _ : state) {
        s.captions.DrawPictureCaption(s.canvas, 1);
        benchmark::DoNotOptimize(s.canvas.Image().constBits());
    }
}
BENCHMARK(BM_CaptionWithDiskStats)->Unit(benchmark::kMillisecond);

// The same with the drive of a real folder asked on every frame, as the station does.
void BM_CaptionWithDiskStatsOfRealDrive(benchmark::State& state) {
    Setup s(640, 480);
    s.record.Cam1Folder = QDir::tempPath() + "/";
    s.captions.Hooks().diskStatsTicked = [] { return true; };
    for (auto _ : state) {
        s.captions.DrawPictureCaption(s.canvas, 1);
        benchmark::DoNotOptimize(s.canvas.Image().constBits());
    }
}
BENCHMARK(BM_CaptionWithDiskStatsOfRealDrive)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
