// The command line end to end, run as its own process (start, load, scripts, exit), timed by the clock:
// `enviro-script build --all` on a project of two million records, one script per kind on the main
// tile; and one kind of very many variants with its caches.
#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// enviro-script sits next to the benchmark program.
std::string EnviroScriptPath() {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "enviro-script").string();
}

// Runs the program without a terminal on any stream and returns its exit status (-1 when it could
// not run).
int Run(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Runs the command once per iteration, timed by the clock; the mean time of a run in seconds, or -1
// when it failed.
double TimeRuns(benchmark::State& state, const std::vector<std::string>& command) {
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int status = Run(command);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        if (status != 0) {
            state.SkipWithError(("enviro-script " + command[1] + " failed").c_str());
            return -1;
        }
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
        total += std::chrono::duration<double>(elapsed).count();
    }
    return total / static_cast<double>(state.iterations());
}

void BM_CliBuildAll(benchmark::State& state) {
    const auto& files = tes::bench::Project(static_cast<std::uint64_t>(state.range(0)));
    TimeRuns(state,
             {EnviroScriptPath(), "build", files.projectPath, "--all", "--max-file", "C:\\Models\\Pine.max"});
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(files.environmentBytes));
}
BENCHMARK(BM_CliBuildAll)->ArgName("records")->Arg(2'000'000)->UseManualTime()->Unit(benchmark::kMillisecond);

// One kind whose row in the kinds table has 20,000 variants of weights up to a million: 15,000 Max
// files, and 5,000 that name the row's own object or an earlier variant in other letters, which the
// build takes as one. Its fast script and both caches, end to end; the goal is well under a second.
void BM_CliKindOfManyVariants(benchmark::State& state) {
    constexpr int kVariants = 20000, kFiles = 15000;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tes-many-variants-bench";
    const auto files =
        tes::generator::WriteSyntheticProject(folder.string(), "Bench", 25000, tes::bench::kSeed);
    {
        std::ofstream table(folder / "Bench.tes.ini", std::ios::binary);
        table
            << "[Variation]\r\nSeed=7\r\n[Vegetation_5]\r\nMaxFile=C:\\Models\\Oak.max\r\nObjectName=Oak\r\n"
               "Turn=0:360\r\nScale=80:120\r\n";
        for (int i = 1; i <= kVariants; ++i) {
            table << "Variant" << i << "=";
            if (i <= kFiles)
                table << "C:\\Models\\Oak_" << i << ".max|Oak_" << i << "|" << (i * 7919) % 1000000 + 1;
            else if (i % 2 == 0)
                table << "c:\\models\\OAK.MAX|oak|1000000";
            else
                table << "C:/Models/oak_" << i % 100 + 1 << ".MAX|OAK_" << i % 100 + 1 << "|999999";
            table << "\r\n";
        }
    }
    const double mean = TimeRuns(state, {EnviroScriptPath(), "build", files.projectPath, "--vegetation", "5",
                                         "--fast", "--cache", "both"});
    state.counters["variants"] = kVariants;
    if (mean >= 1)
        state.SkipWithError("slower than the goal of one second");
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CliKindOfManyVariants)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
