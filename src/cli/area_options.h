#pragma once

#include "cli/cli_options.h"

#include <string>

namespace CLI {
class App;
} // namespace CLI

namespace tes::cli {

// --area, --areas-from, --width, --include, --area-kinds, --falloff, --no-area and --no-areas: the areas
// the kinds table keeps.
void AddAreaOptions(CLI::App& app, AreaOptions& areas);

// --no-areas of one run (build, preview): every plant, whatever areas the kinds table holds.
void AddRunAreaOption(CLI::App& app, bool& noAreas);

// Refuses values given without an area to apply to, and an area that cannot be used; for the
// command's callback, after every option is read.
void CheckAreaOptions(const AreaOptions& areas);

// Takes the areas away and adds those given, as the options say. The refusal when --no-area names an
// area the table does not have.
std::optional<std::string> ApplyAreaOptions(const AreaOptions& areas, KindsTable& table);

// The line `kinds` prints for an area that can be read, after "area\tN": its points, "closed" or
// "width W", its mode, "kinds K" ("all"), "falloff F".
std::string AreaText(const PlantArea& area);

} // namespace tes::cli
