#include "cli/variation_options.h"

#include "project/kind_keys.h"

#include <CLI/CLI.hpp>

namespace tes::cli {

void RefuseEmpty(const std::string& option, const std::string& text, std::string_view rule) {
    if (text.find_first_not_of(" \t") == std::string::npos)
        throw CLI::ValidationError(option, "is empty; it takes " + std::string(rule));
}

void AddSeedOption(CLI::App& app, std::optional<std::int64_t>& seed, const std::string& help) {
    app.add_option_function<std::string>(
           "--seed",
           [&seed](const std::string& text) {
               RefuseEmpty("--seed", text, kSeedRule);
               seed = ReadOption("--seed", text, &ReadSeed);
           },
           help + ": " + std::string(kSeedRule))
        ->type_name("N")
        ->group("Variation options");
}

} // namespace tes::cli
