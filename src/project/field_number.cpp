#include "project/field_number.h"

#include "lib/digit_run.h"
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

using digits::IsDigit;

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

// Kept out of line: the usual fields never come here, and their way stays short without it.
[[gnu::noinline]] bool ExactValueWithin(const char* begin, const char*& p, const char* end, double low,
                                        double high) {
    p = begin;
    PlainDecimal number;
    if (!ScanPlainDecimal(p, end, number)) {
        const double value = FullRuleValue(begin, p, end);
        return low <= value && value <= high;
    }
    const double value = number.value();
    return low <= value && value <= high;
}

} // namespace

bool NextFieldWithin(const char*& p, const char* end, double low, double high) {
    return NextFieldWithin(p, end, end, low, high);
}

bool NextFieldWithin(const char*& p, const char* end, const char* readable, double low, double high) {
    const char* const begin = p;
    // The usual field is plain decimal text whose whole part alone settles the question: the value,
    // rounded or not, lies between the whole part and the next whole number. Only the digits are
    // checked then, and nothing is converted.
    const char* q = p;
    const bool negative = q != end && *q == '-';
    q += negative ? 1 : 0;
    std::uint64_t whole = 0;
    const int wholeDigits = digits::TakeDigits(q, end, whole, readable);
    // Eight digits may go on: such a field takes the longer way.
    if (wholeDigits > 0 && wholeDigits < 8) {
        bool plain = true;
        if (q != end && *q == '.') {
            ++q;
            std::uint64_t ignored = 0;
            int run = digits::TakeDigits(q, end, ignored, readable);
            plain = run > 0;
            while (run == 8)
                run = digits::TakeDigits(q, end, ignored, readable);
        }
        if (plain && (q == end || *q == ',')) {
            const double w = static_cast<double>(whole);
            const double least = negative ? -(w + 1) : w;
            const double most = negative ? -w : w + 1;
            if (least > high || most < low) {
                p = q;
                return false;
            }
            if (low <= least && most <= high) {
                p = q;
                return true;
            }
        }
    }
    // Near a bound, or another form: the exact value decides.
    return ExactValueWithin(begin, p, end, low, high);
}

} // namespace tes
