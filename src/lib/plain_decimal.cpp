#include "lib/plain_decimal.h"

#include "lib/numbers.h"
#include "lib/powers_of_ten.h"

namespace tes {

namespace detail {

int TakeLongDigitRun(const char*& p, const char* end, std::uint64_t& value) {
    constexpr int kMaxKeptDigits = 19; // the most digits a 64-bit number holds
    int count = 8;
    for (;;) {
        std::uint64_t part = 0;
        const int taken = digits::TakeDigits(p, end, part);
        if (count + taken <= kMaxKeptDigits)
            value = value * kPowersOfTen[static_cast<std::size_t>(taken)] + part;
        count += taken;
        if (taken < 8)
            return count - 8;
    }
}

int SkipLongDigitRun(const char*& p, const char* end) {
    int count = 0;
    for (;;) {
        const int taken = digits::SkipDigits(p, end);
        count += taken;
        if (taken < 8)
            return count;
    }
}

} // namespace detail

double PlainDecimal::value() const {
    // At most 15 decimals: two runs of eight at the most.
    std::uint64_t fractionValue = 0;
    const char* p = fraction;
    const char* const end = fraction + decimals;
    for (int left = decimals; left > 0; left -= 8) {
        std::uint64_t part = 0;
        const int taken = digits::TakeDigits(p, end, part);
        fractionValue = fractionValue * kPowersOfTen[static_cast<std::size_t>(taken)] + part;
    }
    const auto scale = kPowersOfTen[static_cast<std::size_t>(decimals)];
    double v = static_cast<double>(whole * scale + fractionValue);
    if (decimals > 0)
        v /= static_cast<double>(scale);
    return negative ? -v : v;
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
