#pragma once

#include "environment_generator.h"
#include "lib/line_list.h"
#include "lib/platform.h"

#include <cstdint>
#include <string>

// What every benchmark needs: the generated projects, a platform that shows nothing, and the
// process's memory figures.
namespace tes::bench {

// The fixed seed of every generated project, so that all runs read the same bytes.
inline constexpr std::uint64_t kSeed = 20240601;

// The generated project with `records` records. Looked up in the folder named by TES_BENCH_DATA
// (Records<N>/Bench.*, as scripts/run-bench.sh writes it), else written once into a temporary folder.
const generator::ProjectFiles& Project(std::uint64_t records);

// The records of the generated project's main tile with the overlap given, as a load reads them into
// List1 (the project is a 5 x 5 terrain of resolution 3).
LineList TileRecords(const generator::ProjectFiles& files, const std::string& overlap);

// A platform that shows nothing; a message would mean a benchmark went wrong, so it is printed.
class QuietPlatform final : public Platform {
public:
    void showMessage(const std::string& text) override;
    std::string showFileDialog(const FileDialogRequest&) override { return {}; }
    void setWaitCursor(bool) override {}
    bool openDocument(const std::string&) override { return false; }
    std::string readSetting(const std::string&, const std::string&) override { return {}; }
    void writeSetting(const std::string&, const std::string&, const std::string&) override {}
    std::string programFolder() override { return {}; }
};

// The resident memory of the process now, and its peak since the last ResetPeakMemory(), in bytes
// (Linux; 0 elsewhere).
std::uint64_t ResidentBytes();
std::uint64_t PeakResidentBytes();
void ResetPeakMemory();

} // namespace tes::bench
