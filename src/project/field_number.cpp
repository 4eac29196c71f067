#include "project/field_number.h"

#include "lib/numbers.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace tes {

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
// With at most 15 digits both the digits and the power of ten are exact doubles.
constexpr int kMaxExactDigits = 15;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* FieldEnd(const char* p, const char* end) {
    const void* comma = std::memchr(p, ',', static_cast<std::size_t>(end - p));
    return comma ? static_cast<const char*>(comma) : end;
}

// A field written as [-]digits[.digits].
struct PlainDecimal {
    const char* begin = nullptr;
    const char* end = nullptr;
    bool negative = false;
    std::uint64_t whole = 0;    // the digits before the full stop
    std::uint64_t mantissa = 0; // all the digits
    int digits = 0;
    int decimals = 0;

    bool exact() const { return digits <= kMaxExactDigits; }
    // One division of exact doubles rounds correctly, as the full rule does.
    double value() const {
        double v = 0;
        if (exact()) {
            v = static_cast<double>(mantissa) / kPowersOfTen[decimals];
            return negative ? -v : v;
        }
        const auto result = std::from_chars(begin, end, v, std::chars_format::fixed);
        if (result.ec != std::errc() || result.ptr != end) // beyond the double range
            return LeadingNumberValue(std::string_view(begin, static_cast<std::size_t>(end - begin)));
        return v;
    }
};

// Reads plain decimal text that ends at a comma or at `end`, leaving `p` there. Returns false, with
// `p` anywhere in the field, when the field has another form.
bool ScanPlainDecimal(const char*& p, const char* end, PlainDecimal& number) {
    number.begin = p;
    number.negative = p != end && *p == '-';
    if (number.negative)
        ++p;
    std::uint64_t mantissa = 0;
    const char* const integerBegin = p;
    for (; p != end && IsDigit(*p); ++p)
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    if (p == integerBegin)
        return false;
    number.whole = mantissa;
    number.digits = static_cast<int>(p - integerBegin);
    if (p != end && *p == '.') {
        const char* const fractionBegin = ++p;
        for (; p != end && IsDigit(*p); ++p)
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        number.decimals = static_cast<int>(p - fractionBegin);
        if (number.decimals == 0)
            return false;
        number.digits += number.decimals;
    }
    if (p != end && *p != ',')
        return false;
    number.mantissa = mantissa;
    number.end = p;
    return true;
}

double FullRuleValue(const char* begin, const char*& p, const char* end) {
    p = FieldEnd(begin, end);
    return LeadingNumberValue(std::string_view(begin, static_cast<std::size_t>(p - begin)));
}

} // namespace

bool NextFieldWithin(const char*& p, const char* end, double low, double high) {
    const char* const begin = p;
    PlainDecimal number;
    if (!ScanPlainDecimal(p, end, number)) {
        const double value = FullRuleValue(begin, p, end);
        return low <= value && value <= high;
    }
    if (number.exact()) {
        // The value, rounded or not, lies between the whole part and the next whole number.
        const double whole = static_cast<double>(number.whole);
        const double least = number.negative ? -(whole + 1) : whole;
        const double most = number.negative ? -whole : whole + 1;
        if (least > high || most < low)
            return false;
    }
    const double value = number.value();
    return low <= value && value <= high;
}

} // namespace tes
