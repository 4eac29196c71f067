#include "lib/fixed_decimals.h"
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

// The quick way for turns and scale factors against the general one, near half-way points too.
TEST(CoordinateText, ShortValuesAgreeWithTheGeneralWay) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> magnitude(-5, 7);
    char quick[kMaxFixedDecimalsText];
    for (int i = 0; i < 300000; ++i) {
        const int decimals = 1 + (i / 16) % 6;
        const double unit = std::pow(10.0, decimals);
        double value = std::pow(10.0, magnitude(random)) * (random() % 2 ? 1 : -1);
        if (i % 4 < 2)
            value = (std::round(value * unit) + 0.5) / unit; // near a half-way point
        if (i % 8 == 7)
            value = std::nextafter(value, i % 16 == 7 ? 0.0 : 1e300);
        ASSERT_EQ(std::string(quick, WriteShortFixedDecimals(quick, value, decimals)), Fixed(value, decimals))
            << std::hexfloat << value;
    }
}

} // namespace
} // namespace tes
