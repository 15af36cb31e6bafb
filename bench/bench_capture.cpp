// CPU cost of one previewing camera with grabbing on, against gst-launch-1.0 running the same
// source, conversion and appsink alone, both measured side by side over the same 10 s.
//   ./bench_capture            (640x480 and 1280x720 at 30 fps)
#include "capture/CaptureDevices.h"
#include "capture/VideoCapture.h"
#include "platform/MediaTestCameras.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int kMeasureMs = 10000;
constexpr int kWarmUpMs = 1500;

double SelfCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// utime + stime of another process, from /proc/<pid>/stat; -1 when it cannot be read.
double ProcessCpuSeconds(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return -1;
    const QByteArray text = stat.readAll();
    const int close = text.lastIndexOf(')'); // the command name may hold blanks
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    if (fields.size() < 13) return -1;
    const double ticks = double(sysconf(_SC_CLK_TCK));
    return (fields[11].toDouble() + fields[12].toDouble()) / ticks; // fields 14 and 15
}

void RunEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void PreviewCpu(benchmark::State& state) {
    const int width = int(state.range(0)), height = int(state.range(1));
    platform::TestCameraSpec cameraSpec;
    cameraSpec.Name = "Bench";
    cameraSpec.Sizes = {QSize(width, height)};
    cameraSpec.FramesPerSecond = 30;
    platform::InstallTestCameras({cameraSpec});
    EnumerateVideoInputs();
    QTemporaryDir folder;

    for (auto _ : state) {
        QProcess reference;
        reference.start("gst-launch-1.0",
                        {"-q", "videotestsrc", "is-live=true", "pattern=ball", "!",
                         QString("video/x-raw,format=YUY2,width=%1,height=%2,framerate=30/1")
                             .arg(width)
                             .arg(height),
                         "!", "videoconvert", "!", "video/x-raw,format=RGB", "!", "appsink",
                         "max-buffers=1", "drop=true", "sync=false"});
        if (!reference.waitForStarted(5000)) {
            state.SkipWithError("gst-launch-1.0 cannot start");
            break;
        }

        VideoCapture control{platform::ProgramFolder(folder.path())};
        control.WantAudio = false;
        control.VideoSourceMoniker = FindDeviceMonikerByName(VideoInputDevices, "Bench");
        quint64 delivered = 0;
        QObject::connect(&control, &VideoCapture::OnFrameRendered,
                         [&] { control.RequestBitmap(); });
        QObject::connect(&control, &VideoCapture::OnBitmapGrabbed,
                         [&](const CapturedBitmap& bitmap) { delivered += bitmap.width() > 0; });
        if (!control.BuildCaptureFilters() || !control.StartPreview()) {
            state.SkipWithError("the test camera does not preview");
            break;
        }
        control.RequestBitmap();
        RunEventLoop(kWarmUpMs);

        const double ours0 = SelfCpuSeconds();
        const double theirs0 = ProcessCpuSeconds(reference.processId());
        const quint64 delivered0 = delivered;
        RunEventLoop(kMeasureMs);
        const double ours = SelfCpuSeconds() - ours0;
        const double theirs = ProcessCpuSeconds(reference.processId()) - theirs0;
        const quint64 frames = delivered - delivered0;

        control.StopPreview();
        reference.kill();
        reference.waitForFinished(5000);

        state.counters["station_cpu_s"] = ours;
        state.counters["gst_launch_cpu_s"] = theirs;
        state.counters["cpu_ratio"] = theirs > 0 ? ours / theirs : 0;
        state.counters["frames_per_s"] = double(frames) * 1000.0 / kMeasureMs;
    }
    platform::RemoveTestCameras();
    ClearDeviceLists();
}

} // namespace

BENCHMARK(PreviewCpu)
    ->Args({640, 480})
    ->Args({1280, 720})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
