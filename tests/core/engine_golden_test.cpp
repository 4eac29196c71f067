// Whole jobs through the engine: a project of tests/data/<case>/ is loaded with the case's options and
// one kind's script is built; what the load and the build give must match the case's expected.txt,
// and the script file its expected.ms, byte for byte. TES_UPDATE_GOLDEN=1 writes them anew instead
// (look at the difference before committing it).
#include "core/load_project.h"
#include "core/script/placement_script.h"
#include "lib/file_access.h"
#include "lib/text_codec.h"
#include "support/loaded_fields.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace tes::test {
namespace {

struct GoldenCase {
    const char* folder;
    const char* project; // the .prj file in it
    TileOptions tile;
    const char* kindNumber;
    const char* maxFile;
    const char* objectName;
    bool rotate;
    const char* verticalScale;
    const char* verticalOffset;
};

const GoldenCase kCases[] = {
    {"main-tile",
     "Valley.prj",
     {true, "0", false},
     "5",
     R"(C:\Models\Oak Tree.max)",
     "Oak Tree",
     true,
     "1.000",
     "0.000000"},
    {"perimeter-tile",
     "Hills.prj",
     {false, "100", true},
     "1",
     R"(D:\3d\pine.max)",
     "Pine",
     false,
     "2",
     "-1.5"},
    {"six-by-six",
     "Ridge.prj",
     {true, "10", false},
     "3",
     R"(\\server\models\spruce.max)",
     "Spruce_A",
     true,
     "1",
     "0"},
    {"missing-values",
     "\xC3\x89pinettes.prj",
     {true, "0", false},
     "3",
     "C:\\Mod\xC3\xA8les\\\xC3\x89pic\xC3\xA9"
     "a.max",
     "\xC3\x89pic\xC3\xA9"
     "a",
     true,
     "1.000",
     "0.000000"},
};

// The names of the outcomes and kinds, in the order their enums list them.
constexpr const char* kLoadOutcomes[] = {"loaded", "refused", "cancelled"};
constexpr const char* kBuildOutcomes[] = {"refused", "built", "failed", "cancelled"};
constexpr const char* kMessageKinds[] = {"notice", "refusal", "failure"};

template <typename Enum, std::size_t N> const char* NameOf(Enum value, const char* const (&names)[N]) {
    return names[static_cast<std::size_t>(value)];
}

std::string Describe(const Messages& messages) {
    std::string text;
    for (const Message& message : messages)
        text += std::string("message: ") + NameOf(message.kind, kMessageKinds) + ": " + message.text + "\n";
    return text;
}

// Everything a load and a build give, one fact per line (UTF-8).
std::string Describe(const LoadResult& load, const PlacementResult& build) {
    const LoadFields& f = load.fields;
    std::string text = std::string("load: ") + NameOf(load.outcome, kLoadOutcomes) + "\n";
    text += "tile format: " + f.scene.tileFormat +
            "\nterrain width: " + std::to_string(f.scene.terrainWidth) + "\ngrid res: " + f.scene.gridRes +
            "\nheading: " + f.scene.heading + "\npitch: " + f.scene.pitch +
            "\nrotation angle: " + f.rotationAngle + "\ngrid size: " + f.gridSize +
            "\nobject scale: " + f.objectScale + "\n";
    for (std::size_t i = 0; i < load.records.size(); ++i)
        text += "record: " + std::string(load.records[i]) + "\n";
    for (const std::string& number : load.kinds.listed)
        text += "listed: " + number + "\n";
    for (const std::size_t kind : load.kinds.listedKind)
        text += "kind: " + VegetationEntry(load.kinds.kinds[kind]) +
                " (name: " + load.kinds.kinds[kind].name + ")\n";
    text += Describe(load.messages);
    text += std::string("build: ") + NameOf(build.outcome, kBuildOutcomes) + "\n";
    text += "script: " + Utf8FromPath(PathFromUtf8(build.scriptPath).filename()) + "\n";
    text += "objects: " + std::to_string(build.objectCount) + "\n";
    text += "grid size field: " + build.gridSize.value_or("(kept)") + "\n";
    text += "object scale field: " + build.objectScale.value_or("(kept)") + "\n";
    text += Describe(build.messages);
    return text;
}

class EngineGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(EngineGolden, LoadsTheProjectAndBuildsTheScriptAsExpected) {
    const GoldenCase& c = GetParam();
    const std::filesystem::path data = std::filesystem::path(TES_TEST_DATA_DIR) / c.folder;
    TempDir dir;
    for (const auto& entry : std::filesystem::directory_iterator(data)) {
        const std::string name = Utf8FromPath(entry.path().filename());
        if (!name.starts_with("expected"))
            std::filesystem::copy_file(entry.path(), dir.path() / entry.path().filename());
    }

    LoadRequest load;
    load.projectPath = Utf8FromPath(dir.path() / PathFromUtf8(c.project));
    load.tile = c.tile;
    const LoadResult loaded = LoadProject(load);

    PlacementRequest build;
    PlacementOptions& o = build.options;
    o.kindNumber = c.kindNumber;
    o.maxFile = c.maxFile;
    o.objectName = c.objectName;
    o.mainTile = c.tile.mainTile;
    o.useObjectScale = c.tile.useObjectScale;
    TakeLoadedFields(loaded, o);
    o.rotate = c.rotate;
    o.verticalScale = LeadingNumberValue(c.verticalScale);
    o.verticalOffset = LeadingNumberValue(c.verticalOffset);
    build.records = &loaded.records;
    const PlacementResult built = BuildPlacementScript(build);

    const std::string description = Describe(loaded, built);
    const std::string script = ReadFileBytes(built.scriptPath);
    if (std::getenv("TES_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(data / "expected.txt", std::ios::binary) << description;
        std::ofstream(data / "expected.ms", std::ios::binary) << script;
        GTEST_SKIP() << "wrote the expected files of " << c.folder;
    }
    EXPECT_EQ(description, ReadFileBytes(Utf8FromPath(data / "expected.txt")));
    EXPECT_EQ(script, ReadFileBytes(Utf8FromPath(data / "expected.ms")));
    // The list holds what the file holds, in memory's UTF-8.
    std::string listed;
    for (std::size_t i = 0; i < built.lines.size(); ++i)
        listed += std::string(built.lines[i]) + "\r\n";
    EXPECT_EQ(Utf8ToCp1252(listed), script);
}

INSTANTIATE_TEST_SUITE_P(Cases, EngineGolden, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             std::string name = info.param.folder;
                             std::erase(name, '-');
                             return name;
                         });

} // namespace
} // namespace tes::test
