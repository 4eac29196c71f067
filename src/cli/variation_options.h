#pragma once

#include "cli/cli_options.h"

#include <cstdint>
#include <optional>
#include <string>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace tes::cli {

// --turn, --scale, --variant, --weight and --clear-variants of `kinds --set`, which need `set`.
void AddVariationOptions(CLI::App& app, KindsOptions& kinds, CLI::Option* set);

// --seed N: the project's seed of the plants' variation. The help is followed by the numbers it takes.
void AddSeedOption(CLI::App& app, std::optional<std::int64_t>& seed, const std::string& help);

} // namespace tes::cli
