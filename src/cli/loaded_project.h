#pragma once

#include "cli/cli_options.h"
#include "core/load_project.h"
#include "core/script/placement_script.h"
#include "project/kinds_table.h"

#include <optional>
#include <string>

namespace tes {
class Platform;
}

namespace tes::cli {

// A project loaded with the options a command was given, as the window loads it with the same
// values set before Browse, and the heading typed after the load.
struct LoadedProject {
    LoadResult load; // the fields as the load and the heading leave them
    TileOptions tile;
    bool rotate = true;
    bool complete = false; // loaded, and no reader failed ("Using default..." notices aside)
    // The kinds table the command works on and where it is kept: the project's own, beside it, or
    // the one --kinds names.
    std::string kindsTablePath;
    KindsTable kindsTable;

    bool loaded() const { return load.outcome == LoadOutcome::Loaded; }
};

// Loads the project and its kinds table (the one `kindsFile` names, if given) and shows their
// messages, the table's unreadable values among them, through the platform.
LoadedProject LoadWithOptions(const LoadOptions& options, Platform& platform,
                              const std::optional<std::string>& kindsFile = std::nullopt);

// The placement options of the loaded tile before a kind, a Max file and an object are chosen:
// scripts are saved next to the project, in the classic shape.
PlacementOptions PlacementOptionsOf(const LoadedProject& project);

} // namespace tes::cli
