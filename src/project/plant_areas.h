#pragma once

#include "project/plant_views.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tes {

// Whether an area clears its kinds' plants from inside it, or holds them: with include areas a kind's
// plants grow only inside the union of those that name it.
enum class AreaMode { exclude, include };

// A place of the scene where plants do not grow, or the only places where they do ([Area1], [Area2] ...
// in the kinds table; docs/areas.md). In the scene's X and Y, as views are.
struct PlantArea {
    std::vector<GroundPoint> points;
    std::optional<double> width; // none: a closed polygon; a width: an open line (a road, a river)
    AreaMode mode = AreaMode::exclude;
    std::vector<std::string> kinds; // their numbers without leading zeros; none: every kind
    double falloff = 0;             // the soft edge's breadth; 0: a hard edge
    bool operator==(const PlantArea&) const = default;

    bool closed() const { return !width.has_value(); }
    // Whether it acts on the plants of this kind (its number, leading zeros aside).
    bool appliesTo(std::string_view kind) const;
};

// The most points an area takes: each plant is tested against its edges, so this bounds the work.
inline constexpr std::size_t kMaxAreaPoints = 10000;

// Why the area cannot be used although each of its values was read by its key's rule
// (project/area_keys.h): too few points for its shape, or a polygon whose points lie on one line.
std::optional<std::string> AreaProblem(const PlantArea& area);

} // namespace tes
