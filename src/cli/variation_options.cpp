#include "cli/variation_options.h"

#include "project/kind_keys.h"

#include <CLI/CLI.hpp>

namespace tes::cli {

void RefuseEmpty(const char* option, const std::string& text, std::string_view rule) {
    if (text.find_first_not_of(" \t") == std::string::npos)
        throw CLI::ValidationError(option, "is empty; it takes " + std::string(rule));
}

void AddVariationOptions(CLI::App& app, KindsOptions& kinds, CLI::Option* set) {
    app.add_option_function<std::string>(
           "--turn",
           [&kinds](const std::string& text) { kinds.turn = ReadOption("--turn", text, &ReadTurn); },
           "Turn each plant at random by FROM to TO degrees about the vertical (0:360, -15:15), from its "
           "own position; FROM not above TO. Empty: no turn (default: the row keeps its turn)")
        ->type_name("FROM:TO")
        ->needs(set)
        ->group("Variation options");
    app.add_option_function<std::string>(
           "--scale",
           [&kinds](const std::string& text) { kinds.scale = ReadOption("--scale", text, &ReadScale); },
           "Scale each plant at random to FROM to TO percent of the kind's scale (80:120); FROM above 0 "
           "and not above TO. Empty: no scale (default: the row keeps its scale)")
        ->type_name("FROM:TO")
        ->needs(set)
        ->group("Variation options");
    app.add_option_function<std::vector<std::string>>(
           "--variant",
           [&kinds](const std::vector<std::string>& texts) {
               for (const std::string& text : texts)
                   kinds.variants.push_back(ReadOption("--variant", text, &ReadVariant));
           },
           "A Max file and object the kind's plants may take, with a WEIGHT of " + std::string(kWeightRule) +
               "; an empty OBJECT is the file's name. Repeatable: the row's variants become exactly those "
               "given (default: the row keeps its variants)")
        ->type_name("FILE|OBJECT|WEIGHT")
        ->needs(set)
        ->group("Variation options");
    app.add_option_function<std::string>(
           "--weight",
           [&kinds](const std::string& text) {
               RefuseEmpty("--weight", text, kWeightRule);
               kinds.weight = ReadOption("--weight", text, &ReadWeight);
           },
           "The weight of the row's own Max file among the variants: " + std::string(kWeightRule) +
               " (default: the row keeps its weight; 1 for a new row)")
        ->type_name("N")
        ->needs(set)
        ->group("Variation options");
    app.add_flag("--clear-variants", kinds.clearVariants, "Remove the row's variants")
        ->needs(set)
        ->group("Variation options");
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
