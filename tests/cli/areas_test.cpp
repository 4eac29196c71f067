#include "cli_run.h"
#include "lib/file_access.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

using Strings = std::vector<std::string>;

// `kinds` adds, lists and removes the project's areas in the kinds table; values refused name their
// option with the status of wrong arguments, and leave the table as it was.
TEST(Areas, KindsAddsListsAndRemovesThem) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    const std::string table = dir.write("P.tes.ini", "[Vegetation_5]\r\nMaxFile=C:\\M\\Pine.max\r\n");
    const auto areasOf = [&prj] {
        const std::string out = RunEnviroScript({"kinds", prj}).out;
        const std::size_t at = out.find("area\t");
        return at == std::string::npos ? std::string() : out.substr(at);
    };
    EXPECT_EQ(
        RunEnviroScript({"kinds", prj, "--area", "0,0 10,0 10,10", "--falloff", "2", "--area-kinds", "05"})
            .status,
        0);
    EXPECT_EQ(RunEnviroScript(
                  {"kinds", prj, "--area", "-5,0 5,0", "--area", "0,20 0,30", "--width", "4", "--include"})
                  .status,
              0);
    EXPECT_EQ(areasOf(), "area\t1\t0,0 10,0 10,10\tclosed\texclude\tkinds 5\tfalloff 2\n"
                         "area\t2\t-5,0 5,0\twidth 4\tinclude\tkinds all\tfalloff 0\n"
                         "area\t3\t0,20 0,30\twidth 4\tinclude\tkinds all\tfalloff 0\n");
    const std::string three = ReadBytes(table);
    const struct {
        Strings options;
        int status;
        std::string err;
    } refusals[] = {
        {{"--width", "4"}, 2, "--width: applies to an area given with it (--area, --areas-from)"},
        {{"--area", "0,0 x 1,1"}, 2, "--area: 0,0 x 1,1 has a point, \"x\", that is not X,Y"},
        {{"--no-area", "0"}, 2, "--no-area: 0 is no area's number"},
        {{"--no-area", "1", "--no-areas"}, 2, "--no-area excludes --no-areas"},
        {{"--no-area", "4"}, 1, "There is no area 4 in P.tes.ini; it has 3."},
    };
    for (const auto& refusal : refusals) {
        Strings args{"kinds", prj};
        args.insert(args.end(), refusal.options.begin(), refusal.options.end());
        const CliRun run = RunEnviroScript(args);
        EXPECT_EQ(run.status, refusal.status) << refusal.err;
        EXPECT_NE(run.err.find(refusal.err), std::string::npos) << run.err;
        EXPECT_EQ(ReadBytes(table), three);
    }
    EXPECT_EQ(RunEnviroScript({"kinds", prj, "--no-area", "2"}).status, 0);
    EXPECT_EQ(areasOf(), "area\t1\t0,0 10,0 10,10\tclosed\texclude\tkinds 5\tfalloff 2\n"
                         "area\t2\t0,20 0,30\twidth 4\tinclude\tkinds all\tfalloff 0\n");
    EXPECT_EQ(RunEnviroScript({"kinds", prj, "--no-areas"}).status, 0);
    EXPECT_EQ(ReadBytes(table), "[Vegetation_5]\r\nMaxFile=C:\\M\\Pine.max\r\n");
}

// An area that cannot be read stops the kinds it may act on, unless the run sets the areas aside.
TEST(Areas, AnUnreadableAreaStopsItsKindsBuild) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    dir.write("P.tes.ini",
              "[Vegetation_5]\r\nMaxFile=C:\\M\\Pine.max\r\n[Area1]\r\nPoints=0,0 x\r\nKinds=5\r\n");
    const CliRun refused = RunEnviroScript({"build", prj, "--vegetation", "5", "--no-save"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Area1: Points=0,0 x in P.tes.ini has a point, \"x\", that is not X,Y"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(RunEnviroScript({"build", prj, "--vegetation", "5", "--no-save", "--no-areas"}).status, 0);
    const CliRun other =
        RunEnviroScript({"build", prj, "--vegetation", "12", "--no-save", "--max-file", "a.max"});
    EXPECT_EQ(other.status, 0) << other.err;
}

} // namespace
} // namespace tes::test
