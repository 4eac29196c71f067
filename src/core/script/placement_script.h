#pragma once

#include "core/plants/plant_filter.h"
#include "core/script/script_style.h"
#include "core/script/typed_number.h"
#include "lib/atomic_file.h"
#include "lib/failure.h"
#include "lib/line_list.h"
#include "lib/message.h"
#include "lib/progress.h"
#include "project/kinds_table.h"
#include "project/plant_stand.h"
#include "project/plant_views.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tes {

// One more Max file and object a kind's plants are cloned from, and how often against the others. Its
// weight may be the sum of the table's variants that name one source, so it is wider than theirs.
struct VariantSource {
    std::string maxFile;
    std::string objectName; // empty: the Max file's name
    std::uint64_t weight = 1;
    std::string object() const;
    bool operator==(const VariantSource&) const = default;
};

// What a placement script is built from: the chosen kind, the object, and the placement options as
// numbers, each read by its client from the user's text with the leading-number rule (infinite when
// the text overflows: the build fails on it where it needs the number).
struct PlacementOptions {
    // The kind placed: the records whose field 0 reads exactly this text ("5"); it names the script.
    std::string kindNumber;
    std::string maxFile;    // the 3ds Max file the object is merged from
    std::string objectName; // the object's name in it
    bool mainTile = true;   // the tile the records were kept for names the script
    std::int32_t terrainWidth = 0;
    double gridRes = 3;
    double gridSize = 256;
    double objectScale = 33.333333;
    bool useObjectScale = false; // the object scale is the user's, the grid size follows
    double verticalScale = 1;
    double verticalOffset = 0;
    bool rotate = true;
    // The script writes the angle as the user typed it, so the text is kept beside its value.
    TypedNumber rotationAngle = "0.000";
    std::string projectBasePath; // the script is <base>_MainVeg_NN.ms or <base>_PerVeg_NN.ms
    bool saveToFile = true;
    ScriptStyle style;
    // Where the user chooses the fast script, named when the classic one is refused ("--fast" on the
    // command line).
    std::string fastScriptChoice = "Script Options";
    // How the kind's plants are placed, as its row gives them: a turn and a scale (the fast shape
    // only), the thinning, the far model and boxes (with a view, the fast shape only) and the stand
    // (the fast shape only, beyond the default). Its variants are drawn from as the sources below.
    PlantSettings plants;
    // The objects the plants are drawn from beside the one above, whose weight is `weight`: the
    // variants, no two of them one source (takePlants).
    std::uint64_t weight = 1;
    std::vector<VariantSource> variants;
    std::int64_t seed = 1;
    // Which plants are kept (docs/views.md): those any view sees, none when there is no view, and of
    // those the thinning's share, drawn with the seed above. The defaults keep every plant.
    std::vector<PlantView> views;
    // Where the plants grow (docs/areas.md): the project's areas; those that name other kinds do nothing.
    std::vector<PlantArea> areas;

    bool detailed() const { return !views.empty() && plants.detail.any(); }
    // Whether the far model is merged: a view, a far model and its distance.
    bool farModel() const { return !views.empty() && plants.detail.farModel(); }
    bool varies() const { return plants.turn || plants.scale || !variants.empty() || detailed(); }
    // Takes the plant settings of the kind's row in the kinds table, and the table's seed. Variants that
    // name the Max file and object of the row (or, for a row without a Max file, of these options: set
    // them first) or of an earlier variant, letter case aside and / as \, are one source: their
    // weights go to the first, so each object is merged and placed from once.
    void takePlants(const KindRow& row, std::int64_t tableSeed);
};

// How the work is done, not what it makes.
struct BuildTuning {
    // Lists of at least this many records are built on two threads.
    std::uint64_t twoThreadsFrom = 500000;
    // The script file fails as a full disk does once it would grow beyond this.
    std::uint64_t fileByteLimit = kNoByteLimit;
};

struct PlacementRequest {
    PlacementOptions options;
    const LineList* records = nullptr; // the tile's environment records
    Progress* progress = nullptr;
    BuildTuning tuning;
    // Each record's line in the environment file (LoadResult::recordLines): the IDs of a point cache.
    const std::vector<std::uint32_t>* recordLines = nullptr;
    // The plants one pass over every kind kept already (BuildAllKinds), and this kind's place among
    // that pass's kinds; without them the build keeps its own.
    const KeptPlants* kept = nullptr;
    std::size_t keptKind = 0;
};

enum class BuildOutcome {
    Refused,   // no script: the input cannot be used
    Built,     // the script is complete (and its file written when asked)
    Failed,    // the build stopped at a failure: the lines made until then are the script
    Cancelled, // the user stopped it: nothing of it counts, no file was replaced
};

struct PlacementResult {
    BuildOutcome outcome = BuildOutcome::Refused;
    std::string number;     // the kind's number, as its records' field 0 must read
    std::string scriptPath; // the script's file, named once the build has started
    LineList lines;
    std::uint64_t objectCount = 0; // the records placed
    // The kind's records on the tile, of which the views and the thinning kept objectCount; without
    // either (`filtered` false) all of them are placed.
    std::uint64_t kindRecords = 0;
    bool filtered = false;
    bool fileWritten = false;
    std::vector<std::string> cachePaths; // the point caches written beside the script
    // The new text of whichever of grid size and object scale follows the other.
    std::optional<std::string> gridSize;
    std::optional<std::string> objectScale;
    Messages messages;
    // What stopped a failed build.
    std::optional<Failure> failure;
};

// Builds the MAXScript that merges the object from the Max file, moves it to the first record of the
// kind, turns and scales it, and copies it to every further record of the kind. With a point cache
// chosen and the script saved, the cache is written first into a temporary file, and replaces the old
// one once the script has replaced its own.
PlacementResult BuildPlacementScript(const PlacementRequest& request);

struct PlantVariation;
// How the plants of the kind `number` differ by the options: their ranges and seed, and one weight per
// Max file and object, the options' own first.
PlantVariation VariationOf(const PlacementOptions& options, const std::string& number);

// The views and thinning of the options for the plants of their kind, with the options' seed; none
// when they keep every plant. Throws Failure 6 as the kind's number would in the build.
std::optional<PlantFilter> PlantFilterOf(const PlacementOptions& options);

struct PointCacheSetup;
struct KindOutputPaths;
struct CacheKind;
// The kind of the options in a point cache: its records, its MtlIndex, and how its plants differ.
CacheKind CacheKindOf(const PlacementOptions& options);
// The point cache of the records of `kinds`, placed, turned and scaled as the options' script places
// them, written to `files` in the options' formats. Throws Failure as the script's build would.
PointCacheSetup CacheSetupFor(const PlacementOptions& options, std::vector<CacheKind> kinds,
                              KindOutputPaths files, const BuildTuning& tuning);

// The first checks of the Process command, in order: a Max file and an object name. The first that
// fails.
std::optional<Message> CheckObjectInput(const PlacementOptions& options);

} // namespace tes
