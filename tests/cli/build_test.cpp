#include "cli/loaded_project.h"
#include "cli_run.h"
#include "core/all_kinds.h"
#include "lib/file_access.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

using Strings = std::vector<std::string>;

// The script of kind 5 of the small project with Max file C:\Models\Pine.max: H = 640, no scaling.
Strings PineScript(const std::string& fileName, const std::string& rotateLine) {
    Strings lines{"-- Tolvane Enviro Scripter for 3dsMax 3.1,  Version: 1.1",
                  "-- Script File Name:  " + fileName,
                  "",
                  "",
                  "-- start of script",
                  "clearlistener()",
                  "",
                  "-- perform merge on first object",
                  "mergeMAXFile \"C:\\MODELS\\PINE.MAX\" #mergeDups #select #noredraw",
                  "",
                  "-- move the first object into position",
                  "max move",
                  "$Pine.pos = [60.000000,40.000000,10.000000]"};
    if (!rotateLine.empty())
        lines.push_back(rotateLine);
    const Strings rest{"",
                       "-- make copies of the original object and move into postion",
                       "",
                       "copy $Pine isSelected:on name:\"Pine01\"",
                       "$Pine01.pos = [-40.000000,-60.000000,2.500000]",
                       ""};
    lines.insert(lines.end(), rest.begin(), rest.end());
    return lines;
}

std::string CrLfFile(const Strings& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

const std::string kPineMax = "C:\\Models\\Pine.max";

TEST(Build, WritesTheScriptNextToTheProjectAndPrintsItsPath) {
    TempDir dir;
    const CliRun run =
        RunEnviroScript({"build", SmallProject().writeTo(dir), "--vegetation", "5", "--max-file", kPineMax});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, dir.file("P_MainVeg_05.ms") + "\n");
    EXPECT_EQ(ReadBytes(dir.file("P_MainVeg_05.ms")),
              CrLfFile(PineScript("P_MainVeg_05.ms", "rotate $Pine (angleaxis 225 [0,0,1])")));
}

// A project in a folder that cannot be written to: the script goes to the folder given.
TEST(Build, OutputDirTakesTheScript) {
    TempDir dir;
    const std::string out = dir.file("out");
    std::filesystem::create_directory(out);
    const CliRun run = RunEnviroScript({"build", SmallProject().writeTo(dir), "--vegetation", "5",
                                        "--max-file", kPineMax, "--output-dir", out});
    EXPECT_EQ(run.status, 0) << run.err;
    // The program joins the folder and the name with the system's separator.
    EXPECT_EQ(run.out, Utf8FromPath(PathFromUtf8(out) / "P_MainVeg_05.ms") + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("P_MainVeg_05.ms")));
}

// The script options reach the engine: the fast shape, instances, and a UTF-8 file.
TEST(Build, ScriptOptionsShapeTheScript) {
    TempDir dir;
    const CliRun run = RunEnviroScript({"build", SmallProject().writeTo(dir), "--vegetation", "5",
                                        "--max-file", kPineMax, "--fast", "--instances", "--utf8"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string script = ReadBytes(dir.file("P_MainVeg_05.ms"));
    EXPECT_TRUE(script.starts_with("\xEF\xBB\xBF-- Tolvane Enviro Scripter")) << script.substr(0, 40);
    EXPECT_NE(script.find("\r\nsrc.pos = [60.000000,40.000000,10.000000]\r\n"), std::string::npos);
    EXPECT_NE(script.find("local c = instance src name:(\"Pine\""), std::string::npos);
}

struct ChoiceCase {
    const char* name;
    Strings options;
    Strings expected; // printed lines
};

class BuildChoiceTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(BuildChoiceTest, PrintsTheScriptWithoutSaving) {
    TempDir dir;
    Strings args{"build", SmallProject().writeTo(dir), "--max-file", kPineMax, "--no-save"};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    const CliRun run = RunEnviroScript(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Lines(run.out), GetParam().expected);
    EXPECT_FALSE(std::filesystem::exists(dir.file("P_MainVeg_05.ms")));
}

const std::string kRotate225 = "rotate $Pine (angleaxis 225 [0,0,1])";

INSTANTIATE_TEST_SUITE_P(
    Options, BuildChoiceTest,
    testing::Values(
        ChoiceCase{"Number", {"--vegetation", "5"}, PineScript("P_MainVeg_05.ms", kRotate225)},
        // A number with leading zeros names the same kind as the list writes it.
        ChoiceCase{"NumberWithZeros", {"--vegetation", "005"}, PineScript("P_MainVeg_05.ms", kRotate225)},
        ChoiceCase{
            "EntryText", {"--vegetation", "Vegetation_5:  Pine"}, PineScript("P_MainVeg_05.ms", kRotate225)},
        // Typed text is taken as it stands: a key in other letters passes the list check.
        ChoiceCase{
            "KeyInOtherCase", {"--vegetation", "vegetation_5"}, PineScript("P_MainVeg_05.ms", kRotate225)},
        ChoiceCase{"NoRotate", {"--vegetation", "5", "--no-rotate"}, PineScript("P_MainVeg_05.ms", "")},
        ChoiceCase{"OwnAngle",
                   {"--vegetation", "5", "--rotation-angle", "45.0"},
                   PineScript("P_MainVeg_05.ms", "rotate $Pine (angleaxis 45.0 [0,0,1])")},
        ChoiceCase{"HeadingAfterLoad",
                   {"--vegetation", "5", "--heading", "90"},
                   PineScript("P_MainVeg_05.ms", "rotate $Pine (angleaxis 180 [0,0,1])")}),
    [](const testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

TEST(Build, ObjectNameAndVerticalAdjustments) {
    TempDir dir;
    const CliRun run = RunEnviroScript({"build", SmallProject().writeTo(dir), "--vegetation", "5",
                                        "--max-file", kPineMax, "--object", "Tree", "--vertical-scale", "2",
                                        "--vertical-offset", "-1", "--no-save"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Strings lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[12], "$Tree.pos = [60.000000,40.000000,19.000000]");
    EXPECT_EQ(lines[18], "$Tree01.pos = [-40.000000,-60.000000,4.000000]");
}

TEST(Build, PerimeterTileNamesThePerimeterScript) {
    TempDir dir;
    SmallProject project;
    project.txt = "9,300,0,400\r\n";
    const CliRun run = RunEnviroScript(
        {"build", project.writeTo(dir), "--perimeter", "--vegetation", "9", "--max-file", kPineMax});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, dir.file("P_PerVeg_09.ms") + "\n");
    EXPECT_TRUE(std::filesystem::exists(dir.file("P_PerVeg_09.ms")));
}

TEST(Build, AllWritesOneScriptPerKindInListOrder) {
    TempDir dir;
    const CliRun run =
        RunEnviroScript({"build", SmallProject().writeTo(dir), "--all", "--max-file", kPineMax});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, dir.file("P_MainVeg_05.ms") + "\n" + dir.file("P_MainVeg_12.ms") + "\n");
    EXPECT_EQ(ReadBytes(dir.file("P_MainVeg_05.ms")),
              CrLfFile(PineScript("P_MainVeg_05.ms", "rotate $Pine (angleaxis 225 [0,0,1])")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("P_MainVeg_12.ms")));
}

// 5 and 05 are two values of the environment file but one kind of the list: built once.
TEST(Build, AllSkipsAKindListedTwice) {
    TempDir dir;
    SmallProject project;
    project.txt = "5,600,10,700\r\n05,640,0,640\r\n12,520,0,530\r\n";
    const CliRun run =
        RunEnviroScript({"build", project.writeTo(dir), "--all", "--max-file", kPineMax, "--no-save"});
    EXPECT_EQ(run.status, 0) << run.err;
    const Strings lines = Lines(run.out);
    const auto count = std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.starts_with("-- Script File Name:");
    });
    EXPECT_EQ(count, 2);
    EXPECT_EQ(lines.at(1), "-- Script File Name:  P_MainVeg_05.ms");
    EXPECT_EQ(lines.back(), "") << "the script of kind 12 ends the output";
}

struct FailureCase {
    const char* name;
    SmallProject project;
    Strings options;
    std::string err;
};

class BuildFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(BuildFailureTest, ShowsTheMessageAndFails) {
    TempDir dir;
    Strings args{"build", GetParam().project.writeTo(dir)};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    const CliRun run = RunEnviroScript(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, GetParam().err);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("P_MainVeg_05.ms")));
}

SmallProject NoKinds() {
    SmallProject p;
    p.txt = "7,100,0,100\r\n";
    return p;
}

SmallProject NoTxt() {
    SmallProject p;
    p.writeTxt = false;
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Checks, BuildFailureTest,
    testing::Values(FailureCase{"NoMaxFile", {}, {"--vegetation", "5"}, "Please specify a Max file\n"},
                    FailureCase{"NoMaxFileWithAll", {}, {"--all"}, "Please specify a Max file\n"},
                    FailureCase{"EmptyObjectName",
                                {},
                                {"--vegetation", "5", "--max-file", "x.max", "--object", ""},
                                "Please specify a Max object name\n"},
                    FailureCase{"EmptyKind",
                                {},
                                {"--vegetation", "", "--max-file", "x.max"},
                                "Please select a vegetation to process\n"},
                    FailureCase{"UnlistedNumber",
                                {},
                                {"--vegetation", "42", "--max-file", "x.max"},
                                "Please select only from the Vegetation List\n"
                                "The kinds on this tile: 5 Pine, 12 Oak\n"},
                    FailureCase{"UnlistedNumberWithoutMaxFile",
                                {},
                                {"--vegetation", "99"},
                                "Please select only from the Vegetation List\n"
                                "The kinds on this tile: 5 Pine, 12 Oak\n"},
                    FailureCase{"KeyWithTrailingBlank",
                                {},
                                {"--vegetation", "Vegetation_5 ", "--max-file", "x.max"},
                                "Please select only from the Vegetation List\n"
                                "The kinds on this tile: 5 Pine, 12 Oak\n"},
                    FailureCase{"AllWithoutKinds",
                                NoKinds(),
                                {"--all", "--max-file", "x.max"},
                                "Please select a vegetation to process\n"},
                    FailureCase{"MissingTxt",
                                NoTxt(),
                                {"--vegetation", "5", "--max-file", "x.max"},
                                "No Tolvane TXT environment file found!!\n"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST(Build, ScriptThatCannotBeWrittenFails) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    std::filesystem::create_directory(dir.file("P_MainVeg_05.ms")); // a folder stands in the way
    const CliRun run = RunEnviroScript({"build", prj, "--vegetation", "5", "--max-file", kPineMax});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.starts_with("Unexpected error in BuildScript \n\n")) << run.err;
    EXPECT_EQ(run.out, "");
}

// --join writes what Process All's join box writes: the engine's run of every kind, joined into the
// file Process All names. The joined files are printed after the kinds' own.
TEST(Build, JoinWritesTheJoinedFilesOfTheEnginesRun) {
    TempDir dir;
    cli::LoadOptions load;
    load.project = SmallProject().writeTo(dir);
    const CliRun run = RunEnviroScript(
        {"build", load.project, "--all", "--fast", "--cache", "both", "--join", "--max-file", kPineMax});
    ASSERT_EQ(run.status, 0) << run.err;
    const Strings joined{dir.file("P_MainVeg_All.ms"), dir.file("P_MainVeg_All.prt"),
                         dir.file("P_MainVeg_All.csv")};
    const Strings printed = Lines(run.out); // kinds 5 and 12: a script and two caches each, then the joined
    ASSERT_EQ(printed.size(), 9u) << run.out;
    EXPECT_EQ(Strings(printed.begin() + 6, printed.end()), joined);
    Strings written;
    for (const std::string& path : joined)
        written.push_back(ReadBytes(path));

    FakePlatform platform;
    const cli::LoadedProject loaded = cli::LoadWithOptions(load, platform);
    AllKindsRequest request;
    request.options = cli::PlacementOptionsOf(loaded);
    request.records = &loaded.load.records;
    request.recordLines = &loaded.load.recordLines;
    request.kinds = loaded.load.kinds.kinds;
    request.fallbackMaxFile = kPineMax;
    request.options.style = {ScriptShape::Fast, false, false, PointCache::Both};
    request.joinInto = joined[0];
    const AllKindsResult engine = BuildAllKinds(request);
    EXPECT_EQ(engine.joinedPath, joined[0]);
    EXPECT_EQ(engine.joinedCachePaths, Strings(joined.begin() + 1, joined.end()));
    for (std::size_t i = 0; i < joined.size(); ++i)
        EXPECT_EQ(ReadBytes(joined[i]), written[i]) << joined[i];
}

} // namespace
} // namespace tes::test
