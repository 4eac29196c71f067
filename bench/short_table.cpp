#include "short_table.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace tes::bench {

namespace {

// The counters shown in their own columns; every other counter goes to the last column.
bool HasOwnColumn(const std::string& name) {
    return name == "items_per_second" || name == "bytes_per_second" || name == "peak_MB";
}

std::string Figure(double value) {
    char text[32];
    if (value >= 100 || value == 0 || value <= -100)
        std::snprintf(text, sizeof text, "%.0f", value);
    else
        std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

std::string Counter(const benchmark::UserCounters& counters, const char* name, double scale) {
    const auto found = counters.find(name);
    return found == counters.end() ? "-" : Figure(found->second.value / scale);
}

class ShortTableReporter final : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context& context) override {
        std::printf("%d CPUs at %.0f MHz; running...\n", context.cpu_info.num_cpus,
                    context.cpu_info.cycles_per_second / 1e6);
        std::fflush(stdout);
        return true;
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                m_rows.push_back({run.benchmark_name(), "failed: " + run.error_message});
                continue;
            }
            // With repetitions, the median stands for the case.
            if (run.repetitions > 1 && !(run.run_type == Run::RT_Aggregate && run.aggregate_name == "median"))
                continue;
            std::string name = run.run_name.str();
            std::string extra;
            for (const auto& [key, counter] : run.counters) {
                if (!HasOwnColumn(key))
                    extra += key + "=" + Figure(counter.value) + " ";
            }
            m_rows.push_back(
                {name, Figure(run.GetAdjustedRealTime()) + " " + benchmark::GetTimeUnitString(run.time_unit),
                 Figure(run.GetAdjustedCPUTime()) + " " + benchmark::GetTimeUnitString(run.time_unit),
                 Counter(run.counters, "items_per_second", 1e6),
                 Counter(run.counters, "bytes_per_second", 1e6), Counter(run.counters, "peak_MB", 1), extra});
        }
    }

    void Finalize() override {
        const std::vector<std::string> heading = {"benchmark", "wall",    "CPU",  "Mrec/s",
                                                  "MB/s",      "peak MB", "other"};
        std::vector<std::size_t> widths(heading.size(), 0);
        auto widen = [&](const std::vector<std::string>& row) {
            for (std::size_t i = 0; i < row.size(); ++i)
                widths[i] = std::max(widths[i], row[i].size());
        };
        widen(heading);
        for (const auto& row : m_rows)
            widen(row);
        auto print = [&](const std::vector<std::string>& row) {
            for (std::size_t i = 0; i < row.size(); ++i)
                std::printf(i == 0 ? "%-*s" : "  %*s", static_cast<int>(i + 1 == row.size() ? 0 : widths[i]),
                            row[i].c_str());
            std::printf("\n");
        };
        print(heading);
        for (const auto& row : m_rows)
            print(row);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("peak resident memory of this run: %.0f MB\n",
                    static_cast<double>(usage.ru_maxrss) / 1024);
    }

private:
    std::vector<std::vector<std::string>> m_rows;
};

} // namespace

int RunBenchmarksWithShortTable(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ShortTableReporter table;
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    return 0;
}

} // namespace tes::bench
