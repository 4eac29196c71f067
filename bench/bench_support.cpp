#include "bench_support.h"

#include "core/load_project.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <stdexcept>

namespace tes::bench {

namespace {

std::filesystem::path DataFolder() {
    if (const char* folder = std::getenv("TES_BENCH_DATA"); folder != nullptr && *folder != '\0')
        return folder;
    return std::filesystem::temp_directory_path() / "tes-bench-data";
}

// A figure of /proc/self/status ("VmRSS", "VmHWM") in bytes.
std::uint64_t StatusBytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key + ":", 0) == 0)
            return std::stoull(line.substr(key.size() + 1)) * 1024; // the kernel counts in kB
    }
    return 0;
}

} // namespace

LineList TileRecords(const generator::ProjectFiles& files, const std::string& overlap) {
    TileOptions tile;
    tile.overlap = overlap;
    LoadFields fields;
    fields.scene.terrainWidth = 5;
    LineList records;
    Messages messages;
    ReadEnvironment(files.environmentPath, tile, fields, records, messages, NoProgress());
    for (const Message& message : messages)
        std::fprintf(stderr, "%s\n", message.text.c_str()); // a benchmark went wrong
    return records;
}

const generator::ProjectFiles& Project(std::uint64_t records) {
    static std::mutex mutex;
    static std::map<std::uint64_t, generator::ProjectFiles> projects;
    const std::lock_guard lock(mutex);
    if (auto found = projects.find(records); found != projects.end())
        return found->second;
    const std::filesystem::path folder = DataFolder() / ("Records" + std::to_string(records));
    generator::ProjectFiles files;
    files.projectPath = (folder / "Bench.prj").string();
    files.environmentPath = (folder / "Bench.txt").string();
    std::error_code ec;
    if (std::filesystem::is_regular_file(files.projectPath, ec) &&
        std::filesystem::is_regular_file(files.environmentPath, ec)) {
        files.environmentBytes = std::filesystem::file_size(files.environmentPath);
    } else {
        std::fprintf(stderr, "writing %llu records into %s\n", static_cast<unsigned long long>(records),
                     folder.string().c_str());
        files = generator::WriteSyntheticProject(folder.string(), "Bench", records, kSeed);
    }
    return projects.emplace(records, files).first->second;
}

void QuietPlatform::showMessage(const std::string& text) {
    std::fprintf(stderr, "message: %s\n", text.c_str());
}

std::uint64_t ResidentBytes() {
    return StatusBytes("VmRSS");
}

std::uint64_t PeakResidentBytes() {
    return StatusBytes("VmHWM");
}

void ResetPeakMemory() {
    // Writing 5 resets the peak resident size the kernel keeps for the process.
    std::ofstream("/proc/self/clear_refs") << "5";
}

} // namespace tes::bench
