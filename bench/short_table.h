#pragma once

// Runs the benchmarks named on the command line and prints one short table at the end: wall and CPU
// time, records per second, MB per second, the peak memory a case reports, its other figures, and
// the peak resident memory of the whole run. With repetitions only the medians are shown. The
// usual --benchmark_out=FILE still writes every figure as JSON.
namespace tes::bench {

int RunBenchmarksWithShortTable(int argc, char** argv);

} // namespace tes::bench
