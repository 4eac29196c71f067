#pragma once

#include "cli/cli_options.h"
#include "lib/line_list.h"

#include <ostream>

namespace tes::cli {

class CliPlatform;

// The verbs of enviro-script. Each loads the project through the engine with the options given,
// prints its result to `out` and returns the process's exit status; messages go through the platform.
int RunInfo(const LoadOptions& options, CliPlatform& platform, std::ostream& out);
int RunRecords(const LoadOptions& options, CliPlatform& platform, std::ostream& out);
int RunBuild(const BuildOptions& options, CliPlatform& platform, std::ostream& out);
int RunKinds(const KindsOptions& options, CliPlatform& platform, std::ostream& out);
int RunCombine(const CombineOptions& options, CliPlatform& platform);
// Exits with 2 when the folder cannot take the files, as for a wrong argument.
int RunMaxCheck(const MaxCheckOptions& options, CliPlatform& platform, std::ostream& out);

// Each line followed by a line feed.
void PrintLines(const LineList& lines, std::ostream& out);

} // namespace tes::cli
