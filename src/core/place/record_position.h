#pragma once

#include "core/place/chosen_rows.h"
#include "lib/fixed_decimals.h"
#include "lib/line_list.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace tes {

// A number the script would have to write lies beyond what 3ds Max holds (its floats have 32 bits).
struct BeyondSinglePrecision {
    std::string record; // the record whose position it is
};

// Whether 3ds Max can hold the number: within the range of a 32-bit float.
inline bool FitsSinglePrecision(double value) {
    return std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max());
}

// A record's position in the scene's coordinates.
struct ScenePoint {
    double X = 0;
    double Y = 0;
    double Z = 0;
};

// How a vegetation record ("kind,x,height,z") becomes the position of its object in the script: the
// environment's z axis becomes the scene's X, its x axis the scene's Y reversed, and the height Z;
// both horizontal axes are measured from the tile's middle, and all three follow the object scale.
struct ScenePlacement {
    double H = 0; // the tile's middle on both horizontal axes
    double vScale = 0;
    double vOffset = 0;
    double objScale = 100;

    // The position of the record whose fields after field 0 are `rest` (in a padded buffer). Throws
    // Failure 6 when a result is not a finite number. `xz`, when given, receives the record's x and z
    // as read once both are finite, for the plant's variation.
    ScenePoint place(std::string_view rest, double* xz = nullptr) const;
    // The position of the environment point (x, height y, z).
    ScenePoint placeNumbers(double x, double y, double z) const;
};

struct PositionRule : ScenePlacement {
    std::string_view number; // the kind's number, exactly as field 0 must read

    // Whether field 0 of the record (GetElement(entry, ",", 0)) is exactly the number: the record
    // starts with it and a comma or its end follows. A number with a comma in it is never a field 0.
    bool matches(std::string_view entry) const {
        const std::size_t n = number.size();
        if (entry.size() < n || (entry.size() > n && entry[n] != ','))
            return false;
        // Numbers are a few characters long: a plain loop beats a call to memcmp for every record.
        for (std::size_t i = 0; i < n; ++i) {
            if (entry[i] != number[i])
                return false;
        }
        return number.find(',') == std::string_view::npos;
    }

    // Writes "X,Y,Z]" (six decimals each) for a matching record at `out` and returns the end. The
    // record must lie in a padded buffer (a LineList's row is). Throws Failure 6 when a result is not
    // a finite number, and BeyondSinglePrecision when 3ds Max could not hold it. `xz` as for place().
    char* writePosition(char* out, std::string_view entry, double* xz = nullptr) const;
    // The position writePosition writes, as numbers; throws as it does.
    ScenePoint placeRecord(std::string_view entry, double* xz = nullptr) const;
};

// Writes "X,Y,Z]" (six decimals each) for a position placeRecord gave and returns the end.
char* WritePoint(char* out, const ScenePoint& point);

// The float 3ds Max reads from the script's text of a coordinate (six decimals), as a point cache
// holds it. Coordinates below a million and away from a half-way point of their sixth place skip the
// text (docs/performance.md).
float ScriptFloat(double coordinate);
// The same through the text, always.
float ScriptFloatThroughText(double coordinate);

// The most characters writePosition writes.
inline constexpr std::size_t kMaxPositionText = 3 * kMaxFixedDecimalsText + 3;

// Calls `onMatch(entry)` for every row of [begin, end) whose kind is the rule's and which `chosen` holds
// (every row without it), and `tick(row)` before the first row and every `step` rows after it; stops
// and returns false when `tick` does. The rows are read straight from the list's text and line ends:
// most are skipped after a byte or two, or at their bit.
template <typename Tick, typename OnMatch>
bool ForEachMatchingRow(const PositionRule& rule, const LineList& rows, const ChosenRows* chosen,
                        std::uint64_t begin, std::uint64_t end, std::uint64_t step, Tick&& tick,
                        OnMatch&& onMatch) {
    const char* const text = rows.text().data();
    const auto ends = rows.ends();
    std::uint64_t rowBegin = begin == 0 ? 0 : ends[begin - 1];
    for (std::uint64_t row = begin; row < end; ++row) {
        if ((row - begin) % step == 0 && !tick(row))
            return false;
        const std::string_view entry(text + rowBegin, ends[row] - rowBegin);
        rowBegin = ends[row];
        if ((!chosen || chosen->has(row)) && rule.matches(entry))
            onMatch(entry);
    }
    return true;
}

} // namespace tes
