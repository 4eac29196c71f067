#include "project/field_number.h"

#include "lib/numbers.h"
#include "lib/plain_decimal.h"

#include <cstddef>
#include <cstring>
#include <string_view>

namespace tes {

namespace {

// Whole parts of up to 15 digits are exact doubles, and so is the next whole number.
constexpr int kMaxExactWholeDigits = 15;

const char* FieldEnd(const char* p, const char* end) {
    const void* comma = std::memchr(p, ',', static_cast<std::size_t>(end - p));
    return comma ? static_cast<const char*>(comma) : end;
}

bool Within(double value, double low, double high) {
    return low <= value && value <= high;
}

// Kept out of line: the usual fields never come here, and their way stays short without it.
[[gnu::noinline]] bool FullRuleWithin(const char* begin, const char*& p, const char* end, double low,
                                      double high) {
    p = FieldEnd(begin, end);
    return Within(LeadingNumberValue(std::string_view(begin, static_cast<std::size_t>(p - begin))), low,
                  high);
}

} // namespace

bool NextFieldWithin(const char*& p, const char* end, double low, double high) {
    const char* const begin = p;
    PlainDecimal number;
    if (!ScanPlainDecimal(p, end, number) || (p != end && *p != ','))
        return FullRuleWithin(begin, p, end, low, high);
    // The usual field's value, rounded or not, lies between its whole part and the next whole number:
    // when that settles the question, nothing is converted.
    if (number.wholeDigits <= kMaxExactWholeDigits) {
        const double w = static_cast<double>(number.whole);
        const double least = number.negative ? -(w + 1) : w;
        const double most = number.negative ? -w : w + 1;
        if (least > high || most < low)
            return false;
        if (low <= least && most <= high)
            return true;
    }
    // Near a bound: the exact value decides.
    if (number.exact())
        return Within(number.value(), low, high);
    return FullRuleWithin(begin, p, end, low, high);
}

} // namespace tes
