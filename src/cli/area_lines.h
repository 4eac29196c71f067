#pragma once

#include "project/plant_areas.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tes::cli {

// An area given on the command line or on a line of an --areas-from file: its points, the width the
// line gives it, and where it came from for the messages ("--area" or "FILE line N: TEXT").
struct GivenArea {
    std::vector<GroundPoint> points;
    std::optional<double> width;
    std::string source;
};

// The areas of a text of lines, each `--area "X,Y X,Y ..."` with an optional ` --width W`, as a shape
// script writes them and as they paste onto a command line. Blank lines and lines starting with # are
// skipped.
struct AreaLines {
    std::vector<GivenArea> areas;
    std::optional<std::string> problem; // the first line that cannot be read: "line N: TEXT: why"
};

// `fileName` names the file in each area's source and in the problem.
AreaLines ReadAreaLines(std::string_view text, const std::string& fileName);

} // namespace tes::cli
