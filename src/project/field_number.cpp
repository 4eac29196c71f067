#include "project/field_number.h"

#include "lib/numbers.h"

#include <charconv>

namespace tes {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* SkipDigits(const char* p, const char* end) {
    while (p != end && IsDigit(*p))
        ++p;
    return p;
}

} // namespace

double FieldNumber(std::string_view field) {
    const char* const begin = field.data();
    const char* const end = begin + field.size();
    const char* p = begin;
    if (p != end && *p == '-')
        ++p;
    const char* afterDigits = SkipDigits(p, end);
    if (afterDigits == p)
        return LeadingNumberValue(field);
    p = afterDigits;
    if (p != end && *p == '.') {
        afterDigits = SkipDigits(p + 1, end);
        if (afterDigits == p + 1)
            return LeadingNumberValue(field);
        p = afterDigits;
    }
    if (p != end)
        return LeadingNumberValue(field);
    // Correctly rounded, like the full rule; a value beyond the double range is left to the full rule.
    double value = 0;
    const auto result = std::from_chars(begin, end, value, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != end)
        return LeadingNumberValue(field);
    return value;
}

} // namespace tes
