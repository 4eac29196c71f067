// The number rules on arbitrary text: nothing crashes, and the decimal text of any value reads back
// as the same value to 15 significant digits.
#include "fuzz_support.h"
#include "lib/failure.h"
#include "lib/numbers.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = tes::fuzz::AsText(data, size);
    const double value = tes::LeadingNumberValue(text);
    if (std::isnan(value))
        tes::fuzz::Fail("the leading-number value is never NaN");
    if (!std::isfinite(value))
        return 0;

    const std::string decimal = tes::DecimalText(value);
    const double back = tes::LeadingNumberValue(decimal);
    if (std::fabs(back - value) > std::fabs(value) * 1e-14)
        tes::fuzz::Fail("decimal text reads back");

    for (const char* pattern : {"0", "00", "0.000000", "0.00000000"}) {
        const std::string formatted = tes::FormatPattern(value, pattern);
        if (formatted.empty())
            tes::fuzz::Fail("a pattern always writes digits");
    }
    for (int decimals : {0, 1, 6}) {
        const double rounded = tes::RoundHalfEven(value, decimals);
        if (std::isnan(rounded))
            tes::fuzz::Fail("rounding a finite value gives a number");
    }
    try {
        (void)tes::ToInt32(value);
    } catch (const tes::Failure&) {
    }
    (void)tes::SignPadded(static_cast<long long>(size) - 64);
    return 0;
}
