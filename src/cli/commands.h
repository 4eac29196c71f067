#pragma once

#include "cli/cli_options.h"

#include <ostream>

namespace tes::cli {

class CliPlatform;

// The verbs of enviro-script. Each runs the window's commands on a fresh program, prints its result
// to `out` and returns the process's exit status; messages go through the platform.
int RunInfo(const LoadOptions& options, CliPlatform& platform, std::ostream& out);
int RunRecords(const LoadOptions& options, CliPlatform& platform, std::ostream& out);
int RunBuild(const BuildOptions& options, CliPlatform& platform, std::ostream& out);
int RunKinds(const KindsOptions& options, CliPlatform& platform, std::ostream& out);
int RunCombine(const CombineOptions& options, CliPlatform& platform);

} // namespace tes::cli
