#include "cli/cli_app.h"
#include "cli_run.h"
#include "picture/preview_png.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tes::test {
namespace {

using Strings = std::vector<std::string>;

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    std::string err = {}; // how the message begins, after the program's name
};

const std::string kNoTable = "--kinds: File does not exist: no.ini\n";

class UsageErrorTest : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrorTest, ExitsWithTwoAndAShortUsage) {
    const CliRun run = RunEnviroScript(GetParam().args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with("enviro-script: " + GetParam().err)) << run.err;
    EXPECT_NE(run.err.find("Usage:\n  enviro-script info    PROJECT.prj [load options]\n"), std::string::npos)
        << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UsageErrorTest,
    testing::Values(
        UsageCase{"NoCommand", {}}, UsageCase{"UnknownCommand", {"show", "x.prj"}},
        UsageCase{"UnknownOption", {"info", "x.prj", "--colour"}}, UsageCase{"MissingProject", {"info"}},
        UsageCase{"EmptyProject", {"records", ""}}, UsageCase{"TwoProjects", {"info", "a.prj", "b.prj"}},
        UsageCase{"MissingValue", {"info", "x.prj", "--overlap"}},
        UsageCase{"OptionTwice", {"info", "x.prj", "--overlap", "1", "--overlap", "2"}},
        // The window's heading field takes five characters.
        UsageCase{"HeadingTooLong", {"info", "x.prj", "--heading", "359.95"}},
        UsageCase{"GridSizeTooLong", {"info", "x.prj", "--grid-size", "12345"}},
        UsageCase{"BuildWithoutKind", {"build", "x.prj", "--max-file", "a.max"}},
        UsageCase{"BuildWithKindAndAll", {"build", "x.prj", "--vegetation", "5", "--all"}},
        UsageCase{"BuildOptionOnInfo", {"info", "x.prj", "--max-file", "a.max"}},
        UsageCase{"CombineWithoutInput", {"combine", "out.ms"}},
        // Each option is read as the kinds table reads its key; a table that is not
        // there is refused alike by every command that takes one.
        UsageCase{"SeedTooLarge", {"build", "x.prj", "--all", "--seed", "9223372036854775808"}, "--seed: 9"},
        UsageCase{"SeedLetters", {"kinds", "x.prj", "--seed", "abc"}, "--seed: abc is not"},
        UsageCase{"TurnTypo", {"kinds", "x.prj", "--set", "5", "--turn", "1:O"}, "--turn: 1:O is"},
        UsageCase{"KindsMissing", {"kinds", "x.prj", "--kinds", "no.ini"}, kNoTable},
        UsageCase{"KeepAbove100", {"kinds", "x.prj", "--set", "5", "--keep", "100.5"}, "--keep: 100.5 is"},
        UsageCase{"FarWithoutView", {"build", "x.prj", "--all", "--far", "10"}, "--far: applies"},
        UsageCase{
            "ViewLooksNowhere", {"preview", "x.prj", "--png", "a.png", "--view", "1,1:1,1"}, "--view: 1,1"},
        UsageCase{"ViewNoTarget", {"build", "x.prj", "--all", "--view", "1,1"}, "--view: 1,1 is not"},
        UsageCase{
            "AddedViewLooksNowhere", {"kinds", "x.prj", "--add-view", "1,1:1,1"}, "--add-view: 1,1:1,1: "},
        UsageCase{"TwoOnlyViews",
                  {"kinds", "x.prj", "--view", "0,0:1,0", "--view", "0,0:0,1"},
                  "--view: takes one view; use --add-view for more\n"},
        UsageCase{"NoFarModel",
                  {"kinds", "x.prj", "--set", "5", "--far-model"},
                  "--far-model: has no value; it takes FILE|OBJECT\n"},
        UsageCase{"FarModelTwoBars",
                  {"kinds", "x.prj", "--set", "5", "--far-model", "a.max|b|c"},
                  "--far-model: a.max|b|c is not FILE|OBJECT: it has more than one |\n"},
        UsageCase{
            "SetKindZero", {"kinds", "x.prj", "--set", "00"}, "--set: must be a kind's number, 1 or more\n"},
        UsageCase{"BuildKindsMissing", {"build", "x.prj", "--all", "--kinds", "no.ini"}, kNoTable}),
    [](const testing::TestParamInfo<UsageCase>& info) { return info.param.name; });

TEST(Usage, VersionPrintsTheProgramAndVersion) {
    const CliRun run = RunEnviroScript({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "enviro-script 1.1\n");
    EXPECT_EQ(run.err, "");
}

TEST(Usage, HelpDescribesEveryCommandAndOption) {
    const CliRun top = RunEnviroScript({"--help"});
    EXPECT_EQ(top.status, 0);
    EXPECT_EQ(top.err, "");
    for (const char* word : {"info", "records", "build", "combine", "--version"})
        EXPECT_NE(top.out.find(word), std::string::npos) << word;

    const CliRun build = RunEnviroScript({"build", "--help"});
    EXPECT_EQ(build.status, 0);
    for (const char* option :
         {"--perimeter", "--overlap", "--grid-size", "--object-scale", "--rotation-angle", "--no-rotate",
          "--heading", "--vegetation", "--all", "--max-file", "--object", "--vertical-scale",
          "--vertical-offset", "--no-save"})
        EXPECT_NE(build.out.find(option), std::string::npos) << option;
    EXPECT_NE(RunEnviroScript({"preview", "--help"}).out.find("pixels, each side from 64 to 16384"),
              std::string::npos);
}

// Each option shows one placeholder for what it takes, without the parser's own additions: its checks'
// names ("FILE:FILE", "{prt,csv,both}", "in [1 - 1000000]"), the type it stores, what it needs or excludes.
class HelpTextTest : public testing::TestWithParam<std::string> {};

TEST_P(HelpTextTest, ShowsOnlyWhatEachOptionTakes) {
    const std::string& command = GetParam();
    const CliRun run = RunEnviroScript(command == "program" ? Strings{"--help"} : Strings{command, "--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* leftover :
         {":{", "FILE:FILE", "DIR:DIR", "TEXT", "UINT", "INT", "FLOAT", "Excludes", "Needs", " in ["})
        EXPECT_EQ(run.out.find(leftover), std::string::npos) << leftover << " in\n" << run.out;
}

INSTANTIATE_TEST_SUITE_P(Commands, HelpTextTest,
                         testing::Values("program", "info", "records", "build", "kinds", "preview",
                                         "combine"));

// A value that starts with a minus sign is a value, not an option.
TEST(Usage, NegativeNumbersAreValues) {
    TempDir dir;
    const CliRun run = RunEnviroScript({"info", SmallProject().writeTo(dir), "--rotation-angle", "-10"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("rotation angle: -10\n"), std::string::npos) << run.out;
}

// A result that could not be written in full must not look like success.
TEST(Output, UnwritableOutputFails) {
    std::ostream out(nullptr); // every write fails
    std::ostringstream err;
    const char* argv[] = {"enviro-script", "--version"};
    EXPECT_EQ(cli::RunCli(2, argv, out, err), 1);
    EXPECT_EQ(err.str(), "enviro-script: cannot write the output\n");
}

// The reason a picture cannot be written is in lower case, as in the other messages.
TEST(Output, UnwritablePictureSaysWhy) {
    if (!CanDrawPreviewPictures())
        GTEST_SKIP() << "this build cannot draw pictures";
    TempDir dir;
    const std::string png = dir.file("none") + "/P.png";
    const CliRun run = RunEnviroScript({"preview", SmallProject().writeTo(dir), "--png", png});
    EXPECT_EQ(run.err, "Cannot write the picture " + png + ": path not found\n");
}

} // namespace
} // namespace tes::test
