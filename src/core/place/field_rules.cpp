#include "core/place/field_rules.h"

#include "lib/numbers.h"

namespace tes {

double CheckedFieldValue(std::string_view text, const FieldRule& rule) {
    double v = LeadingNumberValue(text);
    if (v == kNoUpperBound && rule.upper == kNoUpperBound)
        v = rule.lower;
    if (v > rule.upper) {
        v = rule.upper;
    } else if (v < rule.lower) {
        v = rule.lower;
    }
    return RoundHalfEven(v, rule.decimals);
}

std::string CheckedGridSize(std::string_view text) {
    return FormatPattern(CheckedFieldValue(text, kGridSizeRule), "0");
}

std::string CheckedObjectScale(std::string_view text) {
    return FormatPattern(CheckedFieldValue(text, kObjectScaleRule), "0.000000");
}

std::string CheckedHeading(std::string_view text) {
    return DecimalText(CheckedFieldValue(text, kHeadingRule));
}

std::string CheckedPitch(std::string_view text) {
    return DecimalText(CheckedFieldValue(text, kPitchRule));
}

} // namespace tes
