// What a view costs and saves: `enviro-script build --all --fast --cache prt` on the ten-million-record
// project with no view, with a view that keeps about a tenth of the plants, and with a view that keeps
// them all (its keep radius covers the tile), run as its own process and timed by the clock. The views
// come from a kinds table of their own (--kinds), so the project's folder is not changed.
#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr std::uint64_t kRecords = 10'000'000;

// The kinds table of each case: none, a wedge from the tile's middle along +X whose widened half angle
// (20 x 1.1 = 22 degrees, tan 22 = 0.40) takes about a tenth of a square tile, and every plant.
const char* const kTables[] = {
    "",
    "[View1]\r\nCamera=0,0\r\nTarget=1,0\r\nFov=40\r\nMargin=10\r\n",
    "[View1]\r\nCamera=0,0\r\nTarget=1,0\r\nFov=40\r\nMargin=10\r\nKeepRadius=1000000000\r\n",
};

void BM_CliBuildAllWithView(benchmark::State& state) {
    const auto& files = tes::bench::Project(kRecords);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tes-view-bench";
    std::filesystem::create_directories(folder);
    const std::string table = (folder / "Views.tes.ini").string();
    std::ofstream(table, std::ios::binary) << kTables[state.range(0)];
    const std::string program =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "enviro-script").string();
    const std::string command = "\"" + program + "\" build \"" + files.projectPath +
                                "\" --all --fast --cache prt --max-file C:\\\\Models\\\\Pine.max" +
                                (state.range(0) == 0 ? "" : " --kinds \"" + table + "\"") + " >/dev/null";
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("enviro-script build failed");
            break;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kRecords));
    std::filesystem::remove_all(folder);
}
// 0 no view, 1 a tenth, 2 everything.
BENCHMARK(BM_CliBuildAllWithView)
    ->ArgName("view")
    ->DenseRange(0, 2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
