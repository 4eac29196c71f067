#include "cli_run.h"
#include "lib/file_access.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

// The lines the 3ds Max snippet of docs/areas.md prints for a closed house, an open road and a shape
// of two splines become one area each, with the other area options applying to every one.
TEST(AreasFrom, TakesEveryLineTheShapeSnippetWrites) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    dir.write("P.tes.ini", "[Vegetation_5]\r\nMaxFile=C:\\M\\Pine.max\r\n");
    const std::string shapes =
        dir.write("shapes.txt", "\xEF\xBB\xBF# House, road, pond with its island\r\n"
                                "--area \"120.000,-40.000 180.000,-40.000 180.000,10.000 120.000,10.000\"\r\n"
                                "\r\n"
                                "  --area \"-500.000,60.000 0.000,75.500 400.000,30.000\" --width 12.000\r\n"
                                "--area \"0.000,0.000 30.000,0.000 30.000,30.000\"\n"
                                "--area \"10.000,10.000 20.000,10.000\"\t--width\t0.500");
    const CliRun run = RunEnviroScript(
        {"kinds", prj, "--areas-from", shapes, "--width", "3", "--area-kinds", "5", "--falloff", "2"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string out = RunEnviroScript({"kinds", prj}).out;
    EXPECT_EQ(out.substr(out.find("area\t")),
              "area\t1\t120,-40 180,-40 180,10 120,10\twidth 3\texclude\tkinds 5\tfalloff 2\n"
              "area\t2\t-500,60 0,75.5 400,30\twidth 12\texclude\tkinds 5\tfalloff 2\n"
              "area\t3\t0,0 30,0 30,30\twidth 3\texclude\tkinds 5\tfalloff 2\n"
              "area\t4\t10,10 20,10\twidth 0.5\texclude\tkinds 5\tfalloff 2\n");
}

// A line that cannot be read ends the command with the status of wrong arguments, naming the file,
// the line's number, its text and why; the lines before it are not added either.
TEST(AreasFrom, RefusesALineItCannotReadAndWritesNothing) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    const std::string table = dir.write("P.tes.ini", "[Vegetation_5]\r\nMaxFile=C:\\M\\Pine.max\r\n");
    const std::string good = "--area \"0,0 10,0 10,10\"\n";
    const struct {
        std::string text;
        std::string why;
    } refusals[] = {
        {good + "--area \"0,0 x 1,1\"",
         "line 2: --area \"0,0 x 1,1\": \"0,0 x 1,1\" has a point, \"x\", that is not X,Y"},
        {good + "area \"0,0 1,1\"",
         "line 2: area \"0,0 1,1\": is not --area \"X,Y X,Y ...\" with an optional --width W"},
        {good + "--area \"0,0 1,1 2,0",
         "line 2: --area \"0,0 1,1 2,0: has no closing quote after the points"},
        {good + "--area \"0,0 1,1\" --width 2 --include",
         "line 2: --area \"0,0 1,1\" --width 2 --include: is not"},
        {good + "\n--area \"0,0 10,0\"",
         "line 3: --area \"0,0 10,0\": a closed area needs three points or more (give a Width for a line)"},
        {"# nothing yet\n", "holds no area"},
        {"", "cannot be read: file not found"}, // no file
    };
    for (const auto& refusal : refusals) {
        const std::string file =
            refusal.text.empty() ? dir.file("none.txt") : dir.write("areas.txt", refusal.text);
        const CliRun run = RunEnviroScript({"kinds", prj, "--areas-from", file});
        EXPECT_EQ(run.status, 2) << refusal.why;
        EXPECT_NE(run.err.find("--areas-from: " + file + " " + refusal.why), std::string::npos) << run.err;
        EXPECT_EQ(ReadBytes(table), "[Vegetation_5]\r\nMaxFile=C:\\M\\Pine.max\r\n");
    }
}

} // namespace
} // namespace tes::test
