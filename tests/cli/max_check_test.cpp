#include "cli_run.h"
#include "lib/fields.h"
#include "lib/file_access.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace tes::test {
namespace {

// max-check prints every file it writes: the project, the scripts, the test script and its README. The
// scripts are those build writes from the same project.
TEST(MaxCheck, WritesTheProjectTheEnginesScriptsAndTheTest) {
    TempDir dir;
    const std::string folder = dir.file("check");
    const CliRun run = RunEnviroScript({"max-check", folder});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> printed = Lines(run.out);
    for (const char* name : {"MaxCheck.prj", "MaxCheck.tes.ini", "MaxCheck_MainVeg_All.ms",
                             "MaxCheck_UTF8_MainVeg_All.ms", "MaxCheck_Test.ms", "README.txt"})
        EXPECT_NE(std::find(printed.begin(), printed.end(), JoinPath(folder, name)), printed.end()) << name;
    for (const std::string& file : printed)
        EXPECT_TRUE(IsRegularFile(file)) << file;

    const std::string again = dir.file("again");
    std::filesystem::create_directory(again);
    const CliRun build = RunEnviroScript(
        {"build", JoinPath(folder, "MaxCheck.prj"), "--all", "--fast", "--join", "--output-dir", again});
    ASSERT_EQ(build.status, 0) << build.err;
    for (const char* name : {"MaxCheck_MainVeg_01.ms", "MaxCheck_MainVeg_02.ms", "MaxCheck_MainVeg_03.ms",
                             "MaxCheck_MainVeg_04.ms", "MaxCheck_MainVeg_05.ms", "MaxCheck_MainVeg_All.ms"})
        EXPECT_EQ(ReadBytes(JoinPath(folder, name)), ReadBytes(JoinPath(again, name))) << name;
    EXPECT_TRUE(ReadBytes(JoinPath(folder, "MaxCheck_UTF8_MainVeg_All.ms")).starts_with("\xEF\xBB\xBF"));
}

// A folder that cannot be made is refused as a wrong argument is, and nothing is printed.
TEST(MaxCheck, AFolderThatCannotBeMadeIsRefused) {
    TempDir dir;
    const std::string taken = dir.write("taken", "a file");
    const CliRun run = RunEnviroScript({"max-check", JoinPath(taken, "check")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("The 3ds Max check cannot be written into " + JoinPath(taken, "check")),
              std::string::npos)
        << run.err;
}

} // namespace
} // namespace tes::test
