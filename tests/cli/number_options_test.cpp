// Numeric options are refused, before anything is read or written, when they are not wholly a number
// or lie outside the range their help states; the window's fields read such text as 0 instead.
#include "cli_run.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

struct NumberCase {
    const char* option;
    const char* value;
    const char* refusal; // empty: accepted
};

class NumberOptionTest : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberOptionTest, IsRefusedOrAccepted) {
    const NumberCase& c = GetParam();
    TempDir dir;
    const CliRun run = RunEnviroScript({"build", SmallProject().writeTo(dir), "--vegetation", "5",
                                        "--max-file", "C:\\M\\Pine.max", c.option, c.value});
    if (*c.refusal == '\0') {
        EXPECT_EQ(run.status, 0) << run.err;
        return;
    }
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.starts_with(std::string("enviro-script: ") + c.option + ": " + c.value + " " +
                                    c.refusal + "\n"))
        << run.err;
    EXPECT_EQ(dir.entries().size(), 4u) << "nothing written beside P.prj, .txt, .scn and .est";
}

INSTANTIATE_TEST_SUITE_P(
    Options, NumberOptionTest,
    testing::Values(
        NumberCase{"--overlap", "1,5", "is not a number of 0 or more"},
        NumberCase{"--overlap", "-500", "is not a number of 0 or more"}, NumberCase{"--overlap", "0", ""},
        NumberCase{"--overlap", "1e2", ""}, NumberCase{"--grid-size", "abc", "is not a number of 1 or more"},
        NumberCase{"--grid-size", "0.9", "is not a number of 1 or more"}, NumberCase{"--grid-size", "1", ""},
        NumberCase{"--grid-size", "1e3", ""},
        NumberCase{"--object-scale", "-5", "is not a number of 0.1 or more"},
        NumberCase{"--object-scale", "0.09", "is not a number of 0.1 or more"},
        NumberCase{"--object-scale", "0.1", ""}, NumberCase{"--object-scale", "5E1", ""},
        NumberCase{"--heading", "400", "is not a number from 0 to 359.9"},
        NumberCase{"--heading", "360", "is not a number from 0 to 359.9"},
        NumberCase{"--heading", "-0.1", "is not a number from 0 to 359.9"}, NumberCase{"--heading", "0", ""},
        NumberCase{"--heading", "359.9", ""}, NumberCase{"--heading", "1e2", ""},
        NumberCase{"--rotation-angle", "45deg", "is not a number"},
        NumberCase{"--rotation-angle", "-1e2", ""}, NumberCase{"--vertical-scale", "two", "is not a number"},
        NumberCase{"--vertical-scale", "2,5", "is not a number"},
        NumberCase{"--vertical-scale", "2.5e-1", ""},
        NumberCase{"--vertical-offset", "1e999", "is not a number"},
        NumberCase{"--vertical-offset", "-1.5", ""}),
    [](const testing::TestParamInfo<NumberCase>& info) {
        std::string name = std::string(info.param.option).substr(2) + "_" + std::to_string(info.index);
        for (char& c : name)
            c = c == '-' ? '_' : c;
        return name;
    });

} // namespace
} // namespace tes::test
