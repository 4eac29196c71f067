#pragma once

#include <cstddef>

namespace tes {

// The most characters WriteFixedDecimals writes (the largest double has 309 integer digits).
inline constexpr std::size_t kMaxFixedDecimalsText = 352;

// Writes `value` at `out` as the pattern "0.000..." with `decimals` places (0 to 8) and returns the end:
// exactly what PatternText(value, 1, decimals) gives (15 significant digits first, then half away from
// zero), but with integer arithmetic and no allocation for the usual coordinate range; other values go
// through PatternText. `out` needs room for kMaxFixedDecimalsText characters. The script writer
// formats three coordinates of every object it places with it.
char* WriteFixedDecimals(char* out, double value, int decimals);

// WriteFixedDecimals for short values with 1 to 6 places (a plant's turn and scale factor), in a
// fraction of its time: the value times 10^decimals is rounded in floating point. Other places, values
// below 0.001 (or one unit of the last place, when that is more) or with more than ten digits in all, and
// values whose digits lie near a half-way point, where the pattern's first rounding to 15 significant digits
// could decide otherwise, go to WriteFixedDecimals; so the text is always its text.
char* WriteShortFixedDecimals(char* out, double value, int decimals);

} // namespace tes
