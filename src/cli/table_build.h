#pragma once

#include "cli/cli_options.h"

#include <ostream>

namespace tes {
class KindsTable;
class Platform;
struct Context;
} // namespace tes

namespace tes::cli {

// build --all with a kinds table: one script per kind of the tile, with its row's Max file and
// object, or with --max-file when its row has none; a kind that has neither, or whose row is
// disabled, is skipped and named on the error stream. A kind that fails is named too and the others
// go on. Prints each script's path (or its lines when not saved); false when a kind failed.
bool BuildFromTable(Context& ctx, const KindsTable& table, const BuildOptions& options, Platform& platform,
                    std::ostream& out);

} // namespace tes::cli
