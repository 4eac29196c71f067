#pragma once

#include "core/script/placement_script.h"
#include "project/kinds_table.h"

#include <optional>
#include <string>

namespace tes {

// The Max file and object of a kind whose row in the kinds table names no Max file (or that has no
// row): the command line's --max-file and --object, the window's fields. An empty object is the
// file's name.
struct KindFallback {
    std::string maxFile;
    std::string objectName;
};

// Whether one kind was asked for by itself (Process, build --vegetation) or as one of every kind
// (Process All, build --all), where a disabled row or a kind without a Max file is passed over.
enum class KindScope { One, All };

// How one kind is to be built, as its row and the request say.
struct KindPlan {
    enum class Status { Build, Skip, Refuse };
    Status status = Status::Build;
    // The options to build with: the shared ones, the kind, its Max file and object, its variation
    // and thinning, the table's seed and the project's views.
    PlacementOptions options;
    // Skip: "disabled" or "no Max file"; Refuse: the first value of its row that cannot be read.
    std::string reason;
};

// The one way from a kind and its row to a build's options, for the window and the command line
// alike. The row's variation applies to the kind whatever gives its Max file; the fallback is the
// Max file and object of a kind whose row names none. A row with a value that cannot be read is
// refused. The kind's number is taken as it is given (the tile's, or the window's typed text).
KindPlan PlanKind(const PlacementOptions& shared, const std::string& number, const KindsTable* table,
                  const KindFallback& fallback, KindScope scope);

} // namespace tes
