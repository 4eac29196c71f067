#include "lib/plain_decimal.h"

#include "lib/digit_run.h"
#include "lib/numbers.h"
#include "lib/powers_of_ten.h"

namespace tes {

namespace {

constexpr int kMaxKeptDigits = 19; // the most digits a 64-bit number holds

// Reads a run of digits; `value` holds it while it has at most 19 digits.
int TakeDigitRun(const char*& p, const char* end, std::uint64_t& value) {
    int count = digits::TakeDigits(p, end, value);
    if (count < 8)
        return count; // the usual field
    for (;;) {
        std::uint64_t part = 0;
        const int taken = digits::TakeDigits(p, end, part);
        if (count + taken <= kMaxKeptDigits)
            value = value * kPowersOfTen[static_cast<std::size_t>(taken)] + part;
        count += taken;
        if (taken < 8)
            return count;
    }
}

} // namespace

double PlainDecimal::value() const {
    const auto scale = kPowersOfTen[static_cast<std::size_t>(decimals)];
    double v = static_cast<double>(whole * scale + fraction);
    if (decimals > 0)
        v /= static_cast<double>(scale);
    return negative ? -v : v;
}

bool ScanPlainDecimal(const char*& p, const char* end, PlainDecimal& number) {
    // Local copies: stores through a char pointer could alias the caller's variables.
    const char* q = p;
    number.negative = q != end && *q == '-';
    if (number.negative)
        ++q;
    number.wholeDigits = TakeDigitRun(q, end, number.whole);
    number.fraction = 0;
    number.decimals = 0;
    if (q != end && *q == '.') {
        ++q;
        number.decimals = TakeDigitRun(q, end, number.fraction);
    }
    p = q;
    return number.wholeDigits + number.decimals > 0;
}

double TakeRecordNumber(std::string_view& rest) {
    const char* p = rest.data();
    const char* const end = p + rest.size();
    PlainDecimal number;
    if (ScanPlainDecimal(p, end, number) && number.exact() && (p == end || *p == ',')) {
        rest.remove_prefix(static_cast<std::size_t>(p == end ? end - rest.data() : p + 1 - rest.data()));
        return number.value();
    }
    // Anything else (blanks, exponents, &H, more than 15 digits) takes the general rule.
    const std::size_t comma = rest.find(',');
    const std::string_view field = rest.substr(0, comma);
    rest = rest.substr(comma == std::string_view::npos ? rest.size() : comma + 1);
    return LeadingNumberValue(field);
}

} // namespace tes
