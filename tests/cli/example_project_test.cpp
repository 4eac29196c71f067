#include "cli_run.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

// The example project, copied so that the scripts land in a temporary folder.
class ExampleProjectTest : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(std::filesystem::path(TES_EXAMPLES_DIR) / "Valley", m_dir.path());
    }
    std::string project() const { return m_dir.file("Valley.prj"); }

    TempDir m_dir;
};

TEST_F(ExampleProjectTest, Info) {
    const CliRun run = RunEnviroScript({"info", project()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "tile format: 5 x 5\n"
                       "grid res: 3.0\n"
                       "heading: 143.1\n"
                       "pitch: 45\n"
                       "rotation angle: 126.9\n"
                       "grid size: 256\n"
                       "object scale: 33.333333\n"
                       "records: 168\n"
                       "vegetation: Vegetation_1:  Pine\n"
                       "vegetation: Vegetation_2:  Birch\n"
                       "vegetation: Vegetation_5:  Oak Tree\n"
                       "vegetation: Vegetation_7:  \n"
                       "vegetation: Vegetation_12:  Fern\n");
}

TEST_F(ExampleProjectTest, BuildAllWritesOneScriptPerKind) {
    const CliRun run = RunEnviroScript({"build", project(), "--all", "--max-file", "C:\\Models\\Pine.max"});
    EXPECT_EQ(run.status, 0) << run.err;
    std::string expected;
    for (const char* nn : {"01", "02", "05", "07", "12"})
        expected += m_dir.file(std::string("Valley_MainVeg_") + nn + ".ms") + "\n";
    EXPECT_EQ(run.out, expected);

    // Kind 5: a header of ten lines, eight for the first object, three for each of 27 copies.
    const std::string script = ReadBytes(m_dir.file("Valley_MainVeg_05.ms"));
    EXPECT_EQ(std::count(script.begin(), script.end(), '\n'), 10 + 8 + 3 * 27);
    EXPECT_NE(script.find("\r\n$Pine.scale = [0.33333333,0.33333333,0.33333333]\r\n"), std::string::npos);
    EXPECT_NE(script.find("\r\nrotate $Pine (angleaxis 126.9 [0,0,1])\r\n"), std::string::npos);
}

} // namespace
} // namespace tes::test
