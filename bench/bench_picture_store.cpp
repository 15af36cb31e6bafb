// A captioned picture saved by the picture store (caption, JPEG at quality 100, note,
// counter) against a bare libjpeg encode of the same frame at the same quality.
#include "bench/BenchSupport.h"
#include "core/MessageBox.h"
#include "core/PictureCaption.h"
#include "core/PictureStore.h"
#include "core/SettingsStore.h"
#include "platform/Jpeg.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using bench::BenchFolder;
using bench::CameraLikeFrame;

namespace {

void BareEncode(benchmark::State& state) {
    const QImage frame = CameraLikeFrame(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        QByteArray jpeg;
        platform::EncodeJpeg(frame, 100, &jpeg);
        benchmark::DoNotOptimize(jpeg.data());
    }
}

void CaptionedSave(benchmark::State& state) {
    const QImage frame = CameraLikeFrame(int(state.range(0)), int(state.range(1)));
    QTemporaryDir dir(BenchFolder());
    SettingsStore settings(platform::ProgramFolder(dir.path()), dir.path() + "/torvek", "/nonexistent");
    settings.FirstRunInit();
    settings.Record().SiteLocation = "Shop";
    settings.Record().CaptionFontName = "Courier New";
    settings.Record().CaptionFontSize = 10;
    CaptionChoices choices;
    PictureCaptions captions(settings.Record(), choices);
    PictureStore store(settings);
    store.SetPictureNamePrefix("BENCHPC");
    BindPictureCaptions(store, captions);
    const QString cam1 = settings.CameraFolder(1);
    int saved = 0;
    for (auto _ : state) {
        if (!store.SaveMotionPicture(frame, 1))
            state.SkipWithError("save failed");
        // Keep the disk from filling up; outside the measured time.
        if (++saved % 500 == 0) {
            state.PauseTiming();
            for (const QString& f : QDir(cam1).entryList({"*.jpg", "*.txt"}, QDir::Files))
                if (f != "counter.txt")
                    QFile::remove(cam1 + f);
            state.ResumeTiming();
        }
    }
}

} // namespace

BENCHMARK(BareEncode)->Args({640, 480})->Args({1280, 720})->Unit(benchmark::kMillisecond);
BENCHMARK(CaptionedSave)->Args({640, 480})->Args({1280, 720})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    SetMessageBoxHandler([](const QString&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
