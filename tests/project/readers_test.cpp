#include "project/sun.h"
#include "project/vegetation_list.h"

#include <gtest/gtest.h>
#include <utility>

namespace tes {
namespace {

TEST(SunFromTarget, FlagsTheClampedPitch) {
    const SunDirection steep = SunFromTarget(1800, -1000, 900);
    EXPECT_TRUE(steep.pitchClamped);
    EXPECT_DOUBLE_EQ(steep.pitch, 89.9);
    EXPECT_FALSE(SunFromTarget(1801, 199, 801).pitchClamped);
}

TEST(IsNumericText, AcceptsWholeNumbersOnly) {
    const std::pair<const char*, bool> cases[] = {
        {"5", true},     {"05", true},  {" 12 ", true}, {"-3", true},   {"+3", true},     {"1.5", true},
        {".5", true},    {"5.", true},  {"1e3", true},  {"1D-2", true}, {"&HFF", true},   {"&o17", true},
        {"", false},     {" ", false},  {".", false},   {"-", false},   {"1e", false},    {"1 2", false},
        {"12ab", false}, {"&H", false}, {"&O8", false}, {"1,5", false}, {"1E999", false}, {"\t7\t", true},
    };
    for (const auto& [text, numeric] : cases)
        EXPECT_EQ(IsNumericText(text), numeric) << '"' << text << '"';
}

} // namespace
} // namespace tes
