// Speed of the project readers on a synthetic project of two million records (generated once into a
// temporary folder): the environment reader keeping the main tile of the 5 x 5 terrain, and the
// vegetation list loader over a list that holds every record.
#include "core/context.h"
#include "environment_generator.h"
#include "lib/text_file.h"
#include "project/environment_reader.h"
#include "project/vegetation_list.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr std::uint64_t kRecords = 2'000'000;

// A platform that shows nothing and is never asked for anything else by the reader.
class QuietPlatform final : public tes::Platform {
public:
    void showMessage(const std::string& text) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    std::string showFileDialog(const tes::FileDialogRequest&) override { return {}; }
    void setWaitCursor(tes::DialogOwner, bool) override {}
    bool openDocument(const std::string&) override { return false; }
    std::string readSetting(const std::string&, const std::string&) override { return {}; }
    void writeSetting(const std::string&, const std::string&, const std::string&) override {}
    bool fileExists(const std::string& path) override { return std::filesystem::is_regular_file(path); }
    std::string programFolder() override { return {}; }
};

class GeneratedProject {
public:
    GeneratedProject() : m_folder(std::filesystem::temp_directory_path() / "tes-reader-bench") {
        m_files = tes::generator::WriteSyntheticProject(m_folder.string(), "Bench", kRecords, 20240601);
    }
    ~GeneratedProject() {
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }
    const tes::generator::ProjectFiles& files() const { return m_files; }

private:
    std::filesystem::path m_folder;
    tes::generator::ProjectFiles m_files;
};

const GeneratedProject& Project() {
    static const GeneratedProject project;
    return project;
}

void BM_ReadEnvironmentFile(benchmark::State& state) {
    const auto& files = Project().files();
    QuietPlatform platform;
    tes::Context ctx(platform);
    ctx.session.EnvironmentFilePath = files.environmentPath;
    ctx.session.TerrainWidth = 5;
    std::size_t kept = 0;
    for (auto _ : state) {
        tes::ReadEnvironmentFile(ctx);
        kept = ctx.form.list(tes::ListId::List1).size();
        benchmark::DoNotOptimize(kept);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRecords));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * files.environmentBytes));
    state.counters["kept"] = static_cast<double>(kept);
}
BENCHMARK(BM_ReadEnvironmentFile)->Unit(benchmark::kMillisecond);

void BM_LoadVegetationList(benchmark::State& state) {
    const auto& files = Project().files();
    QuietPlatform platform;
    tes::Context ctx(platform);
    ctx.session.VegetationFilePath =
        std::filesystem::path(files.projectPath).replace_extension(".est").string();
    tes::LineList& list1 = ctx.form.list(tes::ListId::List1);
    tes::LineReader reader(tes::LineBreaks::CrLfOrLf, true);
    reader.open(files.environmentPath);
    std::string_view line;
    while (reader.next(line))
        list1.append(line);
    for (auto _ : state) {
        tes::LoadVegetationList(ctx);
        benchmark::DoNotOptimize(ctx.form.comboItems().size());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * list1.size()));
}
BENCHMARK(BM_LoadVegetationList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
