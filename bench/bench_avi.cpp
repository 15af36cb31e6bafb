// An AVI made from 100 saved 640x480 pictures, uncompressed and as Motion JPEG at quality 90:
// time per picture, and the longest time the GUI thread's event loop waited meanwhile.
#include "bench/BenchSupport.h"
#include "core/MessageBox.h"
#include "platform/Jpeg.h"
#include "publish/AviCreation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

using bench::BenchFolder;
using bench::CameraLikeFrame;

namespace {

constexpr int kPictures = 100;

void MakeAvi(benchmark::State& state, platform::AviCodec codec) {
    QTemporaryDir dir(BenchFolder());
    AviCreationRequest request;
    for (int i = 0; i < kPictures; ++i) {
        const QString path = dir.path() + QStringLiteral("/%1.jpg").arg(i, 6, 10, QLatin1Char('0'));
        // Pictures as the station saves them: quality 100.
        if (!platform::SaveJpeg(CameraLikeFrame(640, 480, i % 20), 100, path)) {
            state.SkipWithError("cannot write the pictures");
            return;
        }
        request.Pictures << path;
    }
    request.Target = dir.path() + "/bench.avi";
    request.Codec = codec;
    request.Quality = 90;

    AviCreation creation;
    QEventLoop loop;
    QObject::connect(&creation, &AviCreation::Finished, &loop, [&loop](const AviCreationResult& r) {
        loop.exit(r.Succeeded() ? 0 : 1);
    });
    // The GUI thread's longest wait between two ticks of a 10 ms timer.
    QTimer ticker;
    ticker.setInterval(10);
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = qMax(longestGap, sinceTick.restart());
    });

    double seconds = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        sinceTick.start();
        ticker.start();
        creation.Start(request);
        const int failed = loop.exec();
        ticker.stop();
        seconds += clock.nsecsElapsed() / 1e9;
        if (failed) {
            state.SkipWithError("the AVI was not written");
            return;
        }
    }
    const double pictures = double(state.iterations()) * kPictures;
    state.counters["ms_per_picture"] = seconds * 1000.0 / pictures;
    state.counters["gui_longest_gap_ms"] = double(longestGap);
    state.counters["pictures"] = benchmark::Counter(pictures, benchmark::Counter::kIsRate);
}

void DibAvi(benchmark::State& state) { MakeAvi(state, platform::AviCodec::Dib); }
void MotionJpegAvi(benchmark::State& state) { MakeAvi(state, platform::AviCodec::MotionJpeg); }

} // namespace

BENCHMARK(DibAvi)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(MotionJpegAvi)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

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
