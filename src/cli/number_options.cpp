#include "cli/number_options.h"

#include "lib/numbers.h"
#include "project/vegetation_list.h"

#include <cmath>

namespace tes::cli {

std::string RangeText(const NumberRange& range) {
    const bool low = std::isfinite(range.lower);
    const bool high = std::isfinite(range.upper);
    if (low && high)
        return "from " + DecimalText(range.lower) + " to " + DecimalText(range.upper);
    if (low)
        return "of " + DecimalText(range.lower) + " or more";
    if (high)
        return "of " + DecimalText(range.upper) + " or less";
    return {};
}

CLI::Validator NumberIn(const NumberRange& range) {
    return CLI::Validator(
        [range](std::string& value) -> std::string {
            if (IsNumericText(value)) {
                const double number = LeadingNumberValue(value);
                if (number >= range.lower && number <= range.upper)
                    return {};
            }
            const std::string wanted = RangeText(range);
            return value + " is not a number" + (wanted.empty() ? "" : " " + wanted);
        },
        "");
}

} // namespace tes::cli
