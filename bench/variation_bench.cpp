// A fast script of one kind with a million records, its file written: once with every plant alike,
// once with each plant turned (0 to 360 degrees), scaled (80 to 120 %) and given one of three objects
// (docs/variation.md). The varied script should take at most 1.3 times as long as the plain one.
// TES_BENCH_NO_FILE=1 leaves the file out and TES_BENCH_ONE_THREAD=1 builds on one thread, to tell
// the writing and the threads from the work of each record.
#include "core/script/placement_script.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

// One million records of kind 5 over a 5 x 5 terrain of resolution 3 (3840 units a side), from a
// fixed sequence so that every run writes the same script.
const tes::LineList& OneKind() {
    static const tes::LineList records = [] {
        tes::LineList list;
        std::uint64_t state = 20240601;
        const auto next = [&](double range) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            return static_cast<double>(state >> 11) * 0x1.0p-53 * range;
        };
        char line[96];
        for (int i = 0; i < 1'000'000; ++i) {
            const double x = next(3840);
            const double y = next(400);
            std::snprintf(line, sizeof line, "5,%.6f,%.6f,%.6f", x, y, next(3840));
            list.append(line);
        }
        return list;
    }();
    return records;
}

void BM_FastScriptOfOneKind(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tes-variation-bench";
    std::filesystem::create_directories(folder);
    tes::PlacementRequest request;
    tes::PlacementOptions& o = request.options;
    o.kindNumber = "5";
    o.maxFile = R"(C:\Models\Oak.max)";
    o.objectName = "Oak";
    o.terrainWidth = 5;
    o.rotationAngle = "12.5";
    o.projectBasePath = (folder / "Bench").string();
    o.style.shape = tes::ScriptShape::Fast;
    if (state.range(0) != 0) {
        o.plants.turn = tes::ValueRange{0, 360};
        o.plants.scale = tes::ValueRange{80, 120};
        o.variants = {{R"(C:\Models\Oak2.max)", "Oak2", 2}, {R"(C:\Models\Oak.max)", "OakB", 1}};
    }
    o.saveToFile = std::getenv("TES_BENCH_NO_FILE") == nullptr;
    if (std::getenv("TES_BENCH_ONE_THREAD"))
        request.tuning.twoThreadsFrom = ~0ull;
    request.records = &OneKind();
    std::uint64_t placed = 0, bytes = 0;
    for (auto _ : state) {
        const tes::PlacementResult built = tes::BuildPlacementScript(request);
        if (built.outcome != tes::BuildOutcome::Built) {
            state.SkipWithError("the script was not built");
            break;
        }
        placed = built.objectCount;
        bytes = built.lines.textBytes() + 2 * built.lines.size(); // each line ends in CR LF
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(placed));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
    state.counters["script_MB"] = static_cast<double>(bytes) / 1e6;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_FastScriptOfOneKind)->ArgName("varied")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
