// The picture log opened on a camera folder of 10,000 pictures, to its first paint, against
// a bare listing of the folder (the file system's own iterator), a sort of the names and a
// decode of the newest picture.
// Both are measured in every iteration, alternately, so machine load hits them alike.
#include "BenchSupport.h"

#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "platform/Jpeg.h"
#include "publish/PictureLogWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kPictures = 10000;

struct Folder {
    Folder() : program(bench::BenchFolder()) {
        store = std::make_unique<SettingsStore>(platform::ProgramFolder(program.path() + "/"),
                                                program.path() + "/torvek", "/no-desktop");
        store->FirstRunInit();
        store->Record().LogListView = 'F';
        camera = store->CameraFolder(1);
        QByteArray small, newest;
        platform::EncodeJpeg(bench::CameraLikeFrame(64, 48), 80, &small);
        platform::EncodeJpeg(bench::CameraLikeFrame(640, 480, 3), 90, &newest);
        for (int n = 1; n <= kPictures; ++n) {
            QFile file(camera + QString("%1PC.jpg").arg(n, 6, 10, QChar('0')));
            if (file.open(QIODevice::WriteOnly))
                file.write(n == kPictures ? newest : small);
        }
    }
    QTemporaryDir program;
    std::unique_ptr<SettingsStore> store;
    QString camera;
};

Folder& SharedFolder() {
    static Folder folder;
    return folder;
}

double BareMs(const QString& folder) {
    QElapsedTimer t;
    t.start();
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.toStdString()))
        if (entry.path().extension() == ".jpg" && entry.is_regular_file())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    QImage newest;
    platform::LoadJpeg(folder + QString::fromStdString(names.back()), &newest);
    benchmark::DoNotOptimize(newest);
    return t.nsecsElapsed() / 1e6;
}

double FirstPaintMs(PictureLogWindow& log, const QString& folder) {
    QElapsedTimer t;
    t.start();
    log.SetLogFolder(folder, 1);
    log.show();
    const QPixmap painted = log.grab();
    benchmark::DoNotOptimize(painted);
    const double ms = t.nsecsElapsed() / 1e6;
    log.hide();
    QApplication::processEvents();
    return ms;
}

void LogFirstPaintAgainstBareListing(benchmark::State& state) {
    Folder& folder = SharedFolder();
    SetMessageBoxQuiet(true);
    PictureLogWindow log(*folder.store);
    double bare = 0, shown = 0;
    for (auto _ : state) {
        bare += BareMs(folder.camera);
        shown += FirstPaintMs(log, folder.camera);
    }
    if (log.Logic().Rows().size() != kPictures)
        state.SkipWithError("the log did not list every picture");
    const double n = double(state.iterations());
    state.counters["bare_ms"] = bare / n;
    state.counters["log_ms"] = shown / n;
    state.counters["ratio"] = shown / bare;
}

} // namespace

BENCHMARK(LogFirstPaintAgainstBareListing)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
