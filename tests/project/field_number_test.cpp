#include "lib/numbers.h"
#include "lib/read_padding.h"
#include "project/field_number.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace tes {
namespace {

// Near the bounds, including fractions that round up to the next whole number and negative values.
TEST(RecordFieldNumber, DecidesTheRangeAsTheConvertedValueDoes) {
    std::mt19937_64 rng(3);
    const double bounds[][2] = {{1536, 2304}, {-394, 394}, {-0.5, 0.5}, {1535.5, 2304.25}};
    for (const auto& [low, high] : bounds) {
        for (int i = 0; i < 20000; ++i) {
            const double anchor = rng() % 2 ? low : high;
            const long long whole = static_cast<long long>(anchor) + static_cast<long long>(rng() % 5) - 2;
            const bool minus = whole < 0 || (whole == 0 && rng() % 2);
            std::string text = (minus ? "-" : "") + std::to_string(whole < 0 ? -whole : whole);
            if (rng() % 4) {
                text += '.';
                const int decimals = 1 + static_cast<int>(rng() % 20);
                for (int d = 0; d < decimals; ++d)
                    text += rng() % 3 ? '9' : static_cast<char>('0' + rng() % 10);
            }
            const std::string field = text + (rng() % 2 ? ",rest" : "");
            // The field inside a buffer whose next line starts with digits.
            const std::string buffer = field + "12345678.5" + std::string(kReadPadding, '0');
            const char* p = buffer.data();
            const bool within = NextFieldWithin(p, buffer.data() + field.size(), low, high);
            const double value = LeadingNumberValue(text);
            ASSERT_EQ(within, low <= value && value <= high) << field << " in " << low << ".." << high;
            ASSERT_EQ(p, buffer.data() + text.size());
        }
    }
}

// Bounds far from the field's whole part: plain text is settled by its whole part, every other form
// by its converted value.
TEST(RecordFieldNumber, DecidesFieldsFarFromTheBoundsByTheirValue) {
    const struct {
        const char* field;
        double low, high;
        bool within;
    } cases[] = {
        {"12.5,7", 0, 100, true},
        {"-12.5", -100, 0, true},
        {"12.", 0, 100, true},
        {"1e3", 0, 100, false},
        {"1e3,1", 0, 10000, true},
        {"12 ,1", 0, 100, true},
        {"&H7D0", 0, 100, false},
        {"", -1, 1, true},
        {"-", 1, 2, false},
        {"1234567890123456789", 0, 1e20, true},
        {"1234567890123456789", 0, 1e10, false},
        {"99.99999999999999999", 0, 100, true},
        {"-0.000001", -1, 1, true},
    };
    for (const auto& c : cases) {
        const std::string field = c.field;
        const std::string buffer = field + std::string(kReadPadding, '9');
        const char* p = buffer.data();
        EXPECT_EQ(NextFieldWithin(p, buffer.data() + field.size(), c.low, c.high), c.within) << field;
        EXPECT_EQ(std::string(buffer.data(), p), field.substr(0, field.find(','))) << field;
    }
}

} // namespace
} // namespace tes
