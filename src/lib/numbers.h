#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The classic BASIC conversions between text and numbers that every reader, field check and the
// script writer rely on. None of them depends on the C locale: a full stop is always the decimal point.
namespace tes {

// The leading-number value of a text: blanks, tabs and line feeds are skipped anywhere; an optional
// sign, digits with at most one full stop, an optional exponent introduced by E or D; &H and &O read
// hexadecimal and octal whole numbers. Reading stops at the first character that cannot continue the
// number, and a text without a number reads 0. Never fails: a value beyond the double range gives
// +/-infinity, which callers that compute with it report as an overflow.
double LeadingNumberValue(std::string_view text);

// Whether the text is one or more of the digits 0 to 9 and nothing else.
bool IsDigitsOnly(std::string_view text);

// The shortest text that gives the value back with up to 15 significant digits: 90, 296.6, -0.5,
// 0.0001, 0.00000015; exponents (1E+16, 5.6789E-12) for very large or small values. Negative zero is "0".
std::string DecimalText(double value);

// A number written with a pattern of the form "0", "00", "0.000000" or "0.00000000": at least
// `minIntegerDigits` digits before the point and exactly `decimals` after it. The value is taken to
// 15 significant digits first and then rounded half away from zero, as the classic formatter does.
std::string PatternText(double value, int minIntegerDigits, int decimals);
// The same, with the pattern given as text ("0", "00", "0.000000", ...).
std::string FormatPattern(double value, std::string_view pattern);

// Rounds to `decimals` places (0 for a whole number), a value exactly half-way going to the even
// neighbour: multiply by 10^n, round the product half to even, divide again.
double RoundHalfEven(double value, int decimals = 0);

// Converts to a 32-bit integer, half to even; throws Failure 6 (Overflow) outside the range.
std::int32_t ToInt32(double value);

// The decimal text of a whole number with a blank in front when it is 0 or positive, and a minus
// sign when it is negative: " 53", "-1".
std::string SignPadded(long long number);

// "1 record", "1,234 records": digits grouped by threes, whatever the user's locale, and the noun
// with an "s" unless the count is 1.
std::string CountText(std::uint64_t count, const char* noun);
// A whole number with its thousands grouped: "28,400".
std::string GroupedDigits(std::uint64_t count);

} // namespace tes
