#include "core/script_numbers.h"
#include "lib/numbers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace tes {
namespace {

std::string Fixed(double value, int decimals) {
    char buffer[kMaxFixedDecimalsText];
    return std::string(buffer, WriteFixedDecimals(buffer, value, decimals));
}

TEST(CoordinateText, WritesTheUsualCoordinates) {
    const struct {
        double value;
        std::string text;
    } cases[] = {
        {0.0, "0.000000"},
        {-0.0, "0.000000"},
        {12.5, "12.500000"},
        {-3, "-3.000000"},
        {0.25, "0.250000"},
        {100.00000000000001, "100.000000"},
        {1e-7, "0.000000"},
        {-1e-7, "0.000000"},
        {0.0000005, "0.000001"},
        {1234567.1234565, "1234567.123457"},
        {1e20, "100000000000000000000.000000"},
        {-1.7976931348623157e308, PatternText(-1.7976931348623157e308, 1, 6)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Fixed(c.value, 6), c.text) << c.value;
}

// The fast way must give exactly what the general pattern formatter gives.
TEST(CoordinateText, AgreesWithThePatternFormatter) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> exponent(-4, 10);
    std::uniform_int_distribution<int> digits(0, 999999999);
    for (int i = 0; i < 200000; ++i) {
        double value = std::pow(10.0, exponent(random)) * (random() % 2 ? 1 : -1);
        if (i % 3 == 0)
            value = std::stod(std::to_string(digits(random)) + "." + std::to_string(digits(random))) / 1000;
        if (i % 3 == 1)
            value = std::round(value * 1e7) / 1e7 + 5e-7; // near a half-way point
        for (const int decimals : {0, 6, 8})
            ASSERT_EQ(Fixed(value, decimals), PatternText(value, 1, decimals)) << std::hexfloat << value;
    }
    for (int k = -4; k <= 9; ++k) {
        const double p = std::pow(10.0, k);
        for (const double v : {p, std::nextafter(p, 0.0), std::nextafter(p, 1e300), p * 0.9999999999999995})
            ASSERT_EQ(Fixed(v, 6), PatternText(v, 1, 6)) << std::hexfloat << v;
    }
}

TEST(RecordNumbers, ReadFieldsAsTheLeadingNumberRuleDoes) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> length(0, 17);
    const std::string alphabet = "0123456789.-+ eE,&H";
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        const int n = length(random);
        for (int k = 0; k < n; ++k)
            text += i % 4 == 0 ? alphabet[random() % alphabet.size()] : "0123456789."[random() % 11];
        if (i % 2)
            text.insert(0, "-");
        const double expected = LeadingNumberValue(text);
        const double actual = RecordNumberValue(text);
        ASSERT_TRUE(actual == expected && std::signbit(actual) == std::signbit(expected)) << text;
    }
}

} // namespace
} // namespace tes

namespace tes {
namespace {

// Taking fields off a record one by one gives each field's value and leaves what follows its comma.
TEST(RecordNumbers, TakeEachFieldOffTheRecord) {
    std::mt19937_64 random(11);
    const std::string alphabet = "0123456789.-, eE&H";
    for (int i = 0; i < 100000; ++i) {
        std::string record;
        const int n = static_cast<int>(random() % 24);
        for (int k = 0; k < n; ++k)
            record += i % 3 == 0 ? alphabet[random() % alphabet.size()] : "0123456789.,-"[random() % 13];
        // The same record inside a buffer whose next record starts with digits.
        const std::string buffer = record + "12345678,9.25";
        const char* const readable = buffer.data() + buffer.size();
        std::string_view rest = record;
        std::string_view inBuffer(buffer.data(), record.size());
        std::string_view expectedRest = record;
        for (int field = 0; field < 4; ++field) {
            const std::size_t comma = expectedRest.find(',');
            const double expected = RecordNumberValue(expectedRest.substr(0, comma));
            expectedRest =
                comma == std::string_view::npos ? std::string_view() : expectedRest.substr(comma + 1);
            const double actual = TakeRecordNumber(rest);
            ASSERT_TRUE(actual == expected && std::signbit(actual) == std::signbit(expected)) << record;
            ASSERT_EQ(rest, expectedRest) << record;
            const double fromBuffer = TakeRecordNumber(inBuffer, readable);
            ASSERT_TRUE(fromBuffer == expected && std::signbit(fromBuffer) == std::signbit(expected))
                << record;
            ASSERT_EQ(inBuffer, expectedRest) << record;
        }
    }
}

} // namespace
} // namespace tes
