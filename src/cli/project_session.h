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

// Sets the load options into the window's fields, loads the project through the Browse command and
// then types the heading. False when a message ended the load (no environment file, or a reader's
// unexpected failure); the notes that let a load go on ("Using default...") do not count.
bool LoadProject(Context& ctx, CliPlatform& platform, const LoadOptions& options);

} // namespace tes::cli
