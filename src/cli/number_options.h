#pragma once

#include <CLI/CLI.hpp>
#include <limits>
#include <string>

namespace tes::cli {

// The range a numeric option takes; infinite bounds leave that side open.
struct NumberRange {
    double lower;
    double upper;
};

inline constexpr NumberRange kAnyNumber{-std::numeric_limits<double>::infinity(),
                                        std::numeric_limits<double>::infinity()};

// "from 0 to 359.9", "of 1 or more", or nothing for any number.
std::string RangeText(const NumberRange& range);

// Refuses a value that is not wholly a number (letters, a decimal comma) or lies outside the range.
// A field of the window reads such text as 0 and goes on; a batch job must not.
CLI::Validator NumberIn(const NumberRange& range);

} // namespace tes::cli
