#include "project/sun.h"
#include "project/vegetation_list.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

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

// Each kind once, with every text its records write it in; the list keeps one text per spelling.
TEST(ReadVegetationKinds, GroupsTheTextsOfAKind) {
    LineList records;
    for (const char* line : {"12,1", "5,1", "05,1", "abc,1", "ABC,1", "5,2", "Abc,1"})
        records.append(line);
    Messages messages;
    const VegetationKinds kinds = ReadVegetationKinds(records, "no such file.est", messages);
    EXPECT_EQ(kinds.listed, (std::vector<std::string>{"05", "05", "12", "abc"}));
    EXPECT_EQ(kinds.listedKind, (std::vector<std::size_t>{0, 0, 1, 2}));
    ASSERT_EQ(kinds.kinds.size(), 3u);
    const std::vector<std::vector<std::string>> texts{{"5", "05"}, {"12"}, {"abc", "ABC", "Abc"}};
    const char* numbers[] = {"5", "12", "0"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(kinds.kinds[i].number, numbers[i]);
        EXPECT_EQ(kinds.kinds[i].texts, texts[i]);
    }
    EXPECT_EQ(VegetationEntries(kinds)[3], "Vegetation_0:  ");
}

} // namespace
} // namespace tes
