#pragma once

#include "core/placement_script.h"
#include "project/kinds_table.h"

#include <optional>
#include <string>
#include <vector>

namespace tes {

struct AllKindsRequest {
    // The placement options every script shares; the kind, the Max file and the object come from the
    // table for each kind.
    PlacementOptions options;
    const LineList* records = nullptr;
    std::vector<std::string> kinds; // the kinds offered ("Vegetation_5:  Pine"), in their order
    const KindsTable* table = nullptr;
    // A kind without a row, or whose row has no Max file, takes this one when it is given.
    std::optional<std::string> fallbackMaxFile;
    // Also join the scripts written into this file, as the combiner joins them (empty: no).
    std::string joinInto;
    Progress* progress = nullptr;
    BuildTuning tuning;
};

struct KindOutcome {
    enum class Status { Built, Skipped, Failed };
    std::string kind; // "Vegetation_5"
    Status status = Status::Skipped;
    std::string reason; // why it was skipped or failed: "no Max file", "disabled", or the message
    std::uint64_t objects = 0;
    std::string scriptPath;
};

struct AllKindsResult {
    std::vector<KindOutcome> kinds;
    bool cancelled = false; // the user stopped after the kind being built
    std::string joinedPath; // the combined script written, if any
    LineList lastScript;    // the lines of the last script built, for the output pane
    // "Wrote 4 scripts, 1,234 objects. Skipped: Vegetation_7 (no Max file)."
    std::string summary;
    Messages messages; // what went wrong (every kind's failure, and the join's)
    bool anyFailed() const;
};

// Builds one script per kind of the tile whose row is enabled and names a Max file, with the shared
// options, through the same engine as Process. A kind written twice (5 and 05) is built once. A failure
// of one kind is reported and the others go on; a cancel stops after the current kind.
AllKindsResult BuildAllKinds(const AllKindsRequest& request);

// The part of an entry before the colon ("Vegetation_5"), and its number ("5").
std::string KindKey(std::string_view entry);

} // namespace tes
