#pragma once

#include "lib/digit_run.h"

#include <cstdint>
#include <string_view>

// Plain decimal text ("1234.567890", "-0.5") as the fields of environment records are written: read
// quickly, with the same values as the leading-number rule gives them. Millions of records go
// through here on every load and every script build.
namespace tes {

struct PlainDecimal {
    bool negative = false;
    std::uint64_t whole = 0; // the digits before the full stop, while there are at most 19
    int wholeDigits = 0;
    const char* fraction = nullptr; // the digits after it
    int decimals = 0;

    // With at most 15 digits in all, the digits and the power of ten are exact doubles, and the one
    // rounding of their division gives the nearest double, as the leading-number rule does.
    bool exact() const { return wholeDigits + decimals <= 15; }
    // The value; only for an exact() number. The decimals are read here, not while scanning: a
    // range test that the whole part settles never needs them.
    double value() const;
};

namespace detail {
// A run of digits longer than eight: its length, and its value while it has at most 19 digits.
int TakeLongDigitRun(const char*& p, const char* end, std::uint64_t& value);
// The length of a run of digits longer than eight, past its first eight.
int SkipLongDigitRun(const char*& p, const char* end);
} // namespace detail

// Reads [-]digits[.digits] from `p` on (either run of digits may be empty, not both) and leaves `p`
// behind it; false when there is no digit. The text must lie in a padded buffer
// (lib/read_padding.h): digits are looked at eight bytes at a time.
inline bool ScanPlainDecimal(const char*& p, const char* end, PlainDecimal& number) {
    const char* q = p;
    const bool negative = q != end && *q == '-';
    q += negative ? 1 : 0;
    std::uint64_t whole = 0;
    int wholeDigits = digits::TakeDigits(q, end, whole);
    if (wholeDigits == 8) [[unlikely]]
        wholeDigits += detail::TakeLongDigitRun(q, end, whole);
    int decimals = 0;
    const char* fraction = q;
    if (q != end && *q == '.') {
        fraction = ++q;
        decimals = digits::SkipDigits(q, end);
        if (decimals == 8) [[unlikely]]
            decimals += detail::SkipLongDigitRun(q, end);
    }
    p = q;
    number = {negative, whole, wholeDigits, fraction, decimals};
    return wholeDigits + decimals > 0;
}

// The leading-number value of the next comma-separated field of a record that lies in a padded
// buffer. The field is taken off the front of `rest` together with its comma (the field is the empty
// text when `rest` is empty, and `rest` then stays an empty view at the record's end).
double TakeRecordNumber(std::string_view& rest);

} // namespace tes
