#include "lib/failure.h"
#include "lib/numbers.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace tes {
namespace {

struct ValueCase {
    const char* text;
    double expected;
};

TEST(LeadingNumberValue, ReadsTheLeadingNumber) {
    const ValueCase cases[] = {
        {" 1615 198th Street N.E.", 1615198},
        {" 2 45 7", 2457},
        {"24 and 57", 24},
        {"02/04/2010", 2},
        {"L13.5", 0},
        {"", 0},
        {"   ", 0},
        {"-", 0},
        {"$5", 0},
        {"0x1F", 0},
        {"+5", 5},
        {"- 5", -5},
        {"+-5", 0},
        {".5", 0.5},
        {"5.", 5},
        {"-.5", -0.5},
        {"1.2.3", 1.2},
        {"1,000", 1},
        {"1e3", 1000},
        {"1E3", 1000},
        {"1d3", 1000},
        {"1D3", 1000},
        {"1D-2", 0.01},
        {"1e+2", 100},
        {"1 e 2", 100},
        {"1e", 1},
        {"1e-", 1},
        {"e5", 0},
        {"\t\n\r-12.5x", -12.5},
        {"12&", 12},
        {"296.6", 296.6},
        {"&HFFFF", -1},
        {"&hffff", -1},
        {"&H0FFFF", -1},
        {"&HFF", 255},
        {"&H7FFF", 32767},
        {"&H8000", -32768},
        {"&H10000", 65536},
        {"&HFFFF&", 65535},
        {"&HFFFFFFFF", -1},
        {"&H80000000", -2147483648.0},
        {"&H100000000", 4294967296.0},
        {"&O17", 15},
        {"&O377", 255},
        {"&O177777", -1},
        {"&H", 0},
        {"&HG", 0},
        {"& H1", 0},
        {"1e-999", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeadingNumberValue(c.text), c.expected) << c.text;
}

TEST(LeadingNumberValue, BeyondTheDoubleRangeGivesInfinity) {
    EXPECT_EQ(LeadingNumberValue("1E999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumberValue("-1 E 999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumberValue("0.000001e315"), std::numeric_limits<double>::infinity());
}

TEST(LeadingNumberValue, MatchesAPlainDecimalParseBitForBit) {
    for (const char* text : {"0.1", "296.6", "-1234.56789012345678", "1e-7", "123456789012345678901234567890",
                             "2.2250738585072014e-308", "0.30000000000000004"}) {
        double expected = 0;
        std::from_chars(text, text + std::strlen(text), expected);
        EXPECT_EQ(LeadingNumberValue(text), expected) << text;
    }
}

struct TextCase {
    double value;
    const char* expected;
};

TEST(DecimalText, WritesFifteenSignificantDigits) {
    const TextCase cases[] = {
        {90, "90"},
        {296.6, "296.6"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {3.141592653589793, "3.14159265358979"},
        {1234.567890123456789, "1234.56789012346"},
        {12345678901234.56, "12345678901234.6"},
        {1e14, "100000000000000"},
        {999999999999999, "999999999999999"},
        {1e15, "1E+15"},
        {1.2e15, "1.2E+15"},
        {1.234e16, "1.234E+16"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {1e100, "1E+100"},
        {0.0001, "0.0001"},
        {0.00001, "0.00001"},
        {1.5e-7, "0.00000015"},
        {5.6789e-11, "0.000000000056789"},
        {5.6789e-12, "5.6789E-12"},
        {1e-14, "0.00000000000001"},
        {1e-15, "1E-15"},
        {1.5e-14, "0.000000000000015"},
        {1.23456789012345e-05, "1.23456789012345E-05"},
        {-0.5, "-0.5"},
        {-0.0, "0"},
        {0, "0"},
        {-1e-300, "-1E-300"},
        {296.600006103515625, "296.600006103516"},
        {100000000000000.5, "100000000000001"}, // an exact tie rounds away from zero
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecimalText(c.value), c.expected) << c.expected;
}

struct PatternCase {
    double value;
    const char* pattern;
    const char* expected;
};

TEST(FormatPattern, RoundsTheFifteenDigitFormHalfAwayFromZero) {
    const PatternCase cases[] = {
        {2.5, "0", "3"},
        {1.5, "0", "2"},
        {0.5, "0", "1"},
        {-2.5, "0", "-3"},
        {-0.4, "0", "0"}, // a negative value that rounds to zero shows no sign
        {5, "00", "05"},
        {-5, "00", "-05"},
        {123, "00", "123"},
        {9.5, "00", "10"},
        {0.0000005, "0.000000", "0.000001"},
        {9.9999999, "0.000000", "10.000000"},
        {2.675, "0.00", "2.68"},
        {23.675, "00.00", "23.68"},
        {296.6, "0.000000", "296.600000"},
        {-0.0000001, "0.000000", "0.000000"},
        {-0.0, "0.000000", "0.000000"},
        {123456789012.345678, "0.000000", "123456789012.346000"},
        {123456789012345678.0, "0", "123456789012346000"},
        {2.0 / 3, "0.00000000", "0.66666667"},
        {12345678.123456789, "0.00000000", "12345678.12345680"},
        {1e-300, "0.000000", "0.000000"},
        {-12.3456785, "0.000000", "-12.345679"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatPattern(c.value, c.pattern), c.expected) << c.value << " " << c.pattern;
}

TEST(FormatPattern, WritesEveryDigitOfAHugeValue) {
    EXPECT_EQ(FormatPattern(1e300, "0.000000"), "1" + std::string(300, '0') + ".000000");
    EXPECT_EQ(PatternText(1.23456789012345678e20, 1, 2), "123456789012346000000.00");
}

struct RoundCase {
    double value;
    int decimals;
    double expected;
};

TEST(RoundHalfEven, SendsTiesToTheEvenNeighbour) {
    const RoundCase cases[] = {
        {2.5, 0, 2},          {3.5, 0, 4},          {-2.5, 0, -2},        {0.5, 0, 0},
        {2.45, 1, 2.4},       {0.12335, 4, 0.1234}, {0.12345, 4, 0.1234}, {0.12355, 4, 0.1236},
        {0.12365, 4, 0.1236}, {0.125, 2, 0.12},     {0.375, 2, 0.38},     {2.675, 2, 2.68},
        {1.005, 2, 1},        {1e300, 2, 1e300},    {-7.45, 1, -7.4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.value, c.decimals), c.expected) << c.value << " " << c.decimals;
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""), 2)));
    EXPECT_EQ(RoundHalfEven(-std::numeric_limits<double>::infinity()),
              -std::numeric_limits<double>::infinity());
}

TEST(ToInt32, RoundsHalfToEvenWithinTheRange) {
    const std::pair<double, std::int32_t> cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {2.5000000001, 3},
        {10.51, 11},
        {-1.9, -2},
        {2147483647.4, 2147483647},
        {-2147483648.5, -2147483647 - 1},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(ToInt32(value), expected) << value;
}

TEST(ToInt32, OutsideTheRangeIsAnOverflow) {
    for (double value :
         {2147483647.5, -2147483648.6, 1e300, std::numeric_limits<double>::infinity(), std::nan("")}) {
        try {
            ToInt32(value);
            ADD_FAILURE() << value;
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.number(), 6);
            EXPECT_EQ(failure.description(), "Overflow");
        }
    }
}

TEST(SignPadded, PutsABlankBeforeNonNegativeNumbers) {
    EXPECT_EQ(SignPadded(53), " 53");
    EXPECT_EQ(SignPadded(0), " 0");
    EXPECT_EQ(SignPadded(-1), "-1");
}

TEST(CheckedArithmetic, DivisionByZeroAndOverflowFail) {
    EXPECT_EQ(checkedDivide(1, 4), 0.25);
    EXPECT_THROW(checkedDivide(1, 0), Failure);
    try {
        checkedDivide(0, 0);
        ADD_FAILURE();
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), 11);
    }
    try {
        checkedDivide(1e300, 1e-300);
        ADD_FAILURE();
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), 6);
    }
}

TEST(FromErrno, MapsFileErrorsToTheClassicFailures) {
    const std::pair<int, int> cases[] = {{ENOENT, 53}, {EACCES, 70}, {EROFS, 70},  {ENOSPC, 61},
                                         {EISDIR, 75}, {EIO, 57},    {ENOTDIR, 76}};
    for (const auto& [error, number] : cases)
        EXPECT_EQ(failures::fromErrno(error).number(), number) << error;
    EXPECT_EQ(failures::fromErrno(ENOSPC).description(), "Disk full");
}

} // namespace
} // namespace tes
