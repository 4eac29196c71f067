#include "project/plant_areas.h"

#include <algorithm>

namespace tes {

namespace {

// The number without its leading zeros, as the kinds table names a kind: 05 is 5.
std::string_view WithoutLeadingZeros(std::string_view number) {
    const std::size_t first = number.find_first_not_of('0');
    return first == std::string_view::npos ? number.substr(number.empty() ? 0 : number.size() - 1)
                                           : number.substr(first);
}

} // namespace

bool PlantArea::appliesTo(std::string_view kind) const {
    if (kinds.empty())
        return true;
    const std::string_view wanted = WithoutLeadingZeros(kind);
    return std::any_of(kinds.begin(), kinds.end(),
                       [wanted](const std::string& number) { return WithoutLeadingZeros(number) == wanted; });
}

std::optional<std::string> AreaProblem(const PlantArea& area) {
    if (!area.closed()) {
        if (area.points.size() < 2)
            return "a line needs two points or more";
        return std::nullopt;
    }
    if (area.points.size() < 3)
        return "a closed area needs three points or more (give a Width for a line)";
    // Exactly on one line: the cross product of every point with the first two that differ is zero.
    const GroundPoint& a = area.points.front();
    const auto other = std::find_if(area.points.begin(), area.points.end(),
                                    [&a](const GroundPoint& point) { return point != a; });
    if (other != area.points.end()) {
        const double ux = other->x - a.x;
        const double uy = other->y - a.y;
        for (const GroundPoint& point : area.points) {
            if (ux * (point.y - a.y) - uy * (point.x - a.x) != 0)
                return std::nullopt;
        }
    }
    return "its points all lie on one line, so it encloses nothing";
}

} // namespace tes
