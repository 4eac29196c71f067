#include "cli_run.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

using Strings = std::vector<std::string>;

// Records at the tile's edges: 7 stands just outside the main tile and inside the perimeter tile, and
// 9 only on the perimeter tile, whose kind has no name in the definitions file.
SmallProject EdgeProject() {
    SmallProject project;
    project.txt = "5,600,10,700\r\n12,520,0,530\r\n7,500,0,500\r\n5,700,2.5,600\r\n9,300,0,400\r\n";
    return project;
}

Strings InfoLines(const std::string& tile, const std::string& grid, const std::string& heading,
                  const std::string& angle, const std::string& gridSize, const std::string& scale,
                  const std::string& records, const Strings& kinds) {
    Strings lines{"tile format: " + tile,     "grid res: " + grid,
                  "heading: " + heading,      "pitch: 45",
                  "rotation angle: " + angle, "grid size: " + gridSize,
                  "object scale: " + scale,   "records: " + records};
    for (const std::string& kind : kinds)
        lines.push_back("vegetation: " + kind);
    return lines;
}

struct InfoCase {
    const char* name;
    Strings options;
    Strings expected;
};

class InfoTest : public testing::TestWithParam<InfoCase> {};

TEST_P(InfoTest, PrintsTheFieldsAfterTheLoad) {
    TempDir dir;
    Strings args{"info", EdgeProject().writeTo(dir)};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    const CliRun run = RunEnviroScript(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Lines(run.out), GetParam().expected);
}

const Strings kMainKinds{"Vegetation_5:  Pine", "Vegetation_12:  Oak"};

INSTANTIATE_TEST_SUITE_P(
    LoadOptions, InfoTest,
    testing::Values(
        InfoCase{"Defaults", {}, InfoLines("5 x 5", "1", "45", "225", "256", "100.000000", "3", kMainKinds)},
        InfoCase{"Perimeter",
                 {"--perimeter"},
                 InfoLines("5 x 5", "1", "45", "225", "256", "100.000000", "2",
                           {"Vegetation_7:  ", "Vegetation_9:  "})},
        InfoCase{"Overlap",
                 {"--overlap", "20"},
                 InfoLines("5 x 5", "1", "45", "225", "256", "100.000000", "4",
                           {"Vegetation_5:  Pine", "Vegetation_7:  ", "Vegetation_12:  Oak"})},
        // The typed grid size is checked as the field is left: 2.5 becomes 2 (half to even).
        InfoCase{"GridSize",
                 {"--grid-size", "2.5"},
                 InfoLines("5 x 5", "1", "45", "225", "2", "0.781250", "3", kMainKinds)},
        InfoCase{"ObjectScale",
                 {"--object-scale", "50"},
                 InfoLines("5 x 5", "1", "45", "225", "128", "50.000000", "3", kMainKinds)},
        InfoCase{"RotationAngle",
                 {"--rotation-angle", "30.50"},
                 InfoLines("5 x 5", "1", "45", "30.50", "256", "100.000000", "3", kMainKinds)},
        InfoCase{"Heading",
                 {"--heading", "90.0"},
                 InfoLines("5 x 5", "1", "90", "180", "256", "100.000000", "3", kMainKinds)},
        InfoCase{"HeadingAtItsBound",
                 {"--heading", "359.9"},
                 InfoLines("5 x 5", "1", "359.9", "-89.9", "256", "100.000000", "3", kMainKinds)},
        // Without the sun rule the typed angle stays whatever the heading.
        InfoCase{"HeadingWithOwnAngle",
                 {"--heading", "90", "--rotation-angle", "30"},
                 InfoLines("5 x 5", "1", "90", "30", "256", "100.000000", "3", kMainKinds)},
        // Switching rotation off leaves the sun box checked, so the load still sets the angle.
        InfoCase{"NoRotate",
                 {"--no-rotate"},
                 InfoLines("5 x 5", "1", "45", "225", "256", "100.000000", "3", kMainKinds)}),
    [](const testing::TestParamInfo<InfoCase>& info) { return info.param.name; });

TEST(Records, PrintsTheKeptLinesInFileOrder) {
    TempDir dir;
    SmallProject project;
    project.txt = "heading without commas\r\n5,600,10,700,extra\r\n7,100,0,100\r\n12,520,0,530";
    const CliRun run = RunEnviroScript({"records", project.writeTo(dir)});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "5,600,10,700,extra\n12,520,0,530\n");
}

struct LoadMessageCase {
    const char* name;
    const char* command;
    SmallProject project;
    int status;
    std::string err;
    bool printsOutput;
};

class LoadMessageTest : public testing::TestWithParam<LoadMessageCase> {};

TEST_P(LoadMessageTest, ReportsMessagesAndTheirStatus) {
    TempDir dir;
    const LoadMessageCase& c = GetParam();
    const CliRun run = RunEnviroScript({c.command, c.project.writeTo(dir)});
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out.empty(), !c.printsOutput) << run.out;
}

SmallProject WithoutTxt() {
    SmallProject p;
    p.writeTxt = false;
    return p;
}

SmallProject WithoutScene() {
    SmallProject p;
    p.scn = "";
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Load, LoadMessageTest,
    testing::Values(LoadMessageCase{"InfoWithoutTxt", "info", WithoutTxt(), 1,
                                    "No Tolvane TXT environment file found!!\n", false},
                    LoadMessageCase{"RecordsWithoutTxt", "records", WithoutTxt(), 1,
                                    "No Tolvane TXT environment file found!!\n", false},
                    // Notes that let the load go on do not make it fail.
                    LoadMessageCase{
                        "InfoWithoutScene", "info", WithoutScene(), 0,
                        "Cannot determine TerrainWidth value from project files.  Using default...\n"
                        "Cannot determine TerrainWidthScale value from project files.  Using default...\n"
                        "Error reading Sun Location(Light2) in SCN file. Using default...\n",
                        true}),
    [](const testing::TestParamInfo<LoadMessageCase>& info) { return info.param.name; });

// A typed path that names no file is named as such, not as a missing environment file.
TEST(Info, AProjectFileThatDoesNotExistIsNamed) {
    const CliRun run = RunEnviroScript({"info", "nope/Nope.prj"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The project file nope/Nope.prj does not exist.\n");
}

// A reader's unexpected failure lets the load go on, so what was read is printed, but it is a failure.
TEST(Info, UnexpectedReaderFailureFails) {
    TempDir dir;
    SmallProject project;
    project.scn = "[Environment]\r\nTerrainWidth=1e20\r\n";
    const CliRun run = RunEnviroScript({"info", project.writeTo(dir)});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.starts_with("Unexpected error in GetProjectInfo: ")) << run.err;
    EXPECT_TRUE(run.out.starts_with("tile format: ")) << run.out;
}

TEST(Info, RelativeProjectPathLoadsFromItsFolder) {
    TempDir dir;
    SmallProject().writeTo(dir);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const CliRun run = RunEnviroScript({"info", "P.prj"});
    std::filesystem::current_path(before);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Lines(run.out).at(7), "records: 3");
}

} // namespace
} // namespace tes::test
