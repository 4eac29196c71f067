// Speed and memory of the project readers and the script writer on generated projects of 100 thousand,
// 1 million and 10 million records (a 5 x 5 terrain): the environment reader keeping the main tile,
// the same reader with an overlap that keeps every record, the vegetation list loader over every
// record, and a whole script build for kind 7 (a tenth of the records) with its file written.
#include "bench_support.h"
#include "core/cache/point_cache.h"
#include "form/context.h"
#include "form/process_command.h"
#include "project/vegetation_list.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using tes::bench::Project;
using tes::bench::TileRecords;

constexpr const char* kKeepEverything = "100000"; // an overlap far beyond the 3840 units of the terrain

void SizeArguments(benchmark::internal::Benchmark* b) {
    b->ArgName("records")->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
}

// A program that has read the project info of a generated project: a 5 x 5 terrain, resolution 3.
struct Program {
    explicit Program(std::uint64_t records) : files(Project(records)), ctx(platform) {
        ctx.session.TerrainWidth = 5;
    }
    const tes::generator::ProjectFiles& files;
    tes::bench::QuietPlatform platform;
    tes::Context ctx;
};

void SetFileRates(benchmark::State& state, const tes::generator::ProjectFiles& files) {
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(files.environmentBytes));
}

void BM_ReadMainTile(benchmark::State& state) {
    const auto& files = Project(static_cast<std::uint64_t>(state.range(0)));
    std::size_t kept = 0;
    for (auto _ : state)
        kept = TileRecords(files, "0").size();
    SetFileRates(state, files);
    state.counters["kept"] = static_cast<double>(kept);
}
BENCHMARK(BM_ReadMainTile)->Apply(SizeArguments);

// Every record kept. Each iteration starts from nothing read, so the peak memory it reports is what
// one load needs: the kept lines and whatever the reader holds besides them.
void BM_ReadKeepAll(benchmark::State& state) {
    const auto records = static_cast<std::uint64_t>(state.range(0));
    const auto& files = Project(records);
    std::uint64_t peakGrowth = 0;
    std::size_t kept = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::uint64_t before = tes::bench::ResidentBytes();
        tes::bench::ResetPeakMemory();
        state.ResumeTiming();
        {
            const tes::LineList read = TileRecords(files, kKeepEverything);
            state.PauseTiming();
            peakGrowth = std::max(peakGrowth, tes::bench::PeakResidentBytes() - before);
            kept = read.size();
        }
        state.ResumeTiming();
    }
    SetFileRates(state, files);
    state.counters["kept"] = static_cast<double>(kept);
    state.counters["peak_MB"] = static_cast<double>(peakGrowth) / 1e6;
    state.counters["peak_per_file"] =
        static_cast<double>(peakGrowth) / static_cast<double>(files.environmentBytes);
}
BENCHMARK(BM_ReadKeepAll)->Apply(SizeArguments);

// The kinds of every record and their names.
void BM_LoadVegetationList(benchmark::State& state) {
    const auto& files = Project(static_cast<std::uint64_t>(state.range(0)));
    const tes::LineList records = TileRecords(files, kKeepEverything);
    const std::string definitions =
        std::filesystem::path(files.projectPath).replace_extension(".est").string();
    std::size_t kinds = 0;
    for (auto _ : state) {
        tes::Messages messages;
        kinds = tes::ReadVegetationKinds(records, definitions, messages).listedKind.size();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(records.size()));
    state.counters["kinds"] = static_cast<double>(kinds);
}
BENCHMARK(BM_LoadVegetationList)->Apply(SizeArguments);

// Kind 7 over every record: a tenth of them are placed, and the script file is written. The rate
// is script text written per second (and, without the file, the text listed per second).
void BuildScriptOfKind7(benchmark::State& state, bool saveToFile,
                        tes::ScriptShape shape = tes::ScriptShape::Classic) {
    Program program(static_cast<std::uint64_t>(state.range(0)));
    tes::MainModel& form = program.ctx.form;
    tes::LineList records = TileRecords(program.files, kKeepEverything);
    form.list(tes::ListId::List1).swap(records);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tes-build-bench";
    std::filesystem::create_directories(folder);
    program.ctx.session.ProjectBasePath = (folder / "Bench").string();
    program.ctx.session.SaveToFile = saveToFile;
    form.setText(tes::TextField::txtMaxFile, "C:\\Models\\Trees.max");
    form.setText(tes::TextField::txtMaxObjectName, "Tree");
    form.setText(tes::TextField::txtRotationAngle, "12.5");
    form.setComboText("Vegetation_7:  ");
    program.ctx.scriptStyle.shape = shape;
    for (auto _ : state)
        tes::BuildScript(program.ctx);
    const auto& list2 = form.list(tes::ListId::List2);
    // The file holds the lines, each ended by CR LF (the script is plain ASCII).
    const std::uint64_t scriptBytes = list2.textBytes() + 2 * list2.size();
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(scriptBytes));
    const double objects = shape == tes::ScriptShape::Fast ? static_cast<double>(list2.size())
                                                           : static_cast<double>((list2.size() - 10) / 3);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(objects));
    state.counters["script_lines"] = static_cast<double>(list2.size());
    state.counters["script_MB"] = static_cast<double>(scriptBytes) / 1e6;
    std::filesystem::remove_all(folder);
}
void BM_BuildScript(benchmark::State& state) {
    BuildScriptOfKind7(state, true);
}
BENCHMARK(BM_BuildScript)->Apply(SizeArguments);

// The fast shape of the same script, file written: the positions as data, one line an object.
void BM_BuildFastScript(benchmark::State& state) {
    BuildScriptOfKind7(state, true, tes::ScriptShape::Fast);
}
BENCHMARK(BM_BuildFastScript)->Apply(SizeArguments);

// The point cache of kind 7 alone, as PRT, against the fast script above: the same positions, turn
// and scale, streamed through zlib into the file. TES_CACHE_LEVEL tries another compression level.
void BM_WriteCacheOfKind7(benchmark::State& state) {
    Program program(static_cast<std::uint64_t>(state.range(0)));
    const tes::LineList records = TileRecords(program.files, kKeepEverything);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tes-cache-bench";
    std::filesystem::create_directories(folder);
    program.ctx.form.setText(tes::TextField::txtRotationAngle, "12.5");
    program.ctx.scriptStyle.cache = tes::PointCache::Prt;
    tes::PlacementOptions options = tes::PlacementOptionsFromForm(program.ctx);
    tes::PointCacheSetup setup = tes::CacheSetupFor(
        options, {{"7", 7, {}}}, tes::OutputPathsOfStem((folder / "Bench_MainVeg_07").string()), {});
    if (const char* level = std::getenv("TES_CACHE_LEVEL"))
        setup.compressionLevel = std::atoi(level);
    std::uint64_t particles = 0;
    for (auto _ : state) {
        tes::PointCacheWriter writer(setup);
        writer.run(records, nullptr, tes::NoProgress());
        writer.commit();
        particles = writer.particleCount();
    }
    const auto bytes = std::filesystem::file_size(folder / "Bench_MainVeg_07.prt");
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(particles));
    state.counters["cache_MB"] = static_cast<double>(bytes) / 1e6;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_WriteCacheOfKind7)->Apply(SizeArguments);

// The same build without the file: what the lines cost, and so what the file adds.
void BM_BuildScriptListOnly(benchmark::State& state) {
    BuildScriptOfKind7(state, false);
}
BENCHMARK(BM_BuildScriptListOnly)->Apply(SizeArguments);

} // namespace
