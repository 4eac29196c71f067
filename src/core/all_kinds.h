#pragma once

#include "core/script/placement_script.h"
#include "project/kinds_table.h"
#include "project/vegetation_list.h"

#include <functional>
#include <string>
#include <vector>

namespace tes {

struct KindOutcome {
    enum class Status { Built, Skipped, Failed };
    std::string kind; // "Vegetation_5"
    Status status = Status::Skipped;
    std::string reason; // why it was skipped or failed: "no Max file", "disabled", or the message
    std::uint64_t objects = 0;
    // With a view or thinning (`filtered`): the kind's records on the tile, of which `objects` were kept.
    std::uint64_t records = 0;
    bool filtered = false;
    std::string scriptPath;
    std::vector<std::string> cachePaths; // the point caches written beside the script
    Messages messages;                   // the build's own, when it failed
};

// What to do once a kind has failed: go on with the others, or end the run there.
enum class AfterFailure { GoOn, Stop };

// Where the scripts of every kind are joined: <base>_MainVeg_All.ms, or _PerVeg_All.ms for the
// perimeter tile; the joined caches take the same name with their own extensions.
std::string JoinedScriptPath(const PlacementOptions& options);

struct AllKindsRequest {
    // The placement options every script shares; the kind, the Max file and the object are each
    // kind's own.
    PlacementOptions options;
    const LineList* records = nullptr;
    const std::vector<std::uint32_t>* recordLines = nullptr; // as PlacementRequest's
    std::vector<VegetationKind> kinds;                       // the tile's kinds, in the list's order
    const KindsTable* table = nullptr;
    // The Max file and object of a kind without a row, or whose row names no Max file; an empty
    // object name is the Max file's name. Without a Max file here such a kind is skipped.
    std::string fallbackMaxFile;
    std::string fallbackObject;
    AfterFailure afterFailure = AfterFailure::GoOn;
    // Also join the scripts written into this file, as the combiner joins them (empty: no). With a
    // point cache chosen, the kinds' particles are joined too, into <base>_MainVeg_All.prt (or .csv),
    // with MtlIndex telling the kinds apart.
    std::string joinInto;
    Progress* progress = nullptr;
    BuildTuning tuning;
    // Told of each kind as it ends, with the script's lines when it was built.
    std::function<void(const KindOutcome&, const LineList& script)> kindDone;
};

struct AllKindsResult {
    std::vector<KindOutcome> kinds;
    bool cancelled = false; // the user stopped after the kind being built
    bool stopped = false;   // a kind failed and the run was to end there
    std::string joinedPath; // the combined script written, if any
    std::vector<std::string> joinedCachePaths;
    LineList lastScript; // the lines of the last script built, for the output pane
    // "Wrote 4 scripts, 1,234 objects. Skipped: Vegetation_7 (no Max file)."
    std::string summary;
    Messages messages; // what went wrong (every kind's failure, and the join's)
    bool anyFailed() const;
};

// Builds one script per kind of the tile whose row is enabled and names a Max file (or that takes the
// fallback), with the shared options, through the same engine as Process. A failure of one kind is
// reported, and the others go on or the run ends as asked; a cancel stops after the current kind.
AllKindsResult BuildAllKinds(const AllKindsRequest& request);

// The key a kind is reported by: "Vegetation_5".
std::string KindSectionName(const VegetationKind& kind);

// How many of a kind's plants a view or thinning kept: "Vegetation_5: 3,120 of 28,400 plants".
std::string KeptPlantsText(const std::string& kind, std::uint64_t kept, std::uint64_t of);

} // namespace tes
