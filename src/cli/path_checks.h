#pragma once

#include <CLI/CLI.hpp>

namespace tes::cli {

// Refuses a name that is not an existing file, or not an existing folder. CLI11's own checks hand the
// name to the file system as narrow text, which Windows reads in the ANSI code page; these read it as
// UTF-8, like every file name of the program. They have no description, so that --help shows the
// option's placeholder alone.
CLI::Validator ExistingFile();
CLI::Validator ExistingFolder();

} // namespace tes::cli
