#pragma once

#include "cli/cli_options.h"

#include <memory>

namespace tes {
struct Context;
}

namespace tes::cli {

class CliPlatform;

// The program as the window starts it: handlers installed, saved folders read, "Save To File" checked.
std::unique_ptr<Context> StartProgram(CliPlatform& platform);

// Sets the load options into the window's fields, loads the project as the window does with a chosen
// file and then types the heading. False when the load was refused or a reader failed; the notices
// that let a load go on ("Using default...") do not count.
bool LoadProjectWithOptions(Context& ctx, const LoadOptions& options);

} // namespace tes::cli
