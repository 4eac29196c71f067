#pragma once

#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <string>

namespace tes::cli {

// A kinds table's value is one line of it.
CLI::Validator OneLine();

// The options of `kinds --set` that give the row's values, one for each key of the kinds table and the
// flag that empties a list, read as the table reads the key; each needs `set`. Group by group, in the
// order the keys declare their groups.
void AddKindKeyOptions(CLI::App& app, KindsOptions& kinds, CLI::Option* set);

// The flags that switch a key off (--disable); without its flag --set switches the key on. Added after
// the command's other options, so that of several options given without --set the parser names a
// value's option rather than the switch.
void AddKindKeySwitches(CLI::App& app, KindsOptions& kinds, CLI::Option* set);

// The row's columns as the help of `kinds` names them: "Max file, object, enabled, ...".
std::string KindColumnsHelp();

} // namespace tes::cli
