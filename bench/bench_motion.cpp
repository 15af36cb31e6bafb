// Cost of motion detection: one zone check on a 640x480 frame (target under 50 us) and one
// tick of the loop watching two cameras without motion (target under 0.2 ms).
#include "core/MotionDetector.h"
#include "core/MotionLoop.h"
#include "core/SettingsRecord.h"
#include "platform/WinTimer.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QRandomGenerator>

#include <array>

namespace {

QImage NoiseFrame(int w, int h, quint32 seed) {
    QImage image(w, h, QImage::Format_RGB888);
    QRandomGenerator random(seed);
    for (int y = 0; y < h; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < w * 3; ++x)
            line[x] = uchar(random.bounded(256));
    }
    return image;
}

struct StillCameras : MotionCameras {
    std::array<QImage, 2> frames{NoiseFrame(640, 480, 1), NoiseFrame(640, 480, 2)};
    ZoneRect zone{200, 150, 50};

    bool IsPreviewing(int) const override { return true; }
    QImage ImageBitmap(int c) const override { return frames[size_t(c - 1)]; }
    bool ZoneOn(int) const override { return true; }
    ZoneRect Zone(int) const override { return zone; }
};

void ZoneCheck(benchmark::State& state) {
    SettingsRecord settings;
    StillCameras cameras;
    cameras.zone.size = int(state.range(0));
    MotionDetector detector(settings, cameras);
    for (auto _ : state)
        benchmark::DoNotOptimize(detector.CheckMotionZoneCam1());
}
BENCHMARK(ZoneCheck)->Arg(50)->Arg(400)->Unit(benchmark::kMicrosecond);

void TwoCameraTick(benchmark::State& state) {
    SettingsRecord settings;
    StillCameras cameras;
    MotionDetector detector(settings, cameras);
    platform::WinTimer timer(400, true);
    MotionLoop loop(detector, cameras, timer);
    bool red = false;
    loop.Hooks().SurveillanceButtonFontRed = [&] { return red; };
    loop.Hooks().SetSurveillanceButtonFontRed = [&](bool r) { red = r; };
    for (auto _ : state)
        loop.MotionTimerTick();
}
BENCHMARK(TwoCameraTick)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the loop's timer needs an event dispatcher
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
