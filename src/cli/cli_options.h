#pragma once

#include "cli/area_lines.h"
#include "project/kinds_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tes {
struct KindKey;
}

namespace tes::cli {

// What the process returns: the command did its work, a message ended it, or the arguments were wrong.
enum ExitStatus : int { kExitDone = 0, kExitFailed = 1, kExitUsage = 2 };

// Window fields a user would set before pressing the project Browse button; an unset one keeps the
// window's initial value.
struct LoadOptions {
    std::string project; // the answer of the open-project dialog
    bool perimeter = false;
    std::optional<std::string> overlap;
    std::optional<std::string> gridSize;
    std::optional<std::string> objectScale;
    std::optional<std::string> rotationAngle;
    bool noRotate = false;
    std::optional<std::string> heading; // typed after the load
};

// A camera and its target as an option gave them; a refusal of the view names that option.
struct GivenCamera {
    GroundPoint camera;
    GroundPoint target;
    const char* option = "--view"; // or "--add-view"
};

// The views a command gives, with the numbers that apply to each of them.
struct ViewOptions {
    std::vector<GivenCamera> cameras; // --view's first
    bool replace = false;             // --view or --no-view: the views given replace the table's
    std::optional<double> fov;
    std::optional<double> margin;
    std::optional<double> keepRadius;
    std::optional<double> far;

    bool given() const { return replace || !cameras.empty(); }
    // The views given, each with the numbers given or the defaults.
    std::vector<PlantView> views() const;
    // The table's views as the options leave them.
    std::vector<PlantView> applied(const std::vector<PlantView>& table) const;
};

// The areas a command gives or takes away, with the values that apply to each area given.
struct AreaOptions {
    std::vector<GivenArea> shapes; // --area's, then --areas-from's lines
    std::optional<double> width;   // an open line this wide, unless its line gives one; none: closed
    bool include = false;
    std::vector<std::string> kinds; // --area-kinds; none: every kind
    std::optional<double> falloff;
    std::vector<std::size_t> removed; // --no-area N: the numbers `kinds` lists the areas with
    bool removeAll = false;           // --no-areas

    bool given() const { return removeAll || !removed.empty() || !shapes.empty(); }
    // The areas given, each with the values given or the defaults.
    std::vector<PlantArea> areas() const;
};

struct BuildOptions {
    LoadOptions load;
    std::optional<std::string> vegetation;
    bool all = false;
    std::optional<std::string> kindsFile; // a kinds table to use instead of the project's own
    std::optional<std::string> maxFile;
    std::optional<std::string> objectName;
    std::optional<std::string> verticalScale;
    std::optional<std::string> verticalOffset;
    bool noSave = false;
    std::optional<std::int64_t> seed;     // instead of the kinds table's, for this run
    std::optional<std::string> outputDir; // the scripts' folder instead of the project's
    bool fast = false;
    bool instances = false;
    bool utf8 = false;
    std::optional<std::string> cache; // "prt", "csv" or "both": point caches beside the scripts
    bool join = false;                // --all also joins the scripts and caches, as Process All's box
    ViewOptions views;                // instead of the kinds table's, for this run
    bool noAreas = false;             // every plant, whatever areas the kinds table holds, for this run
};

// A value of a kind's row given to `kinds --set`: the text its key reads, or none for the key's default
// (--stand auto, --clear-variants).
struct GivenValue {
    const KindKey* key = nullptr;
    std::optional<std::string> text;
};

// Shows the kinds table joined with the tile's kinds, or changes one row of it.
struct KindsOptions {
    LoadOptions load;
    std::optional<std::string> kindsFile; // instead of the project's own table
    std::optional<std::string> set;       // the kind whose row is changed
    std::vector<GivenValue> given;        // its values given; the others stay as the row has them
    std::optional<std::int64_t> seed;     // the project's seed
    ViewOptions views;                    // the project's views
    AreaOptions areas;                    // the project's areas
};

// Where the 3ds Max check is written.
struct MaxCheckOptions {
    std::string folder;
};

struct CombineOptions {
    std::string output;
    std::vector<std::string> inputs;
};

} // namespace tes::cli
