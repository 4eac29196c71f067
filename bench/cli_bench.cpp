// The command line end to end: `enviro-script build --all` on a project of two million records, run
// as its own process (start, load, one script per kind on the main tile, exit), timed by the clock.
#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
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

void BM_CliBuildAll(benchmark::State& state) {
    const auto& files = tes::bench::Project(static_cast<std::uint64_t>(state.range(0)));
    const std::vector<std::string> command = {
        EnviroScriptPath(), "build", files.projectPath, "--all", "--max-file", "C:\\Models\\Pine.max"};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int status = Run(command);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        if (status != 0) {
            state.SkipWithError("enviro-script build --all failed");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(files.environmentBytes));
}
BENCHMARK(BM_CliBuildAll)->ArgName("records")->Arg(2'000'000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
