// The main window's load of the two-million-record project, every record kept (overlap 99999), against
// the reading `enviro-script info` does of the same project: from the chosen file to the window's
// first frame with the records in its table, on the offscreen platform.
#include "bench_support.h"
#include "core/load_project.h"
#include "form/context.h"
#include "form/load_command.h"
#include "project/kinds_table.h"
#include "ui/main/main_window.h"

#include <benchmark/benchmark.h>
#include <memory>

#include <QCoreApplication>
#include <QLineEdit>

namespace {

constexpr std::uint64_t kRecords = 2'000'000;
constexpr const char* kOverlap = "99999"; // the widest the field takes: every record is kept

// What `enviro-script info` reads: the project with the window's initial values, and its kinds table.
void BM_InfoRead(benchmark::State& state) {
    const auto& files = tes::bench::Project(kRecords);
    std::size_t kept = 0;
    for (auto _ : state) {
        tes::LoadRequest request;
        request.projectPath = files.projectPath;
        request.tile.overlap = kOverlap;
        tes::LoadResult loaded = tes::LoadProject(request);
        tes::Messages messages;
        benchmark::DoNotOptimize(
            tes::KindsTable::Read(tes::KindsTable::PathFor(loaded.files.basePath), messages));
        kept = loaded.records.size();
        state.PauseTiming();
        loaded = {}; // its memory goes back before the next read
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(kept);
}
BENCHMARK(BM_InfoRead)->Unit(benchmark::kMillisecond);

// The same project loaded by the window, as Browse loads it, until its first frame is painted.
void BM_WindowLoad(benchmark::State& state) {
    const auto& files = tes::bench::Project(kRecords);
    tes::bench::QuietPlatform platform;
    tes::Context ctx(platform);
    auto window = std::make_unique<tes::MainWindow>(ctx);
    window->show();
    window->field(tes::TextField::txtOverlap)->setText(QString::fromLatin1(kOverlap));
    ctx.form.setText(tes::TextField::txtOverlap, kOverlap);
    QCoreApplication::processEvents();
    std::size_t kept = 0;
    for (auto _ : state) {
        tes::OpenProject(ctx, files.projectPath); // what the window runs for Browse
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window->grab());
        kept = ctx.form.list(tes::ListId::List1).size();
    }
    state.counters["records"] = static_cast<double>(kept);
}
BENCHMARK(BM_WindowLoad)->Unit(benchmark::kMillisecond);

} // namespace
