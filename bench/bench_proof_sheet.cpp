// One 6 x 6 proof sheet from 36 camera-sized JPEGs against a bare decode of the 36 plus one
// quality-90 encode of the sheet, measured side by side; and a whole alert of 1800 pictures.
#include "bench/BenchSupport.h"
#include "platform/Jpeg.h"
#include "publish/EAlertComposer.h"
#include "publish/ProofSheets.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using bench::BenchFolder;
using bench::CameraLikeFrame;

namespace {

// 36 pictures of 640 x 480 (quality 100, as the picture store saves them), in a folder that
// TORVEK_BENCH_DIR may place on a tmpfs.
struct Pictures {
    Pictures() : dir(bench::BenchFolder()) {
        for (int i = 0; i < 36; ++i) {
            paths << dir.path() + QStringLiteral("/%1bench.jpg").arg(i, 6, 10, QChar('0'));
            platform::SaveJpeg(CameraLikeFrame(640, 480, i), 100, paths.last());
        }
    }
    QTemporaryDir dir;
    QStringList paths;
};

Pictures& SharedPictures() {
    static Pictures pictures;
    return pictures;
}

const ProofSheetContext kContext{QDateTime(QDate(2026, 12, 6), QTime(20, 43, 17)), "Yard",
                                 QLocale(QLocale::English)};

double BareDecodeAndEncodeMs(const QStringList& paths, const QImage& sheet) {
    QElapsedTimer t;
    t.start();
    for (const QString& path : paths) {
        QImage image;
        platform::LoadJpeg(path, &image);
        benchmark::DoNotOptimize(image.constBits());
    }
    QByteArray jpeg;
    platform::EncodeJpeg(sheet, 90, &jpeg);
    benchmark::DoNotOptimize(jpeg.data());
    return t.nsecsElapsed() / 1e6;
}

double SheetMs(const QStringList& paths, const ProofSheetPlan& plan) {
    QElapsedTimer t;
    t.start();
    const QImage sheet = RenderProofSheet(plan, paths, kContext);
    QByteArray jpeg;
    platform::EncodeJpeg(sheet, 90, &jpeg);
    benchmark::DoNotOptimize(jpeg.data());
    return t.nsecsElapsed() / 1e6;
}

// Both measured in every iteration, alternately, so machine load hits them alike.
void SheetAgainstBareDecode(benchmark::State& state) {
    const Pictures& pictures = SharedPictures();
    const ProofSheetPlan plan = BuildProofSheets(36, 6, 36, false).sheets.first();
    const QImage sheet = RenderProofSheet(plan, pictures.paths, kContext);
    double bare = 0, drawn = 0;
    for (auto _ : state) {
        bare += BareDecodeAndEncodeMs(pictures.paths, sheet);
        drawn += SheetMs(pictures.paths, plan);
    }
    const double n = double(state.iterations());
    state.counters["bare_ms"] = bare / n;
    state.counters["sheet_ms"] = drawn / n;
    state.counters["ratio"] = drawn / bare;
}

class NullTransport : public platform::MailTransport {
public:
    platform::MailSendResult Send(const QString&, const platform::MailMessage& m) override {
        bytes = 0;
        for (const auto& part : m.inlineParts) bytes += part.data.size();
        return {true, {}, {}};
    }
    qint64 bytes = 0;
};

// "6 x 6" with at most 50 per mail: 1800 pictures on 50 sheets, everything but the send.
void FullAlert1800(benchmark::State& state) {
    const Pictures& pictures = SharedPictures();
    QTemporaryDir program;
    EAlertSnapshot s;
    s.alertFormat = 5;
    s.alertMaxImages = 50;
    s.alertImageCount = 1800;
    s.siteLocation = "Yard";
    s.cameraFolders[0] = QFileInfo(pictures.paths.first()).path() + "/";
    s.programFolder = program.path() + "/";
    s.smtpHost = "localhost";
    s.sender = "station@example.org";
    s.recipients = "watch@example.org";
    s.now = kContext.now;
    QStringList queue;
    for (int i = 0; i < 1800; ++i) queue << "1" + QFileInfo(pictures.paths[i % 36]).fileName();
    NullTransport transport;
    EAlertComposer composer([&] { return s; }, transport);
    for (auto _ : state) {
        const AlertSendResult r = composer.SendEAlert(queue);
        if (r.linesUsed != 1800) state.SkipWithError("not all pictures were used");
    }
    state.counters["mail_MB"] = transport.bytes / 1e6;
}

} // namespace

BENCHMARK(SheetAgainstBareDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(FullAlert1800)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
