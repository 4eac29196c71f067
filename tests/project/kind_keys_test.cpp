#include "project/kind_keys.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

// Each key's reading: the value it gives, or the problem named after the key's text.
TEST(KindKeys, EachKeyReadsItsValuesAndNamesWhatItCannotRead) {
    using Range = std::optional<ValueRange>;
    const struct {
        const char* text;
        Range turn;
        const char* turnProblem;
        const char* scaleProblem; // the same text as a scale
    } ranges[] = {
        {"0:360", ValueRange{0, 360}, "", "has a FROM that is not above 0"},
        {"80:120", ValueRange{80, 120}, "", ""},
        {" -15 : 15 ", ValueRange{-15, 15}, "", "has a FROM that is not above 0"},
        {"", std::nullopt, "", ""},
        {"0:36O", std::nullopt, "is not FROM:TO", "is not FROM:TO"},
        {"20:10", std::nullopt, "has its FROM above its TO", "has its FROM above its TO"},
        {"90", std::nullopt, "is not FROM:TO", "is not FROM:TO"},
        {":5", std::nullopt, "is not FROM:TO", "is not FROM:TO"},
        {"1e999:2", std::nullopt, "is not FROM:TO", "is not FROM:TO"},
    };
    for (const auto& c : ranges) {
        SCOPED_TRACE(c.text);
        const auto turn = ReadTurn(c.text);
        EXPECT_EQ(turn.problem, c.turnProblem);
        if (turn.read()) {
            EXPECT_EQ(turn.value, c.turn);
        }
        EXPECT_EQ(ReadScale(c.text).problem, c.scaleProblem);
    }

    const struct {
        const char* text;
        std::uint32_t weight;
        bool read;
    } weights[] = {{"0", 0, true},   {"1000000", 1000000, true}, {"1000001", 0, false},
                   {"", 1, true},    {" 7 ", 7, true},           {"1O", 0, false},
                   {"-1", 0, false}, {"+3", 0, false},           {"99999999999999999999", 0, false}};
    for (const auto& c : weights) {
        SCOPED_TRACE(c.text);
        const KeyValue<std::uint32_t> weight = ReadWeight(c.text);
        EXPECT_EQ(weight.read(), c.read);
        EXPECT_EQ(weight.problem, c.read ? "" : "is not a whole number from 0 to 1000000");
        EXPECT_EQ(weight.value, c.weight);
    }

    const struct {
        const char* text;
        std::int64_t seed;
        bool read;
    } seeds[] = {{"", 1, true},
                 {" -42 ", -42, true},
                 {"+5", 5, true},
                 {"9223372036854775807", INT64_MAX, true},
                 {"-9223372036854775808", INT64_MIN, true},
                 {"9223372036854775808", 0, false},
                 {"12x", 0, false},
                 {"1.0", 0, false},
                 {"+", 0, false}};
    for (const auto& c : seeds) {
        SCOPED_TRACE(c.text);
        const KeyValue<std::int64_t> seed = ReadSeed(c.text);
        EXPECT_EQ(seed.read(), c.read);
        EXPECT_EQ(seed.value, c.seed);
    }

    const struct {
        const char* text;
        bool enabled;
        const char* problem;
    } enabled[] = {{"1", true, ""},
                   {"0", false, ""},
                   {"", true, ""},
                   {"false", false, "is not 1 or 0"},
                   {"2", false, "is not 1 or 0"}};
    for (const auto& c : enabled) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadEnabled(c.text).problem, c.problem);
        EXPECT_EQ(ReadEnabled(c.text).value, c.enabled);
    }

    const struct {
        const char* text;
        const char* problem;
    } variants[] = {{"C:\\b.max|B|0", ""},
                    {" C:\\b.max || 3 ", ""},
                    {"C:\\b.max|B|1O", "has a weight that is not a whole number from 0 to 1000000"},
                    {"C:\\b.max|B|", "has a weight that is not a whole number from 0 to 1000000"},
                    {"C:\\b.max|B", "is not FILE|OBJECT|WEIGHT"},
                    {"|B|1", "names no Max file"}};
    for (const auto& c : variants) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadVariant(c.text).problem, c.problem);
    }
    EXPECT_EQ(ReadVariant(" C:\\b.max || 3 ").value, (KindVariant{"C:\\b.max", "", 3}));

    const struct {
        const char* text;
        PlantStand stand;
        const char* problem;
    } stands[] = {{" Base ", PlantStand::Base, ""},
                  {"PIVOT", PlantStand::Pivot, ""},
                  {"", PlantStand::Auto, ""},
                  {"auto", PlantStand::Auto, "is not pivot or base"}};
    for (const auto& c : stands) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadStand(c.text).problem, c.problem);
        EXPECT_EQ(ReadStand(c.text).value, c.stand);
    }
}

// The numbers of the thinning and the views at their bounds; an empty text is the key's default.
TEST(KindKeys, ThinningAndViewNumbersReadWithinTheirBounds) {
    const struct {
        KeyValue<double> (*read)(std::string_view);
        std::vector<std::pair<const char*, double>> values; // texts read, and their values
        std::vector<const char*> refused;
        const char* problem;
    } readers[] = {
        {ReadKeep, {{"0", 0}, {"100", 100}, {"", 100}}, {"100.01", "-0.5"}, "is not a number from 0 to 100"},
        {ReadDistance,
         {{"0", 0}, {"", 0}, {" 400.5 ", 400.5}},
         {"-1", "1e999"},
         "is not a number of 0 or more"},
        {ReadFov, {{"1", 1}, {"179.9", 179.9}, {"", 45}}, {"0.99", "180"}, "is not a number from 1 to 179.9"},
        {ReadMargin, {{"", 10}, {"250", 250}}, {"-5"}, "is not a number of 0 or more"}};
    for (const auto& reader : readers) {
        for (const auto& [text, value] : reader.values) {
            SCOPED_TRACE(text);
            EXPECT_TRUE(reader.read(text).read());
            EXPECT_EQ(reader.read(text).value, value);
        }
        for (const char* text : reader.refused)
            EXPECT_EQ(reader.read(text).problem, reader.problem) << text;
    }
    for (const char* text : {"", "1,5,2", "7", "1;2"})
        EXPECT_EQ(ReadGroundPoint(text).problem, "is not X,Y") << text;
    EXPECT_EQ(ReadGroundPoint(" -120.5 , 300 ").value, (GroundPoint{-120.5, 300}));
    EXPECT_EQ(GroundPointText({-120.5, 300}), "-120.5,300");
    using Model = std::pair<std::string, std::string>;
    EXPECT_EQ(ReadFarModel(" D:\\M\\Oak far.max | Oak_far ").value, (Model{"D:\\M\\Oak far.max", "Oak_far"}));
    EXPECT_EQ(ReadFarModel("a.max").value, (Model{"a.max", ""}));
    EXPECT_EQ(ReadFarModel(" ").value, Model());
    EXPECT_EQ(ReadFarModel("|Oak").problem, "names no Max file");
    EXPECT_EQ(ReadFarModel("a.max|Oak|3").value, (Model{"a.max", "Oak|3"}));
}

// The two ends of a range typed apart say which of them is wrong.
TEST(KindKeys, RangeEndsNameTheEndThatIsWrong) {
    EXPECT_FALSE(ReadRangeEnds("", "", false).value);
    EXPECT_TRUE(ReadRangeEnds("", "", false).read());
    EXPECT_TRUE(ReadRangeEnds("5", "", false).toEnd);
    EXPECT_FALSE(ReadRangeEnds("", "5", false).toEnd);
    EXPECT_TRUE(ReadRangeEnds("1", "x", true).toEnd);
    EXPECT_FALSE(ReadRangeEnds("0", "2", true).toEnd);
    EXPECT_EQ(ReadRangeEnds("0", "2", true).problem, "has a FROM that is not above 0");
    EXPECT_EQ(ReadRangeEnds("80", "120", true).value, (ValueRange{80, 120}));
}

} // namespace
} // namespace tes::test
