// The script of each shape for the example project, byte for byte as tests/data/<case>/expected.ms
// holds it. The classic case builds with the style left alone: with the new options off the script
// is the one the program always wrote. TES_UPDATE_GOLDEN=1 writes the files anew instead (look at
// the difference before committing it).
#include "core/load_project.h"
#include "core/script/placement_script.h"
#include "lib/file_access.h"
#include "support/loaded_fields.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace tes::test {
namespace {

struct ShapeCase {
    const char* folder;
    ScriptStyle style;
    bool areas = false; // the kind grows only where the areas, its height limits and a view keep it
};

const ShapeCase kCases[] = {
    {"example-classic", {}},
    {"example-fast", {ScriptShape::Fast, false, false}},
    {"example-fast-instances-utf8", {ScriptShape::Fast, true, true}},
    {"example-areas", {}, true},
};

// A house cleared with a soft edge, a road, an area that holds the kind and one that would hold only
// kind 7, the kind between two heights, and a view that keeps 60 % of what it sees.
void SetAreas(PlacementOptions& o) {
    using enum AreaMode;
    o.areas = {{{{60, 60}, {130, 60}, {130, 130}, {60, 130}}, {}, exclude, {}, 20},
               {{{-130, 0}, {0, 0}, {130, -4}}, 12.0, exclude, {}, 0},
               {{{-80, -125}, {135, -125}, {135, 130}, {-80, 130}}, {}, include, {"5"}, 0},
               {{{0, 0}, {1, 0}, {0, 1}}, {}, include, {"7"}, 0}};
    o.plants.heights = {12.0, 130.0};
    o.views = {{{0, -400}, {0, 0}, 30}};
    o.plants.thinning.keep = 60;
}

class ScriptShapeGolden : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ScriptShapeGolden, WritesTheExampleScriptAsExpected) {
    const ShapeCase& c = GetParam();
    TempDir dir;
    const std::filesystem::path example = std::filesystem::path(TES_EXAMPLES_DIR) / "Valley";
    std::filesystem::copy(example, dir.path());

    LoadRequest load;
    load.projectPath = Utf8FromPath(dir.path() / "Valley.prj");
    const LoadResult loaded = LoadProject(load);

    PlacementRequest build;
    PlacementOptions& o = build.options;
    o.kindNumber = "5";
    o.maxFile = R"(C:\Models\Oak Tree.max)";
    o.objectName = "Oak Tree";
    TakeLoadedFields(loaded, o);
    o.style = c.style;
    if (c.areas)
        SetAreas(o);
    build.records = &loaded.records;
    const PlacementResult built = BuildPlacementScript(build);
    ASSERT_EQ(built.outcome, BuildOutcome::Built);

    const std::string script = ReadBytes(built.scriptPath);
    const std::filesystem::path expected =
        std::filesystem::path(TES_TEST_DATA_DIR) / c.folder / "expected.ms";
    if (std::getenv("TES_UPDATE_GOLDEN") != nullptr) {
        std::filesystem::create_directories(expected.parent_path());
        std::ofstream(expected, std::ios::binary) << script;
        GTEST_SKIP() << "wrote " << expected;
    }
    EXPECT_EQ(script, ReadBytes(expected.string()));
}

INSTANTIATE_TEST_SUITE_P(Shapes, ScriptShapeGolden, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ShapeCase>& info) {
                             std::string name = info.param.folder;
                             std::erase(name, '-');
                             return name;
                         });

} // namespace
} // namespace tes::test
