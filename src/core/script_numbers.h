#pragma once

#include <cstddef>
#include <string_view>

// The number conversions of the script writer's record loop, which runs millions of times: the same
// results as the general rules, with a quick way for the usual texts and values.
namespace tes {

// The leading-number value of a record field; plain decimals of up to 15 digits ("-123.456") are read
// directly, every other text by LeadingNumberValue.
double RecordNumberValue(std::string_view text);

// RecordNumberValue of the next comma-separated field of a record, which is taken off the front of
// `rest` together with its comma (the field is the empty text when `rest` is empty), in one pass.
double TakeRecordNumber(std::string_view& rest);
// The same for a record inside a larger buffer, whose bytes up to `readable` may be looked at (the
// digits are then read eight at a time up to the record's end).
double TakeRecordNumber(std::string_view& rest, const char* readable);

// The most characters WriteFixedDecimals writes (the largest double has 309 integer digits).
inline constexpr std::size_t kMaxFixedDecimalsText = 352;

// Writes `value` at `out` as the pattern "0.000..." with `decimals` places (0 to 8) and returns the end:
// exactly what PatternText(value, 1, decimals) gives (15 significant digits first, then half away from
// zero), but with integer arithmetic and no allocation for the usual coordinate range; other values go
// through PatternText. `out` needs room for kMaxFixedDecimalsText characters.
char* WriteFixedDecimals(char* out, double value, int decimals);

} // namespace tes
