#include "cli_run.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

struct CombineCase {
    const char* name;
    std::vector<std::string> inputs; // file contents, in the order given
    std::string expected;
};

class CombineTest : public testing::TestWithParam<CombineCase> {};

TEST_P(CombineTest, WritesWhatSaveAsWritesAfterAddingEachFile) {
    TempDir dir;
    std::vector<std::string> args{"combine", dir.file("all.ms")};
    for (std::size_t i = 0; i < GetParam().inputs.size(); ++i)
        args.push_back(dir.write("in" + std::to_string(i) + ".ms", GetParam().inputs[i]));
    const CliRun run = RunEnviroScript(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadBytes(dir.file("all.ms")), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CombineTest,
    testing::Values(
        CombineCase{"TwoScripts", {"a\r\nb\r\n", "c\r\n"}, "a\r\nb\r\n\r\n\r\nc\r\n\r\n\r\n"},
        // A lone CR ends a line; a lone LF is an ordinary character and stays inside its line.
        CombineCase{"LineEnds", {"one\rtwo\nstill two\r\nlast"}, "one\r\ntwo\nstill two\r\nlast\r\n\r\n\r\n"},
        CombineCase{"EmptyFileAndBlanksKept", {"", "\t  x  \r\n"}, "\r\n\r\n\t  x  \r\n\r\n\r\n"},
        CombineCase{"EightBitText", {"-- \xE9t\xE9\r\n"}, "-- \xE9t\xE9\r\n\r\n\r\n"}),
    [](const testing::TestParamInfo<CombineCase>& info) { return info.param.name; });

TEST(Combine, MissingInputFailsAndLeavesTheOutputAlone) {
    TempDir dir;
    const std::string out = dir.write("all.ms", "old\r\n");
    const std::string a = dir.write("a.ms", "a\r\n");
    const CliRun run = RunEnviroScript({"combine", out, a, dir.file("missing.ms")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The script " + dir.file("missing.ms") + " does not exist.\n");
    EXPECT_EQ(ReadBytes(out), "old\r\n");
}

TEST(Combine, UnwritableOutputFails) {
    TempDir dir;
    const std::string a = dir.write("a.ms", "a\r\n");
    const CliRun run = RunEnviroScript({"combine", dir.file("no/such/folder/all.ms"), a});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.starts_with("Unexpected error in btnSaveAs \n\n")) << run.err;
}

} // namespace
} // namespace tes::test
