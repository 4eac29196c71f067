#include "lib/numbers.h"
#include "lib/plain_decimal.h"
#include "lib/read_padding.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace tes {
namespace {

bool SameValue(double a, double b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

// A whole record of one field, in a padded buffer.
void ExpectSameAsFullRule(const std::string& text) {
    const std::string buffer = text + std::string(kReadPadding, '3');
    std::string_view rest(buffer.data(), text.size());
    const double fast = TakeRecordNumber(rest);
    const double full = LeadingNumberValue(text);
    EXPECT_TRUE(SameValue(fast, full)) << text << ": " << fast << " vs " << full;
}

TEST(RecordNumbers, GivesTheLeadingNumberValueOfEveryForm) {
    const char* texts[] = {"",
                           "-",
                           "0",
                           "-0",
                           "2304.000000",
                           ".5",
                           "5.",
                           "+5",
                           " 12",
                           "1 2",
                           "1e3",
                           "12ab",
                           "&H7D0",
                           "1E999",
                           "-1E999",
                           "0.1",
                           "9007199254740993",
                           "123456789012345678901234567890.5"};
    for (const char* text : texts)
        ExpectSameAsFullRule(text);
}

TEST(RecordNumbers, AgreesWithTheFullRuleOnRandomDecimals) {
    std::mt19937_64 rng(42);
    for (int i = 0; i < 200000; ++i) {
        std::string text = rng() % 4 == 0 ? "-" : "";
        const int whole = 1 + static_cast<int>(rng() % 18);
        for (int d = 0; d < whole; ++d)
            text += static_cast<char>('0' + rng() % 10);
        if (rng() % 5) {
            text += '.';
            const int fraction = 1 + static_cast<int>(rng() % 20);
            for (int d = 0; d < fraction; ++d)
                text += static_cast<char>('0' + rng() % 10);
        }
        ExpectSameAsFullRule(text);
        if (HasFailure())
            return;
    }
}

// Taking fields off a record one by one gives each field's leading-number value and leaves what
// follows its comma. The record lies in a buffer whose following bytes are digits (the next record,
// or the padding), which must not be taken for its own.
TEST(RecordNumbers, TakeEachFieldOffTheRecordAsTheLeadingNumberRuleReadsIt) {
    std::mt19937_64 random(11);
    const std::string alphabet = "0123456789.-+, eE&H";
    for (int i = 0; i < 200000; ++i) {
        std::string record;
        const int n = static_cast<int>(random() % 40);
        for (int k = 0; k < n; ++k)
            record += i % 3 == 0 ? alphabet[random() % alphabet.size()] : "0123456789.,-"[random() % 13];
        const std::string buffer = record + "12345678,9.25" + std::string(kReadPadding, '5');
        std::string_view rest(buffer.data(), record.size());
        std::string_view expectedRest = record;
        for (int field = 0; field < 4; ++field) {
            const std::size_t comma = expectedRest.find(',');
            const double expected = LeadingNumberValue(expectedRest.substr(0, comma));
            expectedRest =
                comma == std::string_view::npos ? std::string_view() : expectedRest.substr(comma + 1);
            ASSERT_TRUE(SameValue(TakeRecordNumber(rest), expected)) << record;
            ASSERT_EQ(rest, expectedRest) << record;
        }
    }
}

TEST(PlainDecimal, ReadsSignDigitsAndDecimals) {
    const struct {
        const char* text;
        bool plain;
        bool negative;
        std::uint64_t whole;
        int wholeDigits;
        const char* decimals;
        std::size_t length; // where the reading stops
    } cases[] = {
        {"1234.567890,", true, false, 1234, 4, "567890", 11},
        {"-0.5", true, true, 0, 1, "5", 4},
        {".25", true, false, 0, 0, "25", 3},
        {"12.", true, false, 12, 2, "", 3},
        {"123456789012.75", true, false, 123456789012, 12, "75", 15},
        {"-", false, true, 0, 0, "", 1},
        {"", false, false, 0, 0, "", 0},
        {"1e5", true, false, 1, 1, "", 1},
        {" 1", false, false, 0, 0, "", 0},
    };
    for (const auto& c : cases) {
        const std::string text = c.text;
        const std::string buffer = text + std::string(kReadPadding, '9');
        const char* p = buffer.data();
        PlainDecimal number;
        EXPECT_EQ(ScanPlainDecimal(p, buffer.data() + text.size(), number), c.plain) << text;
        EXPECT_EQ(static_cast<std::size_t>(p - buffer.data()), c.length) << text;
        if (!c.plain)
            continue;
        EXPECT_EQ(number.negative, c.negative) << text;
        EXPECT_EQ(number.whole, c.whole) << text;
        EXPECT_EQ(number.wholeDigits, c.wholeDigits) << text;
        EXPECT_EQ(std::string_view(number.fraction, static_cast<std::size_t>(number.decimals)), c.decimals)
            << text;
    }
}

} // namespace
} // namespace tes
