#pragma once

#include <limits>
#include <string>
#include <string_view>

namespace tes {

// The range and precision of a numeric field that is checked when the focus leaves it.
struct FieldRule {
    double lower;
    double upper; // infinity: none
    int decimals;
};

inline constexpr double kNoUpperBound = std::numeric_limits<double>::infinity();

inline constexpr FieldRule kGridSizeRule{1, kNoUpperBound, 0};
inline constexpr FieldRule kObjectScaleRule{0.1, kNoUpperBound, 6};
inline constexpr FieldRule kHeadingRule{0, 359.9, 1};
inline constexpr FieldRule kPitchRule{0, 89.9, 1};

// The field's number (its text's leading-number value) pulled into the rule's range and rounded half
// to even. There is no refusal: a text without a number reads as 0. A number beyond the double range
// is the lower bound when the field has no upper bound; the bounded fields clamp it like any value.
double CheckedFieldValue(std::string_view text, const FieldRule& rule);

// Each field's text as the check writes it back: the grid size a whole number ("256"), the object
// scale with six decimals ("33.333333"), the heading and the pitch as decimal text ("12.4").
std::string CheckedGridSize(std::string_view text);
std::string CheckedObjectScale(std::string_view text);
std::string CheckedHeading(std::string_view text);
std::string CheckedPitch(std::string_view text);

} // namespace tes
