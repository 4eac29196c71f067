#include "project/field_number.h"

#include "lib/numbers.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace tes {

namespace {

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
constexpr std::uint64_t kMaxExactMantissa = std::uint64_t{1} << 53;
constexpr int kMaxDigitsWithoutOverflow = 19;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* FieldEnd(const char* p, const char* end) {
    const void* comma = std::memchr(p, ',', static_cast<std::size_t>(end - p));
    return comma ? static_cast<const char*>(comma) : end;
}

// Converts plain decimal text that ends at a comma or at `end`, leaving `p` there. Returns false,
// with `p` anywhere in the field, when the field has another form.
bool PlainDecimal(const char*& p, const char* end, double& value) {
    const char* const begin = p;
    const bool negative = p != end && *p == '-';
    if (negative)
        ++p;
    std::uint64_t mantissa = 0;
    int digits = 0;
    const char* const integerBegin = p;
    for (; p != end && IsDigit(*p); ++p, ++digits)
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    if (p == integerBegin)
        return false;
    int decimals = 0;
    if (p != end && *p == '.') {
        const char* const fractionBegin = ++p;
        for (; p != end && IsDigit(*p); ++p, ++digits)
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        decimals = static_cast<int>(p - fractionBegin);
        if (decimals == 0)
            return false;
    }
    if (p != end && *p != ',')
        return false;
    // Both the digits and the power of ten are exact doubles, so one division rounds correctly.
    if (digits <= kMaxDigitsWithoutOverflow && mantissa <= kMaxExactMantissa && decimals <= kMaxExactPower) {
        value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
        if (negative)
            value = -value;
        return true;
    }
    const auto result = std::from_chars(begin, p, value, std::chars_format::fixed);
    return result.ec == std::errc() && result.ptr == p;
}

} // namespace

double NextFieldNumber(const char*& p, const char* end) {
    const char* const begin = p;
    double value = 0;
    if (PlainDecimal(p, end, value))
        return value;
    p = FieldEnd(begin, end);
    return LeadingNumberValue(std::string_view(begin, static_cast<std::size_t>(p - begin)));
}

double FieldNumber(std::string_view field) {
    const char* p = field.data();
    const char* const end = p + field.size();
    double value = 0;
    if (std::memchr(p, ',', field.size()) == nullptr && PlainDecimal(p, end, value))
        return value;
    return LeadingNumberValue(field);
}

} // namespace tes
