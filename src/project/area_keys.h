#pragma once

#include "project/kind_keys.h"
#include "project/plant_areas.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The readings of an [AreaN] section's keys, the same for the file, the preview and the command line.
// Each problem completes a sentence that names the key and its text, as the kinds' keys do.
namespace tes {

// What the readings say of the breadths they take, for the help of the options that set them. A
// billion scene units is far beyond any terrain and keeps every sum of them finite.
inline constexpr std::string_view kAreaDistanceRule = "a number from 0 to 1000000000";
inline constexpr std::string_view kAreaPointsForm = "X,Y X,Y ...";

// Points: "X,Y X,Y ...", points apart by blanks, at most kMaxAreaPoints of them. Empty is no area.
KeyValue<std::vector<GroundPoint>> ReadAreaPoints(std::string_view text);
// Width: the breadth of an open line; empty is none, a closed area.
KeyValue<std::optional<double>> ReadAreaWidth(std::string_view text);
// Falloff: the soft edge's breadth; empty is 0.
KeyValue<double> ReadFalloff(std::string_view text);
// Mode: exclude or include, letter case aside; empty is exclude.
KeyValue<AreaMode> ReadAreaMode(std::string_view text);
// Kinds: kind numbers apart by commas ("1,5"); empty is every kind.
KeyValue<std::vector<std::string>> ReadAreaKinds(std::string_view text);

// The texts the table writes: "-10,0 25.5,40", "exclude", "1,5".
std::string AreaPointsText(const std::vector<GroundPoint>& points);
std::string AreaModeText(AreaMode mode);
std::string AreaKindsText(const std::vector<std::string>& kinds);

} // namespace tes
