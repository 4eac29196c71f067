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
};

const ShapeCase kCases[] = {
    {"example-classic", {}},
    {"example-fast", {ScriptShape::Fast, false, false}},
    {"example-fast-instances-utf8", {ScriptShape::Fast, true, true}},
};

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
