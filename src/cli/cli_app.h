#pragma once

#include <ostream>

namespace tes::cli {

// Runs enviro-script with the given arguments: results go to `out`, messages and usage errors to
// `err`. Returns the exit status (0 done, 1 a message ended the command, 2 a usage error).
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace tes::cli
