#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace tes::cli {

// Refuses a name that is not an existing file, or not an existing folder. CLI11's own checks hand the
// name to the file system as narrow text, which Windows reads in the ANSI code page; these read it as
// UTF-8, like every file name of the program. They have no description, so that --help shows the
// option's placeholder alone. A file must be a regular one: a pipe or a device is refused too.
CLI::Validator ExistingFile();
CLI::Validator ExistingFolder();

// What stands at a path that is there but is no regular file: "a folder", "a pipe", "a device" or "no
// regular file"; nothing for a regular file and for nothing there. Asked of the file system without
// opening it, so it never waits on a pipe.
std::optional<std::string> NonFileKind(const std::string& path);

} // namespace tes::cli
