// Start-up work on the driver alias file (load the list, refresh every driver's status)
// for driver histories of growing length: the time should grow in step with the records.
#include "capture/DriverAliasRegistry.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void StartUp(benchmark::State& state) {
    QTemporaryDir dir;
    const platform::ProgramFolder folder(dir.path());
    QByteArray data;
    for (int i = 0; i < state.range(0); ++i) {
        DriverAliasRecord record;
        record.DriverName = QString("Old camera %1").arg(i);
        record.DriverAlias = QString("Cam %1").arg(i + 1);
        record.DriverStatus = "Connected";
        data += record.Encode();
    }
    QFile file(folder.File(DriverAliasRegistry::kFileName));
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        state.SkipWithError("cannot write the alias file");
    file.close();
    SettingsStore store(folder, dir.path() + "/torvek", "/nonexistent");
    CameraChoiceState choices;
    choices.Devices = {"Old camera 3", "Old camera 7"};
    choices.Index[0] = choices.Default[0] = 0;
    choices.Index[1] = choices.Default[1] = 1;
    for (auto _ : state) {
        DriverAliasRegistry registry(folder, store, choices);
        registry.LoadDriverList();
        registry.RefreshDriverStatus();
        benchmark::DoNotOptimize(registry.Rows().size());
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(StartUp)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity();

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetMessageBoxHandler([](const QString&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
