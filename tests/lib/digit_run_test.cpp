#include "lib/digit_run.h"
#include "lib/read_padding.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace tes::digits {
namespace {

// What TakeDigits must give, a byte at a time.
int ByteWise(const std::string& text, std::uint64_t& value) {
    int count = 0;
    value = 0;
    for (;
         count < 8 && count < static_cast<int>(text.size()) && IsDigit(text[static_cast<std::size_t>(count)]);
         ++count)
        value = value * 10 + static_cast<std::uint64_t>(text[static_cast<std::size_t>(count)] - '0');
    return count;
}

// The text in a padded buffer whose padding is digits, which must not be taken.
void ExpectLikeByteWise(const std::string& text) {
    std::uint64_t expected = 0;
    const int expectedCount = ByteWise(text, expected);
    const std::string buffer = text + std::string(kReadPadding, '7');
    const char* p = buffer.data();
    std::uint64_t value = 99;
    const int count = TakeDigits(p, buffer.data() + text.size(), value);
    EXPECT_EQ(count, expectedCount) << text;
    EXPECT_EQ(value, expected) << text;
    EXPECT_EQ(p, buffer.data() + count) << text;
}

TEST(DigitRun, ReadsTheLeadingDigits) {
    // Bytes next to the digits ('/' and ':'), below them (borrows), high bytes, short texts.
    const char* texts[] = {"1234.567890,",
                           "567890,12.5\r\n",
                           "00000000",
                           "99999999999",
                           "12345678",
                           "/0123456",
                           "9:999999",
                           "0/",
                           ".5000000",
                           "7\x80\xFF\xB0\x39\x30\x30\x30",
                           "",
                           "5",
                           "42,",
                           "1234567",
                           "-1234567",
                           "3\xB9",
                           "00\xB0\xB9"
                           "000000"};
    for (const char* text : texts)
        ExpectLikeByteWise(text);
}

TEST(DigitRun, AgreesWithByteWiseReadingOnRandomBytes) {
    std::mt19937_64 rng(7);
    const std::string alphabet = "0123456789.,-/:\r\n \x80\xB0\xB9\xFF";
    for (int i = 0; i < 100000; ++i) {
        std::string text;
        const std::size_t size = rng() % 12;
        for (std::size_t c = 0; c < size; ++c) {
            // Mostly digits, as in the files.
            const std::size_t pick = rng() % 30;
            text += pick < 20 ? static_cast<char>('0' + pick % 10) : alphabet[rng() % alphabet.size()];
        }
        ExpectLikeByteWise(text);
        if (HasFailure())
            return;
    }
}

} // namespace
} // namespace tes::digits
